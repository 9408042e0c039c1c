#include "removallist.h"

#include "oserror.h"
#include "regularfile.h"
#include "settingstexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringDecoder>

namespace RemovalList {

QString filePath(const QString &folder)
{
    const QString base = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    return QDir::toNativeSeparators(QDir(base).filePath(FileName.toString()));
}

Lines parse(QByteArrayView bytes)
{
    // A byte-order mark says how the file is encoded; it is no part of the
    // first string, and left in place it would keep that string from ever
    // matching a name. The decoder drops one at the start of a later line
    // for the same reason.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    // A line that is not valid text would decode with replacement
    // characters, which a name holding that very character would match
    // although it was never meant: such a line is left out and named.
    QStringDecoder decode(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    Lines lines;
    qint64 number = 0;
    while (!bytes.isEmpty()) {
        ++number;
        qsizetype end = bytes.indexOf('\n');
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.first(end);
        // Only CR LF ends a line: a lone CR, also one at the very end of the
        // file, is part of the line, as it is anywhere else.
        if (end < bytes.size() && line.endsWith('\r'))
            line.chop(1);
        decode.resetState();
        QString item = decode(line);
        if (!decode.hasError()) {
            lines.items.append(std::move(item));
        } else {
            if (lines.notTextLines.size() < NotTextLinesNamed)
                lines.notTextLines.append(number);
            ++lines.notTextCount;
        }
        bytes = bytes.sliced(next);
    }
    return lines;
}

Result<Lines> load(const QString &folder)
{
    const QString path = filePath(folder);
    const RegularFileContent file = readRegularFile(path, MaxFileSize);
    const auto failure = [&](const QString &reason) {
        return Failure{file.errorNumber, SettingsTexts::removalListNotRead(path, reason)};
    };
    switch (file.outcome) {
    case RegularFileContent::Outcome::Read:
        return parse(file.bytes);
    case RegularFileContent::Outcome::NotRegular:
        return failure(SettingsTexts::notRegularFile());
    case RegularFileContent::Outcome::TooLarge:
        return failure(SettingsTexts::tooLarge(file.size, MaxFileSize));
    case RegularFileContent::Outcome::Missing:
    case RegularFileContent::Outcome::Failed:
        break;
    }
    return failure(systemReason(file.errorNumber));
}

} // namespace RemovalList
