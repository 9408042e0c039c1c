#pragma once

#include <QRect>

class QWidget;

// Positions and sizes of the window's design are in twips, 1440 to the inch;
// they become pixels at the widget's logical resolution.
namespace Twips {

int toPixelsX(int twips, const QWidget *widget);
int toPixelsY(int twips, const QWidget *widget);
QRect toPixels(int left, int top, int width, int height, const QWidget *widget);

} // namespace Twips
