#include "enginetexts.h"

#include "filename.h"
#include "textconversions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace EngineTexts {

QString errorDialogTitle()
{
    return QCoreApplication::translate("EngineTexts", "Runtime Error");
}

QString errorDialogPrompt(const Failure &failure)
{
    return QCoreApplication::translate("EngineTexts", "Error: ")
        + TextConversions::numberText(failure.number) + u"\r\n"_s + failure.description + u"\r\n"_s
        + QCoreApplication::translate("EngineTexts", "Click OK to continue or Cancel to abort");
}

QString cutBelowZero(const QString &name, double maxLength)
{
    return QCoreApplication::translate(
        "EngineTexts", "Cannot cut '%1' to the maximum length %2: its extension alone is longer")
        .arg(name, QString::number(maxLength));
}

QString fileNameNotText(const QString &escapedPath)
{
    return QCoreApplication::translate(
        "EngineTexts", "The name of '%1' is not valid text; the file is left as it is")
        .arg(escapedPath);
}

QString folderNameNotText(const QString &escapedPath)
{
    return QCoreApplication::translate(
        "EngineTexts", "The name of the folder '%1' is not valid text; the folder is left as it is")
        .arg(escapedPath);
}

QString noFreeNumber(const QString &name)
{
    return QCoreApplication::translate(
        "EngineTexts", "Overflow: every number up to %1 is taken for '%2'; the file keeps its name")
        .arg(Limits::HighestNameNumber)
        .arg(name);
}

QString noSafeRename(const QString &folder)
{
    return QCoreApplication::translate("EngineTexts",
        "The file system of '%1' cannot rename files, so Purlex leaves its files as they are")
        .arg(folder);
}

QString noModes(const QString &folder)
{
    return QCoreApplication::translate("EngineTexts",
        "The file system of '%1' keeps no permissions, so the read-only bit of its files "
        "cannot be changed")
        .arg(folder);
}

QString cannotRename(const QString &name, const QString &newName, const QString &folder)
{
    return QCoreApplication::translate("EngineTexts", "Cannot rename '%1' to '%2' in '%3'")
        .arg(name, newName, folder);
}

QString newNameHides(const QString &path, const QString &newName)
{
    return QCoreApplication::translate("EngineTexts",
        "'%1' is not renamed to '%2': a name that starts with a dot would hide the file")
        .arg(path, newName);
}

QString changedDuringRename(const QString &name, const QString &newName, const QString &folder)
{
    return QCoreApplication::translate("EngineTexts",
        "'%1' in '%3' was replaced by another file while it was being renamed to '%2'; "
        "both are kept, the file that was renamed under '%2'")
        .arg(name, newName, folder);
}

QString journalNotWritable(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("EngineTexts",
        "Cannot write the undo journal '%1': %2. Without it this pass cannot be undone")
        .arg(path, reason);
}

QString journalNotReadable(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("EngineTexts", "Cannot read the undo journal '%1': %2")
        .arg(path, reason);
}

QString folderReplaced(const QString &folder)
{
    return u"'%1' is no longer the folder that the execution changed; nothing in it is taken "
           "back"_s.arg(folder);
}

QString fileReplaced(const QString &path)
{
    return u"'%1' is no longer the file that the execution changed; it is left as it is"_s.arg(
        path);
}

QString notAJournal()
{
    return QCoreApplication::translate("EngineTexts", "it is not in the expected format");
}

QString maxLengthRange(Range range)
{
    return QCoreApplication::translate("EngineTexts", "Maximum length must be %1 to %2")
        .arg(range.low)
        .arg(range.high);
}

} // namespace EngineTexts
