#pragma once

#include <QByteArrayList>

#include <filesystem>

// Makes entries below `root` from items joined by "|": "name/" a folder,
// "name*" a read-only file, "name!" a FIFO, "name>target" a symbolic link,
// any other a file that holds its own name, so that a file lost or
// overwritten shows. "name:0464" gives an entry that mode. Missing parent
// folders are made.
void buildTree(const std::filesystem::path &root, const QByteArray &layout);

// Items "<prefix><i><suffix>" for `from` <= i < `to`, joined by "|".
QByteArray numbered(const QByteArray &prefix, int from, int to, const QByteArray &suffix);

// Every entry below `root` as "path|mode|content": the relative path as the
// file system holds it, the permission bits, and a file's content or a
// link's target. Sorted, so two snapshots compare whole trees.
QByteArrayList treeSnapshot(const std::filesystem::path &root);
