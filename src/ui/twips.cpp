#include "twips.h"

#include <QWidget>

#include <cmath>

namespace Twips {

int toPixelsX(int twips, const QWidget *widget)
{
    return int(std::lround(twips * widget->logicalDpiX() / 1440.0));
}

int toPixelsY(int twips, const QWidget *widget)
{
    return int(std::lround(twips * widget->logicalDpiY() / 1440.0));
}

QRect toPixels(int left, int top, int width, int height, const QWidget *widget)
{
    return {toPixelsX(left, widget), toPixelsY(top, widget), toPixelsX(width, widget),
        toPixelsY(height, widget)};
}

} // namespace Twips
