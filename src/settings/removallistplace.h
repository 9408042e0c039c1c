#pragma once

#include <QString>
#include <QStringList>

// Where start-up reads the removal list. "Purlex.txt" beside the executable
// comes first, as it always has. An installed program has none there (the
// program's folder is shared and not the user's to write), so it reads the
// user's own list in the per-user configuration folder instead, made from
// the example that the package installs, the first time, and the user's
// from then on.
struct RemovalListPlace
{
    QString programFolder;
    QString userFolder;
    // The example lists, the first one found is taken.
    QStringList examples;

    // The executable's folder, the per-user configuration folder, and the
    // example in the shared data folders (beside an installed prefix first).
    static RemovalListPlace standard();

    // The folder to read "Purlex.txt" from. A user's list is never replaced:
    // the example is copied only where there is no list at all.
    QString folder() const;
};
