#include "fakefilesystem.h"

#include <cerrno>

using namespace Qt::StringLiterals;

QString FakeFileSystem::parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? u"/"_s : path.left(slash);
}

QString FakeFileSystem::nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

void FakeFileSystem::add(const Entry &entry)
{
    const QString parent = parentOf(entry.path);
    if (!m_entries.contains(key(parent)) && parent != entry.path)
        addFolder(parent);
    m_entries.insert(key(entry.path), entry);
    m_children[key(parent)].append(key(entry.path));
}

void FakeFileSystem::addFolder(const QString &path)
{
    if (!m_entries.contains(key(path)))
        add({path, true, true, FileAttribute::Directory});
}

void FakeFileSystem::addFile(const QString &path, quint32 attributes)
{
    add({path, false, true, attributes});
}

void FakeFileSystem::addUnreadableFile(const QString &escapedPath)
{
    add({escapedPath, false, false, 0});
}

void FakeFileSystem::addUnreadableFolder(const QString &escapedPath)
{
    add({escapedPath, true, false, FileAttribute::Directory});
}

void FakeFileSystem::failOn(Op op, const QString &path, int errorNumber, int times)
{
    m_faults.append({op, path, errorNumber, times});
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

std::optional<Failure> FakeFileSystem::fault(Op op, const QString &path, const QString &what)
{
    m_log.append(what);
    for (Fault &f : m_faults) {
        if (f.op == op && f.path == path && f.times != 0) {
            if (f.times > 0)
                --f.times;
            return Failure{f.errorNumber, u"Cannot %1: injected failure"_s.arg(what)};
        }
    }
    return std::nullopt;
}

Status FakeFileSystem::openFolder(const QString &path)
{
    if (auto failure = fault(Op::Open, path, u"open "_s + path))
        return *failure;
    const auto it = m_entries.constFind(key(path));
    if (it == m_entries.cend() || !it->folder)
        return Failure{ENOENT, u"Cannot open '%1': No such file or directory"_s.arg(path)};
    return Status::success();
}

Result<QList<FolderEntry>> FakeFileSystem::list(const QString &path, bool folders)
{
    QList<FolderEntry> entries;
    for (const QString &child : m_children.value(key(path))) {
        const Entry &entry = m_entries[child];
        if (entry.folder == folders)
            entries.append({nameOf(entry.path), entry.path, entry.nameIsText});
    }
    return entries;
}

Result<QList<FolderEntry>> FakeFileSystem::subFolders(const QString &path)
{
    if (auto failure = fault(Op::SubFolders, path, u"subfolders "_s + path))
        return *failure;
    return list(path, true);
}

Result<QList<FolderEntry>> FakeFileSystem::files(const QString &path)
{
    if (auto failure = fault(Op::Files, path, u"files "_s + path))
        return *failure;
    return list(path, false);
}

Result<quint32> FakeFileSystem::attributes(const QString &path)
{
    if (auto failure = fault(Op::Attributes, path, u"attributes "_s + path))
        return *failure;
    return m_entries.value(key(path)).attributes;
}

Status FakeFileSystem::setAttributes(const QString &path, quint32 attributes)
{
    if (auto failure = fault(Op::SetAttributes, path, u"set attributes "_s + path))
        return *failure;
    Entry &entry = m_entries[key(path)];
    entry.attributes = (entry.attributes & ~quint32(FileAttribute::ReadOnly))
        | (attributes & FileAttribute::ReadOnly);
    return Status::success();
}

Status FakeFileSystem::rename(const QString &path, const QString &newName)
{
    if (auto failure = fault(Op::Rename, path, u"rename %1 -> %2"_s.arg(path, newName)))
        return *failure;
    const QString target = join(parentOf(path), newName);
    if (newName.isEmpty() || newName.contains(u'/'))
        return Failure{
            EINVAL, u"Cannot rename '%1' to '%2': Invalid argument"_s.arg(path, newName)};
    if (m_entries.contains(key(target)) && key(target) != key(path))
        return Failure{EEXIST, u"Cannot rename '%1' to '%2': File exists"_s.arg(path, newName)};

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
    if (auto failure = fault(Op::Exists, path, u"exists "_s + path))
        return *failure;
    const auto it = m_entries.constFind(key(path));
    return it != m_entries.cend() && !it->folder;
}

QString FakeFileSystem::join(const QString &folder, const QString &name) const
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
