#pragma once

#include "passpreview.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QString>

// The rows of one preview as a read-only table: the folder, the name, the new
// name and a note. A rename's note tells whether the new name is numbered
// and whether the read-only bit would be cleared; a failure's note is its
// description, marked with a warning icon. Every cell's tooltip is its full
// text, since the view cuts long texts.
class PreviewModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewModel)

public:
    enum Column { FolderColumn, NameColumn, NewNameColumn, NoteColumn, ColumnCount };

    explicit PreviewModel(QList<PreviewRow> rows, QObject *parent = nullptr);
    ~PreviewModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // By the texts of one column in the window's order of names: the user's
    // locale's, without regard to case, numbers as numbers. Rows that sort
    // alike keep the order that they had.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The text of a cell, without building a QVariant: what data() shows.
    const QString &text(int row, int column) const;

private:
    const QString &note(const PreviewRow &row) const;

    QList<PreviewRow> m_rows;
    // Made once, so that data() hands out shared texts and allocates nothing.
    const QString m_startFolder;
    const QString m_numbered;
    const QString m_readOnly;
    const QString m_numberedReadOnly;
    const QString m_readOnlyCleared;
    const QString m_none;
    const QIcon m_failureIcon;
};
