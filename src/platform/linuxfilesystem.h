#pragma once

#include "filesystem.h"

// The file system of the pass on Linux, over the system calls themselves:
// names stay bytes until they are shown, no entry is ever replaced by a
// rename, and symbolic links are never followed.
class LinuxFileSystem final : public FileSystem
{
public:
    LinuxFileSystem() = default;

    Status openFolder(const QString &path) override;
    Result<QList<FolderEntry>> subFolders(const QString &path) override;
    Result<QList<FolderEntry>> files(const QString &path) override;
    Result<quint32> attributes(const QString &path) override;
    Status setAttributes(const QString &path, quint32 attributes) override;
    Status rename(const QString &path, const QString &newName) override;
    Result<bool> fileExists(const QString &path) override;
    QString join(const QString &folder, const QString &name) const override;

private:
    enum class Kind { Folders, Files };
    Result<QList<FolderEntry>> list(const QString &path, Kind kind) const;
};
