#include "folderentries.h"

#include "folderreader_linux.h"
#include "oserror.h"
#include "uniquefd.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

Result<FolderEntries> readFolderEntries(const QString &path)
{
    const UniqueFd folder(
        open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return systemFailure(errno, cannotOpenFolder(path));

    FolderEntries entries;
    const Status read = readFolder(folder.get(), path, [&](const dirent &entry) {
        const QByteArrayView name(entry.d_name, qsizetype(std::strlen(entry.d_name)));
        if (isHiddenName(name))
            return;
        unsigned char type = entry.d_type;
        // A link is what it leads to; a dangling one is nothing to show.
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat info;
            if (fstatat(folder.get(), entry.d_name, &info, 0) != 0)
                return;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            entries.folders.append(name.toByteArray());
        else if (type == DT_REG)
            entries.files.append(name.toByteArray());
    });
    if (!read.ok())
        return read.failure();
    return entries;
}
