#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// One line of /proc/self/mountinfo, with the escapes of the kernel (\040
// for a blank and the like) undone.
struct MountEntry
{
    QString device; // the mount source, "/dev/sdb1" for a real device
    QString mountPoint;
    QString fileSystem; // "ext4", "tmpfs", ...
    // "0:40": one per mounted file system, shared only by its bind mounts.
    QString deviceNumber = {};
};

namespace MountInfo {

// The entries in file order; lines that do not have the kernel's shape are
// left out.
QList<MountEntry> parse(QByteArrayView text);

} // namespace MountInfo
