#include "journalingfilesystem.h"

#include "forwardingfolder.h"
#include "journal.h"

#include <QFile>

namespace {

class JournalingFolder final : public ForwardingFolder
{
public:
    JournalingFolder(FolderPtr inner, JournalWriter &journal)
        : ForwardingFolder(std::move(inner))
        , m_journal(journal)
        , m_path(QFile::encodeName(path()))
    { }

    static Result<FolderPtr> wrap(Result<FolderPtr> opened, JournalWriter &journal)
    {
        if (!opened.ok() || !opened.value())
            return opened;
        return FolderPtr(std::make_unique<JournalingFolder>(std::move(opened.value()), journal));
    }

    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return wrap(inner().openSubFolder(name), m_journal);
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
    template <typename Change>
    Status journaled(
        JournalRecord::Kind kind, QByteArrayView oldName, QByteArrayView newName, Change change)
    {
        if (const Status written = m_journal.append(kind, m_path, oldName, newName); !written.ok())
            return written;
        Status changed = change();
        if (!changed.ok())
            m_journal.withdraw();
        return changed;
    }

    JournalWriter &m_journal;
    QByteArray m_path;
};

} // namespace

Result<FolderPtr> JournalingFileSystem::openFolder(const QString &path)
{
    return JournalingFolder::wrap(m_inner.openFolder(path), m_journal);
}
