#pragma once

#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>

// One change of a pass, as the journal keeps it: names as the file system
// holds them, so that names that are not valid text survive.
struct JournalRecord
{
    enum class Kind { Rename, ReadOnlyCleared };
    Kind kind = Kind::Rename;
    QByteArray folder; // full path
    QByteArray oldName;
    QByteArray newName; // the same as oldName for ReadOnlyCleared

    bool operator==(const JournalRecord &) const = default;
};

// The journal of the last pass: one record per change, each written before
// the change is made and handed to the system before the rename follows, so
// that a pass killed at any point leaves a journal that covers every change
// that happened. It is synced every 1,000 records and at the end.
class JournalWriter final
{
public:
    explicit JournalWriter(QString path);
    ~JournalWriter();
    JournalWriter(const JournalWriter &) = delete;
    JournalWriter &operator=(const JournalWriter &) = delete;

    const QString &path() const { return m_path; }
    // Replaces the journal of the pass before with an empty one.
    Status begin();
    Status append(JournalRecord::Kind kind, QByteArrayView folder, QByteArrayView oldName,
        QByteArrayView newName);
    // The change of the last record was not made after all.
    void withdraw();
    // Syncs; a journal without records is removed.
    void finish();

private:
    Status failure(const QString &reason) const;
    void truncateTo(qint64 size);

    QString m_path;
    QFile m_file;
    qint64 m_beforeLast = 0;
    qint64 m_size = 0;
    QByteArray m_line; // reused for every record
    QByteArray m_folder; // the folder of the last record, and its encoded form
    QByteArray m_encodedFolder;
    int m_records = 0;
    int m_unsynced = 0;
};

namespace JournalFile {

// Where the journal of the last pass lives: the per-user data folder.
QString defaultPath();
bool exists(const QString &path);
// The records in the order they were written; a last line that a killed
// pass left half written is no record.
Result<QList<JournalRecord>> read(const QString &path);
// Keeps `records` as the journal, or removes it when there are none.
Status replace(const QString &path, const QList<JournalRecord> &records);

} // namespace JournalFile
