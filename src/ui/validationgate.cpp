#include "validationgate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

ValidationGate::ValidationGate(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

ValidationGate::~ValidationGate()
{
    qApp->removeEventFilter(this);
}

void ValidationGate::guard(QWidget *box, Validate validate)
{
    m_guarded.push_back({box, std::move(validate)});
}

const ValidationGate::Guarded *ValidationGate::guardedFor(const QObject *object) const
{
    for (const Guarded &guarded : m_guarded) {
        if (guarded.box == object)
            return &guarded;
    }
    return nullptr;
}

bool ValidationGate::inWindow(const QObject *object) const
{
    return object->isWidgetType() && static_cast<const QWidget *>(object)->window() == m_window;
}

QWidget *ValidationGate::clickFocusTarget(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus))
            return w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool ValidationGate::cancels(const Guarded &guarded)
{
    bool cancel = false;
    guarded.validate(cancel);
    if (cancel) {
        // The message box took the activation; the box must get the keys again.
        if (!m_window->isActiveWindow())
            m_window->activateWindow();
        guarded.box->setFocus(Qt::OtherFocusReason);
    }
    return cancel;
}

void ValidationGate::validateLeftBox()
{
    if (!m_leftByClick)
        return;
    const Guarded *guarded = guardedFor(m_leftByClick);
    m_leftByClick = nullptr;
    if (guarded)
        cancels(*guarded);
}

bool ValidationGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const Guarded *guarded = guardedFor(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (guarded && tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return cancels(*guarded);
        break;
    }
    case QEvent::FocusOut: {
        // The application hands the focus to the clicked control before the
        // click reaches any filter; the click that follows decides.
        if (guardedFor(watched)
            && static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason) {
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus->window() == m_window) {
                m_leftByClick = static_cast<QWidget *>(watched);
                // Should no click follow, the box is still validated.
                QTimer::singleShot(0, this, &ValidationGate::validateLeftBox);
            }
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: {
        if (!inWindow(watched))
            break;
        m_swallowRelease = false;
        const Guarded *guarded = m_leftByClick ? guardedFor(m_leftByClick) : nullptr;
        if (!guarded) {
            // A click that did not go through the focus hand-over (sent
            // straight to a widget) still has to pass the box in focus.
            guarded = guardedFor(QApplication::focusWidget());
            QWidget *target = clickFocusTarget(static_cast<QWidget *>(watched));
            if (!guarded || !target || target == guarded->box || event->type() == QEvent::Wheel)
                break;
        }
        m_leftByClick = nullptr;
        if (cancels(*guarded)) {
            m_swallowRelease = event->type() != QEvent::Wheel;
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease && inWindow(watched)) {
            m_swallowRelease = false;
            return true;
        }
        break;
    case QEvent::Shortcut: {
        // An access key moves the focus to its control and acts on it.
        const Guarded *guarded = guardedFor(QApplication::focusWidget());
        if (guarded && inWindow(watched) && watched != guarded->box
            && static_cast<QWidget *>(watched)->focusPolicy() != Qt::NoFocus)
            return cancels(*guarded);
        break;
    }
    default:
        break;
    }
    return false;
}
