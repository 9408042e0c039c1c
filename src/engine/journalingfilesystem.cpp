#include "journalingfilesystem.h"

#include "journal.h"

#include <QFile>

namespace {

class JournalingFolder final : public Folder
{
public:
    JournalingFolder(FolderPtr inner, JournalWriter &journal)
        : m_inner(std::move(inner))
        , m_journal(journal)
        , m_path(QFile::encodeName(m_inner->path()))
    { }

    static Result<FolderPtr> wrap(Result<FolderPtr> opened, JournalWriter &journal)
    {
        if (!opened.ok() || !opened.value())
            return opened;
        return FolderPtr(std::make_unique<JournalingFolder>(std::move(opened.value()), journal));
    }

    const QString &path() const override { return m_inner->path(); }
    Result<FolderListing> list() override { return m_inner->list(); }
    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return wrap(m_inner->openSubFolder(name), m_journal);
    }
    Result<quint32> attributes(QByteArrayView name) override { return m_inner->attributes(name); }
    Status setAttributes(QByteArrayView name, quint32 attributes) override
    {
        if (attributes & FileAttribute::ReadOnly)
            return m_inner->setAttributes(name, attributes);
        return journaled(JournalRecord::Kind::ReadOnlyCleared, name, name,
            [&] { return m_inner->setAttributes(name, attributes); });
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override
    {
        return journaled(JournalRecord::Kind::Rename, name, newName,
            [&] { return m_inner->rename(name, newName); });
    }
    Result<bool> fileExists(QByteArrayView name) override { return m_inner->fileExists(name); }

private:
    template <typename Change>
    Status journaled(JournalRecord::Kind kind, QByteArrayView oldName, QByteArrayView newName,
        Change change)
    {
        if (const Status written = m_journal.append(kind, m_path, oldName, newName);
            !written.ok())
            return written;
        Status changed = change();
        if (!changed.ok())
            m_journal.withdraw();
        return changed;
    }

    FolderPtr m_inner;
    JournalWriter &m_journal;
    QByteArray m_path;
};

} // namespace

Result<FolderPtr> JournalingFileSystem::openFolder(const QString &path)
{
    return JournalingFolder::wrap(m_inner.openFolder(path), m_journal);
}
