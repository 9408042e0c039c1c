#include "linuxfilesystemrename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace NoReplaceRename {

int rename(const QByteArray &from, const QByteArray &to)
{
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    // EINVAL: the file system refuses the flag; ENOSYS: a kernel without it.
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    return byLink(from, to);
}

int byLink(const QByteArray &from, const QByteArray &to)
{
    if (linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 0) != 0)
        return errno;
    if (unlinkat(AT_FDCWD, from.constData(), 0) != 0) {
        const int error = errno;
        unlinkat(AT_FDCWD, to.constData(), 0);
        return error;
    }
    return 0;
}

} // namespace NoReplaceRename
