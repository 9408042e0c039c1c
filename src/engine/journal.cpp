#include "journal.h"

#include "enginetexts.h"
#include "undohistory.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int SyncEvery = 1000;
constexpr char Header[] = "Purlex journal 2\t";

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Names as they are, but for "%", tabs, line breaks and NULs, which are
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
        if (u != '%' && u != '\t' && u != '\n' && u != '\r' && u != '\0') {
            *out++ = c;
        } else {
            *out++ = '%';
            *out++ = Hex[u >> 4];
            *out++ = Hex[u & 0xF];
        }
    }
    to.truncate(out - to.constData());
}

template <typename Number> void appendNumber(QByteArray &to, Number number, int base = 10)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number, base).ptr;
    to.append(digits, end - digits);
}

void appendFolderLine(QByteArray &to, qint32 parent, QByteArrayView name, const EntryIdentity &id)
{
    to += "F\t";
    appendNumber(to, parent);
    to += '\t';
    appendNumber(to, id.device);
    to += '\t';
    appendNumber(to, id.inode);
    to += '\t';
    appendEncoded(to, name);
    to += '\n';
}

// A rename keeps both names; a cleared read-only bit keeps the mode before,
// in octal.
void appendRecordLine(QByteArray &to, JournalRecord::Kind kind, qint32 folder,
    const EntryIdentity &file, QByteArrayView oldName, QByteArrayView newName)
{
    const bool rename = kind == JournalRecord::Kind::Rename;
    to += rename ? "R\t" : "A\t";
    appendNumber(to, folder);
    to += '\t';
    appendNumber(to, file.device);
    to += '\t';
    appendNumber(to, file.inode);
    to += '\t';
    if (rename) {
        appendEncoded(to, oldName);
        to += '\t';
        appendEncoded(to, newName);
    } else {
        appendNumber(to, file.mode, 8);
        to += '\t';
        appendEncoded(to, oldName);
    }
    to += '\n';
}

template <typename Number> bool parseNumber(QByteArrayView text, Number *number, int base = 10)
{
    const char *end = text.constData() + text.size();
    const auto parsed = std::from_chars(text.constData(), end, *number, base);
    return parsed.ec == std::errc() && parsed.ptr == end && !text.isEmpty();
}

// Adds the folder or record of one line; false for a line that is neither.
bool parseLine(QByteArrayView line, Journal *journal)
{
    QList<QByteArrayView> fields;
    for (qsizetype at = 0;;) {
        const qsizetype tab = line.indexOf('\t', at);
        fields.append(line.sliced(at, (tab < 0 ? line.size() : tab) - at));
        if (tab < 0)
            break;
        at = tab + 1;
    }
    const qint32 folders = qint32(journal->folders.size());
    if (fields.size() == 5 && fields[0] == "F") {
        JournalFolder folder;
        if (!parseNumber(fields[1], &folder.parent) || folder.parent < -1
            || folder.parent >= folders || !parseNumber(fields[2], &folder.identity.device)
            || !parseNumber(fields[3], &folder.identity.inode))
            return false;
        folder.name = QByteArray::fromPercentEncoding(fields[4].toByteArray());
        journal->folders.append(folder);
        return true;
    }
    if (fields.size() != 6 || (fields[0] != "R" && fields[0] != "A"))
        return false;
    JournalRecord record;
    record.kind
        = fields[0] == "R" ? JournalRecord::Kind::Rename : JournalRecord::Kind::ReadOnlyCleared;
    if (!parseNumber(fields[1], &record.folder) || record.folder < 0 || record.folder >= folders
        || !parseNumber(fields[2], &record.file.device)
        || !parseNumber(fields[3], &record.file.inode))
        return false;
    if (record.kind == JournalRecord::Kind::Rename) {
        record.oldName = QByteArray::fromPercentEncoding(fields[4].toByteArray());
        record.newName = QByteArray::fromPercentEncoding(fields[5].toByteArray());
    } else {
        if (!parseNumber(fields[4], &record.file.mode, 8))
            return false;
        record.oldName = QByteArray::fromPercentEncoding(fields[5].toByteArray());
        record.newName = record.oldName;
    }
    journal->records.append(record);
    return true;
}

QByteArray text(const Journal &journal)
{
    QByteArray all = Header;
    appendNumber(all, journal.madeAt);
    all += '\n';
    for (const JournalFolder &folder : journal.folders)
        appendFolderLine(all, folder.parent, folder.name, folder.identity);
    for (const JournalRecord &record : journal.records)
        appendRecordLine(
            all, record.kind, record.folder, record.file, record.oldName, record.newName);
    return all;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        bytes = bytes.sliced(written);
    }
    return true;
}

} // namespace

QByteArray Journal::pathOf(qint32 folder) const
{
    QByteArrayList names;
    for (qint32 at = folder; at >= 0 && at < folders.size(); at = folders[at].parent)
        names.prepend(folders[at].name);
    return names.join('/');
}

qsizetype Journal::count(JournalRecord::Kind kind) const
{
    return std::count_if(records.cbegin(), records.cend(),
        [kind](const JournalRecord &record) { return record.kind == kind; });
}

