#pragma once

#include "result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// The user's list of strings to strip from file names: "Purlex.txt" beside
// the executable, one string per line, taken exactly as written.
namespace RemovalList {

inline constexpr QStringView FileName = u"Purlex.txt";

// The full path of the list in `folder`; an empty folder stands for the
// folder that holds the executable, whatever the working folder.
QString filePath(const QString &folder = QString());

// The lines of the file's text: blanks kept, empty lines as empty items,
// duplicates kept, LF or CR LF as line ends, no item after a final line end.
QStringList parse(QByteArrayView bytes);

// The items of the list in `folder` (see filePath). A missing or unreadable
// file fails with a description that names its full path.
Result<QStringList> load(const QString &folder = QString());

} // namespace RemovalList
