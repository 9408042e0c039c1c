#include "settingstexts.h"

#include "enginetexts.h"
#include "range.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace SettingsTexts {
namespace {

// A stored value as a warning quotes it: a value can be of any length, and
// quoted whole a long one would make the warning unreadable and slow to show.
QString excerpt(const QString &stored)
{
    constexpr qsizetype Shown = 60;
    if (stored.size() <= Shown)
        return stored;
    // Never half of a character that takes two code units.
    const qsizetype cut = stored[Shown - 1].isHighSurrogate() ? Shown - 1 : Shown;
    return stored.first(cut) + u"..."_s;
}

} // namespace

QString storeNotReadable(const QString &path, const QString &reason)
{
    return u"The settings file '%1' cannot be read (%2); the built-in defaults are used."_s.arg(
        path, reason);
}

QString storeMalformed(const QString &path)
{
    return u"The settings file '%1' is not in the expected format; the built-in defaults are used."_s
        .arg(path);
}

QString cannotSave(QStringView key, const QString &path, const QString &reason)
{
    return u"Cannot save the setting %1 to '%2': %3"_s.arg(key, path, reason);
}

QString notBoolean(QStringView key, const QString &stored, const QString &used)
{
    return u"The stored setting %1 is '%2', which is neither True, False nor a number; %3 is used instead."_s
        .arg(key, excerpt(stored), used);
}

QString numberOutOfRange(QStringView key, const QString &stored, const QString &used)
{
    return u"The stored setting %1 is '%2', which lies outside %3 to %4; %5 is used instead."_s
        .arg(key, excerpt(stored))
        .arg(Limits::WholeNumber16.low)
        .arg(Limits::WholeNumber16.high)
        .arg(used);
}

QString removalListNotRead(const QString &path, const QString &reason)
{
    return u"Cannot read the list of strings to remove, '%1': %2"_s.arg(path, reason);
}

QString noStringsRemoved(const QString &reason)
{
    return reason + u"; no strings will be removed."_s;
}

QString removalLinesNotText(const QString &path, const QList<qint64> &named, qint64 count)
{
    QStringList numbers;
    for (const qint64 number : named)
        numbers.append(QString::number(number));
    const qint64 more = count - named.size();
    if (more > 0)
        numbers.append(u"%1 more"_s.arg(more));
    const QString listed = numbers.size() == 1
        ? numbers[0]
        : numbers.first(numbers.size() - 1).join(u", "_s) + u" and "_s + numbers.last();
    return (count == 1 ? u"Line %1 of the list of strings to remove, '%2', is not valid text; "
                         u"it is left out, the other lines are used."_s
                       : u"Lines %1 of the list of strings to remove, '%2', are not valid text; "
                         u"they are left out, the other lines are used."_s)
        .arg(listed, path);
}

QString notRegularFile()
{
    return u"it is not a regular file"_s;
}

QString tooLarge(qint64 size, qint64 limit)
{
    return u"it is %1 bytes long, more than the %2 bytes (%3 MB) that are read"_s.arg(
        QString::number(size), QString::number(limit), QString::number(limit / (1024 * 1024)));
}

QString doesNotExist()
{
    return u"it does not exist on this computer"_s;
}

QString notReady()
{
    return u"it is not ready"_s;
}

QString driveNotUsable(const QString &drive, const QString &reason, const QString &used)
{
    return u"The default drive '%1' cannot be used (%2); '%3' is shown instead."_s.arg(
        excerpt(drive), reason, used);
}

QString driveFailed(const QString &drive, const QString &reason)
{
    return u"The drive '%1' cannot be shown (%2)."_s.arg(excerpt(drive), reason);
}

QString folderNotUsable(const QString &folder, const QString &reason, const QString &used)
{
    return u"The default folder '%1' cannot be used (%2); '%3' is shown instead."_s.arg(
        excerpt(folder), reason, used);
}

QString folderFailed(const QString &folder, const QString &reason)
{
    return u"The folder '%1' cannot be shown (%2)."_s.arg(excerpt(folder), reason);
}

QString drivePrompt()
{
    return u"Enter drive letter:"_s;
}

QString driveTitle()
{
    return u"Default Drive"_s;
}

QString driveNotALetter()
{
    return u"Drive letter must be a single letter A to Z"_s;
}

QString driveMissing(const QString &answer)
{
    return u"Drive "_s + answer + u" does not exist on this computer"_s;
}

QString driveRestored(const QString &answer)
{
    return u"Drive "_s + answer + u" may not be used as default drive, original entry restored"_s;
}

QString pathPrompt()
{
    return u"Enter path string:"_s;
}

QString pathTitle()
{
    return u"Default Path"_s;
}

QString pathMissing(const QString &drive, const QString &answer)
{
    return u"Path "_s + drive + u":\\"_s + answer + u" does not exist on this computer"_s;
}

QString pathRestored(const QString &drive, const QString &answer)
{
    return u"Path "_s + drive + u":\\"_s + answer
        + u" may not be used as default path, original entry restored"_s;
}

QString lengthPrompt()
{
    return u"Enter maximum length of file name:"_s;
}

QString lengthTitle()
{
    return u"Maximum Length"_s;
}

QString lengthRange()
{
    return EngineTexts::maxLengthRange(Limits::DefaultMaxLength);
}

QString lengthNotNumber()
{
    return u"Maximum length must be a number"_s;
}

QString limitPrompt()
{
    return u"Enter maximum number of files to inspect:"_s;
}

QString limitTitle()
{
    return u"Maximum Files"_s;
}

QString limitRange()
{
    return u"Maximum files must be %1 to %2"_s.arg(Limits::MaxFiles.low).arg(Limits::MaxFiles.high);
}

QString limitNotNumber()
{
    return u"Maximum files must be a number"_s;
}

QString notSaved(const QString &description)
{
    return description
        + u"\n\nThe new value is in force until Purlex ends, but it was not saved."_s;
}

} // namespace SettingsTexts