JournalWriter::JournalWriter(QString historyFolder)
    : m_historyFolder(std::move(historyFolder))
{ }

JournalWriter::~JournalWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Status JournalWriter::failure(const QString &reason)
{
    m_abandoned = true;
    return Failure{
        EIO, EngineTexts::journalNotWritable(m_path.isEmpty() ? m_historyFolder : m_path, reason)};
}

Status JournalWriter::begin()
{
    Result<std::pair<QString, int>> created = UndoHistory(m_historyFolder).create();
    if (!created.ok()) {
        m_abandoned = true;
        return created.failure();
    }
    m_path = created.value().first;
    m_fd = created.value().second;
    QByteArray header = Header;
    appendNumber(header, QDateTime::currentMSecsSinceEpoch());
    header += '\n';
    if (!writeAll(m_fd, header)) {
        const Status failed = failure(reasonOf(errno));
        ::close(std::exchange(m_fd, -1));
        (void)UndoHistory(m_historyFolder).removeOwn(m_path);
        return failed;
    }
    m_size = header.size();
    return Status::success();
}

qint32 JournalWriter::addFolder(qint32 parent, QByteArrayView name, const EntryIdentity &identity)
{
    appendFolderLine(m_line, parent, name, identity);
    return m_folders++;
}

Status JournalWriter::append(JournalRecord::Kind kind, qint32 folder, const EntryIdentity &file,
    QByteArrayView oldName, QByteArrayView newName)
{
    if (m_fd < 0 || m_abandoned)
        return failure(u"it is not open"_s);
    const qint64 before = m_size;
    m_beforeLast = m_size + m_line.size();
    appendRecordLine(m_line, kind, folder, file, oldName, newName);
    // Straight to the system, so that the record stands before the change.
    const bool written = writeAll(m_fd, m_line);
    const int error = errno;
    const qint64 after = before + m_line.size();
    m_line.clear();
    if (!written) {
        truncateTo(before);
        return failure(reasonOf(error));
    }
    m_size = after;
    ++m_records;
    if (++m_unsynced >= SyncEvery) {
        m_unsynced = 0;
        // A record that may not survive must not stand for a change that is
        // then never made.
        if (::fdatasync(m_fd) != 0) {
            const int syncError = errno;
            truncateTo(before);
            --m_records;
            return failure(reasonOf(syncError));
        }
    }
    return Status::success();
}

bool JournalWriter::truncateTo(qint64 size)
{
    if (::ftruncate(m_fd, size) != 0 || ::lseek(m_fd, size, SEEK_SET) != size)
        return false;
    m_size = size;
    return true;
}

void JournalWriter::withdraw()
{
    // A record left standing is harmless: Undo finds its file still under
    // its old name.
    if (truncateTo(m_beforeLast) && m_records > 0)
        --m_records;
}

Status JournalWriter::finish()
{
    if (m_fd < 0)
        return Status::success();
    Status result = Status::success();
    if (m_records > 0 && ::fdatasync(m_fd) != 0)
        result = failure(reasonOf(errno));
    ::close(m_fd);
    m_fd = -1;
    UndoHistory history(m_historyFolder);
    const Status handed = m_records > 0 ? history.prune() : history.removeOwn(m_path);
    return result.ok() ? handed : result;
}

namespace JournalFile {

Result<Journal> read(int fd, const QString &path)
{
    QByteArray all;
    for (;;) {
        char buffer[65536];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failure{EIO, EngineTexts::journalNotReadable(path, reasonOf(errno))};
        if (got == 0)
            break;
        all.append(buffer, got);
    }
    const auto notAJournal = [&] {
        return Failure{EINVAL, EngineTexts::journalNotReadable(path, EngineTexts::notAJournal())};
    };
    if (!all.startsWith(Header))
        return notAJournal();
    Journal journal;
    qsizetype at = qsizetype(sizeof Header - 1);
    const qsizetype headerEnd = all.indexOf('\n', at);
    if (headerEnd < 0
        || !parseNumber(QByteArrayView(all).sliced(at, headerEnd - at), &journal.madeAt))
        return notAJournal();
    at = headerEnd + 1;
    // Past the last whole line: a record a killed pass left half written.
    for (qsizetype end = all.indexOf('\n', at); end >= 0; end = all.indexOf('\n', at)) {
        parseLine(QByteArrayView(all).sliced(at, end - at), &journal);
        at = end + 1;
    }
    return journal;
}

Status replace(const QString &path, const Journal &journal)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + '.' + QByteArray::number(::getpid()) + ".new";
    const auto failed = [&](int error) {
        ::unlink(temporary.constData());
        return Failure{EIO, EngineTexts::journalNotWritable(path, reasonOf(error))};
    };
    ::unlink(temporary.constData());
    const int fd
        = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return failed(errno);
    const bool written = writeAll(fd, text(journal)) && ::fdatasync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !written)
        return failed(written ? errno : error);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return failed(errno);
    return Status::success();
}

} // namespace JournalFile
