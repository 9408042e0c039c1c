#pragma once

#include <QString>

#include <utility>

// The program's own faults. Their numbers are what the error dialog shows
// for them; a number may also be a system error's, so a failure says
// whose it is.
enum class ProgramFault : int {
    CutBelowZero = 5, // the extension alone is longer than the maximum
    NoFreeNumber = 6, // every number for a taken name is taken
    NewNameHides = 22, // the cleaned name of a visible file starts with "."
    NameNotText = 84, // a name that is not valid text
    NoSafeRename = 95, // the file system renames no file at all
    NoModes = 438, // the file system keeps no permissions: no read-only bit changes
};

// A failure of the cleaner or of a file operation, as the error dialog shows
// it: a number and a description naming what failed. The number is the
// system's errno, unless the failure is one of the program's own.
struct Failure
{
    int number = 0;
    QString description;
    bool programFault = false;

    static Failure of(ProgramFault fault, QString description)
    {
        return {int(fault), std::move(description), true};
    }
    bool is(ProgramFault fault) const { return programFault && number == int(fault); }
};
