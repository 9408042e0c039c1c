#pragma once

#include "failure.h"

#include <QString>

// A rename that the pass carried out, as a preview or a record shows it.
struct RenamedFile
{
    QString folder; // full path
    QString oldName;
    QString newName;
    bool numbered = false; // the cleaned name was taken and got a number
    bool readOnlyCleared = false; // the pass cleared the file's read-only bit
};

// What a pass tells its front end as it goes, and the few questions only a
// person can answer. The front end decides how (and whether) to show any of
// it; the pass formats nothing for it.
class PassHost
{
public:
    virtual ~PassHost() = default;

    // Progress. The counts are the pass's running totals.
    virtual void passStarted() { }
    virtual void fileRead(qint32 filesRead, const QString &folder, const QString &name)
    {
        Q_UNUSED(filesRead);
        Q_UNUSED(folder);
        Q_UNUSED(name);
    }
    // After every rename that was carried out.
    virtual void fileRenamed(const RenamedFile &file) { Q_UNUSED(file); }
    // A file lost its read-only bit and keeps its name (a renamed file's
    // bit is told with its rename).
    virtual void readOnlyCleared(const QString &folder, const QString &name)
    {
        Q_UNUSED(folder);
        Q_UNUSED(name);
    }
    // A file counted as fixed: renamed, or refused and acknowledged. The one
    // that passes the limit ends its folder and is not told.
    virtual void fileFixed(qint32 filesFixed) { Q_UNUSED(filesFixed); }
    // Once the walk is over, however it ended; not for a pass that never
    // started.
    virtual void passEnded() { }

    // Questions. A failure of the walk: true goes on with the next step
    // (OK), false stops the whole pass (Cancel or any other answer).
    virtual bool continueAfter(const Failure &failure) = 0;
    // Asked before anything is touched, when the start folder is the root
    // of a mounted volume and subfolders are included; false starts nothing.
    virtual bool startOnWholeDrive(const QString &folder) = 0;
    // The undo journal cannot be written: true runs the pass without one.
    virtual bool goOnWithoutJournal(const Failure &failure) { return continueAfter(failure); }
    // Polled before every file and folder: true stops the pass there, as
    // Cancel does.
    virtual bool stopRequested() { return false; }
};
