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
    return mount.device.startsWith(u"/dev/") && !isPseudoFileSystem(mount.fileSystem);
}

// FUSE file systems that mirror kernel or package state, not a user's files.
bool isServiceFuse(const QString &type)
{
    static const QSet<QString> service = {
        u"fuse.lxcfs"_s,
        u"fuse.portal"_s,
        u"fuse.snapfuse"_s,
        u"fuse.squashfuse"_s,
    };
    return service.contains(type);
}

// A network share or a FUSE mount that is not on a device: the kind it is
// listed as, or nothing.
QString userMountKind(const MountEntry &mount)
{
    static const QSet<QString> network = {
        u"9p"_s,
        u"afs"_s,
        u"ceph"_s,
        u"cifs"_s,
        u"davfs"_s,
        u"glusterfs"_s,
        u"nfs"_s,
        u"nfs4"_s,
        u"smb3"_s,
        u"smbfs"_s,
        u"virtiofs"_s,
    };
    const QString &type = mount.fileSystem;
    if (network.contains(type))
        return type;
    if (type.startsWith(u"fuse.") && !isServiceFuse(type))
        return type.mid(5);
    if (type == u"fuse" || type == u"fuseblk")
        return type;
    return {};
}

// A single file bound over another (as containers do for /etc/hosts) is no
// folder to clean.
bool isFolderMount(const MountEntry &mount)
{
    return !QFileInfo(mount.mountPoint).isFile();
}

} // namespace

LinuxDrives::LinuxDrives(QString mountInfoPath)
    : m_mountInfoPath(std::move(mountInfoPath))
{ }

QList<DriveInfo> LinuxDrives::lettersFor(const QList<MountEntry> &mounts)
{
    // A volume on a device is known by the device, so that another mount of
    // it is no second drive. Shares and FUSE mounts of one kind often share
    // their source ("fusefat", "jmtpfs"): each is known by its file system's
    // own number, which only its bind mounts repeat.
    const auto keyOf = [](const MountEntry &mount) {
        return isVolume(mount) ? mount.device : mount.deviceNumber;
    };
    QSet<QString> counted;
    for (const MountEntry &mount : mounts) {
        if (mount.mountPoint == u"/") {
            counted.insert(mount.device);
            counted.insert(mount.deviceNumber);
        }
    }

    QList<DriveInfo> volumes;
    QList<DriveInfo> userMounts;
    for (const MountEntry &mount : mounts) {
        if (counted.contains(keyOf(mount)) || !isFolderMount(mount))
            continue;
        if (isVolume(mount)) {
            volumes.append({QChar(), mount.mountPoint});
        } else if (const QString kind = userMountKind(mount); !kind.isEmpty()) {
            userMounts.append({QChar(), mount.mountPoint, kind});
        } else {
            continue;
        }
        counted.insert(keyOf(mount));
    }
    const auto byMountPoint
        = [](const DriveInfo &a, const DriveInfo &b) { return a.mountPoint < b.mountPoint; };
    std::sort(volumes.begin(), volumes.end(), byMountPoint);
    std::sort(userMounts.begin(), userMounts.end(), byMountPoint);

    QList<DriveInfo> drives{{u'C', u"/"_s}};
    char16_t letter = u'D';
    for (QList<DriveInfo> *group : {&volumes, &userMounts}) {
        for (DriveInfo &drive : *group) {
            if (letter <= u'Z')
                drive.letter = QChar(letter++);
            drives.append(drive);
        }
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
