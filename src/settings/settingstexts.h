#pragma once

#include <QString>
#include <QStringView>

// Every text of start-up and of the settings store that the user sees.
namespace SettingsTexts {

// Status panels at start-up.
QString readPanelStart(); // " Read: 0"
QString fixedPanelStart(); // " Fixed: 0"
QString currentPanelStart(); // "Ready..."

QString storeNotReadable(const QString &path);
QString storeMalformed(const QString &path);
QString cannotSave(QStringView key, const QString &path, const QString &reason);
QString notBoolean(QStringView key, const QString &stored, const QString &used);
QString numberOutOfRange(QStringView key, const QString &stored, const QString &used);

QString removalListNotRead(const QString &path, const QString &reason);
QString noStringsRemoved(const QString &reason);

// Why a default drive or folder cannot be used.
QString doesNotExist(); // "it does not exist on this computer"
QString notReady(); // "it is not ready"

QString driveNotUsable(const QString &drive, const QString &reason, const QString &used);
QString driveFailed(const QString &drive, const QString &reason);
QString folderNotUsable(const QString &folder, const QString &reason, const QString &used);
QString folderFailed(const QString &folder, const QString &reason);

} // namespace SettingsTexts
