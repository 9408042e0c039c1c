#pragma once

#include <QHash>

#include <sys/types.h>

// Tells the kernel's virtual file systems (proc, sysfs, devtmpfs, cgroup
// ...) from those that hold a user's files, by the file system's magic
// number; a tmpfs is looked up in the mount table, since devtmpfs shares
// its number.
class VirtualFileSystems final
{
public:
    // For an open folder; false when it cannot be told.
    bool isVirtual(int folderFd);

private:
    bool isDevTmpfs(dev_t device);

    QHash<dev_t, bool> m_devTmpfs;
};
