#include "filelist.h"

#include <QDir>
#include <QDirIterator>
#include <QStringListModel>

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
        QDirIterator it(m_path, QDir::Files);
        while (it.hasNext()) {
            it.next();
            names.append(it.fileName());
        }
    }
    m_model->setStringList(names);
}

QStringList FileList::fileNames() const
{
    return m_model->stringList();
}
