#include "frmpreview.h"

#include "previewmodel.h"
#include "uitexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize InitialSize(800, 500);
// The window opens no larger than this share of the screen.
constexpr qreal ScreenShare = 0.9;
// Rows whose texts size the columns, spread over the whole preview: enough
// to find the usual widths, few enough that any preview opens at once.
constexpr int SampleRows = 256;
// The folder and the note are never wider than this share of the table, so
// that the names keep the room; a longer text is cut.
constexpr int ColumnShareDivisor = 3;

} // namespace

frmPreview::frmPreview(Preview preview, QWidget *parent)
    : QDialog(parent)
    , m_model(new PreviewModel(std::move(preview.rows), this))
{
    createControls(preview);
}

frmPreview::~frmPreview() = default;

void frmPreview::createControls(const Preview &counts)
{
    setObjectName(u"frmPreview"_s);
    setWindowTitle(UiTexts::previewTitle());
    setModal(true);
    setSizeGripEnabled(true);

    lblCounts = new QLabel(
        UiTexts::previewCounts(counts.read, counts.renamed, counts.readOnlyCleared), this);
    lblCounts->setObjectName(u"lblCounts"_s);
    lblCounts->setTextFormat(Qt::PlainText);

    grdPreview = new QTableView(this);
    grdPreview->setObjectName(u"grdPreview"_s);
    grdPreview->setModel(m_model);
    grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdPreview->setSelectionMode(QAbstractItemView::SingleSelection);
    grdPreview->setTabKeyNavigation(false);
    grdPreview->setAlternatingRowColors(true);
    grdPreview->setShowGrid(false);
    grdPreview->setWordWrap(false);
    // Folder and file names differ most at their ends: keep both.
    grdPreview->setTextElideMode(Qt::ElideMiddle);
    grdPreview->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grdPreview->verticalHeader()->hide();
    grdPreview->horizontalHeader()->setHighlightSections(false);
    // The rows come in the pass's order until the user picks a column.
    grdPreview->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grdPreview->setSortingEnabled(true);

    // One fixed height for every row, so that the view never asks the rows
    // for their sizes and a preview of any length opens and scrolls at once.
    const int textMargin
        = grdPreview->style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, grdPreview) + 1;
    const int rowHeight
        = std::max(grdPreview->fontMetrics().height(), grdPreview->iconSize().height())
        + 2 * textMargin;
    grdPreview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdPreview->verticalHeader()->setMinimumSectionSize(rowHeight);
    grdPreview->verticalHeader()->setDefaultSectionSize(rowHeight);

    lblNothing = new QLabel(UiTexts::previewNothing(), this);
    lblNothing->setObjectName(u"lblNothing"_s);
    lblNothing->setTextFormat(Qt::PlainText);
    lblNothing->setAlignment(Qt::AlignCenter);
    lblNothing->setFrameShape(QFrame::StyledPanel);
    lblNothing->setBackgroundRole(QPalette::Base);
    lblNothing->setAutoFillBackground(true);

    m_table = new QStackedWidget(this);
    m_table->addWidget(grdPreview);
    m_table->addWidget(lblNothing);
    const bool empty = m_model->rowCount() == 0;
    m_table->setCurrentWidget(empty ? static_cast<QWidget *>(lblNothing) : grdPreview);

    auto *buttons = new QDialogButtonBox(this);
    cmdExecute = buttons->addButton(UiTexts::execute(), QDialogButtonBox::AcceptRole);
    cmdExecute->setObjectName(u"cmdExecute"_s);
    cmdClose = buttons->addButton(UiTexts::previewClose(), QDialogButtonBox::RejectRole);
    cmdClose->setObjectName(u"cmdClose"_s);
    // Enter closes the window; only a deliberate Execute runs the pass. Set
    // before the window shows, or the button box makes Execute the default.
    cmdClose->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCounts);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    QSize size = InitialSize;
    if (const QScreen *screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * ScreenShare);
    resize(size);
    sizeColumns();

    // The keys scroll the table; with nothing to show, the focus rests on
    // Close rather than on Execute, where Enter would run the pass.
    if (empty)
        cmdClose->setFocus();
    else
        grdPreview->setFocus();
}

void frmPreview::sizeColumns()
{
    // The width that the columns share, scroll bar and frame taken off. The
    // layout places the table's stack before the window first shows; the
    // table itself gets its size from the stack only when it shows.
    layout()->activate();
    QStyle *style = grdPreview->style();
    const int available = m_table->contentsRect().width() - 2 * grdPreview->frameWidth()
        - style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grdPreview);
    // The item delegate's margin on either side of a text, and the grid.
    const int padding
        = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grdPreview) + 1) + 1;
    const int iconWidth = grdPreview->iconSize().width() + padding;
    const QFontMetrics metrics = grdPreview->fontMetrics();
    const int rows = m_model->rowCount();
    const int step = std::max(1, rows / SampleRows);
    QHeaderView *header = grdPreview->horizontalHeader();

    // The names share what the folder and the note leave, as the window's
    // width changes; the other two fit their texts.
    for (const int column : {PreviewModel::FolderColumn, PreviewModel::NoteColumn}) {
        int wanted = header->sectionSizeHint(column);
        for (int row = 0; row < rows; row += step) {
            const QModelIndex cell = m_model->index(row, column);
            const int icon = cell.data(Qt::DecorationRole).isNull() ? 0 : iconWidth;
            wanted = std::max(
                wanted, metrics.horizontalAdvance(m_model->text(row, column)) + padding + icon);
        }
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, std::min(wanted, available / ColumnShareDivisor));
    }
    header->setSectionResizeMode(PreviewModel::NameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(PreviewModel::NewNameColumn, QHeaderView::Stretch);
}
