#pragma once

#include "result.h"

#include <QString>

#include <dirent.h>
#include <functional>

// What a failure to reach a folder says it attempted.
QString cannotOpenFolder(const QString &path);
QString cannotListFolder(const QString &path);

// Reads every entry of the folder open at `folderFd` but "." and "..", in
// the order the system gives them, through a descriptor of its own, so the
// folder's stays where it is. A read that fails part way is a failure, never
// a shorter listing.
Status readFolder(
    int folderFd, const QString &path, const std::function<void(const dirent &entry)> &take);
