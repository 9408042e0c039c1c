#include "filelist.h"

#include "namebytes.h"
#include "nameorder.h"
#include "uniquedir.h"

#include <QDir>
#include <QFile>
#include <QStringListModel>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// A regular file, or a link that leads to one.
bool isFile(int folder, const dirent &entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info;
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// Names are read as bytes: the platform's own listing leaves out every
// name that is not valid in the locale's encoding.
QStringList filesIn(const QString &path)
{
    QStringList names;
    const UniqueDir dir(::opendir(QFile::encodeName(path).constData()));
    if (!dir.get())
        return names;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.' || !isFile(::dirfd(dir.get()), *entry))
            continue;
        names.append(NameBytes::decode(entry->d_name, qsizetype(std::strlen(entry->d_name))).text);
    }
    return names;
}

} // namespace

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const QString &path)
{
    m_path = QDir::cleanPath(QDir(path).absolutePath());
    refresh();
}

void FileList::refresh()
{
    QStringList names;
    if (!m_path.isEmpty()) {
        names = filesIn(m_path);
        NameOrder::sort(names);
    }
    m_model->setStringList(names);
}

QStringList FileList::fileNames() const
{
    return m_model->stringList();
}
