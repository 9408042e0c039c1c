#pragma once

#include "filesystem.h"
#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <unistd.h>

// A folder a pass changed something in, as the journal keeps it: reached
// from the folder it is in by its name, so that a folder at any depth can
// be reached again one component at a time, without a long path and
// without following a link.
struct JournalFolder
{
    qint32 parent = -1; // its index in Journal::folders; -1 for the start folder
    QByteArray name; // the full path for the start folder
    EntryIdentity identity;

    bool operator==(const JournalFolder &other) const
    {
        return parent == other.parent && name == other.name && identity.sameEntry(other.identity);
    }
};

// One change of a pass: names as the file system holds them, so that names
// that are not valid text survive, and the file's identity and mode as they
// were before the change.
struct JournalRecord
{
    enum class Kind { Rename, ReadOnlyCleared };
    Kind kind = Kind::Rename;
    qint32 folder = 0; // its index in Journal::folders
    QByteArray oldName;
    QByteArray newName; // the same as oldName for ReadOnlyCleared
    EntryIdentity file; // with the mode only for ReadOnlyCleared

    bool operator==(const JournalRecord &other) const
    {
        return kind == other.kind && folder == other.folder && oldName == other.oldName
            && newName == other.newName && file.sameEntry(other.file)
            && file.mode == other.file.mode;
    }
};

// The changes of one execution, in the order they were made.
struct Journal
{
    qint64 madeAt = 0; // milliseconds since the epoch
    QList<JournalFolder> folders;
    QList<JournalRecord> records;

    bool operator==(const Journal &) const = default;
    // The full path of a folder, for showing only.
    QByteArray pathOf(qint32 folder) const;
    qsizetype count(JournalRecord::Kind kind) const;
};

// When a journal is synced for a power loss, and the call that does it,
// which a test can make fail.
struct JournalSyncing
{
    int everyRecords = 1000; // a sync can take longer than a thousand renames
    qint64 intervalMs = 1000;
    int (*sync)(int fd) = ::fdatasync;
};

// The journal of one execution, written as the pass goes: every record
// reaches the system before its change is made, so that a pass killed at
// any point leaves a journal that covers every change that happened (its
// unused room reads as zeros, which end it). It is synced at the end
// and, for a power loss, now and then on the way. Once a record cannot be
// written, nothing more is recorded and every later change goes on
// unrecorded: the pass has asked the user about the first failure.
class JournalWriter final
{
public:
    // The journal is made in `historyFolder`, beside those of other
    // executions.
    explicit JournalWriter(QString historyFolder, JournalSyncing syncing = {});
    ~JournalWriter();
    JournalWriter(const JournalWriter &) = delete;
    JournalWriter &operator=(const JournalWriter &) = delete;

    const QString &path() const { return m_path; }
    Status begin();
    bool abandoned() const { return m_abandoned; }
    // Declares a folder; written with the next record in it.
    qint32 addFolder(qint32 parent, QByteArrayView name, const EntryIdentity &identity);
    Status append(JournalRecord::Kind kind, qint32 folder, const EntryIdentity &file,
        QByteArrayView oldName, QByteArrayView newName);
    // The change of the last record was not made after all.
    void withdraw();
    // Syncs and hands the journal to the history; a journal without
    // records is removed.
    Status finish();

private:
    Status failure(const QString &reason);
    // The journal is written through a shared mapping of its file, grown
    // in steps; `error` is set when it cannot grow.
    bool reserve(qint64 needed, int *error);
    bool put(QByteArrayView bytes, int *error);
    void cutTo(qint64 size);
    void unmap();

    QString m_historyFolder;
    JournalSyncing m_syncing;
    QString m_path;
    int m_fd = -1;
    char *m_map = nullptr;
    qint64 m_reserved = 0; // the bytes allocated and mapped
    qint64 m_size = 0; // the bytes written
    bool m_abandoned = false;
    qint64 m_beforeLast = 0;
    QByteArray m_line; // reused for every record; folder lines wait here
    qint32 m_folders = 0;
    int m_records = 0;
    int m_unsynced = 0;
    QElapsedTimer m_sinceSync;
};

namespace JournalFile {

// The journal of the file open at `fd`. A last line that a killed pass left
// half written is no record.
Result<Journal> read(int fd, const QString &path);
// Keeps `journal` at `path` in place of what was there, by a rename, so
// that a killed program leaves the one or the other.
Status replace(const QString &path, const Journal &journal);

} // namespace JournalFile
