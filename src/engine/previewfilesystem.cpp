#include "previewfilesystem.h"

#include "forwardingfolder.h"
#include "namebytes.h"
#include "newname.h"

#include <QSet>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

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
    Result<quint32> attributes(QByteArrayView name) override
    {
        Result<quint32> real = inner().attributes(name);
        if (real.ok() && m_cleared.contains(name.toByteArray()))
            real.value() &= ~quint32(FileAttribute::ReadOnly);
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
        const QByteArray key = name.toByteArray();
        if (m_added.contains(key))
            return true;
        if (m_gone.contains(key))
            return false;
        return inner().fileExists(name);
    }

private:
    Failure refusal(QByteArrayView name, QByteArrayView newName, int number,
        const QString &reason) const
    {
        return {number,
            QCoreApplication::translate(
                "PreviewFileSystem", "Cannot rename '%1' to '%2' in '%3': %4")
                .arg(
                    NameBytes::decode(name).text, NameBytes::decode(newName).text, path(), reason)};
    }

    QSet<QByteArray> m_gone; // renamed away
    QSet<QByteArray> m_added; // renamed to
    QSet<QByteArray> m_cleared; // read-only bit cleared
};

Status PreviewFolder::rename(QByteArrayView name, QByteArrayView newName)
{
    if (const QString reason = NewName::refusal(newName); !reason.isEmpty())
        return refusal(name, newName, EINVAL, reason);
    const QByteArray to = newName.toByteArray();
    // Any entry holds a name against a rename that never replaces, a folder
    // as much as a file.
    bool taken = m_added.contains(to);
    if (!taken && !m_gone.contains(to)) {
        const Result<quint32> entry = inner().attributes(newName);
        taken = entry.ok() || (entry.failure().number != ENOENT && entry.failure().number != ENOTDIR);
    }
    if (taken)
        return refusal(name, newName, EEXIST, QString::fromLocal8Bit(std::strerror(EEXIST)));

    const QByteArray from = name.toByteArray();
    if (!m_added.remove(from))
        m_gone.insert(from);
    m_gone.remove(to);
    m_added.insert(to);
    if (m_cleared.remove(from))
        m_cleared.insert(to);
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
