#pragma once

#include "failure.h"
#include "filesystem.h"

#include <QString>

#include <memory>

class FolderNames;
class JournalWriter;
class NameCleaner;
class PassHost;

// One execution: walks the folder that the file list shows (subfolders
// first, when they are included), cleans every eligible name, numbers names
// that are taken, renames, and stops once the renames pass the limit. Every
// failure goes to the host's error dialog; OK goes on with the next step,
// Cancel aborts the whole pass.
class ExecutionPass final
{
public:
    // With a journal, every change is recorded in it before it is made.
    ExecutionPass(FileSystem &fileSystem, PassHost &host, JournalWriter *journal = nullptr);
    ~ExecutionPass();
    ExecutionPass(const ExecutionPass &) = delete;
    ExecutionPass &operator=(const ExecutionPass &) = delete;

    // What the Execute button does, from the maximum-length check to
    // "Completed".
    void execute();

    // Files read and files fixed by the last pass. They count past 32767: a
    // large tree must not stall on a counter.
    qint32 gTryCnt = 0;
    qint32 gCurCnt = 0;

private:
    enum class Flow { Continue, LeaveFolder, Abort };

    // `parent` is null for the folder the pass starts in.
    Flow ProcessFolder(Folder *parent, const QString &path, QByteArrayView name);
    Flow processFile(Folder &folder, FolderNames &names, QByteArrayView bytes);
    // Numbers `name` until no file holds it. Sets `keepName` when no free
    // number is left and the file must keep its name.
    Flow freeName(Folder &folder, FolderNames &names, QString *name, bool *numbered,
        bool *keepName);
    // Asks the user; Continue for OK.
    Flow report(const Failure &failure);
    Flow reportRenameFailure(const Failure &failure);

    FileSystem &m_fileSystem;
    PassHost &m_host;
    JournalWriter *m_journal;
    FileSystem *m_walked = nullptr; // the file system, or its journaling layer

    // Read once when the pass starts.
    std::unique_ptr<NameCleaner> m_cleaner;
    double m_limit = 0;
    double m_maxLength = 0; // for numbering: read without a "0" in front
    bool m_includeSubfolders = false;
    bool m_overrideReadOnly = false;
    bool m_noSafeRenameReported = false;
};
