#pragma once

#include <QString>
#include <QtGlobal>

// The thirteen defaults that persist between runs, held by the main window
// while the program runs. A default-constructed value carries the built-in
// defaults of a first run, the one place they are stated: the texts that
// stand in for absent keys and the window's first texts derive from it.
struct SavedDefaults
{
    QString gDrive = QStringLiteral("C");
    QString gPath;
    qint16 gMaxLen = 60;
    bool gIncSub = true;
    qint16 gMaxCnt = 1000;
    bool gReadOnly = true;
    bool gUnderline = true;
    bool gMultSpecial = true;
    bool gMultSpace = true;
    bool gEmpty = true;
    bool gCopy = true;
    bool gStarting = true;
    bool gEnding = true;

    bool operator==(const SavedDefaults &) const = default;
};
