#include "linuxfilesystem.h"

#include "enginetexts.h"
#include "filename.h"
#include "folderentries.h"
#include "folderprobes_linux.h"
#include "folderreader_linux.h"
#include "linuxfilesystemrename.h"
#include "namebytes.h"
#include "newname.h"
#include "oserror.h"
#include "uniquefd.h"
#include "virtualfilesystems_linux.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}

QString shown(QByteArrayView name)
{
    return NameBytes::decode(name).text;
}

// Names handed to the system must end in a NUL, which a view need not.
QByteArray cName(QByteArrayView name)
{
    return name.toByteArray();
}

class LinuxFolder final : public Folder
{
public:
    LinuxFolder(UniqueFd fd, QString path, RenameCalls &calls,
        std::shared_ptr<VirtualFileSystems> virtualFs)
        : m_fd(std::move(fd))
        , m_path(std::move(path))
        , m_calls(calls)
        , m_virtual(std::move(virtualFs))
    { }

    const QString &path() const override { return m_path; }
    Result<FolderListing> list() override;
    Result<FolderPtr> openSubFolder(QByteArrayView name) override;
    Result<EntryAttributes> attributes(QByteArrayView name) override;
    Status setAttributes(QByteArrayView name, quint32 attributes) override;
    Status rename(QByteArrayView name, QByteArrayView newName) override;
    Result<bool> fileExists(QByteArrayView name) override;
    bool ignoresCase() override
    {
        if (!m_ignoresCase)
            m_ignoresCase = FolderProbes::ignoresCase(m_fd.get());
        return *m_ignoresCase;
    }
    bool isMountRoot() override { return FolderProbes::isMountRoot(m_fd.get()); }
    Result<EntryIdentity> identity(QByteArrayView name) override;
    Status setMode(QByteArrayView name, quint32 mode) override;

    // Opens `fd`'s folder as a Folder, or nullptr for a virtual file system.
    static Result<FolderPtr> adopt(UniqueFd fd, QString path, RenameCalls &calls,
        const std::shared_ptr<VirtualFileSystems> &virtualFs)
    {
        if (virtualFs->isVirtual(fd.get()))
            return FolderPtr();
        return FolderPtr(
            std::make_unique<LinuxFolder>(std::move(fd), std::move(path), calls, virtualFs));
    }

private:
    QString pathOf(QByteArrayView name) const { return joinedPath(m_path, shown(name)); }

    UniqueFd m_fd;
    QString m_path;
    RenameCalls &m_calls;
    std::shared_ptr<VirtualFileSystems> m_virtual;
    std::optional<bool> m_ignoresCase;
};

bool isRealFolder(int folderFd, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN)
        return false;
    // Some file systems leave the type to a stat; the link itself is what
    // counts, never where it points.
    struct stat info;
    if (fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return S_ISDIR(info.st_mode);
}

Result<FolderListing> LinuxFolder::list()
{
    FolderListing listing;
    const Status read = readFolder(m_fd.get(), m_path, [&](const dirent &entry) {
        const QByteArrayView name(entry.d_name, qsizetype(std::strlen(entry.d_name)));
        if (isRealFolder(m_fd.get(), &entry))
            listing.addFolder(name);
        else
            listing.addFile(name);
    });
    if (!read.ok())
        return read.failure();
    return listing;
}

