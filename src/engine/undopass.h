#pragma once

#include "filesystem.h"
#include "journal.h"
#include "passsummary.h"

#include <QList>
#include <QSet>

#include <map>

class PassHost;

// Takes back the changes of the last pass from its journal, the last change
// first: every file goes back from its new name to its old one, never
// replacing anything, and gets its read-only bit back where the pass
// cleared it. What cannot be taken back is reported through the error
// dialog (OK skips it, Cancel stops) and kept for another try.
class UndoPass final
{
public:
    UndoPass(FileSystem &fileSystem, PassHost &host);

    // The records that were not taken back, in journal order.
    QList<JournalRecord> run(const QList<JournalRecord> &records);

    // Records looked at, and renames taken back, by the last run.
    const PassSummary &summary() const { return m_summary; }

private:
    enum class Flow { Done, Kept, Abort };

    Flow undo(const JournalRecord &record, bool lastWritten);
    Flow undoRename(Folder &folder, const JournalRecord &record, bool lastWritten);
    Flow undoReadOnly(Folder &folder, const JournalRecord &record);
    Flow report(const Failure &failure);
    Result<Folder *> folderOf(const QByteArray &path);

    FileSystem &m_fileSystem;
    PassHost &m_host;
    PassSummary m_summary;
    std::map<QByteArray, FolderPtr> m_folders;
    QSet<QByteArray> m_notBack; // "folder/old name" of renames that stay
};
