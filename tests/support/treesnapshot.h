#pragma once

#include <QByteArrayList>

#include <filesystem>

// Every entry below `root` as "path|mode|content": the relative path as the
// file system holds it, the permission bits, and a file's content or a
// link's target. Sorted, so two snapshots compare whole trees.
QByteArrayList treeSnapshot(const std::filesystem::path &root);
