#pragma once

#include "failure.h"
#include "range.h"

#include <QString>

// Every text of the cleaning engine that the user sees.
namespace EngineTexts {

QString errorDialogTitle();
// "Error: <number>\r\n<description>\r\nClick OK to continue or Cancel to abort"
QString errorDialogPrompt(const Failure &failure);

QString cutBelowZero(const QString &name, double maxLength);
QString fileNameNotText(const QString &escapedPath);
QString folderNameNotText(const QString &escapedPath);
QString noFreeNumber(const QString &name);
QString noSafeRename(const QString &folder);
QString newNameHides(const QString &path, const QString &newName);
// "Cannot rename 'a' to 'b' in '/x'", before the reason.
QString cannotRename(const QString &name, const QString &newName, const QString &folder);
QString noModes(const QString &folder);
QString changedDuringRename(const QString &name, const QString &newName, const QString &folder);

QString journalNotWritable(const QString &path, const QString &reason);
QString journalNotReadable(const QString &path, const QString &reason);
QString notAJournal();
QString folderReplaced(const QString &folder);
QString fileReplaced(const QString &path);

// "Maximum length must be <low> to <high>", by default of the box's range.
QString maxLengthRange(Range range = Limits::MaxLength);

} // namespace EngineTexts
