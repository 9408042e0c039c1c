#include "uitexts.h"

#include "enginetexts.h"
#include "settingstexts.h"

#include <QLocale>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace UiTexts {

QString programCaption()
{
    return u"Purlex"_s;
}

QString stringsToRemove()
{
    return u"Strings to Remove"_s;
}
QString maximumLengthLabel()
{
    return u"Maximum File Name Length:"_s;
}
QString filesPerExecutionLabel()
{
    return u"Files to Inspect per Execution:"_s;
}
QString includeSubdirs()
{
    return u"Include subdirectories?"_s;
}
QString overrideReadOnly()
{
    return u"Override read only?"_s;
}
QString multSpace()
{
    return u"Remove multiple spaces?"_s;
}
QString multSpecial()
{
    return u"Remove multi - _ < > ! @ # $ % ^ && * ?"_s;
}
QString empty()
{
    return u"Remove empty ( ) [ ] { } < > ?"_s;
}
QString underline()
{
    return u"Replace _ with space?"_s;
}
QString copy()
{
    return u"Remove starting CC, ZZ?"_s;
}
QString starting()
{
    return u"Remove starting - _ ) ] } > ?"_s;
}
QString ending()
{
    return u"Remove ending - _ ( [ { < ?"_s;
}
QString execute()
{
    return u"&Execute"_s;
}

QString fileMenu()
{
    return u"&File"_s;
}
QString fileUndo()
{
    return u"&Undo Last Execution"_s;
}
QString filePreview()
{
    return u"Pre&view..."_s;
}
QString fileExit()
{
    return u"Exit"_s;
}
QString undoTitle()
{
    return u"Undo Last Execution"_s;
}
QString undoQuestion(
    qint64 renames, qint64 readOnlyChanges, const QString &folder, const QDateTime &madeAt)
{
    const auto counted = [](qint64 count, const QString &one, const QString &many) {
        return (count == 1 ? one : many).arg(count);
    };
    QStringList changes;
    if (renames > 0 || readOnlyChanges == 0)
        changes.append(counted(renames, u"%1 rename"_s, u"%1 renames"_s));
    if (readOnlyChanges > 0)
        changes.append(
            counted(readOnlyChanges, u"%1 read-only change"_s, u"%1 read-only changes"_s));
    const QLocale english = QLocale::c();
    return u"Take back the %1 made in %2 on %3 at %4?"_s.arg(changes.join(u" and "_s), folder,
               english.toString(madeAt, u"d MMM yyyy"_s), english.toString(madeAt, u"HH:mm"_s))
        + u"\nEvery file goes back to its old name, and read-only files get their old mode "
          u"again. Nothing is replaced."_s;
}
QString settingsMenu()
{
    return u"&Settings"_s;
}
QString settingsDefaultDrive()
{
    return u"Default Drive..."_s;
}
QString settingsDefaultPath()
{
    return u"Default Path..."_s;
}
QString settingsDefaultLength()
{
    return u"Default Length..."_s;
}
QString settingsIncludeSubdirs()
{
    return u"Include Subdirectories?"_s;
}
QString settingsLimit()
{
    return u"Limit..."_s;
}
QString settingsReadOnly()
{
    return u"Override read only?"_s;
}
QString settingsMultSpace()
{
    return u"Remove multiple spaces?"_s;
}
QString settingsMultSpecial()
{
    return u"Remove multiple special char?"_s;
}
QString settingsEmpty()
{
    return u"Remove empty paired delimiters?"_s;
}
QString settingsUnderlines()
{
    return u"Replace underlines with spaces?"_s;
}
QString settingsCopy()
{
    return u"Remove starting CC, ZZ?"_s;
}
QString settingsStarting()
{
    return u"Remove starting closing delimiters?"_s;
}
QString settingsEnding()
{
    return u"Remove ending opening delimiters?"_s;
}
QString helpMenu()
{
    return u"&Help"_s;
}
QString helpAbout()
{
    return u"About"_s;
}

QString readBeforeStart()
{
    return u"Read: 0"_s;
}
QString fixedBeforeStart()
{
    return u"Fixed: 0"_s;
}
QString ready()
{
    return SettingsTexts::currentPanelStart();
}
QString capsLock()
{
    return u"CAPS"_s;
}
QString numLock()
{
    return u"NUM"_s;
}

QString inputErrorTitle()
{
    return EngineTexts::inputErrorTitle();
}
QString countNotNumeric()
{
    return u"Maximum files not numeric"_s;
}
QString countRange()
{
    return SettingsTexts::limitRange();
}
QString lengthNotNumeric()
{
    return u"Maximum length not numeric"_s;
}
QString lengthRange()
{
    return EngineTexts::maxLengthRange();
}

QString driveMissing(const QString &drive)
{
    return u"There is no drive %1 on this computer"_s.arg(drive);
}

QString driveNotReady(QChar letter, const QString &mountPoint)
{
    return u"Drive %1: (%2) is not ready"_s.arg(letter).arg(mountPoint);
}

QString folderCannotOpen(const QString &path)
{
    return u"Cannot open the folder '%1'"_s.arg(path);
}

QString folderMissing(const QString &driveFolder)
{
    return u"The folder %1 is on no drive of this computer"_s.arg(driveFolder);
}

QString previewTitle()
{
    return u"Preview"_s;
}
QString previewCounts(qint32 read, qint32 renamed)
{
    return (read == 1 ? u"%1 file would be read, %2 renamed"_s
                      : u"%1 files would be read, %2 renamed"_s)
        .arg(QString::number(read), QString::number(renamed));
}
QString previewFolderColumn()
{
    return u"Folder"_s;
}
QString previewNameColumn()
{
    return u"Name"_s;
}
QString previewNewNameColumn()
{
    return u"New name"_s;
}
QString previewNoteColumn()
{
    return u"Note"_s;
}
QString previewStartFolder()
{
    return u"."_s;
}
QString previewNumbered()
{
    return u"numbered"_s;
}
QString previewReadOnly()
{
    return u"read-only"_s;
}
QString previewNumberedReadOnly()
{
    return u"numbered, read-only"_s;
}
QString previewNothing()
{
    return u"Nothing would change"_s;
}
QString previewClose()
{
    return u"Close"_s;
}

QString wholeDriveTitle()
{
    return u"Whole Drive"_s;
}

QString wholeDriveQuestion(QChar letter, const QString &folder)
{
    return u"The folder %1 is the root of drive %2: and subdirectories are included, so every "
           u"file on the drive will be looked at.\nClick OK to go on or Cancel to start nothing."_s
               .arg(folder, letter);
}

} // namespace UiTexts
