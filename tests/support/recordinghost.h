#pragma once

#include "passhost.h"
#include "passsettings.h"

#include <QList>
#include <QStringList>

#include <functional>

// A host for the pass that a test reads back: the events in order, the
// failures put to it and the renames. Every start is approved.
class RecordingHost final : public PassHost
{
public:
    RecordingHost();

    // What a test hands the pass; starts in /r with a maximum length of 60,
    // a limit of 1000, subfolders and read-only files included.
    PassSettings settings;

    // Answers of the error dialog in order; once they run out, OK.
    QList<bool> answers;
    // The pass is asked to stop once this many files were read (0: never).
    qint32 stopAfterReads = 0;

    // "started", "read 2 /r/a.txt", "fixed 1", "ended", in order.
    QStringList events;
    qint32 lastRead = 0;
    qint32 lastFixed = 0;
    QList<Failure> failures;
    QList<RenamedFile> renamed;
    // Files that lost the read-only bit and kept their names: no new name.
    QList<RenamedFile> keptReadOnlyCleared;
    std::function<void(const RenamedFile &)> onRenamed;
    std::function<void(qint32 filesFixed)> onFixed;

    // The error numbers of `failures`, in order.
    QList<int> failureNumbers() const;

    void passStarted() override { events.append(QStringLiteral("started")); }
    void fileRead(qint32 filesRead, const QString &folder, const QString &name) override;
    void fileRenamed(const RenamedFile &file) override;
    void fileFixed(qint32 filesFixed) override;
    void readOnlyCleared(const QString &folder, const QString &name) override;
    void passEnded() override { events.append(QStringLiteral("ended")); }
    bool continueAfter(const Failure &failure) override
    {
        failures.append(failure);
        return answers.isEmpty() || answers.takeFirst();
    }
    bool startOnWholeDrive(const QString &) override { return true; }
    bool stopRequested() override { return stopAfterReads > 0 && lastRead >= stopAfterReads; }
};
