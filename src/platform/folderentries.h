#pragma once

#include "filename.h"
#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// What the window's folder and file lists show of one folder, read in one
// go, names as the file system holds them. Links count as what they lead to,
// since the user opens a folder or file through them; hidden entries and
// anything that is neither a folder nor a regular file are left out.
struct FolderEntries
{
    QList<QByteArray> folders;
    QList<QByteArray> files;
};

Result<FolderEntries> readFolderEntries(const QString &path);
