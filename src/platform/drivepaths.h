#pragma once

#include "drives.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The translation between drive texts ("e", "E:", "e:\Music\Rock") and local
// paths over any list of drives, so that every Drives implementation, and
// the window that shows which drive a folder is on, read them alike.
namespace DrivePaths {

// The upper-case letter that a drive text starts with; nothing when its
// first character is not a letter A to Z in either case.
std::optional<QChar> letterOf(QStringView text);

const DriveInfo *find(const QList<DriveInfo> &drives, QChar letter);

// "X:" & path on the volume of drive X: its mount point joined with the
// path, "\" and "/" both separators, "." and ".." resolved without leaving
// the volume. Nothing when the text does not start with a letter and ":" or
// no drive has the letter.
std::optional<QString> localPath(const QList<DriveInfo> &drives, QStringView driveFolder);

// True when a drive folder text names an existing folder.
bool folderExists(const Drives &drives, const QString &driveFolder);

// The lettered drive whose volume holds the local path: the one with the
// deepest mount point that contains it.
std::optional<DriveInfo> driveOf(const QList<DriveInfo> &drives, const QString &localPath);
// The index of the entry, lettered or not, whose volume holds the local
// path; -1 when none does.
qsizetype mountOf(const QList<DriveInfo> &drives, const QString &localPath);

} // namespace DrivePaths
