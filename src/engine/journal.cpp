#include "journal.h"

#include "enginetexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int SyncEvery = 1000;
const QByteArray Header = QByteArrayLiteral("Purlex journal 1\n");

QByteArray line(const JournalRecord &record)
{
    const char kind = record.kind == JournalRecord::Kind::Rename ? 'R' : 'A';
    return kind + QByteArrayLiteral("\t") + record.folder.toPercentEncoding() + '\t'
        + record.oldName.toPercentEncoding() + '\t' + record.newName.toPercentEncoding() + '\n';
}

std::optional<JournalRecord> parse(QByteArrayView text)
{
    const QList<QByteArray> fields = text.toByteArray().split('\t');
    if (fields.size() != 4 || (fields[0] != "R" && fields[0] != "A"))
        return std::nullopt;
    JournalRecord record;
    record.kind = fields[0] == "R" ? JournalRecord::Kind::Rename
                                   : JournalRecord::Kind::ReadOnlyCleared;
    record.folder = QByteArray::fromPercentEncoding(fields[1]);
    record.oldName = QByteArray::fromPercentEncoding(fields[2]);
    record.newName = QByteArray::fromPercentEncoding(fields[3]);
    return record;
}

bool syncData(QFile &file)
{
    return file.flush() && ::fdatasync(file.handle()) == 0;
}

} // namespace

JournalWriter::JournalWriter(QString path)
    : m_path(std::move(path))
    , m_file(m_path)
{ }

JournalWriter::~JournalWriter()
{
    m_file.close();
}

Status JournalWriter::failure(const QString &reason) const
{
    return Failure{EIO, EngineTexts::journalNotWritable(m_path, reason)};
}

Status JournalWriter::begin()
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return failure(u"its folder cannot be made"_s);
    // Unbuffered: every record is handed to the system as it is written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failure(m_file.errorString());
    if (m_file.write(Header) != Header.size() || !syncData(m_file))
        return failure(m_file.errorString());
    m_records = 0;
    m_unsynced = 0;
    return Status::success();
}

Status JournalWriter::append(const JournalRecord &record)
{
    if (!m_file.isOpen())
        return failure(u"it is not open"_s);
    m_beforeLast = m_file.pos();
    const QByteArray text = line(record);
    if (m_file.write(text) != text.size()) {
        const QString reason = m_file.errorString();
        truncateTo(m_beforeLast);
        return failure(reason);
    }
    ++m_records;
    if (++m_unsynced >= SyncEvery) {
        m_unsynced = 0;
        if (!syncData(m_file))
            return failure(m_file.errorString());
    }
    return Status::success();
}

void JournalWriter::truncateTo(qint64 size)
{
    if (m_file.resize(size))
        m_file.seek(size);
}

void JournalWriter::withdraw()
{
    truncateTo(m_beforeLast);
    if (m_records > 0)
        --m_records;
}

void JournalWriter::finish()
{
    if (!m_file.isOpen())
        return;
    syncData(m_file);
    m_file.close();
    if (m_records == 0)
        QFile::remove(m_path);
}

namespace JournalFile {

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + u"/last-execution.journal"_s;
}

bool exists(const QString &path)
{
    return QFileInfo(path).isFile();
}

Result<QList<JournalRecord>> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{ENOENT, EngineTexts::journalNotReadable(path, file.errorString())};
    const QByteArray all = file.readAll();
    if (!all.startsWith(Header))
        return Failure{EINVAL, EngineTexts::journalNotReadable(path, EngineTexts::notAJournal())};
    QList<JournalRecord> records;
    qsizetype at = Header.size();
    for (qsizetype end = all.indexOf('\n', at); end >= 0; end = all.indexOf('\n', at)) {
        if (const std::optional<JournalRecord> record = parse(QByteArrayView(all).sliced(at, end - at)))
            records.append(*record);
        at = end + 1;
    }
    return records;
}

Status replace(const QString &path, const QList<JournalRecord> &records)
{
    if (records.isEmpty()) {
        QFile journal(path);
        if (journal.exists() && !journal.remove())
            return Failure{EIO, EngineTexts::journalNotWritable(path, journal.errorString())};
        return Status::success();
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{EIO, EngineTexts::journalNotWritable(path, file.errorString())};
    file.write(Header);
    for (const JournalRecord &record : records)
        file.write(line(record));
    if (!file.commit())
        return Failure{EIO, EngineTexts::journalNotWritable(path, file.errorString())};
    return Status::success();
}

} // namespace JournalFile
