#include "linuxfilesystem.h"

#include "linuxfilesystemnames.h"
#include "linuxfilesystemrename.h"
#include "oserror.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Why a new name is refused before the system is asked.
QString badNameReason(const QString &newName, const QByteArray &encoded)
{
    if (newName.isEmpty())
        return u"A file name cannot be empty"_s;
    if (newName == u"."_s || newName == u".."_s)
        return u"The names '.' and '..' are reserved"_s;
    if (newName.contains(u'/'))
        return u"A file name cannot contain '/'"_s;
    if (newName.contains(QChar(0)))
        return u"A file name cannot contain a NUL character"_s;
    if (encoded.size() > NAME_MAX)
        return u"A file name cannot be longer than %1 bytes"_s.arg(NAME_MAX);
    return {};
}

// The last component of a path, trailing separators aside.
QString lastName(const QString &path)
{
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == u'/')
        --end;
    const qsizetype slash = path.lastIndexOf(u'/', end - 1);
    return path.mid(slash + 1, end - slash - 1);
}

// The folder part of a path, as bytes.
QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}

// A directory handle that is closed however the listing ends.
class DirectoryHandle final
{
public:
    explicit DirectoryHandle(DIR *dir)
        : m_dir(dir)
    { }
    ~DirectoryHandle()
    {
        if (m_dir)
            closedir(m_dir);
    }
    DirectoryHandle(const DirectoryHandle &) = delete;
    DirectoryHandle &operator=(const DirectoryHandle &) = delete;

    DIR *get() const { return m_dir; }

private:
    DIR *m_dir;
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

} // namespace

Status LinuxFileSystem::openFolder(const QString &path)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(errno, u"Cannot open folder "_s + quoted(path));
    close(fd);
    return Status::success();
}

Result<QList<FolderEntry>> LinuxFileSystem::subFolders(const QString &path)
{
    return list(path, Kind::Folders);
}

Result<QList<FolderEntry>> LinuxFileSystem::files(const QString &path)
{
    return list(path, Kind::Files);
}

Result<QList<FolderEntry>> LinuxFileSystem::list(const QString &path, Kind kind) const
{
    const QString what = u"Cannot list folder "_s + quoted(path);
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(errno, what);
    const DirectoryHandle dir(fdopendir(fd));
    if (!dir.get()) {
        const int error = errno;
        close(fd);
        return systemFailure(error, what);
    }

    // The whole listing is read before anything is renamed, so the caller
    // never meets an entry twice or misses one that a rename moved.
    QList<FolderEntry> entries;
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                return systemFailure(errno, what);
            break;
        }
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        if (isRealFolder(fd, entry) != (kind == Kind::Folders))
            continue;
        NameBytes::Decoded decoded = NameBytes::decode(name, qsizetype(std::strlen(name)));
        QString entryPath = join(path, decoded.text);
        entries.append({std::move(decoded.text), std::move(entryPath), decoded.isText});
    }
    return entries;
}

Result<quint32> LinuxFileSystem::attributes(const QString &path)
{
    struct stat info;
    if (fstatat(AT_FDCWD, QFile::encodeName(path).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno, u"Cannot read the attributes of "_s + quoted(path));

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
    if (lastName(path).startsWith(u'.'))
        bits |= FileAttribute::Hidden;
    return bits;
}

Status LinuxFileSystem::setAttributes(const QString &path, quint32 attributes)
{
    const QString what = u"Cannot change the attributes of "_s + quoted(path);
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info;
    if (fstatat(AT_FDCWD, encoded.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
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
    if (fchmodat(AT_FDCWD, encoded.constData(), wanted, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno, what);
    return Status::success();
}

Status LinuxFileSystem::rename(const QString &path, const QString &newName)
{
    const QString what = u"Cannot rename %1 to %2"_s.arg(quoted(lastName(path)), quoted(newName));
    const QByteArray encodedName = QFile::encodeName(newName);
    if (const QString reason = badNameReason(newName, encodedName); !reason.isEmpty())
        return Failure{EINVAL, what + u": "_s + reason};

    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = folderOf(from) + '/' + encodedName;

    // Renames never replace an existing entry: the kernel refuses
    // atomically, so a file that appears between the check and the rename
    // is safe too.
    if (const int error = NoReplaceRename::rename(from, to); error != 0)
        return systemFailure(error, what);
    return Status::success();
}

Result<bool> LinuxFileSystem::fileExists(const QString &path)
{
    struct stat info;
    if (fstatat(AT_FDCWD, QFile::encodeName(path).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return !S_ISDIR(info.st_mode);
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR)
        return false;
    // No entry can hold a name that is too long for the file system; the
    // rename that follows reports it.
    if (error == ENAMETOOLONG && QFile::encodeName(lastName(path)).size() > NAME_MAX)
        return false;
    return systemFailure(error, u"Cannot check whether %1 exists"_s.arg(quoted(path)));
}

QString LinuxFileSystem::join(const QString &folder, const QString &name) const
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
