#include "undohistory.h"

#include "enginetexts.h"
#include "oserror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Suffix = u".journal"_s;

// Closes its descriptor, and with it any lock taken through it.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Only a regular file is a journal: a named pipe in its place would make
// the open wait for a writer, so nothing waits, and no link is followed.
int openJournal(const QString &path)
{
    const int fd = ::open(
        QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Held by a pass that writes it or a window that takes it back.
bool heldElsewhere(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) != 0;
}

// A line follows the header: a pass killed before its first change leaves
// none.
bool hasRecords(int fd)
{
    char start[512];
    const ssize_t got = ::pread(fd, start, sizeof start, 0);
    const char *end
        = got > 0 ? static_cast<const char *>(std::memchr(start, '\n', size_t(got))) : nullptr;
    if (end && end + 1 < start + got)
        return end[1] != '\0';
    struct stat info;
    return end && ::fstat(fd, &info) == 0 && info.st_size > end + 1 - start;
}

qint64 madeAtOf(const QString &name)
{
    return name.section(u'-', 0, 0).toLongLong();
}

} // namespace

HeldJournal::HeldJournal(QString path, int fd, Journal journal)
    : m_path(std::move(path))
    , m_fd(fd)
    , m_journal(std::move(journal))
{ }

HeldJournal::~HeldJournal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

HeldJournal::HeldJournal(HeldJournal &&other) noexcept
    : m_path(std::move(other.m_path))
    , m_fd(std::exchange(other.m_fd, -1))
    , m_journal(std::move(other.m_journal))
{ }

UndoHistory::UndoHistory(QString folder)
    : m_folder(std::move(folder))
{ }

QString UndoHistory::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + u"/undo history"_s;
}

namespace {

// The history's own lock, held while journals come and go.
class HistoryLock final
{
public:
    explicit HistoryLock(const QString &folder)
    {
        m_lock.fd = ::open(QFile::encodeName(folder + u"/lock"_s).constData(),
            O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600);
        struct stat info;
        if (m_lock.fd < 0 || ::fstat(m_lock.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            m_error = m_lock.fd < 0 ? errno : EINVAL;
            return;
        }
        while (::flock(m_lock.fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                m_error = errno;
                return;
            }
        }
    }
    int error() const { return m_error; }

private:
    Descriptor m_lock;
    int m_error = 0;
};

} // namespace

Result<std::pair<QString, int>> UndoHistory::create()
{
    if (!QDir().mkpath(m_folder))
        return Failure{
            EIO, EngineTexts::journalNotWritable(m_folder, u"its folder cannot be made"_s)};
    // Made and locked under the history's lock, so that no one sees the
    // journal before its writer holds it.
    const HistoryLock lock(m_folder);
    if (lock.error() != 0)
        return Failure{EIO, EngineTexts::journalNotWritable(m_folder, systemReason(lock.error()))};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0;; ++attempt) {
        const QString path = m_folder
            + u"/%1-%2-%3"_s.arg(now, 13, 10, QChar(u'0')).arg(::getpid()).arg(attempt) + Suffix;
        const int fd = ::open(QFile::encodeName(path).constData(),
            O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return std::pair(path, fd);
        }
        if (errno != EEXIST || attempt >= 1000)
            return Failure{EIO, EngineTexts::journalNotWritable(path, systemReason(errno))};
    }
}

QStringList UndoHistory::names() const
{
    QStringList names = QDir(m_folder).entryList(
        {u"*"_s + Suffix}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    std::reverse(names.begin(), names.end());
    return names;
}

bool UndoHistory::hasUndo() const
{
    for (const QString &name : names()) {
        Descriptor journal{openJournal(m_folder + u'/' + name)};
        if (journal.fd >= 0 && !heldElsewhere(journal.fd) && hasRecords(journal.fd))
            return true;
    }
    return false;
}

Result<std::optional<HeldJournal>> UndoHistory::takeNewest()
{
    std::optional<Failure> unreadable;
    for (const QString &name : names()) {
        const QString path = m_folder + u'/' + name;
        Descriptor journal{openJournal(path)};
        if (journal.fd < 0 || heldElsewhere(journal.fd))
            continue;
        Result<Journal> read = JournalFile::read(journal.fd, path);
        if (!read.ok()) {
            // One damaged journal must not hide the older ones.
            if (!unreadable)
                unreadable = read.failure();
            continue;
        }
        if (read.value().records.isEmpty())
            continue;
        return std::optional<HeldJournal>(
            std::in_place, path, std::exchange(journal.fd, -1), std::move(read.value()));
    }
    if (unreadable)
        return *unreadable;
    return std::optional<HeldJournal>();
}

Status UndoHistory::keep(HeldJournal &held, const Journal &left)
{
    const HistoryLock lock(m_folder);
    if (lock.error() != 0)
        return Failure{EIO, EngineTexts::journalNotWritable(held.path(), systemReason(lock.error()))};
    if (!left.records.isEmpty())
        return JournalFile::replace(held.path(), left);
    return removeOwn(held.path());
}

Status UndoHistory::prune()
{
    const HistoryLock lock(m_folder);
    if (lock.error() != 0)
        return Failure{EIO, EngineTexts::journalNotWritable(m_folder, systemReason(lock.error()))};
    const qint64 oldest = QDateTime::currentMSecsSinceEpoch() - KeptDays * 24 * 3600 * 1000;
    int kept = 0;
    Status result = Status::success();
    for (const QString &name : names()) {
        const QString path = m_folder + u'/' + name;
        Descriptor journal{openJournal(path)};
        if (journal.fd < 0 || heldElsewhere(journal.fd))
            continue;
        // A journal of a pass killed before its first change counts for
        // nothing, and only age takes it.
        const bool records = hasRecords(journal.fd);
        if (madeAtOf(name) >= oldest && (!records || ++kept <= KeptJournals))
            continue;
        if (const Status removed = removeOwn(path); !removed.ok())
            result = removed;
    }
    return result;
}

Status UndoHistory::removeOwn(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return Failure{EIO, EngineTexts::journalNotWritable(path, systemReason(errno))};
    return Status::success();
}
