#pragma once

#include "drives.h"
#include "mountinfo_linux.h"

#include <QString>

// Drive letters over the mount table: "C" is the root "/"; every other
// volume on a real device (a source under /dev/, pseudo and memory file
// systems left out) gets the next letter from "D", in the order of the
// mount points. Network shares and FUSE mounts that hold a user's files
// (NFS, SMB, sshfs, gvfs, kio-fuse, MTP ...) follow them, so that adding one
// never moves a volume's letter; those past "Z" are listed without one. A
// source mounted more than once counts once, at its first mount point. The
// table is read afresh on every call, so drives that come and go while the
// program runs are seen.
class LinuxDrives final : public Drives
{
public:
    explicit LinuxDrives(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"));

    QList<DriveInfo> list() const override;
    bool exists(const QString &name) const override;
    bool isReady(QChar letter) const override;
    std::optional<QString> localPath(const QString &driveFolder) const override;

    // The letters that a mount table gives, "C" first.
    static QList<DriveInfo> lettersFor(const QList<MountEntry> &mounts);

private:
    QString m_mountInfoPath;
};
