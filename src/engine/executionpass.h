#pragma once

#include "failure.h"

#include <QString>

class FileSystem;
class PassHost;

// One execution: walks the folder that the file list shows (subfolders
// first, when they are included), cleans every eligible name, numbers names
// that are taken, renames, and stops once the renames pass the limit. Every
// failure goes to the host's error dialog; OK goes on with the next step,
// Cancel aborts the whole pass.
class ExecutionPass final
{
public:
    ExecutionPass(FileSystem &fileSystem, PassHost &host);

    // What the Execute button does, from the maximum-length check to
    // "Completed".
    void execute();

    // Files read and files fixed by the last pass. They count past 32767: a
    // large tree must not stall on a counter.
    qint32 gTryCnt = 0;
    qint32 gCurCnt = 0;

private:
    enum class Flow { Continue, Abort };

    Flow ProcessFolder(const QString &path);
    Flow processFile(const QString &folder, const struct FolderEntry &file, bool *leaveFolder);
    // Numbers `name` until no file holds it. Sets `keepName` when no free
    // number is left and the file must keep its name.
    Flow freeName(const QString &folder, QString *name, bool *keepName);
    // Asks the user; Continue for OK.
    Flow report(const Failure &failure);
    double limit() const;

    FileSystem &m_fileSystem;
    PassHost &m_host;
};
