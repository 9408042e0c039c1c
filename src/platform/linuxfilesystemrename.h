#pragma once

#include <QByteArray>

// Renames that never replace an existing entry. Each returns 0 or an errno
// value; EEXIST when the new name is taken, by whatever kind of entry.
namespace NoReplaceRename {

// The kernel's own no-replace rename, with a hard link and an unlink where
// the file system does not know that flag. Nothing is ever copied.
int rename(const QByteArray &from, const QByteArray &to);

// The fallback alone: a hard link is refused as atomically as the flag when
// the name is taken; the old name goes once the new one stands.
int byLink(const QByteArray &from, const QByteArray &to);

} // namespace NoReplaceRename
