#pragma once

#include "filesystem.h"

// A file system that answers as the real one would after the changes made
// through it, without making them: listings and attributes come from the
// real tree, renames and attribute writes are kept in memory, and existence
// checks see the tree as it would then be. Nothing on disk changes.
class PreviewFileSystem final : public FileSystem
{
public:
    explicit PreviewFileSystem(FileSystem &real)
        : m_real(real)
    { }

    Result<FolderPtr> openFolder(const QString &path) override;

    // Wraps a real folder; nullptr stays nullptr.
    static Result<FolderPtr> previewOf(Result<FolderPtr> opened);

private:
    FileSystem &m_real;
};
