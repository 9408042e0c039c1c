#include "previewfilesystem.h"

#include "enginetexts.h"
#include "forwardingfolder.h"
#include "namebytes.h"
#include "newname.h"
#include "oserror.h"

#include <QSet>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The pass opens a folder once, lists it before it changes anything in it,
// and renames only within it, so what a folder would become is all kept
// here.
class PreviewFolder final : public ForwardingFolder
{
public:
    explicit PreviewFolder(FolderPtr real)
        : ForwardingFolder(std::move(real))
    { }

    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return PreviewFileSystem::previewOf(inner().openSubFolder(name));
    }
    Result<EntryAttributes> attributes(QByteArrayView name) override
    {
        Result<EntryAttributes> real = inner().attributes(name);
        if (real.ok() && m_cleared.contains(name.toByteArray()))
            real.value().bits &= ~quint32(FileAttribute::ReadOnly);
        return real;
    }
    Status setAttributes(QByteArrayView name, quint32 attributes) override
    {
        if (!(attributes & FileAttribute::ReadOnly))
            m_cleared.insert(name.toByteArray());
        return Status::success();
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override;
    Result<bool> fileExists(QByteArrayView name) override
    {
        const QByteArray key = matchKey(name);
        if (m_added.contains(key))
            return true;
        if (m_gone.contains(key))
            return false;
        return inner().fileExists(name);
    }

private:
    // A name as the folder's file system matches it: where it ignores case,
    // names that differ in case alone are one. Names that are not text keep
    // their bytes, so that no two of them are ever taken for one.
    QByteArray matchKey(QByteArrayView name)
    {
        if (!m_ignoresCase)
            m_ignoresCase = inner().ignoresCase();
        if (!*m_ignoresCase)
            return name.toByteArray();
        const NameBytes::Decoded decoded = NameBytes::decode(name);
        return decoded.isText ? decoded.text.toCaseFolded().toUtf8() : name.toByteArray();
    }

    Failure refusal(
        QByteArrayView name, QByteArrayView newName, int number, const QString &reason) const
    {
        return {number,
            EngineTexts::cannotRename(
                NameBytes::decode(name).text, NameBytes::decode(newName).text, path())
                + u": "_s + reason};
    }

    std::optional<bool> m_ignoresCase;
    QSet<QByteArray> m_gone; // renamed away, by match key
    QSet<QByteArray> m_added; // renamed to, by match key
    QSet<QByteArray> m_cleared; // read-only bit cleared
};

Status PreviewFolder::rename(QByteArrayView name, QByteArrayView newName)
{
    if (const QString reason = NewName::refusal(newName); !reason.isEmpty())
        return refusal(name, newName, EINVAL, reason);
    const QByteArray to = matchKey(newName);
    // Any entry holds a name against a rename that never replaces, a folder
    // as much as a file.
    bool taken = m_added.contains(to);
    if (!taken && !m_gone.contains(to)) {
        const Result<EntryAttributes> entry = inner().attributes(newName);
        taken
            = entry.ok() || (entry.failure().number != ENOENT && entry.failure().number != ENOTDIR);
    }
    if (taken)
        return refusal(name, newName, EEXIST, systemReason(EEXIST));

    const QByteArray from = matchKey(name);
    if (!m_added.remove(from))
        m_gone.insert(from);
    m_gone.remove(to);
    m_added.insert(to);
    if (m_cleared.remove(name.toByteArray()))
        m_cleared.insert(newName.toByteArray());
    return Status::success();
}

} // namespace

Result<FolderPtr> PreviewFileSystem::previewOf(Result<FolderPtr> opened)
{
    if (!opened.ok() || !opened.value())
        return opened;
    return FolderPtr(std::make_unique<PreviewFolder>(std::move(opened.value())));
}

Result<FolderPtr> PreviewFileSystem::openFolder(const QString &path)
{
    return previewOf(m_real.openFolder(path));
}
