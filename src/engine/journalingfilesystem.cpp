#include "journalingfilesystem.h"

#include "forwardingfolder.h"
#include "journal.h"

#include <QFile>

#include <cstring>
#include <memory>
#include <utility>

namespace {

// Where a folder sits in the journal: it is written there, after the
// folders it is in, only once something in it changes.
struct FolderEntry
{
    std::shared_ptr<FolderEntry> parent;
    QByteArray name; // the full path for the start folder
    EntryIdentity identity;
    qint32 index = -1; // not written yet
};

class JournalingFolder final : public ForwardingFolder
{
public:
    JournalingFolder(FolderPtr inner, JournalWriter &journal, std::shared_ptr<FolderEntry> entry)
        : ForwardingFolder(std::move(inner))
        , m_journal(journal)
        , m_entry(std::move(entry))
    { }

    static Result<FolderPtr> wrap(Result<FolderPtr> opened, JournalWriter &journal,
        std::shared_ptr<FolderEntry> parent, QByteArray name)
    {
        if (!opened.ok() || !opened.value())
            return opened;
        auto entry = std::make_shared<FolderEntry>();
        entry->parent = std::move(parent);
        entry->name = std::move(name);
        // Undo finds the folder again only while it is still this one.
        if (const Result<EntryIdentity> identity = opened.value()->identity("."); identity.ok())
            entry->identity = identity.value();
        return FolderPtr(
            std::make_unique<JournalingFolder>(std::move(opened.value()), journal, entry));
    }

    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return wrap(inner().openSubFolder(name), m_journal, m_entry, name.toByteArray());
    }
    // The pass reads a file's attributes just before it changes the file:
    // the identity read with them goes into the record, with no second
    // look at the file.
    Result<EntryAttributes> attributes(QByteArrayView name) override
    {
        Result<EntryAttributes> read = inner().attributes(name);
        m_lastRead.known = read.ok();
        if (read.ok()) {
            // Most files are never changed: the name goes into the same buffer
            // each time.
            m_lastRead.name.resize(name.size());
            std::memcpy(m_lastRead.name.data(), name.data(), size_t(name.size()));
            m_lastRead.identity = read.value().identity;
        }
        return read;
    }
    Status setAttributes(QByteArrayView name, quint32 attributes) override
    {
        if (attributes & FileAttribute::ReadOnly)
            return inner().setAttributes(name, attributes);
        return journaled(JournalRecord::Kind::ReadOnlyCleared, name, name,
            [&] { return inner().setAttributes(name, attributes); });
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override
    {
        return journaled(JournalRecord::Kind::Rename, name, newName,
            [&] { return inner().rename(name, newName); });
    }

private:
    qint32 indexOf(FolderEntry &entry)
    {
        if (entry.index < 0) {
            const qint32 parent = entry.parent ? indexOf(*entry.parent) : -1;
            entry.index = m_journal.addFolder(parent, entry.name, entry.identity);
        }
        return entry.index;
    }

    // Once the journal has failed, the pass asked the user, and went on
    // only on OK: every later change goes on without a record.
    template <typename Change>
    Status journaled(
        JournalRecord::Kind kind, QByteArrayView oldName, QByteArrayView newName, Change change)
    {
        // The file as it is before the change: its identity, and the mode
        // to give back. Once changed, it is read afresh.
        const bool known = std::exchange(m_lastRead.known, false) && m_lastRead.name == oldName;
        if (m_journal.abandoned())
            return change();
        const Result<EntryIdentity> file
            = known ? Result<EntryIdentity>(m_lastRead.identity) : inner().identity(oldName);
        if (!file.ok())
            return file.failure();
        if (const Status written
            = m_journal.append(kind, indexOf(*m_entry), file.value(), oldName, newName);
            !written.ok())
            return written;
        Status changed = change();
        if (!changed.ok())
            m_journal.withdraw();
        return changed;
    }

    struct LastRead
    {
        bool known = false;
        QByteArray name;
        EntryIdentity identity;
    };

    JournalWriter &m_journal;
    std::shared_ptr<FolderEntry> m_entry;
    LastRead m_lastRead;
};

} // namespace

Result<FolderPtr> JournalingFileSystem::openFolder(const QString &path)
{
    return JournalingFolder::wrap(
        m_inner.openFolder(path), m_journal, nullptr, QFile::encodeName(path));
}
