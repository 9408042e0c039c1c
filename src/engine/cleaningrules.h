#pragma once

#include <QString>
#include <QStringList>

// What the cleaner is told: the seven cleaning switches, the maximum length
// and the removal list.
struct CleaningRules
{
    bool underline = false; // "_" becomes a blank
    bool copy = false; // a leading "CC " or "ZZ " goes
    bool multSpecial = false; // doubled special characters collapse
    bool multSpace = false; // runs of blanks collapse
    bool empty = false; // empty bracket pairs go
    bool starting = false; // leading delimiters go
    bool ending = false; // trailing delimiters go
    // The number a maximum-length text gives with "0" in front of it
    // (TextConversions::leadingNumberAfterZero); 0 refuses a pass.
    double maxLength = 0;
    QStringList removals; // in file order; matched without regard to case
};
