#include "programicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintProgramIcon(painter, size);
    return pixmap;
}

} // namespace

void paintProgramIcon(QPainter &painter, qreal side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 32.0, side / 32.0);

    // The page.
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(20, 2);
    page.lineTo(27, 9);
    page.lineTo(27, 30);
    page.lineTo(5, 30);
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x68), 1.5));
    painter.setBrush(QColor(0xf4, 0xf7, 0xfc));
    painter.drawPath(page);
    painter.setBrush(QColor(0xc9, 0xd6, 0xea));
    painter.drawPolygon(QPolygonF{QPointF(20, 2), QPointF(20, 9), QPointF(27, 9)});

    // The name line: a clean part and a cluttered part being swept away.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x3a, 0x68));
    painter.drawRoundedRect(QRectF(8, 13, 9, 4), 1, 1);
    painter.setBrush(QColor(0xd9, 0x4a, 0x38));
    painter.drawRect(QRectF(18.5, 13, 2, 4));
    painter.drawRect(QRectF(21.5, 13, 2, 4));

    // The brush.
    painter.setBrush(QColor(0xe8, 0xa3, 0x17));
    painter.drawRoundedRect(QRectF(9, 21, 14, 5), 1.5, 1.5);
    painter.setPen(QPen(QColor(0x7a, 0x4b, 0x12), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 21), QPointF(21, 15.5));
    painter.restore();
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(drawIcon(16));
    icon.addPixmap(drawIcon(32));
    return icon;
}
