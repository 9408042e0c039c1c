#include "accesskeybutton.h"

#include <QShortcutEvent>

AccessKeyButton::AccessKeyButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{ }

bool AccessKeyButton::event(QEvent *event)
{
    // An access key that more than one control shares only moves the focus;
    // the button's own handling does that.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
        click();
        return true;
    }
    return QPushButton::event(event);
}
