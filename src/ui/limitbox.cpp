#include "limitbox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

using namespace Qt::StringLiterals;

LimitBox::LimitBox(QWidget *parent)
    : QLineEdit(parent)
{ }

bool LimitBox::fits(const QString &text, bool keepSelection) const
{
    if (m_typingLimit <= 0 || text.isEmpty())
        return true;
    const qsizetype replaced = keepSelection ? 0 : selectedText().size();
    const qsizetype after = this->text().size() - replaced + text.size();
    return after <= m_typingLimit;
}

void LimitBox::guardedPaste()
{
    if (fits(QGuiApplication::clipboard()->text()))
        paste();
}

void LimitBox::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Paste) {
        guardedPaste();
        event->accept();
        return;
    }
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const QString typed = event->text();
    if (!command && !typed.isEmpty() && typed.front().isPrint() && !fits(typed)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LimitBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!fits(event->commitString())) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void LimitBox::dropEvent(QDropEvent *event)
{
    if (event->mimeData() && !fits(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

void LimitBox::mouseReleaseEvent(QMouseEvent *event)
{
    // A middle click pastes the selection of the window system.
    if (event->button() == Qt::MiddleButton
        && !fits(QGuiApplication::clipboard()->text(QClipboard::Selection), true)) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LimitBox::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (QAction *pasteAction = menu->findChild<QAction *>(u"edit-paste"_s)) {
        disconnect(pasteAction, nullptr, this, nullptr);
        connect(pasteAction, &QAction::triggered, this, &LimitBox::guardedPaste);
    }
    menu->exec(event->globalPos());
}
