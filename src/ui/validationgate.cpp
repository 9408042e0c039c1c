#include "validationgate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

ValidationGate::ValidationGate(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    m_unseenMove.setSingleShot(true);
    m_unseenMove.setInterval(0);
    connect(&m_unseenMove, &QTimer::timeout, this, &ValidationGate::validateUnseenMove);
    qApp->installEventFilter(this);
}

ValidationGate::~ValidationGate()
{
    qApp->removeEventFilter(this);
}

void ValidationGate::guard(QWidget *box, Validate validate)
{
    m_guarded.push_back({box, std::move(validate)});
    if (box->hasFocus())
        m_box = box;
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
    return object && object->isWidgetType()
        && static_cast<const QWidget *>(object)->window() == m_window;
}

QWidget *ValidationGate::focusTarget(QWidget *widget, Qt::FocusPolicy policy)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & policy) == policy)
            return w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool ValidationGate::letLeave()
{
    const Guarded *guarded = guardedFor(m_box);
    if (!guarded)
        return true;
    m_unseenMove.stop();
    bool cancel = false;
    m_validating = true;
    guarded->validate(cancel);
    m_validating = false;
    if (cancel) {
        // The message box took the activation; the box must get the keys again.
        if (!m_window->isActiveWindow())
            m_window->activateWindow();
        guarded->box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    QWidget *focus = QApplication::focusWidget();
    if (focus == m_box) {
        // The key or access key moves the focus once this returns.
        m_leaveAllowed = true;
        QTimer::singleShot(0, this, [this] { m_leaveAllowed = false; });
    } else {
        m_box = guardedFor(focus) ? focus : nullptr;
    }
    return true;
}

void ValidationGate::validateUnseenMove()
{
    QWidget *focus = QApplication::focusWidget();
    if (m_box && focus != m_box && inWindow(focus) && !qobject_cast<QMenuBar *>(focus))
        letLeave();
}

void ValidationGate::focusArrived(QWidget *widget)
{
    if (widget == m_box) {
        m_leaveAllowed = false;
        m_unseenMove.stop();
        return;
    }
    // The menu bar borrows the keyboard for its menus; the box is not left.
    if (qobject_cast<QMenuBar *>(widget))
        return;
    if (m_box && !m_leaveAllowed) {
        // Most likely a click's hand-over: its press comes at once and
        // validates; anything else is validated once the event is done.
        m_unseenMove.start();
        return;
    }
    m_leaveAllowed = false;
    m_box = guardedFor(widget) ? widget : nullptr;
}

bool ValidationGate::eventFilter(QObject *watched, QEvent *event)
{
    // The message box of a validation runs its own events.
    if (m_validating)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (inWindow(watched))
            focusArrived(static_cast<QWidget *>(watched));
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (m_box && watched == m_box && tab
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return !letLeave();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: {
        if (!inWindow(watched))
            break;
        m_swallowRelease = false;
        if (!m_box)
            break;
        const bool wheel = event->type() == QEvent::Wheel;
        QWidget *target
            = focusTarget(static_cast<QWidget *>(watched), wheel ? Qt::WheelFocus : Qt::ClickFocus);
        if (!target || target == m_box || letLeave())
            break;
        m_swallowRelease = !wheel;
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_swallowRelease && inWindow(watched)) {
            m_swallowRelease = false;
            return true;
        }
        break;
    case QEvent::Shortcut:
        // An access key moves the focus to its control and acts on it.
        if (m_box && inWindow(watched) && watched != m_box
            && static_cast<QWidget *>(watched)->focusPolicy() != Qt::NoFocus)
            return !letLeave();
        break;
    default:
        break;
    }
    return false;
}
