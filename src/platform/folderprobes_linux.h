#pragma once

// What an open folder is, asked of the system without changing anything.
namespace FolderProbes {

// True when the folder's file system matches names without regard to
// letter case: a listed name looked up with its letters' case swapped finds
// an entry that the listing does not hold. A folder whose names hold no
// Latin letter is taken as telling case apart, which for names without
// letters is all one.
bool ignoresCase(int folderFd);

// True when the folder is the root of a mount: the kernel says so, or the
// folder's device differs from its parent's. True when neither can be read.
bool isMountRoot(int folderFd);

} // namespace FolderProbes
