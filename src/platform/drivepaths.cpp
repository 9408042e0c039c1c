#include "drivepaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace DrivePaths {
namespace {

// Joins the path below a mount point. ".." stops at the mount point, as
// it does at the root of a drive, so no drive text leads off its volume.
QString joinBelow(const QString &mountPoint, QStringView path)
{
    QStringList parts;
    for (QStringView part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part.toString());
    }
    if (parts.isEmpty())
        return mountPoint;
    return (mountPoint.endsWith(u'/') ? mountPoint : mountPoint + u'/') + parts.join(u'/');
}

bool contains(const QString &mountPoint, const QString &path)
{
    if (mountPoint == u"/")
        return path.startsWith(u'/');
    return path == mountPoint || path.startsWith(mountPoint + u'/');
}

} // namespace

std::optional<QChar> letterOf(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar upper = text.front().toUpper();
    if (upper < u'A' || upper > u'Z')
        return std::nullopt;
    return upper;
}

const DriveInfo *find(const QList<DriveInfo> &drives, QChar letter)
{
    const QChar upper = letter.toUpper();
    for (const DriveInfo &drive : drives) {
        if (drive.letter == upper)
            return &drive;
    }
    return nullptr;
}

std::optional<QString> localPath(const QList<DriveInfo> &drives, QStringView driveFolder)
{
    const std::optional<QChar> letter = letterOf(driveFolder);
    if (!letter || driveFolder.size() < 2 || driveFolder[1] != u':')
        return std::nullopt;
    const DriveInfo *drive = find(drives, *letter);
    if (!drive)
        return std::nullopt;
    QString below = driveFolder.sliced(2).toString();
    below.replace(u'\\', u'/');
    return joinBelow(drive->mountPoint, below);
}

bool folderExists(const Drives &drives, const QString &driveFolder)
{
    const std::optional<QString> local = drives.localPath(driveFolder);
    return local && QFileInfo(*local).isDir();
}

namespace {

// The entry with the deepest mount point that contains the path, of those
// `admit` lets through; -1 when there is none.
template <typename Admit>
qsizetype deepest(const QList<DriveInfo> &drives, const QString &localPath, Admit admit)
{
    const QString path = QDir::cleanPath(localPath);
    qsizetype best = -1;
    for (qsizetype i = 0; i < drives.size(); ++i) {
        const DriveInfo &drive = drives[i];
        if (admit(drive) && contains(drive.mountPoint, path)
            && (best < 0 || drive.mountPoint.size() > drives[best].mountPoint.size()))
            best = i;
    }
    return best;
}

} // namespace

std::optional<DriveInfo> driveOf(const QList<DriveInfo> &drives, const QString &localPath)
{
    const qsizetype found
        = deepest(drives, localPath, [](const DriveInfo &drive) { return !drive.letter.isNull(); });
    if (found < 0)
        return std::nullopt;
    return drives[found];
}

qsizetype mountOf(const QList<DriveInfo> &drives, const QString &localPath)
{
    return deepest(drives, localPath, [](const DriveInfo &) { return true; });
}

} // namespace DrivePaths
