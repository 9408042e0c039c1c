#pragma once

#include <QDateTime>
#include <QString>

// Every text of the windows that the user sees, spelled as the program shows
// it. Captions keep their access-key ampersands.
namespace UiTexts {

QString programCaption(); // "Purlex"

QString stringsToRemove();
QString maximumLengthLabel();
QString filesPerExecutionLabel();
QString includeSubdirs();
QString overrideReadOnly();
QString multSpace();
QString multSpecial();
QString empty();
QString underline();
QString copy();
QString starting();
QString ending();
QString execute();

QString fileMenu();
QString fileUndo(); // "&Undo Last Execution"
QString filePreview(); // "Pre&view..."
QString fileExit();
QString undoTitle();
// Names the folder, the time and what is taken back, as "Take back the 289
// renames and 8 read-only changes made in /home/ann/Downloads on 7 Dec 2026
// at 14:02?".
QString undoQuestion(
    qint64 renames, qint64 readOnlyChanges, const QString &folder, const QDateTime &madeAt);
QString settingsMenu();
QString settingsDefaultDrive();
QString settingsDefaultPath();
QString settingsDefaultLength();
QString settingsIncludeSubdirs();
QString settingsLimit();
QString settingsReadOnly();
QString settingsMultSpace();
QString settingsMultSpecial();
QString settingsEmpty();
QString settingsUnderlines();
QString settingsCopy();
QString settingsStarting();
QString settingsEnding();
QString helpMenu();
QString helpAbout(); // "&About"

// Status panel texts before start-up and the panels kept by the bar itself.
QString readBeforeStart();
QString fixedBeforeStart();
QString ready();
QString capsLock();
QString numLock();

QString inputErrorTitle();
QString countNotNumeric();
QString countRange();
QString lengthNotNumeric();
QString lengthRange();

// An entry of the drive list: "C: /", "E: /mnt/share [nfs4]" for a mount
// that is no volume on a device, and "(no letter) ..." past "Z".
QString driveEntry(QChar letter, const QString &mountPoint, const QString &kind);
// Files and folders that the program found are named in the system's
// notation; drive texts only where they echo what the user typed or stored.
QString driveNotReady(QChar letter, const QString &mountPoint);
QString folderMissing(const QString &driveFolder);

// The Preview window: what a pass would do, before it is run.
QString previewTitle(); // "Preview"
QString previewCounts(qint32 read, qint32 renamed, qint32 readOnlyCleared);
QString previewFolderColumn();
QString previewNameColumn();
QString previewNewNameColumn();
QString previewNoteColumn();
QString previewStartFolder(); // the start folder in the "Folder" column
QString previewNumbered();
QString previewReadOnly();
QString previewNumberedReadOnly();
QString previewReadOnlyCleared(); // a file that keeps its name
QString previewNothing();
QString previewClose();
QString wholeDriveTitle(); // "Whole Drive"
QString wholeDriveQuestion(QChar letter, const QString &folder);
QString wholeMountQuestion(const QString &folder); // a mount without a letter

// What a screen reader calls the controls that have no caption of their own.
QString driveListName();
QString folderListName();
QString fileListName();
QString statusBarName();

} // namespace UiTexts
