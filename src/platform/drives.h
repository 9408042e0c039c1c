#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

struct DriveInfo
{
    QChar letter; // upper case; null for a mount past "Z"
    QString mountPoint; // "/" for drive C
    // The file system of a mount that is no volume on a device ("nfs4",
    // "sshfs"); empty for a volume on a device.
    QString kind = {};
};

// Drive letters over the mounted volumes: "C" is the root "/", further
// letters name the other volumes. A drive folder text such as "e:\Music"
// names a folder on the volume of that letter.
class Drives
{
public:
    virtual ~Drives() = default;

    virtual QList<DriveInfo> list() const = 0;
    // True when the text names a drive, even one that is not ready.
    virtual bool exists(const QString &name) const = 0;
    // False for a drive that exists but cannot be read now.
    virtual bool isReady(QChar letter) const = 0;
    // The local path of a drive folder text ("X:\" & path, backslashes as
    // separators, letter in either case); nothing when no drive has the letter.
    virtual std::optional<QString> localPath(const QString &driveFolder) const = 0;
};
