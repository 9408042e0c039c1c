#include "journal.h"

#include "enginetexts.h"
#include "oserror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int SyncEvery = 1000;
const QByteArray Header = QByteArrayLiteral("Purlex journal 1\n");

// Names as they are, but for "%", tabs and line breaks, which are
// percent-encoded so that no name ends a field or a record:
// QByteArray::fromPercentEncoding reads them back.
void appendEncoded(QByteArray &to, QByteArrayView bytes)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    const qsizetype start = to.size();
    to.resize(start + 3 * bytes.size());
    char *out = to.data() + start;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u != '%' && u != '\t' && u != '\n' && u != '\r') {
            *out++ = c;
        } else {
            *out++ = '%';
            *out++ = Hex[u >> 4];
            *out++ = Hex[u & 0xF];
        }
    }
    to.truncate(out - to.constData());
}

void appendLine(QByteArray &to, JournalRecord::Kind kind, QByteArrayView encodedFolder,
    QByteArrayView oldName, QByteArrayView newName)
{
    to += kind == JournalRecord::Kind::Rename ? 'R' : 'A';
    to += '\t';
    to += encodedFolder;
    to += '\t';
    appendEncoded(to, oldName);
    to += '\t';
    appendEncoded(to, newName);
    to += '\n';
}

QByteArray line(const JournalRecord &record)
{
    QByteArray encodedFolder;
    appendEncoded(encodedFolder, record.folder);
    QByteArray text;
    appendLine(text, record.kind, encodedFolder, record.oldName, record.newName);
    return text;
}

std::optional<JournalRecord> parse(QByteArrayView text)
{
    const QList<QByteArray> fields = text.toByteArray().split('\t');
    if (fields.size() != 4 || (fields[0] != "R" && fields[0] != "A"))
        return std::nullopt;
    JournalRecord record;
    record.kind
        = fields[0] == "R" ? JournalRecord::Kind::Rename : JournalRecord::Kind::ReadOnlyCleared;
    record.folder = QByteArray::fromPercentEncoding(fields[1]);
    record.oldName = QByteArray::fromPercentEncoding(fields[2]);
    record.newName = QByteArray::fromPercentEncoding(fields[3]);
    return record;
}

bool syncData(QFile &file)
{
    return ::fdatasync(file.handle()) == 0;
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
        return failure(QCoreApplication::translate("JournalFile", "its folder cannot be made"));
    // Unbuffered: every record is handed to the system as it is written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failure(m_file.errorString());
    if (m_file.write(Header) != Header.size() || !syncData(m_file))
        return failure(m_file.errorString());
    m_size = Header.size();
    m_records = 0;
    m_unsynced = 0;
    return Status::success();
}

Status JournalWriter::append(
    JournalRecord::Kind kind, QByteArrayView folder, QByteArrayView oldName, QByteArrayView newName)
{
    if (!m_file.isOpen())
        return failure(QCoreApplication::translate("JournalFile", "it is not open"));
    // A pass renames folder by folder: the folder is encoded once for all
    // its records.
    if (folder != m_folder) {
        m_folder = folder.toByteArray();
        m_encodedFolder.clear();
        appendEncoded(m_encodedFolder, folder);
    }
    m_line.clear();
    appendLine(m_line, kind, m_encodedFolder, oldName, newName);
    // Straight to the system, so that the record stands before the change.
    m_beforeLast = m_size;
    const ssize_t written = ::write(m_file.handle(), m_line.constData(), size_t(m_line.size()));
    if (written != ssize_t(m_line.size())) {
        const int error = written < 0 ? errno : ENOSPC;
        truncateTo(m_beforeLast);
        return failure(systemReason(error));
    }
    m_size += written;
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
    if (::ftruncate(m_file.handle(), size) == 0 && ::lseek(m_file.handle(), size, SEEK_SET) == size)
        m_size = size;
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
        if (const std::optional<JournalRecord> record
            = parse(QByteArrayView(all).sliced(at, end - at)))
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
