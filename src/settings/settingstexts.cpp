#include "settingstexts.h"

#include "enginetexts.h"
#include "range.h"

#include <QCoreApplication>
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
    return QCoreApplication::translate("SettingsTexts",
        "The settings file '%1' cannot be read (%2); the built-in defaults are used.")
        .arg(path, reason);
}

QString storeMalformed(const QString &path)
{
    return QCoreApplication::translate("SettingsTexts",
        "The settings file '%1' is not in the expected format; the built-in defaults are used.")
        .arg(path);
}

QString cannotSave(QStringView key, const QString &path, const QString &reason)
{
    return QCoreApplication::translate("SettingsTexts", "Cannot save the setting %1 to '%2': %3")
        .arg(key, path, reason);
}

QString notBoolean(QStringView key, const QString &stored, const QString &used)
{
    return QCoreApplication::translate("SettingsTexts",
        "The stored setting %1 is '%2', which is neither True, False nor a number; %3 is used "
        "instead.")
        .arg(key, excerpt(stored), used);
}

QString numberOutOfRange(QStringView key, const QString &stored, const QString &used)
{
    return QCoreApplication::translate("SettingsTexts",
        "The stored setting %1 is '%2', which lies outside %3 to %4; %5 is used instead.")
        .arg(key, excerpt(stored))
        .arg(Limits::WholeNumber16.low)
        .arg(Limits::WholeNumber16.high)
        .arg(used);
}

QString removalListNotRead(const QString &path, const QString &reason)
{
    return QCoreApplication::translate(
        "SettingsTexts", "Cannot read the list of strings to remove, '%1': %2")
        .arg(path, reason);
}

QString noStringsRemoved(const QString &reason)
{
    return reason + QCoreApplication::translate("SettingsTexts", "; no strings will be removed.");
}

QString removalLinesNotText(const QString &path, const QList<qint64> &named, qint64 count)
{
    QStringList numbers;
    for (const qint64 number : named)
        numbers.append(QString::number(number));
    const qint64 more = count - named.size();
    if (more > 0)
        numbers.append(QCoreApplication::translate("SettingsTexts", "%1 more").arg(more));
    const QString listed = numbers.size() == 1
        ? numbers[0]
        : numbers.first(numbers.size() - 1).join(QCoreApplication::translate("SettingsTexts", ", "))
            + QCoreApplication::translate("SettingsTexts", " and ") + numbers.last();
    return (count == 1 ? QCoreApplication::translate("SettingsTexts",
                "Line %1 of the list of strings to remove, '%2', is not valid text; "
                "it is left out, the other lines are used.")
                       : QCoreApplication::translate("SettingsTexts",
                           "Lines %1 of the list of strings to remove, '%2', are not valid text; "
                           "they are left out, the other lines are used."))
        .arg(listed, path);
}

QString notRegularFile()
{
    return QCoreApplication::translate("SettingsTexts", "it is not a regular file");
}

QString tooLarge(qint64 size, qint64 limit)
{
    return QCoreApplication::translate(
        "SettingsTexts", "it is %1 bytes long, more than the %2 bytes (%3 MB) that are read")
        .arg(QString::number(size), QString::number(limit), QString::number(limit / (1024 * 1024)));
}

QString doesNotExist()
{
    return QCoreApplication::translate("SettingsTexts", "it does not exist on this computer");
}

QString notReady()
{
    return QCoreApplication::translate("SettingsTexts", "it is not ready");
}

QString driveNotUsable(const QString &drive, const QString &reason, const QString &used)
{
    return QCoreApplication::translate(
        "SettingsTexts", "The default drive '%1' cannot be used (%2); '%3' is shown instead.")
        .arg(excerpt(drive), reason, used);
}

QString driveFailed(const QString &drive, const QString &reason)
{
    return QCoreApplication::translate("SettingsTexts", "The drive '%1' cannot be shown (%2).")
        .arg(excerpt(drive), reason);
}

QString folderNotUsable(const QString &folder, const QString &reason, const QString &used)
{
    return QCoreApplication::translate(
        "SettingsTexts", "The default folder '%1' cannot be used (%2); '%3' is shown instead.")
        .arg(excerpt(folder), reason, used);
}

QString folderFailed(const QString &folder, const QString &reason)
{
    return QCoreApplication::translate("SettingsTexts", "The folder '%1' cannot be shown (%2).")
        .arg(excerpt(folder), reason);
}

QString drivePrompt()
{
    return QCoreApplication::translate("SettingsTexts", "Enter drive letter:");
}

QString driveTitle()
{
    return QCoreApplication::translate("SettingsTexts", "Default Drive");
}

QString driveNotALetter()
{
    return QCoreApplication::translate(
        "SettingsTexts", "Drive letter must be a single letter A to Z");
}

QString driveMissing(const QString &answer)
{
    return QCoreApplication::translate("SettingsTexts", "Drive ") + answer
        + QCoreApplication::translate("SettingsTexts", " does not exist on this computer");
}

QString driveRestored(const QString &answer)
{
    return QCoreApplication::translate("SettingsTexts", "Drive ") + answer
        + QCoreApplication::translate(
            "SettingsTexts", " may not be used as default drive, original entry restored");
}

QString pathPrompt()
{
    return QCoreApplication::translate("SettingsTexts", "Enter path string:");
}

QString pathTitle()
{
    return QCoreApplication::translate("SettingsTexts", "Default Path");
}

QString pathMissing(const QString &drive, const QString &answer)
{
    return QCoreApplication::translate("SettingsTexts", "Path ") + drive + u":\\"_s + answer
        + QCoreApplication::translate("SettingsTexts", " does not exist on this computer");
}

QString pathRestored(const QString &drive, const QString &answer)
{
    return QCoreApplication::translate("SettingsTexts", "Path ") + drive + u":\\"_s + answer
        + QCoreApplication::translate(
            "SettingsTexts", " may not be used as default path, original entry restored");
}

QString lengthPrompt()
{
    return QCoreApplication::translate("SettingsTexts", "Enter maximum length of file name:");
}

QString lengthTitle()
{
    return QCoreApplication::translate("SettingsTexts", "Maximum Length");
}

QString lengthRange()
{
    return EngineTexts::maxLengthRange(Limits::DefaultMaxLength);
}

QString lengthNotNumber()
{
    return QCoreApplication::translate("SettingsTexts", "Maximum length must be a number");
}

QString limitPrompt()
{
    return QCoreApplication::translate(
        "SettingsTexts", "Enter maximum number of files to inspect:");
}

QString limitTitle()
{
    return QCoreApplication::translate("SettingsTexts", "Maximum Files");
}

QString limitRange()
{
    return QCoreApplication::translate("SettingsTexts", "Maximum files must be %1 to %2")
        .arg(Limits::MaxFiles.low)
        .arg(Limits::MaxFiles.high);
}

QString limitNotNumber()
{
    return QCoreApplication::translate("SettingsTexts", "Maximum files must be a number");
}

QString notSaved(const QString &description)
{
    return description
        + QCoreApplication::translate("SettingsTexts",
            "\n\nThe new value is in force until Purlex ends, but it was not saved.");
}

} // namespace SettingsTexts
