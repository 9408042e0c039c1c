#include "folderlist.h"

#include "folderentries.h"
#include "nameorder.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole + 1;

} // namespace

FolderList::FolderList(QWidget *parent)
    : QTreeView(parent)
    , m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setIndentation(12);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeView::doubleClicked, this, &FolderList::open);
}

Status FolderList::setPath(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    // Read before anything changes, so that a folder that cannot be read
    // leaves the list where it was.
    const Result<FolderEntries> entries = readFolderEntries(clean);
    if (!entries.ok())
        return entries.failure();

    m_model->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the root down to the folder itself.
    QStringList chain;
    for (QDir dir(clean);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    QStandardItem *parent = m_model->invisibleRootItem();
    for (const QString &folder : std::as_const(chain)) {
        const QString name = QDir(folder).isRoot() ? folder : QDir(folder).dirName();
        auto *item = new QStandardItem(openIcon, name);
        item->setData(folder, PathRole);
        parent->appendRow(item);
        parent = item;
    }
    QStandardItem *current = parent;

    // Decoded as every path of the program is, so that the path made from a
    // name opens that folder.
    QStringList names;
    names.reserve(entries.value().folders.size());
    for (const QByteArray &name : entries.value().folders)
        names.append(QFile::decodeName(name));
    NameOrder::sort(names);
    QDir dir(clean);
    QList<QStandardItem *> children;
    children.reserve(names.size());
    for (const QString &name : std::as_const(names)) {
        auto *item = new QStandardItem(closedIcon, name);
        item->setData(dir.filePath(name), PathRole);
        children.append(item);
    }
    current->appendRows(children);

    expandAll();
    setCurrentIndex(current->index());
    scrollTo(current->index());
    m_path = clean;
    Q_EMIT pathChanged();
    return Status::success();
}

void FolderList::open(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = index.data(PathRole).toString();
    if (folder == m_path)
        return;
    if (const Status moved = setPath(folder); !moved.ok())
        Q_EMIT openRefused(moved.failure());
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}
