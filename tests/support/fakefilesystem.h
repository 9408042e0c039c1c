#pragma once

#include "filesystem.h"

#include <QHash>
#include <QMap>
#include <QStringList>

// An in-memory file system for the pass. Entries are listed in the order in
// which they were added, like a platform that lists in creation order. Any
// operation on any path can be told to fail.
class FakeFileSystem final : public FileSystem
{
public:
    enum class Op { Open, SubFolders, Files, Attributes, SetAttributes, Rename, Exists };

    explicit FakeFileSystem(bool ignoreCase = false)
        : m_ignoreCase(ignoreCase)
    { }

    // `nameIsText` false: the system holds the name as bytes that are not
    // valid text, and the path given is its escaped form.
    void addFolder(const QString &path, bool nameIsText = true);
    void addFile(const QString &path, quint32 attributes = 0, bool nameIsText = true);
    void failOn(Op op, const QString &path, int errorNumber)
    {
        m_faults.insert({op, path}, errorNumber);
    }

    bool contains(const QString &path) const { return m_entries.contains(key(path)); }
    quint32 attributesOf(const QString &path) const
    {
        return m_entries.value(key(path)).attributes;
    }
    // The names of the files of a folder, in listing order.
    QStringList fileNames(const QString &folder) const;
    // "open /r", "rename /r/a -> b" ... in order.
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

    QString key(const QString &path) const { return m_ignoreCase ? path.toCaseFolded() : path; }
    void add(const Entry &entry);
    std::optional<Failure> attempt(Op op, const QString &path, const QString &what);
    QList<FolderEntry> list(const QString &path, bool folders) const;

    bool m_ignoreCase;
    QHash<QString, Entry> m_entries;
    QHash<QString, QStringList> m_children; // child keys by folder key, in listing order
    QMap<std::pair<Op, QString>, int> m_faults;
    QStringList m_log;
};
