#pragma once

#include "cleaningrules.h"

#include <QString>

#include <optional>

// Everything a pass is told, built once by its front end before it starts:
// nothing can change it while the pass runs.
struct PassSettings
{
    QString startFolder;
    bool includeSubfolders = false;
    bool overrideReadOnly = false; // read-only files are cleaned too, and lose the bit
    // Renamed files after which the pass stops; the folder in which the
    // limit is reached still renames one more.
    double limit = 0;
    CleaningRules rules;
    // How many folders the walk may hold open at once, however deep the
    // tree; 0 for no bound.
    int openFolders = 0;

    // The message a front end shows instead of starting, when the settings
    // cannot run a pass; empty when they can.
    std::optional<QString> refusal() const;
};
