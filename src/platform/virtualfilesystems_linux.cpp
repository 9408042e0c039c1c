#include "virtualfilesystems_linux.h"

#include "mountinfo_linux.h"

#include <QFile>

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

namespace {

constexpr unsigned long VirtualMagics[] = {
    PROC_SUPER_MAGIC,
    SYSFS_MAGIC,
    DEVPTS_SUPER_MAGIC,
    CGROUP_SUPER_MAGIC,
    CGROUP2_SUPER_MAGIC,
    DEBUGFS_MAGIC,
    TRACEFS_MAGIC,
    SECURITYFS_MAGIC,
    PSTOREFS_MAGIC,
    BPF_FS_MAGIC,
    0x62656570, // configfs
    0x65735543, // fusectl
    0x19800202, // mqueue
    HUGETLBFS_MAGIC,
    BINFMTFS_MAGIC,
    EFIVARFS_MAGIC,
    NSFS_MAGIC,
    SELINUX_MAGIC,
    SMACK_MAGIC,
};

} // namespace

bool VirtualFileSystems::isVirtual(int folderFd)
{
    struct statfs info;
    if (fstatfs(folderFd, &info) != 0)
        return false;
    const auto magic = static_cast<unsigned long>(info.f_type);
    for (unsigned long known : VirtualMagics) {
        if (magic == known)
            return true;
    }
    if (magic != TMPFS_MAGIC && magic != RAMFS_MAGIC)
        return false;
    struct stat folder;
    return fstat(folderFd, &folder) == 0 && isDevTmpfs(folder.st_dev);
}

bool VirtualFileSystems::isDevTmpfs(dev_t device)
{
    if (const auto known = m_devTmpfs.constFind(device); known != m_devTmpfs.cend())
        return *known;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    bool devTmpfs = false;
    if (table.open(QIODevice::ReadOnly)) {
        for (const MountEntry &mount : MountInfo::parse(table.readAll())) {
            if (mount.fileSystem != QLatin1StringView("devtmpfs"))
                continue;
            struct stat point;
            if (stat(QFile::encodeName(mount.mountPoint).constData(), &point) == 0
                && point.st_dev == device)
                devTmpfs = true;
        }
    }
    m_devTmpfs.insert(device, devTmpfs);
    return devTmpfs;
}
