#include "drives_linux.h"

#include "drivepaths.h"
#include "uniquedir.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// File systems that live in memory or show kernel state: never a volume of
// the user's files, whatever their source says.
bool isPseudoFileSystem(const QString &type)
{
    static const QSet<QString> pseudo = {
        u"autofs"_s,
        u"binfmt_misc"_s,
        u"bpf"_s,
        u"cgroup"_s,
        u"cgroup2"_s,
        u"configfs"_s,
        u"debugfs"_s,
        u"devpts"_s,
        u"devtmpfs"_s,
        u"efivarfs"_s,
        u"fusectl"_s,
        u"hugetlbfs"_s,
        u"mqueue"_s,
        u"nsfs"_s,
        u"overlay"_s,
        u"proc"_s,
        u"pstore"_s,
        u"ramfs"_s,
        u"rpc_pipefs"_s,
        u"securityfs"_s,
        u"selinuxfs"_s,
        u"squashfs"_s,
        u"sysfs"_s,
        u"tmpfs"_s,
        u"tracefs"_s,
    };
    return pseudo.contains(type);
}

bool isVolume(const MountEntry &mount)
{
    // A single file bound over another (as containers do for /etc/hosts) is
    // no folder to clean.
    return mount.device.startsWith(u"/dev/") && !isPseudoFileSystem(mount.fileSystem)
        && !QFileInfo(mount.mountPoint).isFile();
}

} // namespace

LinuxDrives::LinuxDrives(QString mountInfoPath)
    : m_mountInfoPath(std::move(mountInfoPath))
{ }

QList<DriveInfo> LinuxDrives::lettersFor(const QList<MountEntry> &mounts)
{
    QSet<QString> counted;
    for (const MountEntry &mount : mounts) {
        if (mount.mountPoint == u"/")
            counted.insert(mount.device);
    }

    QList<MountEntry> volumes;
    for (const MountEntry &mount : mounts) {
        if (!isVolume(mount) || counted.contains(mount.device))
            continue;
        counted.insert(mount.device);
        volumes.append(mount);
    }
    std::sort(volumes.begin(), volumes.end(),
        [](const MountEntry &a, const MountEntry &b) { return a.mountPoint < b.mountPoint; });

    QList<DriveInfo> drives{{u'C', u"/"_s}};
    char16_t letter = u'D';
    for (const MountEntry &volume : std::as_const(volumes)) {
        if (letter > u'Z')
            break;
        drives.append({QChar(letter++), volume.mountPoint});
    }
    return drives;
}

QList<DriveInfo> LinuxDrives::list() const
{
    QFile file(m_mountInfoPath);
    if (!file.open(QIODevice::ReadOnly))
        return lettersFor({});
    return lettersFor(MountInfo::parse(file.readAll()));
}

bool LinuxDrives::exists(const QString &name) const
{
    const std::optional<QChar> letter = DrivePaths::letterOf(name);
    return letter && DrivePaths::find(list(), *letter);
}

bool LinuxDrives::isReady(QChar letter) const
{
    const QList<DriveInfo> drives = list();
    const DriveInfo *drive = DrivePaths::find(drives, letter);
    if (!drive)
        return false;
    const UniqueDir folder(::opendir(QFile::encodeName(drive->mountPoint).constData()));
    return folder.get() != nullptr;
}

std::optional<QString> LinuxDrives::localPath(const QString &driveFolder) const
{
    return DrivePaths::localPath(list(), driveFolder);
}
