#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for: `Purlex [FOLDER]`, --help or
// --version. A folder given here is shown for this run only; the saved
// defaults stay as they are.
struct CommandLine
{
    enum class Outcome {
        OpenWindow, // with `folder` when one was given
        Print, // `text` goes to standard output, and the program ends well
        Fail, // `text` goes to standard error, and the program ends with 1
    };

    Outcome outcome = Outcome::OpenWindow;
    // The folder to open, absolute and clean; empty for the saved default.
    QString folder;
    QString text;

    // `arguments` begins with the program's own name, as
    // QCoreApplication::arguments() does.
    static CommandLine parse(const QStringList &arguments);
};
