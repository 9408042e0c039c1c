#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
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
    std::atomic<bool> done = false;
    bool released = false;
    std::thread watchdog([&] {
        for (int waited = 0; !done; waited += 20) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (waited < 3000 || done)
                continue;
            released = true;
            // Succeeds only while a reader has the pipe open or waits for it.
            if (const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                fd >= 0)
                ::close(fd);
        }
    });
    call();
    done = true;
    watchdog.join();
    return !released;
}

} // namespace OddFiles
