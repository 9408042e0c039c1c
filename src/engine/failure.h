#pragma once

#include <QString>

// A failure of the cleaner or of a file operation, as the error dialog shows
// it: the system's error number and a description naming what failed.
struct Failure
{
    int number = 0;
    QString description;
};
