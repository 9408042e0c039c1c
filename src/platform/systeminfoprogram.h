#pragma once

#include <QString>

// The full path of the machine's system-information program: the first of
// the desktop's own tools that the search path holds. Empty when none is
// installed.
QString findSystemInfoProgram();
