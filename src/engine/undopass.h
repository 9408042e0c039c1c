#pragma once

#include "filesystem.h"
#include "journal.h"
#include "passsummary.h"

#include <QSet>

#include <unordered_map>

class PassHost;

// Takes back the changes of one execution from its journal, the last change
// first: every file goes back from its new name to its old one, never
// replacing anything, and gets back the mode it had where the pass cleared
// its read-only bit. Folders are reached from the start folder one name at
// a time without following a link, and only while each is still the folder
// the pass worked in; a file goes back only while it is still the file the
// pass changed. What cannot be taken back is reported through the error
// dialog (OK skips it, Cancel stops) and kept for another try; a change
// found already taken back counts as done.
class UndoPass final
{
public:
    // At most `openFolders` folders are held open at a time.
    UndoPass(FileSystem &fileSystem, PassHost &host, int openFolders = 64);
    ~UndoPass();
    UndoPass(const UndoPass &) = delete;
    UndoPass &operator=(const UndoPass &) = delete;

    // What is left of `journal`: the records that were not taken back, in
    // journal order.
    Journal run(const Journal &journal);

    // Records looked at, and renames taken back, by the last run.
    const PassSummary &summary() const { return m_summary; }

private:
    enum class Flow { Done, Kept, Abort };
    struct OpenFolder
    {
        FolderPtr folder;
        quint64 lastUse = 0;
    };

    Flow undo(const JournalRecord &record);
    Flow undoRename(Folder &folder, const JournalRecord &record);
    Flow undoReadOnly(Folder &folder, const JournalRecord &record);
    // What `name` is now, while it is still the file the pass changed;
    // a failure naming it when another file stands there.
    Result<EntryIdentity> sameFile(
        Folder &folder, QByteArrayView name, const EntryIdentity &recorded);
    Flow report(const Failure &failure);
    // nullptr for a folder whose failure was reported already.
    Result<Folder *> reach(qint32 index);
    Folder *keepOpen(qint32 index, FolderPtr folder);

    FileSystem &m_fileSystem;
    PassHost &m_host;
    PassSummary m_summary;
    const Journal *m_journal = nullptr;
    std::size_t m_openLimit;
    std::unordered_map<qint32, OpenFolder> m_open;
    quint64 m_uses = 0;
    QSet<qint32> m_unreachable;
    QSet<std::pair<qint32, QByteArray>> m_notBack; // renames that stay
    qint32 m_shownFolder = -1;
    QString m_shownPath;
};
