#include "previewmodel.h"

#include "uitexts.h"

#include <QApplication>
#include <QStyle>

PreviewModel::PreviewModel(QList<PreviewRow> rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(std::move(rows))
    , m_startFolder(UiTexts::previewStartFolder())
    , m_numbered(UiTexts::previewNumbered())
    , m_readOnly(UiTexts::previewReadOnly())
    , m_numberedReadOnly(UiTexts::previewNumberedReadOnly())
    , m_readOnlyCleared(UiTexts::previewReadOnlyCleared())
    , m_failureIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
{ }

PreviewModel::~PreviewModel() = default;

int PreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const QString &PreviewModel::note(const PreviewRow &row) const
{
    if (!row.failure.isEmpty())
        return row.failure;
    if (row.newName.isEmpty())
        return m_readOnlyCleared;
    if (row.numbered)
        return row.readOnly ? m_numberedReadOnly : m_numbered;
    return row.readOnly ? m_readOnly : m_none;
}

const QString &PreviewModel::text(int row, int column) const
{
    const PreviewRow &entry = m_rows.at(row);
    switch (column) {
    case FolderColumn:
        // A failure's folder is shown as the pass gave it: it may name no
        // folder at all.
        return entry.folder.isEmpty() && entry.failure.isEmpty() ? m_startFolder : entry.folder;
    case NameColumn:
        return entry.name;
    case NewNameColumn:
        return entry.newName;
    case NoteColumn:
        return note(entry);
    }
    return m_none;
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    Q_ASSERT(checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == NoteColumn && !m_rows.at(index.row()).failure.isEmpty())
            return m_failureIcon;
        return {};
    default:
        return {};
    }
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FolderColumn:
        return UiTexts::previewFolderColumn();
    case NameColumn:
        return UiTexts::previewNameColumn();
    case NewNameColumn:
        return UiTexts::previewNewNameColumn();
    case NoteColumn:
        return UiTexts::previewNoteColumn();
    }
    return {};
}
