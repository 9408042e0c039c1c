#include "removallist.h"

#include "settingstexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>

namespace RemovalList {

QString filePath(const QString &folder)
{
    const QString base = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    return QDir::toNativeSeparators(QDir(base).filePath(FileName.toString()));
}

QStringList parse(QByteArrayView bytes)
{
    // A byte-order mark says how the file is encoded; it is no part of the
    // first string, and left in place it would keep that string from ever
    // matching a name.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    QStringList items;
    while (!bytes.isEmpty()) {
        qsizetype end = bytes.indexOf('\n');
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.first(end);
        if (end < bytes.size() && line.endsWith('\r'))
            line.chop(1);
        items.append(QString::fromLocal8Bit(line));
        bytes = bytes.sliced(next);
    }
    return items;
}

Result<QStringList> load(const QString &folder)
{
    const QString path = filePath(folder);
    QFile file(path);
    const auto failure = [&] {
        const int number = file.error() == QFileDevice::OpenError && !file.exists() ? ENOENT : EIO;
        return Failure{number, SettingsTexts::removalListNotRead(path, file.errorString())};
    };
    if (!file.open(QIODevice::ReadOnly))
        return failure();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure();
    return parse(bytes);
}

} // namespace RemovalList
