#pragma once

#include "saveddefaults.h"

#include <QStringList>

class SettingsStore;

// The thirteen defaults as start-up reads them from the store.
struct DefaultsReading
{
    SavedDefaults values;
    // One sentence per stored value that could not be used, each naming
    // what is used instead (the built-in default).
    QStringList problems;
};

namespace DefaultsReader {

// Reads every key in table order: texts as stored, numbers by their leading
// number rounded halves-to-even into 16 bits, switches by their Boolean
// reading. A stored switch that reads as no Boolean, and a number outside
// 16 bits, keep the built-in default and are listed as problems.
DefaultsReading read(const SettingsStore &store);

} // namespace DefaultsReader
