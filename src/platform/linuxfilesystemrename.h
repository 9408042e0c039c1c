#pragma once

#include <sys/types.h>

// The system calls behind a rename, each returning 0 or an errno value. They
// stand apart so that tests can refuse one or act between two of them.
class RenameCalls
{
public:
    virtual ~RenameCalls() = default;

    virtual int renameNoReplace(int folderFd, const char *from, const char *to);
    virtual int link(int folderFd, const char *from, const char *to);
    virtual int unlink(int folderFd, const char *name);
    // The device and inode of the entry itself, never of what a link names.
    virtual int identify(int folderFd, const char *name, dev_t *device, ino_t *inode);
};

// Renames within one folder that never replace an existing entry.
namespace NoReplaceRename {

enum class Outcome {
    Renamed,
    Refused, // `error` says why; nothing changed
    Unsupported, // the file system has neither the no-replace flag nor links
    // Another file took the old name between the link and the unlink: both
    // are kept, the renamed file under its new name.
    Replaced,
};

struct Done
{
    Outcome outcome;
    int error = 0;
};

// The kernel's own no-replace rename, with a hard link and an unlink where
// the file system does not know that flag. Nothing is ever copied.
Done rename(RenameCalls &calls, int folderFd, const char *from, const char *to);

// The fallback alone: a hard link is refused as atomically as the flag when
// the name is taken; the old name goes once the new one stands, and only
// while it still names the same file.
Done byLink(RenameCalls &calls, int folderFd, const char *from, const char *to);

} // namespace NoReplaceRename
