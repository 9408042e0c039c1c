#pragma once

#include "filesystem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// An in-memory file system for the pass. Entries are listed in the order in
// which they were added, like a platform that lists in creation order. Any
// operation on any path can be told to fail, once or always.
class FakeFileSystem final : public FileSystem
{
public:
    enum class Op { Open, SubFolders, Files, Attributes, SetAttributes, Rename, Exists };

    explicit FakeFileSystem(bool ignoreCase = false)
        : m_ignoreCase(ignoreCase)
    { }

    void addFolder(const QString &path);
    void addFile(const QString &path, quint32 attributes = 0);
    // A file whose name the system holds as bytes that are not valid text.
    void addUnreadableFile(const QString &escapedPath);
    void addUnreadableFolder(const QString &escapedPath);
    // Fails `op` on `path` with `errorNumber`; `times` < 0 means always.
    void failOn(Op op, const QString &path, int errorNumber, int times = -1);

    bool contains(const QString &path) const { return m_entries.contains(key(path)); }
    quint32 attributesOf(const QString &path) const
    {
        return m_entries.value(key(path)).attributes;
    }
    // The names of the files of a folder, in listing order.
    QStringList fileNames(const QString &folder) const;
    // "open", "subfolders", "files", "rename" ... with their paths, in order.
    const QStringList &log() const { return m_log; }

    Status openFolder(const QString &path) override;
    Result<QList<FolderEntry>> subFolders(const QString &path) override;
    Result<QList<FolderEntry>> files(const QString &path) override;
    Result<quint32> attributes(const QString &path) override;
    Status setAttributes(const QString &path, quint32 attributes) override;
    Status rename(const QString &path, const QString &newName) override;
    Result<bool> fileExists(const QString &path) override;
    QString join(const QString &folder, const QString &name) const override;

private:
    struct Entry
    {
        QString path;
        bool folder = false;
        bool nameIsText = true;
        quint32 attributes = 0;
    };
    struct Fault
    {
        Op op;
        QString path;
        int errorNumber;
        int times;
    };

    QString key(const QString &path) const { return m_ignoreCase ? path.toCaseFolded() : path; }
    static QString parentOf(const QString &path);
    static QString nameOf(const QString &path);
    void add(const Entry &entry);
    std::optional<Failure> fault(Op op, const QString &path, const QString &what);
    Result<QList<FolderEntry>> list(const QString &path, bool folders);

    bool m_ignoreCase;
    QHash<QString, Entry> m_entries;
    QHash<QString, QStringList> m_children; // by folder key, in listing order: child keys
    QList<Fault> m_faults;
    QStringList m_log;
};
