#pragma once

#include "filesystem.h"

#include <memory>

class RenameCalls;
class VirtualFileSystems;

// The file system of the pass on Linux, over the system calls themselves:
// every folder is held open and worked in by its descriptor, names stay
// bytes, no entry is ever replaced by a rename, symbolic links are never
// followed, and the kernel's virtual file systems are never walked.
class LinuxFileSystem final : public FileSystem
{
public:
    // Without `calls` renames go straight to the system.
    explicit LinuxFileSystem(RenameCalls *calls = nullptr);
    ~LinuxFileSystem() override;
    LinuxFileSystem(const LinuxFileSystem &) = delete;
    LinuxFileSystem &operator=(const LinuxFileSystem &) = delete;

    Result<FolderPtr> openFolder(const QString &path) override;

private:
    std::unique_ptr<RenameCalls> m_ownCalls;
    RenameCalls *m_calls;
    std::shared_ptr<VirtualFileSystems> m_virtual;
};
