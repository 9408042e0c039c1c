#include "fakedrives.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

void FakeDrives::add(QChar letter, const QString &mountPoint, bool ready)
{
    m_drives.append({letter.toUpper(), mountPoint});
    if (!ready)
        m_notReady.insert(letter.toUpper());
}

bool FakeDrives::exists(const QString &name) const
{
    const QStringView rest = QStringView(name).mid(1);
    if (name.isEmpty() || !(rest.isEmpty() || rest == u":" || rest == u":\\"))
        return false;
    return std::any_of(m_drives.cbegin(), m_drives.cend(),
        [&](const DriveInfo &drive) { return drive.letter == name[0].toUpper(); });
}

std::optional<QString> FakeDrives::localPath(const QString &driveFolder) const
{
    if (driveFolder.mid(1, 2) != u":\\"_s)
        return std::nullopt;
    for (const DriveInfo &drive : m_drives) {
        if (drive.letter == driveFolder[0].toUpper()) {
            const QString rest = driveFolder.mid(3).replace(u'\\', u'/');
            return rest.isEmpty() ? drive.mountPoint : QDir(drive.mountPoint).filePath(rest);
        }
    }
    return std::nullopt;
}
