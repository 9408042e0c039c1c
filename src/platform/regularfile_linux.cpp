#include "regularfile.h"

#include "uniquefd.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Outcome = RegularFileContent::Outcome;

RegularFileContent refused(Outcome outcome, int errorNumber, qint64 size = 0)
{
    RegularFileContent content;
    content.outcome = outcome;
    content.errorNumber = errorNumber;
    content.size = size;
    return content;
}

RegularFileContent failed(int errorNumber)
{
    return refused(errorNumber == ENOENT ? Outcome::Missing : Outcome::Failed, errorNumber);
}

} // namespace

RegularFileContent readRegularFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening, so that no device is ever opened; looked at
    // again through the descriptor, since the path may change in between.
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0)
        return failed(errno);
    if (!S_ISREG(info.st_mode))
        return refused(Outcome::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);

    // Without O_NONBLOCK a named pipe put there meanwhile would block the
    // open until some program writes to it; a regular file ignores the flag.
    const UniqueFd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid())
        return failed(errno);
    if (::fstat(fd.get(), &info) != 0)
        return failed(errno);
    if (!S_ISREG(info.st_mode))
        return refused(Outcome::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    if (info.st_size > maxBytes)
        return refused(Outcome::TooLarge, EFBIG, info.st_size);

    const auto readSome = [&](char *into, qint64 count) {
        ssize_t got;
        do
            got = ::read(fd.get(), into, size_t(count));
        while (got < 0 && errno == EINTR);
        return got;
    };
    // The size found, and whatever has been appended since, up to the limit.
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // One byte more tells whether the file has grown since.
            char next;
            const ssize_t got = readSome(&next, 1);
            if (got < 0)
                return failed(errno);
            if (got == 0)
                break;
            if (filled + 1 > maxBytes)
                return refused(Outcome::TooLarge, EFBIG, filled + 1);
            bytes.resize(filled + qMax<qint64>(filled / 2, 64 * 1024));
            bytes[filled++] = next;
        }
        const ssize_t got = readSome(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return failed(errno);
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return refused(Outcome::TooLarge, EFBIG, filled);
    bytes.truncate(filled);

    RegularFileContent content;
    content.outcome = Outcome::Read;
    content.bytes = std::move(bytes);
    content.size = filled;
    return content;
}
