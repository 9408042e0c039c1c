#pragma once

#include "cleaningrules.h"
#include "lockkeys.h"
#include "result.h"
#include "saveddefaults.h"
#include "switchid.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <span>

class AccessKeyButton;
class DefaultsView;
class DriveList;
class Drives;
class FileList;
class FileSystem;
class FolderList;
class LimitBox;
class PanelStatusBar;
class WindowPassHost;
struct PassSettings;
class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class SettingsCommands;
class SettingsStore;
class UserDialogs;
struct LimitCheck;

// The program's only working window: drive, folder and file lists, the
// removal list, the two limits, the nine switches, Execute, the menus and the
// status bar, in one fixed layout. It holds the saved defaults, the counters
// of the last pass and the removal list for the run. The file system,
// drives, settings store and dialogs are given to it, so tests can put their
// own in their place.
class frmMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMain)
    // Tests reach inside, as Qt projects do.
    friend class tst_frmMain;

public:
    // Without `lockKeys` the window system's lock-key state is shown.
    frmMain(FileSystem &fileSystem, const Drives &drives, SettingsStore &store,
        UserDialogs &dialogs, std::unique_ptr<LockKeys> lockKeys = nullptr,
        QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: call once, before the window is first shown.
    void Form_Load();
    // Where start-up looks for the removal list; beside the executable or
    // in the user's configuration folder unless set.
    void setRemovalListFolder(const QString &folder) { m_removalListFolder = folder; }
    // The folder of the undo history, where every pass keeps the journal
    // that Undo takes it back from; in the per-user data folder unless set.
    void setJournalPath(const QString &path);
    // Shows a folder for this run, as if the user had opened it in the
    // folder list; the saved defaults stay. A folder that cannot be shown is
    // reported and the lists stay where they were.
    void openFolder(const QString &folder);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // One row per on/off switch: its check box, its Settings menu item and
    // that item's handler, and the cleaning rule that the box feeds (none
    // for the two that steer the walk). Every lookup, connection and rule
    // comes from here; the store key is the settings table's, by the id.
    struct Switch
    {
        SwitchId id;
        QCheckBox *frmMain::*checkBox;
        QAction *frmMain::*menuItem;
        void (frmMain::*handler)();
        bool CleaningRules::*rule;
    };
    static std::span<const Switch> switches();
    QCheckBox *checkBoxFor(SwitchId id) const;
    QAction *menuItemFor(SwitchId id) const;

    // The panel that holds every control but the menus and the status bar.
    QWidget *form() const;
    void createControls();
    void createMenus();
    void connectSettingsMenu();
    void placeControls();
    void validateLimit(const LimitBox &box, const LimitCheck &check, bool &Cancel);
    // The limit box that has the focus checked as if the focus left it;
    // false when the user must mend it first.
    bool limitsAccepted();
    void showUndoAvailable();
    // A message box titled "Input Error" with an exclamation icon and OK.
    void showInputError(const QString &message);
    // What the controls say now, for a pass or a preview.
    PassSettings passSettings() const;

    // Moves the folder list to the drive selected in the drive list. A drive
    // that is not ready, or whose folder cannot be shown, is refused, and the
    // drive list goes back to the drive that the folder list still shows.
    Status followDrive();

    void drvMain_Change();
    void dirMain_Change();
    void txtCount_Validate(bool &Cancel);
    void txtMax_Validate(bool &Cancel);
    void cmdExecute_Click();
    void mnuFileUndo_Click();
    void mnuFilePreview_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

    void mnuSettingsDefaultDrive_Click();
    void mnuSettingsDefaultPath_Click();
    void mnuSettingsDefaultLength_Click();
    void mnuSettingsLimit_Click();
    void mnuSettingsIncludeSubdirs_Click();
    void mnuSettingsReadOnly_Click();
    void mnuSettingsMultSpace_Click();
    void mnuSettingsMultSpecial_Click();
    void mnuSettingsEmpty_Click();
    void mnuSettingsUnderlines_Click();
    void mnuSettingsCopy_Click();
    void mnuSettingsStarting_Click();
    void mnuSettingsEnding_Click();

    FileSystem &m_fileSystem;
    const Drives &m_drives;
    SettingsStore &m_store;
    UserDialogs &m_dialogs;
    // gDrive ... gEnding, as start-up read them and the Settings commands
    // changed them.
    SavedDefaults m_defaults;
    QStringList colJnk;

    DriveList *drvMain = nullptr;
    FolderList *dirMain = nullptr;
    FileList *FilMain = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QListWidget *lstJnk = nullptr;
    LimitBox *txtMax = nullptr;
    LimitBox *txtCount = nullptr;
    QCheckBox *chkSubdirs = nullptr;
    QCheckBox *chkReadOnly = nullptr;
    QCheckBox *chkMultSpace = nullptr;
    QCheckBox *chkMultSpecial = nullptr;
    QCheckBox *chkEmpty = nullptr;
    QCheckBox *chkUnderline = nullptr;
    QCheckBox *chkCopy = nullptr;
    QCheckBox *chkStarting = nullptr;
    QCheckBox *chkEnding = nullptr;
    AccessKeyButton *cmdExecute = nullptr;
    PanelStatusBar *StatusBar1 = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuFileUndo = nullptr;
    QAction *mnuFilePreview = nullptr;
    QAction *mnuFileBar1 = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuSettings = nullptr;
    QAction *mnuSettingsDefaultDrive = nullptr;
    QAction *mnuSettingsDefaultPath = nullptr;
    QAction *mnuSettingsDefaultLength = nullptr;
    QAction *mnuSettingsIncludeSubdirs = nullptr;
    QAction *mnuSettingsLimit = nullptr;
    QAction *mnuSettingsBar1 = nullptr;
    QAction *mnuSettingsReadOnly = nullptr;
    QAction *mnuSettingsMultSpace = nullptr;
    QAction *mnuSettingsMultSpecial = nullptr;
    QAction *mnuSettingsEmpty = nullptr;
    QAction *mnuSettingsUnderlines = nullptr;
    QAction *mnuSettingsCopy = nullptr;
    QAction *mnuSettingsStarting = nullptr;
    QAction *mnuSettingsEnding = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpAbout = nullptr;

    std::unique_ptr<WindowPassHost> m_passHost;
    std::unique_ptr<DefaultsView> m_defaultsView;
    std::unique_ptr<SettingsCommands> m_commands;
    QString m_removalListFolder;
    QString m_journalPath;
    bool m_passRunning = false;
    bool m_closeAfterPass = false;
};
