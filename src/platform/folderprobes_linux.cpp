#include "folderprobes_linux.h"

#include "uniquedir.h"
#include "uniquefd.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unordered_set>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif
#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

namespace {

// Enough names to meet one that decides, without looking up every name of
// a huge folder.
constexpr int MostNamesTried = 64;

// The name with the case of its Latin letters swapped; empty when it has none.
std::string caseVariant(const std::string &name)
{
    std::string variant = name;
    bool changed = false;
    for (char &c : variant) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
            changed = true;
        } else if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
            changed = true;
        }
    }
    return changed ? variant : std::string();
}

} // namespace

namespace FolderProbes {

bool ignoresCase(int folderFd)
{
    // A casefolded ext4 or f2fs folder says so itself.
    unsigned int flags = 0;
    if (ioctl(folderFd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL))
        return true;

    UniqueFd listFd(openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listFd.valid())
        return false;
    const UniqueDir dir(fdopendir(listFd.get()));
    if (!dir.get())
        return false;
    listFd.release();
    std::unordered_set<std::string> listed;
    while (const dirent *entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            listed.insert(entry->d_name);
    }

    // A variant that is not listed, yet found, was matched without regard to
    // case. Device and inode cannot tell: FUSE file systems give each name
    // looked up a node of its own.
    int tried = 0;
    for (const std::string &name : listed) {
        const std::string variant = caseVariant(name);
        if (variant.empty())
            continue;
        if (listed.contains(variant))
            return false; // two entries whose names differ in case alone
        struct stat info;
        if (fstatat(folderFd, variant.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            return true;
        if (errno == ENOENT)
            return false;
        if (++tried == MostNamesTried)
            break;
    }
    return false;
}

bool isMountRoot(int folderFd)
{
    struct statx info;
    if (statx(folderFd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &info) == 0
        && (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT))
        return info.stx_attributes & STATX_ATTR_MOUNT_ROOT;
    // An older kernel: a root's parent lies on another device, or is itself.
    struct stat folder, parent;
    if (fstat(folderFd, &folder) != 0 || fstatat(folderFd, "..", &parent, 0) != 0)
        return true;
    return folder.st_dev != parent.st_dev || folder.st_ino == parent.st_ino;
}

} // namespace FolderProbes
