#include "journal.h"

#include "enginetexts.h"
#include "oserror.h"
#include "undohistory.h"

#include <QDateTime>
#include <QFile>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char Header[] = "Purlex journal 2\t";

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

JournalWriter::JournalWriter(QString historyFolder, JournalSyncing syncing)
    : m_historyFolder(std::move(historyFolder))
    , m_syncing(syncing)
{ }

JournalWriter::~JournalWriter()
{
    unmap();
    if (m_fd >= 0)
        ::close(m_fd);
}

Status JournalWriter::failure(const QString &reason)
{
    m_abandoned = true;
    return Failure{
        EIO, EngineTexts::journalNotWritable(m_path.isEmpty() ? m_historyFolder : m_path, reason)};
}

void JournalWriter::unmap()
{
    if (m_map)
        ::munmap(m_map, size_t(m_reserved));
    m_map = nullptr;
}

bool JournalWriter::reserve(qint64 needed, int *error)
{
    if (needed <= m_reserved)
        return true;
    // Room for many records at a time, growing with the journal. The blocks
    // are allocated before they are mapped: a full disk then fails here, and
    // never as a fault when a record is copied in.
    constexpr qint64 Smallest = 4096;
    constexpr qint64 LargestStep = qint64(8) << 20;
    qint64 size = std::max(Smallest, m_reserved);
    while (size < needed)
        size += std::min(size, LargestStep);
    if (const int allocated = ::posix_fallocate(m_fd, 0, size); allocated != 0) {
        *error = allocated;
        return false;
    }
    void *map = m_map ? ::mremap(m_map, size_t(m_reserved), size_t(size), MREMAP_MAYMOVE)
                      : ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (map == MAP_FAILED) {
        *error = errno;
        return false;
    }
    m_map = static_cast<char *>(map);
    m_reserved = size;
    return true;
}

bool JournalWriter::put(QByteArrayView bytes, int *error)
{
    if (!reserve(m_size + bytes.size(), error))
        return false;
    std::memcpy(m_map + m_size, bytes.constData(), size_t(bytes.size()));
    m_size += bytes.size();
    return true;
}

void JournalWriter::cutTo(qint64 size)
{
    // Zeros end the journal for a reader, as they end it after a kill.
    std::memset(m_map + size, 0, size_t(m_size - size));
    m_size = size;
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
    m_sinceSync.start();
    QByteArray header = Header;
    appendNumber(header, QDateTime::currentMSecsSinceEpoch());
    header += '\n';
    if (int error = 0; !put(header, &error)) {
        const Status failed = failure(systemReason(error));
        unmap();
        ::close(std::exchange(m_fd, -1));
        (void)UndoHistory(m_historyFolder).removeOwn(m_path);
        return failed;
    }
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
    // Copied into the shared mapping, the record is the system's before the
    // change is made, and survives a killed program.
    int error = 0;
    const bool written = put(m_line, &error);
    m_line.clear();
    if (!written)
        return failure(systemReason(error));
    ++m_records;
    if (++m_unsynced >= m_syncing.everyRecords && m_sinceSync.elapsed() >= m_syncing.intervalMs) {
        m_unsynced = 0;
        m_sinceSync.start();
        // A record that may not survive must not stand for a change that is
        // then never made.
        if (m_syncing.sync(m_fd) != 0) {
            error = errno;
            cutTo(before);
            --m_records;
            return failure(systemReason(error));
        }
    }
    return Status::success();
}

void JournalWriter::withdraw()
{
    if (m_map && m_beforeLast <= m_size) {
        cutTo(m_beforeLast);
        if (m_records > 0)
            --m_records;
    }
}

Status JournalWriter::finish()
{
    if (m_fd < 0)
        return Status::success();
    Status result = Status::success();
    unmap();
    if (m_records > 0 && (::ftruncate(m_fd, m_size) != 0 || m_syncing.sync(m_fd) != 0))
        result = failure(systemReason(errno));
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
            return Failure{EIO, EngineTexts::journalNotReadable(path, systemReason(errno))};
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
        return Failure{EIO, EngineTexts::journalNotWritable(path, systemReason(error))};
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
