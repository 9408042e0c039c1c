#include "removallistplace.h"

#include "removallist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

RemovalListPlace RemovalListPlace::standard()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString example = u"purlex/"_s + RemovalList::FileName.toString();
    QStringList examples{QDir(programFolder).filePath(u"../share/"_s + example)};
    examples.append(QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, example));
    return {programFolder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
        examples};
}

QString RemovalListPlace::folder() const
{
    const QString name = RemovalList::FileName.toString();
    // Whatever stands there is the list, so that a list that cannot be read
    // is reported rather than passed over.
    if (QFileInfo::exists(QDir(programFolder).filePath(name)))
        return programFolder;
    const QString userList = QDir(userFolder).filePath(name);
    if (QFileInfo::exists(userList) || QFileInfo(userList).isSymLink())
        return userFolder;
    for (const QString &example : examples) {
        if (QFileInfo(example).isFile()) {
            // Copying never replaces: a list made meanwhile stays.
            QDir().mkpath(userFolder);
            QFile::copy(example, userList);
            break;
        }
    }
    return userFolder;
}
