#pragma once

#include "result.h"

#include <QList>
#include <QString>

// Attribute bits as the pass tests them.
namespace FileAttribute {
enum : quint32 {
    ReadOnly = 1,
    Hidden = 2,
    System = 4,
    VolumeLabel = 8,
    Directory = 16,
    Alias = 1024,
};
} // namespace FileAttribute

struct FolderEntry
{
    QString name; // without folder
    QString path; // full path
    // False when the file system holds a name that is not valid text. `name`
    // and `path` are then an escaped form for showing only: no operation
    // may be given them.
    bool nameIsText = true;
};

// What the execution pass needs of a file system. Every operation reports a
// failure as a value whose description names the operation and the file.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    virtual Status openFolder(const QString &path) = 0;
    // Both listings are complete before the caller touches any entry, so a
    // file renamed during a pass is never met twice. Subfolders never
    // include symbolic links.
    virtual Result<QList<FolderEntry>> subFolders(const QString &path) = 0;
    virtual Result<QList<FolderEntry>> files(const QString &path) = 0;

    virtual Result<quint32> attributes(const QString &path) = 0;
    // Only the read-only bit is written; the others are properties of the
    // entry that cannot be set.
    virtual Status setAttributes(const QString &path, quint32 attributes) = 0;
    // Renames within the file's folder and never replaces an existing entry.
    virtual Status rename(const QString &path, const QString &newName) = 0;
    // True when an entry that is not a folder is at `path` (a symbolic link
    // counts, even a dangling one), by the file system's own name matching.
    virtual Result<bool> fileExists(const QString &path) = 0;
    virtual QString join(const QString &folder, const QString &name) const = 0;
};