Result<FolderPtr> LinuxFolder::openSubFolder(QByteArrayView name)
{
    UniqueFd fd(openat(
        m_fd.get(), cName(name).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return systemFailure(errno, cannotOpenFolder(pathOf(name)));
    return adopt(std::move(fd), pathOf(name), m_calls, m_virtual);
}

EntryIdentity identityOf(const struct stat &info)
{
    return EntryIdentity{quint64(info.st_dev), quint64(info.st_ino), quint32(info.st_mode)};
}

Result<EntryAttributes> LinuxFolder::attributes(QByteArrayView name)
{
    struct stat info;
    if (fstatat(m_fd.get(), cName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno, u"Cannot read the attributes of "_s + quoted(pathOf(name)));

    quint32 bits = 0;
    if (S_ISLNK(info.st_mode))
        bits |= FileAttribute::Alias;
    else if (S_ISDIR(info.st_mode))
        bits |= FileAttribute::Directory;
    else if (!S_ISREG(info.st_mode))
        bits |= FileAttribute::System; // a device, FIFO or socket
    // A link's own mode bits mean nothing; only a real entry can be read-only.
    if (!S_ISLNK(info.st_mode) && !(info.st_mode & S_IWUSR))
        bits |= FileAttribute::ReadOnly;
    if (isHiddenName(name))
        bits |= FileAttribute::Hidden;
    return EntryAttributes{bits, identityOf(info)};
}

Status LinuxFolder::setAttributes(QByteArrayView name, quint32 attributes)
{
    const QString what = u"Cannot change the attributes of "_s + quoted(pathOf(name));
    const QByteArray entry = cName(name);
    struct stat info;
    if (fstatat(m_fd.get(), entry.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno, what);
    // Changing a link's mode would change the file it points to.
    if (S_ISLNK(info.st_mode))
        return Failure{EOPNOTSUPP, what + u": A symbolic link has no attributes of its own"_s};

    const mode_t current = info.st_mode & 07777;
    const mode_t wanted = (attributes & FileAttribute::ReadOnly)
        ? mode_t(current & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH))
        : mode_t(current | S_IWUSR);
    if (wanted == current)
        return Status::success();
    // With AT_SYMLINK_NOFOLLOW the check and the change are made on the
    // same entry, so a link that replaced the file is refused, not followed.
    if (fchmodat(m_fd.get(), entry.constData(), wanted, AT_SYMLINK_NOFOLLOW) != 0) {
        const int error = errno;
        // EPERM for the file's owner, or for root, is the file system's
        // refusal, not a matter of rights: every file there answers alike.
        const bool owner = info.st_uid == geteuid() || geteuid() == 0;
        if (error == ENOSYS || error == EOPNOTSUPP || (error == EPERM && owner))
            return Failure::of(ProgramFault::NoModes, EngineTexts::noModes(m_path));
        return systemFailure(error, what);
    }
    return Status::success();
}

Status LinuxFolder::rename(QByteArrayView name, QByteArrayView newName)
{
    const QString what = EngineTexts::cannotRename(shown(name), shown(newName), m_path);
    if (const QString reason = NewName::refusal(newName); !reason.isEmpty())
        return Failure{EINVAL, what + u": "_s + reason};

    // Renames never replace an existing entry. Where the kernel refuses
    // atomically (the flag, a link) a file that appears between the pass's
    // check and the rename is safe too; elsewhere the name is checked again
    // just before the rename.
    const NoReplaceRename::Done done = NoReplaceRename::rename(
        m_calls, m_fd.get(), cName(name).constData(), cName(newName).constData());
    switch (done.outcome) {
    case NoReplaceRename::Outcome::Renamed:
        return Status::success();
    case NoReplaceRename::Outcome::Refused:
        return systemFailure(done.error, what);
    case NoReplaceRename::Outcome::Unsupported:
        return Failure::of(ProgramFault::NoSafeRename, EngineTexts::noSafeRename(m_path));
    case NoReplaceRename::Outcome::Replaced:
        break;
    }
    return Failure{EBUSY, EngineTexts::changedDuringRename(shown(name), shown(newName), m_path)};
}

Result<bool> LinuxFolder::fileExists(QByteArrayView name)
{
    struct stat info;
    if (fstatat(m_fd.get(), cName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return !S_ISDIR(info.st_mode);
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR)
        return false;
    // No entry can hold a name that is too long for the file system.
    if (error == ENAMETOOLONG && name.size() > NAME_MAX)
        return false;
    return systemFailure(error, u"Cannot check whether %1 exists"_s.arg(quoted(pathOf(name))));
}

Result<EntryIdentity> LinuxFolder::identity(QByteArrayView name)
{
    struct stat info;
    if (fstatat(m_fd.get(), cName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno, u"Cannot read the identity of "_s + quoted(pathOf(name)));
    return identityOf(info);
}

Status LinuxFolder::setMode(QByteArrayView name, quint32 mode)
{
    // A link is refused, not followed.
    if (fchmodat(m_fd.get(), cName(name).constData(), mode_t(mode & 07777), AT_SYMLINK_NOFOLLOW)
        != 0)
        return systemFailure(errno, u"Cannot change the attributes of "_s + quoted(pathOf(name)));
    return Status::success();
}

} // namespace

LinuxFileSystem::LinuxFileSystem(RenameCalls *calls)
    : m_ownCalls(calls ? nullptr : std::make_unique<RenameCalls>())
    , m_calls(calls ? calls : m_ownCalls.get())
    , m_virtual(std::make_shared<VirtualFileSystems>())
{ }

LinuxFileSystem::~LinuxFileSystem() = default;

Result<FolderPtr> LinuxFileSystem::openFolder(const QString &path)
{
    UniqueFd fd(open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return systemFailure(errno, cannotOpenFolder(path));
    return LinuxFolder::adopt(std::move(fd), path, *m_calls, m_virtual);
}
