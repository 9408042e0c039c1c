#pragma once

#include "result.h"

#include <QTreeView>

class QStandardItemModel;

// The folder tree of the current path: the root and every folder down to the
// current one, opened, then the current folder's subfolders (hidden ones left
// out), in the order of NameOrder, as the file list. A click only highlights
// a folder; a double-click or Enter opens it.
class FolderList final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderList)

public:
    explicit FolderList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Moves the list to a folder. A folder that cannot be opened is refused
    // and the list stays where it was.
    Status setPath(const QString &path);

Q_SIGNALS:
    void pathChanged();
    // The user opened a folder that cannot be shown.
    void openRefused(const Failure &failure);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Every folder shown is already open as far as it goes: no expand marks.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override { }

private:
    void open(const QModelIndex &index);

    QStandardItemModel *m_model;
    QString m_path;
};
