#include "enginetexts.h"

#include "filename.h"
#include "textconversions.h"

using namespace Qt::StringLiterals;

namespace EngineTexts {

QString errorDialogTitle()
{
    return u"Runtime Error"_s;
}

QString errorDialogPrompt(const Failure &failure)
{
    return u"Error: "_s + TextConversions::numberText(failure.number) + u"\r\n"_s
        + failure.description + u"\r\n"_s + u"Click OK to continue or Cancel to abort"_s;
}

QString cutBelowZero(const QString &name, double maxLength)
{
    return u"Cannot cut '%1' to the maximum length %2: its extension alone is longer"_s.arg(
        name, QString::number(maxLength));
}

QString fileNameNotText(const QString &escapedPath)
{
    return u"The name of '%1' is not valid text; the file is left as it is"_s.arg(escapedPath);
}

QString folderNameNotText(const QString &escapedPath)
{
    return u"The name of the folder '%1' is not valid text; the folder is left as it is"_s.arg(
        escapedPath);
}

QString noFreeNumber(const QString &name)
{
    return u"Overflow: every number up to 32767 is taken for '%1'; the file keeps its name"_s.arg(
        name);
}

QString noSafeRename(const QString &folder)
{
    return u"The file system of '%1' supports no rename that cannot replace a file, so Purlex "
           "leaves its files as they are"_s.arg(folder);
}

QString changedDuringRename(const QString &name, const QString &newName, const QString &folder)
{
    return u"'%1' in '%3' was replaced by another file while it was being renamed to '%2'; "
           "both are kept, the file that was renamed under '%2'"_s.arg(name, newName, folder);
}

QString journalNotWritable(const QString &path, const QString &reason)
{
    return u"Cannot write the undo journal '%1': %2. Without it this pass cannot be undone"_s.arg(
        path, reason);
}

QString journalNotReadable(const QString &path, const QString &reason)
{
    return u"Cannot read the undo journal '%1': %2"_s.arg(path, reason);
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
    return u"it is not in the expected format"_s;
}

QString maxLengthRange(Range range)
{
    return u"Maximum length must be %1 to %2"_s.arg(range.low).arg(range.high);
}

QString inputErrorTitle()
{
    return u"Input Error"_s;
}

QString navigating()
{
    return u"Navigating..."_s;
}

QString completed()
{
    return u"Completed"_s;
}

QString readCount(qint64 count)
{
    return u" Read: "_s + TextConversions::numberText(count);
}

QString currentFile(const QString &folder, const QString &name)
{
    return u' ' + joinedPath(folder, name);
}

QString fixedCount(qint64 count)
{
    return u" Fixed: "_s + TextConversions::numberText(count);
}

} // namespace EngineTexts
