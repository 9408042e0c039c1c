#include "uitexts.h"

#include "enginetexts.h"
#include "paneltexts.h"
#include "settingstexts.h"

#include <QCoreApplication>
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
    return QCoreApplication::translate("UiTexts", "Strings to Remove");
}
QString maximumLengthLabel()
{
    return QCoreApplication::translate("UiTexts", "Maximum File Name Length:");
}
QString filesPerExecutionLabel()
{
    return QCoreApplication::translate("UiTexts", "Files to Inspect per Execution:");
}
QString includeSubdirs()
{
    return QCoreApplication::translate("UiTexts", "Include subdirectories?");
}
QString overrideReadOnly()
{
    return QCoreApplication::translate("UiTexts", "Override read only?");
}
QString multSpace()
{
    return QCoreApplication::translate("UiTexts", "Remove multiple spaces?");
}
QString multSpecial()
{
    return QCoreApplication::translate("UiTexts", "Remove multi - _ < > ! @ # $ % ^ && * ?");
}
QString empty()
{
    return QCoreApplication::translate("UiTexts", "Remove empty ( ) [ ] { } < > ?");
}
QString underline()
{
    return QCoreApplication::translate("UiTexts", "Replace _ with space?");
}
QString copy()
{
    return QCoreApplication::translate("UiTexts", "Remove starting CC, ZZ?");
}
QString starting()
{
    return QCoreApplication::translate("UiTexts", "Remove starting - _ ) ] } > ?");
}
QString ending()
{
    return QCoreApplication::translate("UiTexts", "Remove ending - _ ( [ { < ?");
}
QString execute()
{
    return QCoreApplication::translate("UiTexts", "&Execute");
}

QString fileMenu()
{
    return QCoreApplication::translate("UiTexts", "&File");
}
QString fileUndo()
{
    return QCoreApplication::translate("UiTexts", "&Undo Last Execution");
}
QString filePreview()
{
    return QCoreApplication::translate("UiTexts", "Pre&view...");
}
QString fileExit()
{
    return QCoreApplication::translate("UiTexts", "Exit");
}
QString undoTitle()
{
    return QCoreApplication::translate("UiTexts", "Undo Last Execution");
}
QString undoQuestion(
    qint64 renames, qint64 readOnlyChanges, const QString &folder, const QDateTime &madeAt)
{
    const auto counted = [](qint64 count, const QString &one, const QString &many) {
        return (count == 1 ? one : many).arg(count);
    };
    QStringList changes;
    if (renames > 0 || readOnlyChanges == 0) {
        changes.append(counted(renames, QCoreApplication::translate("UiTexts", "%1 rename"),
            QCoreApplication::translate("UiTexts", "%1 renames")));
    }
    if (readOnlyChanges > 0) {
        changes.append(
            counted(readOnlyChanges, QCoreApplication::translate("UiTexts", "%1 read-only change"),
                QCoreApplication::translate("UiTexts", "%1 read-only changes")));
    }
    const QLocale locale;
    return QCoreApplication::translate("UiTexts", "Take back the %1 made in %2 on %3 at %4?")
               .arg(changes.join(QCoreApplication::translate("UiTexts", " and ")), folder,
                   locale.toString(madeAt, u"d MMM yyyy"_s), locale.toString(madeAt, u"HH:mm"_s))
        + QCoreApplication::translate("UiTexts",
            "\nEvery file goes back to its old name, and read-only files get their old mode "
            "again. Nothing is replaced.");
}
QString settingsMenu()
{
    return QCoreApplication::translate("UiTexts", "&Settings");
}
QString settingsDefaultDrive()
{
    return QCoreApplication::translate("UiTexts", "Default Drive...");
}
QString settingsDefaultPath()
{
    return QCoreApplication::translate("UiTexts", "Default Path...");
}
QString settingsDefaultLength()
{
    return QCoreApplication::translate("UiTexts", "Default Length...");
}
QString settingsIncludeSubdirs()
{
    return QCoreApplication::translate("UiTexts", "Include Subdirectories?");
}
QString settingsLimit()
{
    return QCoreApplication::translate("UiTexts", "Limit...");
}
QString settingsReadOnly()
{
    return QCoreApplication::translate("UiTexts", "Override read only?");
}
QString settingsMultSpace()
{
    return QCoreApplication::translate("UiTexts", "Remove multiple spaces?");
}
QString settingsMultSpecial()
{
    return QCoreApplication::translate("UiTexts", "Remove multiple special char?");
}
QString settingsEmpty()
{
    return QCoreApplication::translate("UiTexts", "Remove empty paired delimiters?");
}
QString settingsUnderlines()
{
    return QCoreApplication::translate("UiTexts", "Replace underlines with spaces?");
}
QString settingsCopy()
{
    return QCoreApplication::translate("UiTexts", "Remove starting CC, ZZ?");
}
QString settingsStarting()
{
    return QCoreApplication::translate("UiTexts", "Remove starting closing delimiters?");
}
QString settingsEnding()
{
    return QCoreApplication::translate("UiTexts", "Remove ending opening delimiters?");
}
QString helpMenu()
{
    return QCoreApplication::translate("UiTexts", "&Help");
}
QString helpAbout()
{
    return QCoreApplication::translate("UiTexts", "&About");
}

