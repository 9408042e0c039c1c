#include "folderreader_linux.h"

#include "oserror.h"
#include "uniquedir.h"
#include "uniquefd.h"

#include <cerrno>
#include <fcntl.h>

using namespace Qt::StringLiterals;

QString cannotOpenFolder(const QString &path)
{
    return u"Cannot open folder '%1'"_s.arg(path);
}

QString cannotListFolder(const QString &path)
{
    return u"Cannot list folder '%1'"_s.arg(path);
}

Status readFolder(
    int folderFd, const QString &path, const std::function<void(const dirent &entry)> &take)
{
    UniqueFd listFd(openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listFd.valid())
        return systemFailure(errno, cannotListFolder(path));
    const UniqueDir dir(fdopendir(listFd.get()));
    if (!dir.get())
        return systemFailure(errno, cannotListFolder(path));
    listFd.release(); // the stream owns it now

    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir.get());
        if (!entry)
            break;
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        take(*entry);
    }
    if (errno != 0)
        return systemFailure(errno, cannotListFolder(path));
    return Status::success();
}
