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
    // A plain rename, which replaces what holds the new name.
    virtual int renameReplacing(int folderFd, const char *from, const char *to);
    // The device and inode of the entry itself, never of what a link names.
    virtual int identify(int folderFd, const char *name, dev_t *device, ino_t *inode);
};

// Renames within one folder that never replace an existing entry.
namespace NoReplaceRename {

enum class Outcome {
    Renamed,
    Refused, // `error` says why; nothing changed
    Unsupported, // the file system renames nothing at all
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
// the file system does not know that flag, and a check just before a plain
// rename where it has no links either. Nothing is ever copied.
Done rename(RenameCalls &calls, int folderFd, const char *from, const char *to);

// The fallback alone: a hard link is refused as atomically as the flag when
// the name is taken; the old name goes once the new one stands, and only
// while it still names the same file.
Done byLink(RenameCalls &calls, int folderFd, const char *from, const char *to);

// The last resort, as `mv -n` does it: the new name is looked up without
// following links and the plain rename made only when nothing holds it.
// Only an entry created under that very name between the two calls could
// be replaced.
Done byCheck(RenameCalls &calls, int folderFd, const char *from, const char *to);

} // namespace NoReplaceRename
