#pragma once

#include "failure.h"
#include "filesystem.h"
#include "passsettings.h"
#include "passsummary.h"

#include <QString>

#include <memory>
#include <vector>

class FolderNames;
class JournalWriter;
class NameCleaner;
class PassHost;

// One execution: walks the start folder (subfolders first, when they are
// included), cleans every eligible name, numbers names that are taken,
// renames, and stops once the renames pass the limit. Every failure is put
// to the host; OK goes on with the next step, Cancel aborts the whole pass.
class ExecutionPass final
{
public:
    // With a journal, every change is recorded in it before it is made.
    ExecutionPass(FileSystem &fileSystem, PassHost &host, PassSettings settings,
        JournalWriter *journal = nullptr);
    ~ExecutionPass();
    ExecutionPass(const ExecutionPass &) = delete;
    ExecutionPass &operator=(const ExecutionPass &) = delete;

    // Settings that refuse a pass start nothing; see PassSettings::refusal.
    PassSummary execute();

private:
    enum class Flow { Continue, LeaveFolder, Abort };

    // The start folder is the root of a mounted volume: with subfolders,
    // the whole volume would be walked.
    bool startsAtMountRoot();
    // A folder of the walk from the start folder down to the one in hand.
    // Its descriptor may be closed while the walk is deeper down, so that a
    // tree of any depth needs only a bounded number of them.
    struct OpenLevel
    {
        OpenLevel *parent; // null for the start folder
        QString path;
        QByteArrayView name; // in the parent's listing
        FolderPtr folder; // null while closed
        EntryIdentity identity; // taken when it is closed, to know it again
        bool lost; // could not be reopened as the same folder
    };
    // The level's folder, reopened when it was closed; null for a level
    // that is lost, which was reported when it was lost.
    Result<Folder *> folderOf(OpenLevel &level);
    void keepWithinBudget(const OpenLevel &inUse);

    // `parent` is null for the folder the pass starts in.
    Flow ProcessFolder(OpenLevel *parent, const QString &path, QByteArrayView name);
    Flow processFile(Folder &folder, FolderNames &names, QByteArrayView bytes);
    // Cleans `name`, numbers it when taken and renames; sets `renamed` once
    // the rename was carried out.
    Flow renameIfChanged(Folder &folder, FolderNames &names, QByteArrayView bytes,
        const QString &name, bool readOnlyCleared, bool *renamed);
    // A name for a cleaned one: itself (number 0) or numbered.
    struct Candidate
    {
        QString name;
        QByteArray bytes;
        int number = 0; // -1: none is left, and the file keeps its name
    };
    // The first candidate for `cleaned` that no name the pass knows of
    // holds.
    Flow freeName(FolderNames &names, const QString &cleaned, Candidate *free);
    // Asks the user; Continue for OK.
    Flow report(const Failure &failure);
    // Asks only the first time `said` is false; after that, Continue.
    Flow reportOnce(const Failure &failure, bool *said);

    FileSystem &m_fileSystem;
    PassHost &m_host;
    const PassSettings m_settings;
    JournalWriter *m_journal;
    FileSystem *m_walked = nullptr; // the file system, or its journaling layer

    std::unique_ptr<NameCleaner> m_cleaner;
    PassSummary m_summary;
    std::vector<OpenLevel *> m_levels; // from the start folder down
    bool m_noSafeRenameReported = false;
    bool m_noModesReported = false;
};
