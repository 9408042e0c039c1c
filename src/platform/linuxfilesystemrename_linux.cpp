#include "linuxfilesystemrename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int RenameCalls::renameNoReplace(int folderFd, const char *from, const char *to)
{
    return renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

int RenameCalls::link(int folderFd, const char *from, const char *to)
{
    return linkat(folderFd, from, folderFd, to, 0) == 0 ? 0 : errno;
}

int RenameCalls::unlink(int folderFd, const char *name)
{
    return unlinkat(folderFd, name, 0) == 0 ? 0 : errno;
}

int RenameCalls::renameReplacing(int folderFd, const char *from, const char *to)
{
    return renameat(folderFd, from, folderFd, to) == 0 ? 0 : errno;
}

int RenameCalls::identify(int folderFd, const char *name, dev_t *device, ino_t *inode)
{
    struct stat info;
    if (fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    *device = info.st_dev;
    *inode = info.st_ino;
    return 0;
}

namespace NoReplaceRename {

using enum Outcome;

Done rename(RenameCalls &calls, int folderFd, const char *from, const char *to)
{
    const int error = calls.renameNoReplace(folderFd, from, to);
    if (error == 0)
        return {Renamed};
    // EINVAL: the file system refuses the flag; ENOSYS: a kernel without it.
    if (error != EINVAL && error != ENOSYS)
        return {Refused, error};
    return byLink(calls, folderFd, from, to);
}

Done byLink(RenameCalls &calls, int folderFd, const char *from, const char *to)
{
    if (const int error = calls.link(folderFd, from, to); error != 0) {
        // A file system without hard links (FAT, exFAT, most FUSE mounts).
        if (error == EPERM || error == EOPNOTSUPP)
            return byCheck(calls, folderFd, from, to);
        return {Refused, error};
    }

    dev_t linkedDevice = 0, oldDevice = 0;
    ino_t linkedInode = 0, oldInode = 0;
    if (const int error = calls.identify(folderFd, to, &linkedDevice, &linkedInode); error != 0)
        return {Replaced, error}; // nothing is removed while in doubt
    if (const int error = calls.identify(folderFd, from, &oldDevice, &oldInode); error != 0) {
        // The old name went meanwhile; the file stands under the new one.
        return error == ENOENT ? Done{Renamed} : Done{Replaced, error};
    }
    // A file saved under the old name since the link is not ours to remove.
    if (oldDevice != linkedDevice || oldInode != linkedInode)
        return {Replaced};

    if (const int error = calls.unlink(folderFd, from); error != 0) {
        calls.unlink(folderFd, to);
        return {Refused, error};
    }
    return {Renamed};
}

Done byCheck(RenameCalls &calls, int folderFd, const char *from, const char *to)
{
    dev_t device = 0;
    ino_t inode = 0;
    if (const int error = calls.identify(folderFd, to, &device, &inode); error != ENOENT)
        return {Refused, error == 0 ? EEXIST : error};
    const int error = calls.renameReplacing(folderFd, from, to);
    if (error == 0)
        return {Renamed};
    if (error == ENOSYS || error == EOPNOTSUPP)
        return {Unsupported, error};
    return {Refused, error};
}

} // namespace NoReplaceRename
