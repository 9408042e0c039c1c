#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Every text of start-up and of the settings store that the user sees.
namespace SettingsTexts {

// Status panels at start-up.

QString storeNotReadable(const QString &path, const QString &reason);
QString storeMalformed(const QString &path);
QString cannotSave(QStringView key, const QString &path, const QString &reason);
// The texts that quote a stored value, a drive or a folder quote at most
// its first 60 characters, followed by "..." when it is longer.
QString notBoolean(QStringView key, const QString &stored, const QString &used);
QString numberOutOfRange(QStringView key, const QString &stored, const QString &used);

QString removalListNotRead(const QString &path, const QString &reason);
QString noStringsRemoved(const QString &reason);
// Names the lines of the list that are not valid text: the first few of
// them by number, then how many more there are.
QString removalLinesNotText(const QString &path, const QList<qint64> &named, qint64 count);

// Why a file is not read.
QString notRegularFile(); // "it is not a regular file"
QString tooLarge(qint64 size, qint64 limit);

// Why a default drive or folder cannot be used.
QString doesNotExist(); // "it does not exist on this computer"
QString notReady(); // "it is not ready"

// A stored default drive or folder is quoted in its stored drive-letter form
// ("e:\Music"); a folder that the program found or chose, such as the one
// shown instead, is given as the system names it ("/media/e").
QString driveNotUsable(const QString &drive, const QString &reason, const QString &used);
QString driveFailed(const QString &drive, const QString &reason);
QString folderNotUsable(const QString &folder, const QString &reason, const QString &used);
QString folderFailed(const QString &folder, const QString &reason);

// The Settings menu commands.
QString drivePrompt(); // "Enter drive letter:"
QString driveTitle(); // "Default Drive"
QString driveNotALetter();
QString driveMissing(const QString &answer);
QString driveRestored(const QString &answer);
QString pathPrompt(); // "Enter path string:"
QString pathTitle(); // "Default Path"
QString pathMissing(const QString &drive, const QString &answer);
QString pathRestored(const QString &drive, const QString &answer);
QString lengthPrompt();
QString lengthTitle();
QString lengthRange(); // names Limits::DefaultMaxLength
QString lengthNotNumber();
QString limitPrompt();
QString limitTitle();
QString limitRange(); // names Limits::MaxFiles
QString limitNotNumber();
QString notSaved(const QString &description);

} // namespace SettingsTexts
