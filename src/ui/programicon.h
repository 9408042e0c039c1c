#pragma once

#include <QIcon>

// The program's icon, drawn at 16 and 32 pixels: a page whose name line is
// being swept clean by a brush.
QIcon programIcon();
