#pragma once

#include "filesystem.h"

#include <QByteArrayList>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <optional>

// An in-memory file system for the pass. Paths are bytes, as the system holds
// names, so a name need not be valid text. Entries are listed in the order in
// which they were added, like a platform that lists in creation order. Any
// operation on any path can be told to fail.
class FakeFileSystem final : public FileSystem
{
public:
    enum class Op { Open, List, Attributes, SetAttributes, Rename, Exists, Identity };

    explicit FakeFileSystem(bool ignoreCase = false)
        : m_ignoreCase(ignoreCase)
    { }

    // Missing parent folders are made as well; a path added again is ignored.
    void addFolder(const QByteArray &path) { add(path, true, FileAttribute::Directory); }
    void addFile(const QByteArray &path, quint32 attributes = 0) { add(path, false, attributes); }
    // A folder that belongs to a kernel's virtual file system.
    void setVirtual(const QByteArray &folder) { m_virtual.insert(key(folder)); }
    // The folder becomes a symbolic link; what it held stays where the link
    // points, out of the tree.
    void replaceWithLink(const QByteArray &path);
    // Another folder takes the folder's place: the same path, another identity.
    void replaceWithFolder(const QByteArray &path) { m_entries[key(path)].serial = ++m_serial; }
    void failOn(Op op, const QByteArray &path, int error) { m_faults.insert({op, path}, error); }
    // The program's own faults are kept as negative numbers.
    void failOn(Op op, const QByteArray &path, ProgramFault fault)
    {
        m_faults.insert({op, path}, -int(fault));
    }

    bool contains(const QByteArray &path) const { return m_entries.contains(key(path)); }
    quint32 attributesOf(const QByteArray &path) const
    {
        return m_entries.value(key(path)).attributes;
    }
    // The names of the files of a folder, in listing order, joined by " ".
    QByteArray fileNames(const QByteArray &folder) const;
    // "open /r", "rename /r/a -> b" ... in order.
    const QStringList &log() const { return m_log; }
    int openFolders() const { return m_open; }
    int mostFoldersOpen() const { return m_mostOpen; }

    Result<FolderPtr> openFolder(const QString &path) override { return open(path.toUtf8()); }

    struct Entry
    {
        QByteArray path;
        bool folder = false;
        quint32 attributes = 0;
        int serial = 0; // the place in the listing
    };

private:
    friend class FakeFolder;

    QByteArray key(const QByteArray &path) const
    {
        return m_ignoreCase ? QString::fromUtf8(path).toCaseFolded().toUtf8() : path;
    }
    void add(const QByteArray &path, bool folder, quint32 attributes);
    QList<Entry> children(const QByteArray &folder) const;
    std::optional<Failure> attempt(Op op, const QByteArray &path, const QString &what);
    // The entry at `path` once `op` on it passed the injected faults.
    Result<Entry> find(Op op, const QByteArray &path, const QString &what);
    Result<FolderPtr> open(const QByteArray &path);
    Result<FolderListing> list(const QByteArray &path);
    Result<EntryAttributes> attributes(const QByteArray &path);
    Status setAttributes(const QByteArray &path, quint32 attributes);
    Status rename(const QByteArray &path, const QByteArray &newName);
    Result<bool> fileExists(const QByteArray &path);
    Result<EntryIdentity> identity(const QByteArray &path);

    bool m_ignoreCase;
    QHash<QByteArray, Entry> m_entries; // by key
    QSet<QByteArray> m_virtual;
    QMap<std::pair<Op, QByteArray>, int> m_faults;
    QStringList m_log;
    int m_open = 0;
    int m_mostOpen = 0;
    int m_serial = 0;
};