QString readBeforeStart()
{
    return QCoreApplication::translate("UiTexts", "Read: 0");
}
QString fixedBeforeStart()
{
    return QCoreApplication::translate("UiTexts", "Fixed: 0");
}
QString ready()
{
    return PanelTexts::ready();
}
QString capsLock()
{
    return QCoreApplication::translate("UiTexts", "CAPS");
}
QString numLock()
{
    return QCoreApplication::translate("UiTexts", "NUM");
}

QString inputErrorTitle()
{
    return QCoreApplication::translate("UiTexts", "Input Error");
}
QString countNotNumeric()
{
    return QCoreApplication::translate("UiTexts", "Maximum files not numeric");
}
QString countRange()
{
    return SettingsTexts::limitRange();
}
QString lengthNotNumeric()
{
    return QCoreApplication::translate("UiTexts", "Maximum length not numeric");
}
QString lengthRange()
{
    return EngineTexts::maxLengthRange();
}

QString driveEntry(QChar letter, const QString &mountPoint, const QString &kind)
{
    const QString lettered = letter.isNull()
        ? QCoreApplication::translate("UiTexts", "(no letter) %1").arg(mountPoint)
        : u"%1: %2"_s.arg(letter, mountPoint);
    return kind.isEmpty() ? lettered : u"%1 [%2]"_s.arg(lettered, kind);
}

QString driveNotReady(QChar letter, const QString &mountPoint)
{
    return QCoreApplication::translate("UiTexts", "Drive %1: (%2) is not ready")
        .arg(letter)
        .arg(mountPoint);
}

QString folderMissing(const QString &driveFolder)
{
    return QCoreApplication::translate("UiTexts", "The folder %1 is on no drive of this computer")
        .arg(driveFolder);
}

QString previewTitle()
{
    return QCoreApplication::translate("UiTexts", "Preview");
}
QString previewCounts(qint32 read, qint32 renamed, qint32 readOnlyCleared)
{
    QString counts
        = (read == 1 ? QCoreApplication::translate("UiTexts", "%1 file would be read, %2 renamed")
                     : QCoreApplication::translate("UiTexts", "%1 files would be read, %2 renamed"))
              .arg(QString::number(read), QString::number(renamed));
    if (readOnlyCleared > 0) {
        counts += (readOnlyCleared == 1
                ? QCoreApplication::translate("UiTexts", ", %1 only cleared of its read-only bit")
                : QCoreApplication::translate(
                    "UiTexts", ", %1 only cleared of their read-only bits"))
                      .arg(QString::number(readOnlyCleared));
    }
    return counts;
}
QString previewFolderColumn()
{
    return QCoreApplication::translate("UiTexts", "Folder");
}
QString previewNameColumn()
{
    return QCoreApplication::translate("UiTexts", "Name");
}
QString previewNewNameColumn()
{
    return QCoreApplication::translate("UiTexts", "New name");
}
QString previewNoteColumn()
{
    return QCoreApplication::translate("UiTexts", "Note");
}
QString previewStartFolder()
{
    return u"."_s;
}
QString previewNumbered()
{
    return QCoreApplication::translate("UiTexts", "numbered");
}
QString previewReadOnly()
{
    return QCoreApplication::translate("UiTexts", "read-only");
}
QString previewReadOnlyCleared()
{
    return QCoreApplication::translate("UiTexts", "read-only bit cleared");
}
QString previewNumberedReadOnly()
{
    return QCoreApplication::translate("UiTexts", "numbered, read-only");
}
QString previewNothing()
{
    return QCoreApplication::translate("UiTexts", "Nothing would change");
}
QString previewClose()
{
    return QCoreApplication::translate("UiTexts", "Close");
}

QString wholeDriveTitle()
{
    return QCoreApplication::translate("UiTexts", "Whole Drive");
}

QString wholeDriveQuestion(QChar letter, const QString &folder)
{
    return QCoreApplication::translate("UiTexts",
        "The folder %1 is the root of drive %2: and subdirectories are included, so every "
        "file on the drive will be looked at.\nClick OK to go on or Cancel to start nothing.")
        .arg(folder, letter);
}

QString driveListName()
{
    return QCoreApplication::translate("UiTexts", "Drive");
}

QString folderListName()
{
    return QCoreApplication::translate("UiTexts", "Folders");
}

QString fileListName()
{
    return QCoreApplication::translate("UiTexts", "Files");
}

QString statusBarName()
{
    return QCoreApplication::translate("UiTexts", "Status");
}

QString wholeMountQuestion(const QString &folder)
{
    return QCoreApplication::translate("UiTexts",
        "The folder %1 is the root of a mounted volume, and subdirectories are included, so "
        "every file on it will be looked at.\nClick OK to go on or Cancel to start nothing.")
        .arg(folder);
}

} // namespace UiTexts
