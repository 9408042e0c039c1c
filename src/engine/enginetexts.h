#pragma once

#include "failure.h"
#include "range.h"

#include <QString>

// Every text of the cleaning engine that the user sees.
namespace EngineTexts {

inline constexpr int InvalidArgumentNumber = 5;
inline constexpr int OverflowNumber = 6;
inline constexpr int NotTextNumber = 84; // EILSEQ: an illegal byte sequence
// EOPNOTSUPP: the file system has no rename that cannot replace a file.
inline constexpr int NoSafeRenameNumber = 95;
// ESTALE: what the journal names is no longer the entry the pass changed.
inline constexpr int NotTheSameEntryNumber = 116;

// Keys of the status panels that the pass writes.
inline const QString ReadPanel = QStringLiteral("Read");
inline const QString FixedPanel = QStringLiteral("Fixed");
inline const QString CurrentPanel = QStringLiteral("Current");

QString errorDialogTitle();
// "Error: <number>\r\n<description>\r\nClick OK to continue or Cancel to abort"
QString errorDialogPrompt(const Failure &failure);

QString cutBelowZero(const QString &name, double maxLength);
QString fileNameNotText(const QString &escapedPath);
QString folderNameNotText(const QString &escapedPath);
QString noFreeNumber(const QString &name);
QString noSafeRename(const QString &folder);
QString changedDuringRename(const QString &name, const QString &newName, const QString &folder);

QString journalNotWritable(const QString &path, const QString &reason);
QString journalNotReadable(const QString &path, const QString &reason);
QString notAJournal();
QString folderReplaced(const QString &folder);
QString fileReplaced(const QString &path);

// "Maximum length must be <low> to <high>", by default of the box's range.
QString maxLengthRange(Range range = Limits::MaxLength);
QString inputErrorTitle();
QString navigating();
QString completed();
QString readCount(qint64 count);
QString fixedCount(qint64 count);
// Panel "Current" while a file is read: a blank and its full path.
QString currentFile(const QString &folder, const QString &name);

} // namespace EngineTexts
