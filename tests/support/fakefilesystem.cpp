#include "fakefilesystem.h"

#include "namebytes.h"

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

QByteArray parentOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? "/"_ba : path.left(slash);
}

QByteArray joined(const QByteArray &folder, QByteArrayView name)
{
    return (folder.endsWith('/') ? folder : folder + '/') + name.toByteArray();
}

QString shown(const QByteArray &path)
{
    return NameBytes::decode(path).text;
}

Failure failure(int number, const QString &what, const char *reason)
{
    return {number, u"Cannot %1: %2"_s.arg(what, QLatin1StringView(reason))};
}

// The serial goes with an entry through renames, as an inode does.
EntryIdentity identityOf(const FakeFileSystem::Entry &entry)
{
    const quint32 mode
        = entry.folder ? 040755 : (entry.attributes & FileAttribute::ReadOnly ? 0100444 : 0100644);
    return EntryIdentity{1, quint64(entry.serial), mode};
}

} // namespace

class FakeFolder final : public Folder
{
public:
    FakeFolder(FakeFileSystem &fs, QByteArray path)
        : m_fs(fs)
        , m_path(std::move(path))
        , m_shown(shown(m_path))
    {
        m_fs.m_mostOpen = std::max(m_fs.m_mostOpen, ++m_fs.m_open);
    }
    ~FakeFolder() override { --m_fs.m_open; }
    FakeFolder(const FakeFolder &) = delete;
    FakeFolder &operator=(const FakeFolder &) = delete;

