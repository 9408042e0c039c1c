#include "passinputguard.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

PassInputGuard::PassInputGuard(QWidget &window, std::function<void()> stop)
    : m_window(window)
    , m_stop(std::move(stop))
{
    QCoreApplication::instance()->installEventFilter(this);
}

PassInputGuard::~PassInputGuard()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PassInputGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        break;
    default:
        return false;
    }
    // A menu command's shortcut reaches its action, not a widget.
    const auto *widget = qobject_cast<QWidget *>(watched);
    const bool ours
        = widget ? widget->window() == &m_window : qobject_cast<QAction *>(watched) != nullptr;
    if (!ours)
        return false;
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_stop();
    }
    return true;
}
