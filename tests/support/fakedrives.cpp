#include "fakedrives.h"

using namespace Qt::StringLiterals;

void FakeDrives::add(QChar letter, const QString &mountPoint, bool ready)
{
    m_drives.append({letter.toUpper(), mountPoint});
    if (!ready)
        m_notReady.insert(letter.toUpper());
}

QList<DriveInfo> FakeDrives::list() const
{
    return m_drives;
}

bool FakeDrives::exists(const QString &name) const
{
    if (name.isEmpty())
        return false;
    const QStringView rest = QStringView(name).mid(1);
    if (!(rest.isEmpty() || rest == u":" || rest == u":\\"))
        return false;
    for (const DriveInfo &drive : m_drives)
        if (drive.letter == name[0].toUpper())
            return true;
    return false;
}

bool FakeDrives::isReady(QChar letter) const
{
    return !m_notReady.contains(letter.toUpper());
}

std::optional<QString> FakeDrives::localPath(const QString &driveFolder) const
{
    if (driveFolder.size() < 3 || driveFolder.mid(1, 2) != u":\\"_s)
        return std::nullopt;
    for (const DriveInfo &drive : m_drives) {
        if (drive.letter == driveFolder[0].toUpper()) {
            QString rest = driveFolder.mid(3);
            rest.replace(u'\\', u'/');
            if (rest.isEmpty())
                return drive.mountPoint;
            return drive.mountPoint.endsWith(u'/') ? drive.mountPoint + rest
                                                   : drive.mountPoint + u'/' + rest;
        }
    }
    return std::nullopt;
}
