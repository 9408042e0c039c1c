#include "previewmodel.h"

#include "uitexts.h"

#include <QApplication>
#include <QCollator>
#include <QStyle>

#include <algorithm>
#include <numeric>
#include <vector>

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

void PreviewModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // One key per row, so that a large preview is not collated again at
    // every comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row)
        keys.push_back(collator.sortKey(text(row, column)));
    std::vector<int> sorted(m_rows.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keys[a].compare(keys[b]) < 0
                                           : keys[b].compare(keys[a]) < 0;
    });

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(sorted.size());
    QList<PreviewRow> rows;
    rows.reserve(m_rows.size());
    for (int position = 0; position < int(sorted.size()); ++position) {
        newRow[sorted[position]] = position;
        rows.append(std::move(m_rows[sorted[position]]));
    }
    m_rows = std::move(rows);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after.append(this->index(newRow[index.row()], index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
