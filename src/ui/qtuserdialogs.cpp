#include "qtuserdialogs.h"

#include "uitexts.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The width at which a line edit shows `text` whole, without scrolling.
int widthShowing(const QLineEdit &edit, const QString &text)
{
    // A line edit keeps a margin of 2 pixels on each side of its text and
    // one pixel for the cursor after it.
    constexpr int InnerMargins = 2 * 2 + 1;
    const QMargins margins = edit.textMargins() + edit.contentsMargins();
    const QSize contents(edit.fontMetrics().horizontalAdvance(text) + InnerMargins + margins.left()
            + margins.right(),
        edit.sizeHint().height());
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame()
        ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
        : 0;
    option.state |= QStyle::State_Sunken;
    return edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, &edit).width();
}

// Widens the dialog so that its entry field shows the default text whole,
// up to the width of the screen.
void fitToText(QInputDialog &dialog, const QWidget *parent)
{
    auto *edit = dialog.findChild<QLineEdit *>();
    if (!edit)
        return;
    const int wanted = widthShowing(*edit, edit->text());
    if (wanted <= edit->sizeHint().width())
        return;
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    // The window system's frame around the dialog: as wide as the one
    // around the window it belongs to.
    const QWidget *window = parent ? parent->window() : nullptr;
    const int frame = window ? window->frameGeometry().width() - window->width() : 0;
    const int around = dialog.sizeHint().width() - edit->sizeHint().width();
    const int room = screen->availableGeometry().width() - frame - around;
    edit->setMinimumWidth(qMin(wanted, room));
}

} // namespace

QString QtUserDialogs::inputBox(
    const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    fitToText(dialog, m_parent);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void QtUserDialogs::inputError(const QString &message)
{
    QMessageBox::critical(m_parent, UiTexts::inputErrorTitle(), message, QMessageBox::Ok);
}

void QtUserDialogs::warn(const QString &message)
{
    QMessageBox::warning(
        m_parent, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok);
}
