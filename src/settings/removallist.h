#pragma once

#include "result.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The user's list of strings to strip from file names: "Purlex.txt" beside
// the executable, one string per line, taken exactly as written.
namespace RemovalList {

inline constexpr QStringView FileName = u"Purlex.txt";
// A larger file is not read: the list would take longer to load and more
// memory to hold than any list of strings to remove needs.
inline constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// How many of the lines that are not valid text are named by number.
inline constexpr qsizetype NotTextLinesNamed = 5;

struct Lines
{
    QStringList items;
    // The numbers, from 1, of the first lines that are not valid text (at
    // most NotTextLinesNamed of them), and how many there are in all.
    QList<qint64> notTextLines;
    qint64 notTextCount = 0;
};

// The full path of the list in `folder`; an empty folder stands for the
// folder that holds the executable, whatever the working folder.
QString filePath(const QString &folder = QString());

// The lines of the file's text: blanks kept, empty lines as empty items,
// duplicates kept, LF or CR LF as line ends (a lone CR is part of its line),
// no item after a final line end. A line that is not valid text in the
// system's encoding is no item; it is counted instead.
Lines parse(QByteArrayView bytes);

// The items of the list in `folder` (see filePath). A file that is missing,
// unreadable, not a regular file or larger than MaxFileSize fails at once,
// with a description that names its full path and the reason.
Result<Lines> load(const QString &folder = QString());

} // namespace RemovalList
