#pragma once

#include <QFont>
#include <QList>

class QWidget;

// The window's controls have fixed sizes; their captions must be readable
// whole in them.
namespace CaptionFont {

// The space a control's caption has: its width less a check box's indicator
// and a button's margins.
int captionWidth(const QWidget *control);

// True when every control's caption fits its control with `font`.
bool fits(const QFont &font, const QList<QWidget *> &controls);

// `base`, made smaller in half points when a caption would not fit, but not
// below 6 points.
QFont fitting(const QFont &base, const QList<QWidget *> &controls);

} // namespace CaptionFont
