#pragma once

#include <QString>
#include <QStringList>

// What the cleaner is told at every call: the seven cleaning switches, the
// text of the maximum-length box as the user typed it, and the removal list.
struct CleaningRules
{
    bool underline = false; // "_" becomes a blank
    bool copy = false; // a leading "CC " or "ZZ " goes
    bool multSpecial = false; // doubled special characters collapse
    bool multSpace = false; // runs of blanks collapse
    bool empty = false; // empty bracket pairs go
    bool starting = false; // leading delimiters go
    bool ending = false; // trailing delimiters go
    QString maxLength; // read afresh at every call
    QStringList removals; // in file order; matched without regard to case
};
