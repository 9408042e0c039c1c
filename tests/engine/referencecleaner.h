#pragma once

#include "namecleaner.h"

// The first, straightforward cleaner, kept as the tests' reference: the
// prepared NameCleaner must give the same result on every input. It reads
// the rules afresh at every call, matches each removal entry against the
// whole grapheme clusters of the base by their caseless keys, and cuts
// with QTextBoundaryFinder.
CleanResult referenceCleanFileName(const QString &name, const CleaningRules &rules);
