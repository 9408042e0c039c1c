#pragma once

#include "folderlisting.h"
#include "result.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

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

// Which entry a name held, whatever it is called now: a file keeps its
// identity through a rename, and a new file under an old name has another.
struct EntryIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    quint32 mode = 0; // type and permission bits, as stat gives them

    bool sameEntry(const EntryIdentity &other) const
    {
        return device == other.device && inode == other.inode;
    }
};

// What the pass tests of an entry, and which entry that was.
struct EntryAttributes
{
    quint32 bits = 0; // FileAttribute
    EntryIdentity identity;
};

class Folder;
using FolderPtr = std::unique_ptr<Folder>;

// A folder held open while the pass works in it. Every operation is relative
// to it and takes names as the file system holds them, bytes: a folder that
// is swapped for a link meanwhile is never followed, and a name that is not
// valid text can still be told apart. Failures are values whose description
// names the operation, the file and its folder.
class Folder
{
public:
    virtual ~Folder() = default;

    // The folder's full path, for showing and reporting only.
    virtual const QString &path() const = 0;

    // One complete read of the folder, before the caller touches any entry,
    // so a file renamed during a pass is never met twice.
    virtual Result<FolderListing> list() = 0;
    // Never through a symbolic link: a subfolder replaced by a link since it
    // was listed is refused. A folder of a kernel's virtual file system
    // opens as nullptr: nothing in it is ever walked or changed.
    virtual Result<FolderPtr> openSubFolder(QByteArrayView name) = 0;

    virtual Result<EntryAttributes> attributes(QByteArrayView name) = 0;
    // Only the read-only bit is written; the others are properties of the
    // entry that cannot be set.
    virtual Status setAttributes(QByteArrayView name, quint32 attributes) = 0;
    // Renames within this folder and never replaces an existing entry.
    virtual Status rename(QByteArrayView name, QByteArrayView newName) = 0;
    // True when an entry that is not a folder holds `name` (a symbolic link
    // counts, even a dangling one), by the file system's own name matching.
    virtual Result<bool> fileExists(QByteArrayView name) = 0;
    // True when the file system matches names in this folder without regard
    // to letter case (FAT, exFAT, SMB, casefolded ext4); found out without
    // writing anything.
    virtual bool ignoresCase() = 0;
    // True when the folder is the root of a mounted volume, however it was
    // reached; true as well when that cannot be told.
    virtual bool isMountRoot() = 0;
    // The entry itself, never what a link points to; "." is this folder.
    virtual Result<EntryIdentity> identity(QByteArrayView name) = 0;
    // Sets the permission bits of a file that is not a link to exactly `mode`.
    virtual Status setMode(QByteArrayView name, quint32 mode) = 0;
};

// Where a pass starts.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Opens the folder a pass starts in; nullptr for a folder of a kernel's
    // virtual file system.
    virtual Result<FolderPtr> openFolder(const QString &path) = 0;
};
