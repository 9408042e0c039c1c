#pragma once

#include "namecleaner.h"

// The first, straightforward cleaner, kept word for word as the tests'
// reference: the prepared NameCleaner must give the same result on every
// input. It reads the rules afresh at every call and applies each removal
// entry with a case-insensitive QString::remove.
CleanResult referenceCleanFileName(const QString &name, const CleaningRules &rules);
