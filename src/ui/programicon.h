#pragma once

#include <QIcon>

class QPainter;

// The program's icon, drawn at 16 and 32 pixels: a page whose name line is
// being swept clean by a brush.
QIcon programIcon();

// Draws the icon into a square of `side` units from the painter's origin, so
// that every size and the scalable form come from the one drawing.
void paintProgramIcon(QPainter &painter, qreal side);
