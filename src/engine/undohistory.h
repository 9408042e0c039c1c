#pragma once

#include "journal.h"
#include "result.h"

#include <QString>
#include <QStringList>

#include <optional>

// A journal of the history, held for this process: no other window takes
// it back or removes it while this one holds it.
class HeldJournal final
{
public:
    HeldJournal(QString path, int fd, Journal journal);
    ~HeldJournal();
    HeldJournal(HeldJournal &&other) noexcept;
    HeldJournal &operator=(HeldJournal &&) = delete;
    HeldJournal(const HeldJournal &) = delete;

    const QString &path() const { return m_path; }
    const Journal &journal() const { return m_journal; }

private:
    QString m_path;
    int m_fd;
    Journal m_journal;
};

// The journals of the executions that can still be taken back, one file
// each in a per-user folder, newest first. Every window and every copy of
// the program shares it: a journal is made exclusively by the execution
// that writes it and is held locked while it is written or taken back;
// the list itself changes only under the history's lock, and nothing
// touches a journal that another process holds.
class UndoHistory final
{
public:
    static constexpr int KeptJournals = 50;
    static constexpr qint64 KeptDays = 90;

    explicit UndoHistory(QString folder);
    // The history folder in the per-user data folder.
    static QString defaultFolder();
    const QString &folder() const { return m_folder; }

    // A new journal file, created and held for its writer: its path and
    // descriptor.
    Result<std::pair<QString, int>> create();
    // The journal names, newest first.
    QStringList names() const;
    // True when some journal can be taken back now; cheap enough for every
    // opening of a menu.
    bool hasUndo() const;
    // The newest journal with records that no other process holds.
    Result<std::optional<HeldJournal>> takeNewest();
    // Keeps what is `left` of a held journal, or removes it when nothing is.
    Status keep(HeldJournal &held, const Journal &left);
    // Drops the journals past the newest KeptJournals and those older than
    // KeptDays, never one that another process holds.
    Status prune();
    // Removes the journal `path` that this process made or holds.
    Status removeOwn(const QString &path);

private:
    QString m_folder;
};
