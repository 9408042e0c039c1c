#include "fakefilesystem.h"

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

Failure failure(int number, const QString &what, const QString &reason)
{
    return {number, u"Cannot %1: %2"_s.arg(what, reason)};
}

} // namespace

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

QList<FolderEntry> FakeFileSystem::list(const QString &path, bool folders) const
{
    QList<FolderEntry> entries;
    for (const QString &child : m_children.value(key(path))) {
        const Entry &entry = m_entries[child];
        if (entry.folder == folders)
            entries.append({nameOf(entry.path), entry.path, entry.nameIsText});
    }
    return entries;
}

QStringList FakeFileSystem::fileNames(const QString &folder) const
{
    QStringList names;
    for (const FolderEntry &entry : list(folder, false))
        names.append(entry.name);
    return names;
}

std::optional<Failure> FakeFileSystem::attempt(Op op, const QString &path, const QString &what)
{
    m_log.append(what);
    if (const auto fault = m_faults.constFind({op, path}); fault != m_faults.cend())
        return failure(*fault, what, u"injected failure"_s);
    return std::nullopt;
}

Status FakeFileSystem::openFolder(const QString &path)
{
    if (auto failed = attempt(Op::Open, path, u"open "_s + path))
        return *failed;
    if (!m_entries.value(key(path)).folder)
        return failure(ENOENT, u"open "_s + path, u"No such file or directory"_s);
    return Status::success();
}

Result<QList<FolderEntry>> FakeFileSystem::subFolders(const QString &path)
{
    if (auto failed = attempt(Op::SubFolders, path, u"subfolders "_s + path))
        return *failed;
    return list(path, true);
}

Result<QList<FolderEntry>> FakeFileSystem::files(const QString &path)
{
    if (auto failed = attempt(Op::Files, path, u"files "_s + path))
        return *failed;
    return list(path, false);
}

Result<quint32> FakeFileSystem::attributes(const QString &path)
{
    if (auto failed = attempt(Op::Attributes, path, u"attributes "_s + path))
        return *failed;
    return m_entries.value(key(path)).attributes;
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
    const QString target = join(parentOf(path), newName);
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

QString FakeFileSystem::join(const QString &folder, const QString &name) const
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
