#include "fakefilesystem.h"

#include "namebytes.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? u"/"_s : path.left(slash);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

Failure failure(int number, const QString &what, const QString &reason)
{
    return {number, u"Cannot %1: %2"_s.arg(what, reason)};
}

// The bytes of a name given as text, \xHH standing for a byte that is not.
QByteArray bytesOf(const QString &name, bool nameIsText)
{
    if (nameIsText)
        return name.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.mid(i, 2) == u"\\x"_s && i + 3 < name.size()) {
            bytes.append(char(name.mid(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
        } else {
            bytes.append(QString(name[i]).toUtf8());
        }
    }
    return bytes;
}

} // namespace

class FakeFolder final : public Folder
{
public:
    FakeFolder(FakeFileSystem &fs, QString path)
        : m_fs(fs)
        , m_path(std::move(path))
    {
        ++m_fs.m_open;
    }
    ~FakeFolder() override { --m_fs.m_open; }
    FakeFolder(const FakeFolder &) = delete;
    FakeFolder &operator=(const FakeFolder &) = delete;

    const QString &path() const override { return m_path; }
    Result<FolderListing> list() override { return m_fs.list(m_path); }
    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return m_fs.open(pathOf(name));
    }
    Result<quint32> attributes(QByteArrayView name) override
    {
        return m_fs.attributes(pathOf(name));
    }
    Status setAttributes(QByteArrayView name, quint32 attributes) override
    {
        return m_fs.setAttributes(pathOf(name), attributes);
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override
    {
        return m_fs.rename(pathOf(name), NameBytes::decode(newName).text);
    }
    Result<bool> fileExists(QByteArrayView name) override
    {
        return m_fs.fileExists(pathOf(name));
    }

private:
    QString pathOf(QByteArrayView name) const
    {
        return joined(m_path, NameBytes::decode(name).text);
    }

    FakeFileSystem &m_fs;
    QString m_path;
};

void FakeFileSystem::add(const Entry &entry)
{
    const QString parent = parentOf(entry.path);
    if (parent != entry.path && !m_entries.contains(key(parent)))
        addFolder(parent);
    m_entries.insert(key(entry.path), entry);
    m_children[key(parent)].append(key(entry.path));
}

void FakeFileSystem::addFolder(const QString &path, bool nameIsText)
{
    if (!m_entries.contains(key(path)))
        add({path, true, nameIsText, FileAttribute::Directory});
}

void FakeFileSystem::addFile(const QString &path, quint32 attributes, bool nameIsText)
{
    add({path, false, nameIsText, attributes});
}

void FakeFileSystem::replaceWithLink(const QString &path)
{
    Entry &entry = m_entries[key(path)];
    entry.folder = false;
    entry.attributes = FileAttribute::Alias;
}

QStringList FakeFileSystem::fileNames(const QString &folder) const
{
    QStringList names;
    for (const QString &child : m_children.value(key(folder))) {
        const Entry &entry = m_entries[child];
        if (!entry.folder)
            names.append(nameOf(entry.path));
    }
    return names;
}

std::optional<Failure> FakeFileSystem::attempt(Op op, const QString &path, const QString &what)
{
    m_log.append(what);
    if (const auto fault = m_faults.constFind({op, path}); fault != m_faults.cend())
        return failure(*fault, what, u"injected failure"_s);
    return std::nullopt;
}

Result<FolderPtr> FakeFileSystem::openFolder(const QString &path)
{
    return open(path);
}

Result<FolderPtr> FakeFileSystem::open(const QString &path)
{
    if (auto failed = attempt(Op::Open, path, u"open "_s + path))
        return *failed;
    const auto it = m_entries.constFind(key(path));
    if (it == m_entries.cend())
        return failure(ENOENT, u"open "_s + path, u"No such file or directory"_s);
    // Opened without following links, as a real folder only.
    if (!it->folder)
        return failure(ENOTDIR, u"open "_s + path, u"Not a directory"_s);
    if (m_virtual.contains(key(path)))
        return FolderPtr();
    return FolderPtr(std::make_unique<FakeFolder>(*this, path));
}

Result<FolderListing> FakeFileSystem::list(const QString &path)
{
    if (auto failed = attempt(Op::List, path, u"list "_s + path))
        return *failed;
    FolderListing listing;
    for (const QString &child : m_children.value(key(path))) {
        const Entry &entry = m_entries[child];
        const QByteArray bytes = bytesOf(nameOf(entry.path), entry.nameIsText);
        if (entry.folder)
            listing.addFolder(bytes);
        else
            listing.addFile(bytes);
    }
    if (afterList)
        afterList(path);
    return listing;
}

Result<quint32> FakeFileSystem::attributes(const QString &path)
{
    if (auto failed = attempt(Op::Attributes, path, u"attributes "_s + path))
        return *failed;
    const auto it = m_entries.constFind(key(path));
    if (it == m_entries.cend())
        return failure(ENOENT, u"attributes "_s + path, u"No such file or directory"_s);
    return it->attributes;
}

Status FakeFileSystem::setAttributes(const QString &path, quint32 attributes)
{
    if (auto failed = attempt(Op::SetAttributes, path, u"set attributes "_s + path))
        return *failed;
    quint32 &current = m_entries[key(path)].attributes;
    current
        = (current & ~quint32(FileAttribute::ReadOnly)) | (attributes & FileAttribute::ReadOnly);
    return Status::success();
}

Status FakeFileSystem::rename(const QString &path, const QString &newName)
{
    const QString what = u"rename %1 -> %2"_s.arg(path, newName);
    if (auto failed = attempt(Op::Rename, path, what))
        return *failed;
    const QString target = joined(parentOf(path), newName);
    if (newName.isEmpty() || newName.contains(u'/'))
        return failure(EINVAL, what, u"Invalid argument"_s);
    if (m_entries.contains(key(target)) && key(target) != key(path))
        return failure(EEXIST, what, u"File exists"_s);

    Entry entry = m_entries.take(key(path));
    entry.path = target;
    m_entries.insert(key(target), entry);
    // The renamed entry keeps its place in the listing.
    QStringList &siblings = m_children[key(parentOf(path))];
    siblings[siblings.indexOf(key(path))] = key(target);
    return Status::success();
}

Result<bool> FakeFileSystem::fileExists(const QString &path)
{
    if (auto failed = attempt(Op::Exists, path, u"exists "_s + path))
        return *failed;
    const auto it = m_entries.constFind(key(path));
    return it != m_entries.cend() && !it->folder;
}
