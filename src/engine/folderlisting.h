#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The entries of one folder as the file system holds them, read once: the
// names as bytes in one block, real folders apart from everything else. A
// link, even one to a folder, is not a folder here.
class FolderListing final
{
public:
    struct Entry
    {
        quint32 offset;
        quint32 size;
    };

    void addFolder(QByteArrayView name) { m_folders.append(store(name)); }
    void addFile(QByteArrayView name) { m_files.append(store(name)); }

    const QList<Entry> &folders() const { return m_folders; }
    const QList<Entry> &files() const { return m_files; }
    QByteArrayView name(Entry entry) const
    {
        return QByteArrayView(m_names.constData() + entry.offset, entry.size);
    }

private:
    Entry store(QByteArrayView name)
    {
        const Entry entry{quint32(m_names.size()), quint32(name.size())};
        m_names.append(name);
        return entry;
    }

    QByteArray m_names;
    QList<Entry> m_folders;
    QList<Entry> m_files;
};
