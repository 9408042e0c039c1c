#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Files that are not regular files, put where the program expects one.
namespace OddFiles {

// Puts a file that is not a regular file at `path`: a "pipe", a "linked
// pipe" (a link to a pipe at `pipe`), a link to /dev/"zero" or a "folder".
inline bool make(const QString &kind, const QString &path, const QString &pipe = QString())
{
    if (kind == QLatin1StringView("linked pipe"))
        return ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, path);
    if (kind == QLatin1StringView("pipe"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == QLatin1StringView("zero"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    return kind == QLatin1StringView("folder") && QDir().mkpath(path);
}

// Runs `call` and tells whether it returned without waiting on the named pipe
// at `pipe`. A call that is still running after a few seconds is released by
// opening and closing the pipe's writing end, which ends any wait for a
// writer or for data, so a faulty call fails its test instead of hanging it.
template <typename Call> bool returnsWithoutWaiting(const QString &pipe, Call &&call)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> released = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(3), [&] { return done; }))
            return;
        while (!finished.wait_for(lock, std::chrono::milliseconds(20), [&] { return done; })) {
            released = true;
            // Succeeds only while a reader has the pipe open or waits for it.
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    call();
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    return !released;
}

} // namespace OddFiles
