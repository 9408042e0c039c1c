#include "folderlist.h"

#include "nameorder.h"
#include "oserror.h"
#include "uitexts.h"
#include "uniquedir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QStyle>

#include <cerrno>

namespace {

constexpr int PathRole = Qt::UserRole + 1;

// Tries to open the folder the way the pass and the file list will, so that
// a refusal names the system's reason.
Status canOpen(const QString &path)
{
    const UniqueDir dir(::opendir(QFile::encodeName(path).constData()));
    if (!dir.get())
        return systemFailure(errno, UiTexts::folderCannotOpen(path));
    return Status::success();
}

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
    if (const Status opened = canOpen(clean); !opened.ok())
        return opened;

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

    QStringList names;
    QDirIterator it(clean, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
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