    const QString &path() const override { return m_shown; }
    Result<FolderListing> list() override { return m_fs.list(m_path); }
    Result<FolderPtr> openSubFolder(QByteArrayView name) override { return m_fs.open(at(name)); }
    Result<EntryAttributes> attributes(QByteArrayView name) override
    {
        return m_fs.attributes(at(name));
    }
    Status setAttributes(QByteArrayView name, quint32 bits) override
    {
        return m_fs.setAttributes(at(name), bits);
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override
    {
        return m_fs.rename(at(name), newName.toByteArray());
    }
    Result<bool> fileExists(QByteArrayView name) override { return m_fs.fileExists(at(name)); }
    bool ignoresCase() override { return m_fs.m_ignoreCase; }
    bool isMountRoot() override { return false; }
    Result<EntryIdentity> identity(QByteArrayView name) override
    {
        return m_fs.identity(name == "." ? m_path : at(name));
    }
    Status setMode(QByteArrayView name, quint32 mode) override
    {
        return m_fs.setAttributes(at(name), mode & 0200 ? 0u : quint32(FileAttribute::ReadOnly));
    }

private:
    QByteArray at(QByteArrayView name) const { return joined(m_path, name); }
    FakeFileSystem &m_fs;
    QByteArray m_path;
    QString m_shown;
};

void FakeFileSystem::add(const QByteArray &path, bool folder, quint32 attributes)
{
    const QByteArray parent = parentOf(path);
    if (parent != path && !m_entries.contains(key(parent)))
        add(parent, true, FileAttribute::Directory);
    if (!m_entries.contains(key(path)))
        m_entries.insert(key(path), {path, folder, attributes, ++m_serial});
}

void FakeFileSystem::replaceWithLink(const QByteArray &path)
{
    Entry &entry = m_entries[key(path)];
    entry.folder = false;
    entry.attributes = FileAttribute::Alias;
}

QList<FakeFileSystem::Entry> FakeFileSystem::children(const QByteArray &folder) const
{
    QList<Entry> found;
    for (const Entry &entry : m_entries)
        if (entry.path != "/" && key(parentOf(entry.path)) == key(folder))
            found.append(entry);
    std::sort(found.begin(), found.end(),
        [](const Entry &a, const Entry &b) { return a.serial < b.serial; });
    return found;
}

QByteArray FakeFileSystem::fileNames(const QByteArray &folder) const
{
    QByteArrayList names;
    for (const Entry &entry : children(folder))
        if (!entry.folder)
            names.append(entry.path.mid(entry.path.lastIndexOf('/') + 1));
    return names.join(' ');
}

std::optional<Failure> FakeFileSystem::attempt(Op op, const QByteArray &path, const QString &what)
{
    m_log.append(what);
    if (const auto fault = m_faults.constFind({op, path}); fault != m_faults.cend()) {
        if (*fault < 0)
            return Failure::of(ProgramFault(-*fault), what + u": injected failure"_s);
        return failure(*fault, what, "injected failure");
    }
    return std::nullopt;
}

Result<FakeFileSystem::Entry> FakeFileSystem::find(
    Op op, const QByteArray &path, const QString &what)
{
    if (auto failed = attempt(op, path, what))
        return *failed;
    const auto it = m_entries.constFind(key(path));
    if (it == m_entries.cend())
        return failure(ENOENT, what, "No such file or directory");
    return *it;
}

Result<FolderPtr> FakeFileSystem::open(const QByteArray &path)
{
    const QString what = u"open "_s + shown(path);
    const Result<Entry> entry = find(Op::Open, path, what);
    if (!entry.ok())
        return entry.failure();
    // Opened without following links, as a real folder only.
    if (!entry.value().folder)
        return failure(ENOTDIR, what, "Not a directory");
    if (m_virtual.contains(key(path)))
        return FolderPtr();
    return FolderPtr(std::make_unique<FakeFolder>(*this, path));
}

Result<FolderListing> FakeFileSystem::list(const QByteArray &path)
{
    if (auto failed = attempt(Op::List, path, u"list "_s + shown(path)))
        return *failed;
    FolderListing listing;
    for (const Entry &entry : children(path)) {
        const QByteArrayView name
            = QByteArrayView(entry.path).sliced(entry.path.lastIndexOf('/') + 1);
        entry.folder ? listing.addFolder(name) : listing.addFile(name);
    }
    return listing;
}

Result<EntryAttributes> FakeFileSystem::attributes(const QByteArray &path)
{
    const Result<Entry> entry = find(Op::Attributes, path, u"attributes "_s + shown(path));
    if (!entry.ok())
        return entry.failure();
    return EntryAttributes{entry.value().attributes, identityOf(entry.value())};
}

Status FakeFileSystem::setAttributes(const QByteArray &path, quint32 attributes)
{
    if (auto failed = attempt(Op::SetAttributes, path, u"set attributes "_s + shown(path)))
        return *failed;
    // Only the read-only bit is taken over.
    quint32 &current = m_entries[key(path)].attributes;
    current ^= (current ^ attributes) & FileAttribute::ReadOnly;
    return Status::success();
}

Status FakeFileSystem::rename(const QByteArray &path, const QByteArray &newName)
{
    const QString what = u"rename %1 -> %2"_s.arg(shown(path), shown(newName));
    if (auto failed = attempt(Op::Rename, path, what))
        return *failed;
    const QByteArray target = joined(parentOf(path), newName);
    if (newName.isEmpty() || newName.contains('/'))
        return failure(EINVAL, what, "Invalid argument");
    if (m_entries.contains(key(target)) && key(target) != key(path))
        return failure(EEXIST, what, "File exists");
    // The renamed entry keeps its place in the listing.
    Entry entry = m_entries.take(key(path));
    entry.path = target;
    m_entries.insert(key(target), entry);
    return Status::success();
}

Result<bool> FakeFileSystem::fileExists(const QByteArray &path)
{
    if (auto failed = attempt(Op::Exists, path, u"exists "_s + shown(path)))
        return *failed;
    const auto it = m_entries.constFind(key(path));
    return it != m_entries.cend() && !it->folder;
}

Result<EntryIdentity> FakeFileSystem::identity(const QByteArray &path)
{
    const Result<Entry> entry = find(Op::Identity, path, u"identity "_s + shown(path));
    return entry.ok() ? Result<EntryIdentity>(identityOf(entry.value())) : entry.failure();
}
