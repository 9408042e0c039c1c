#pragma once

#include "saveddefaults.h"

#include <QString>
#include <QStringList>

class DefaultsView;
class Drives;
class SettingsStore;
class UserDialogs;

// The main window's start-up (Form_Load): reads the saved defaults and the
// removal list and puts them on the window, in nine fixed steps. Nothing
// found on disk stops it: a default that cannot be used is replaced by the
// nearest sound value for this run (the stored one stays as it is), and
// everything that went wrong is told to the user in one warning at the end.
class Startup final
{
public:
    Startup(
        DefaultsView &view, UserDialogs &dialogs, const Drives &drives, const SettingsStore &store);

    // Where "Purlex.txt" is looked for; RemovalListPlace::standard() unless
    // set.
    void setRemovalListFolder(const QString &folder) { m_removalListFolder = folder; }

    // Fills `defaults` with the values in force and appends the removal
    // list to `colJnk`.
    void run(SavedDefaults &defaults, QStringList &colJnk);

private:
    void loadRemovalList(QStringList &colJnk);
    void selectDrive(SavedDefaults &defaults);
    void selectFolder(SavedDefaults &defaults);
    void showDefaults(const SavedDefaults &defaults);
    QString systemPath(const QString &driveFolder) const;

    DefaultsView &m_view;
    UserDialogs &m_dialogs;
    const Drives &m_drives;
    const SettingsStore &m_store;
    QString m_removalListFolder;
    QStringList m_problems;
};
