#pragma once

#include "filesystem.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <functional>

// An in-memory file system for the pass. Entries are listed in the order in
// which they were added, like a platform that lists in creation order. Any
// operation on any path can be told to fail.
class FakeFileSystem final : public FileSystem
{
public:
    enum class Op { Open, List, Attributes, SetAttributes, Rename, Exists };

    explicit FakeFileSystem(bool ignoreCase = false)
        : m_ignoreCase(ignoreCase)
    { }

    // `nameIsText` false: the system holds the name as bytes that are not
    // valid text, and the path given is its escaped form (\xFF).
    void addFolder(const QString &path, bool nameIsText = true);
    void addFile(const QString &path, quint32 attributes = 0, bool nameIsText = true);
    // A folder that belongs to a kernel's virtual file system.
    void setVirtual(const QString &folder) { m_virtual.insert(key(folder)); }
    // The folder at `path` becomes a symbolic link; what it held stays
    // where the link points, out of the tree.
    void replaceWithLink(const QString &path);
    void failOn(Op op, const QString &path, int errorNumber)
    {
        m_faults.insert({op, path}, errorNumber);
    }
    // Runs after each listing, with the folder's path.
    std::function<void(const QString &)> afterList;

    bool contains(const QString &path) const { return m_entries.contains(key(path)); }
    quint32 attributesOf(const QString &path) const
    {
        return m_entries.value(key(path)).attributes;
    }
    // The names of the files of a folder, in listing order.
    QStringList fileNames(const QString &folder) const;
    // "open /r", "rename /r/a -> b" ... in order.
    const QStringList &log() const { return m_log; }
    // Folders open now.
    int openFolders() const { return m_open; }

    Result<FolderPtr> openFolder(const QString &path) override;

private:
    friend class FakeFolder;

    struct Entry
    {
        QString path;
        bool folder = false;
        bool nameIsText = true;
        quint32 attributes = 0;
    };

    QString key(const QString &path) const { return m_ignoreCase ? path.toCaseFolded() : path; }
    void add(const Entry &entry);
    std::optional<Failure> attempt(Op op, const QString &path, const QString &what);
    Result<FolderPtr> open(const QString &path);
    Result<FolderListing> list(const QString &path);
    Result<quint32> attributes(const QString &path);
    Status setAttributes(const QString &path, quint32 attributes);
    Status rename(const QString &path, const QString &newName);
    Result<bool> fileExists(const QString &path);

    bool m_ignoreCase;
    QHash<QString, Entry> m_entries;
    QHash<QString, QStringList> m_children; // child keys by folder key, in listing order
    QSet<QString> m_virtual;
    QMap<std::pair<Op, QString>, int> m_faults;
    QStringList m_log;
    int m_open = 0;
};
