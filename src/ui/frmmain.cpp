#include "frmmain.h"

#include "accesskeybutton.h"
#include "captionfont.h"
#include "checkvalue.h"
#include "drivelist.h"
#include "drives.h"
#include "executionpass.h"
#include "filelist.h"
#include "folderdrop.h"
#include "folderlist.h"
#include "frmabout.h"
#include "frmpreview.h"
#include "journal.h"
#include "limitbox.h"
#include "limitcheck.h"
#include "lockkeys.h"
#include "openfilelimit.h"
#include "panelstatusbar.h"
#include "passhost.h"
#include "passinputguard.h"
#include "passpreview.h"
#include "passsettings.h"
#include "programicon.h"
#include "settingscommands.h"
#include "settingsstore.h"
#include "startup.h"
#include "textconversions.h"
#include "twips.h"
#include "uitexts.h"
#include "undohistory.h"
#include "undopass.h"
#include "userdialogs.h"
#include "validationgate.h"
#include "windowdefaultsview.h"
#include "windowpasshost.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>

#include <cerrno>

frmMain::frmMain(FileSystem &fileSystem, const Drives &drives, SettingsStore &store,
    UserDialogs &dialogs, std::unique_ptr<LockKeys> lockKeys, QWidget *parent)
    : QMainWindow(parent)
    , m_fileSystem(fileSystem)
    , m_drives(drives)
    , m_store(store)
    , m_dialogs(dialogs)
    , m_journalPath(UndoHistory::defaultFolder())
{
    setWindowTitle(UiTexts::programCaption());
    setWindowIcon(programIcon());
    // The form keeps its design size; on a screen too small for it the
    // window shrinks and the form scrolls, so every control stays reachable.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("formScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setWidget(new QWidget(scroller));
    setCentralWidget(scroller);
    StatusBar1 = new PanelStatusBar(lockKeys ? std::move(lockKeys) : createLockKeys(), this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setAccessibleName(UiTexts::statusBarName());
    setStatusBar(StatusBar1);
    createControls();
    createMenus();
    placeControls();

    m_passHost = std::make_unique<WindowPassHost>(*this, *StatusBar1, *FilMain, m_drives);
    m_defaultsView = std::make_unique<WindowDefaultsView>(WindowDefaultsView::Controls{
        .drives = m_drives,
        .driveList = *drvMain,
        .folderList = *dirMain,
        .maxLength = *txtMax,
        .limit = *txtCount,
        .panels = *StatusBar1,
        .removals = *lstJnk,
        .checkBox = [this](SwitchId id) -> QCheckBox & { return *checkBoxFor(id); },
        .menuItem = [this](SwitchId id) -> QAction & { return *menuItemFor(id); },
        .followDrive = [this] { return followDrive(); },
    });
    m_commands = std::make_unique<SettingsCommands>(
        m_defaults, m_store, *m_defaultsView, m_dialogs, m_drives);

    connect(drvMain, &QComboBox::currentIndexChanged, this, &frmMain::drvMain_Change);
    connect(dirMain, &FolderList::pathChanged, this, &frmMain::dirMain_Change);
    connect(dirMain, &FolderList::openRefused, this,
        [this](const Failure &failure) { m_dialogs.warn(failure.description); });
    connect(cmdExecute, &QPushButton::clicked, this, &frmMain::cmdExecute_Click);
    connect(mnuFileUndo, &QAction::triggered, this, &frmMain::mnuFileUndo_Click);
    connect(mnuFilePreview, &QAction::triggered, this, &frmMain::mnuFilePreview_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    // Journals may have come or gone since (another window or copy of the
    // program).
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::showUndoAvailable);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connectSettingsMenu();

    auto *gate = new ValidationGate(this);
    gate->guard(txtCount, [this](bool &Cancel) { txtCount_Validate(Cancel); });
    gate->guard(txtMax, [this](bool &Cancel) { txtMax_Validate(Cancel); });
    showUndoAvailable();
    setAcceptDrops(true);
}

frmMain::~frmMain() = default;

QWidget *frmMain::form() const
{
    return static_cast<QScrollArea *>(centralWidget())->widget();
}

void frmMain::createControls()
{
    QWidget *form = this->form();
    const auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    const auto checkBox = [&](const char *name, const QString &caption) {
        auto *box = new QCheckBox(caption, form);
        named(box, name);
        return box;
    };

    drvMain = new DriveList(m_drives, form);
    Label3 = new QLabel(UiTexts::stringsToRemove(), form);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lstJnk = new QListWidget(form);
    lstJnk->setUniformItemSizes(true);
    lstJnk->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1 = new QLabel(UiTexts::maximumLengthLabel(), form);
    txtMax = new LimitBox(form);
    txtMax->setTypingLimit(2);
    txtMax->setText(QString::number(SavedDefaults().gMaxLen));
    chkSubdirs = checkBox("chkSubdirs", UiTexts::includeSubdirs());
    Label2 = new QLabel(UiTexts::filesPerExecutionLabel(), form);
    txtCount = new LimitBox(form);
    txtCount->setText(QString::number(SavedDefaults().gMaxCnt));
    chkReadOnly = checkBox("chkReadOnly", UiTexts::overrideReadOnly());
    chkMultSpace = checkBox("chkMultSpace", UiTexts::multSpace());
    chkMultSpecial = checkBox("chkMultSpecial", UiTexts::multSpecial());
    chkEmpty = checkBox("chkEmpty", UiTexts::empty());
    chkUnderline = checkBox("chkUnderline", UiTexts::underline());
    chkCopy = checkBox("chkCopy", UiTexts::copy());
    chkStarting = checkBox("chkStarting", UiTexts::starting());
    chkEnding = checkBox("chkEnding", UiTexts::ending());
    cmdExecute = new AccessKeyButton(UiTexts::execute(), form);
    // Enter does not run a pass; only a click or the access key does.
    cmdExecute->setAutoDefault(false);
    cmdExecute->setDefault(false);
    FilMain = new FileList(form);
    dirMain = new FolderList(form);

    named(drvMain, "drvMain");
    named(Label3, "Label3");
    named(lstJnk, "lstJnk");
    named(Label1, "Label1");
    named(txtMax, "txtMax");
    named(Label2, "Label2");
    named(txtCount, "txtCount");
    named(cmdExecute, "cmdExecute");
    named(FilMain, "FilMain");
    named(dirMain, "dirMain");

    // A screen reader names a box after the label tied to it; a list box
    // needs its name given as well.
    Label1->setBuddy(txtMax);
    Label2->setBuddy(txtCount);
    Label3->setBuddy(lstJnk);
    lstJnk->setAccessibleName(Label3->text());
    drvMain->setAccessibleName(UiTexts::driveListName());
    dirMain->setAccessibleName(UiTexts::folderListName());
    FilMain->setAccessibleName(UiTexts::fileListName());

    const QList<QWidget *> tabOrder{drvMain, lstJnk, txtMax, chkSubdirs, txtCount, chkReadOnly,
        chkMultSpace, chkMultSpecial, chkEmpty, chkUnderline, chkCopy, chkStarting, chkEnding,
        cmdExecute, FilMain, dirMain};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
}

void frmMain::createMenus()
{
    const auto item
        = [this](QMenu *menu, const char *name, const QString &caption, bool checkable) {
              QAction *action = menu->addAction(caption);
              action->setObjectName(QString::fromLatin1(name));
              action->setCheckable(checkable);
              action->setChecked(checkable);
              return action;
          };
    mnuFile = menuBar()->addMenu(UiTexts::fileMenu());
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileUndo = item(mnuFile, "mnuFileUndo", UiTexts::fileUndo(), false);
    mnuFilePreview = item(mnuFile, "mnuFilePreview", UiTexts::filePreview(), false);
    mnuFileBar1 = mnuFile->addSeparator();
    mnuFileBar1->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuFileExit = item(mnuFile, "mnuFileExit", UiTexts::fileExit(), false);
    mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuSettings = menuBar()->addMenu(UiTexts::settingsMenu());
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuSettingsDefaultDrive
        = item(mnuSettings, "mnuSettingsDefaultDrive", UiTexts::settingsDefaultDrive(), false);
    mnuSettingsDefaultPath
        = item(mnuSettings, "mnuSettingsDefaultPath", UiTexts::settingsDefaultPath(), false);
    mnuSettingsDefaultLength
        = item(mnuSettings, "mnuSettingsDefaultLength", UiTexts::settingsDefaultLength(), false);
    mnuSettingsIncludeSubdirs
        = item(mnuSettings, "mnuSettingsIncludeSubdirs", UiTexts::settingsIncludeSubdirs(), true);
    mnuSettingsLimit = item(mnuSettings, "mnuSettingsLimit", UiTexts::settingsLimit(), false);
    mnuSettingsBar1 = mnuSettings->addSeparator();
    mnuSettingsBar1->setObjectName(QStringLiteral("mnuSettingsBar1"));
    mnuSettingsReadOnly
        = item(mnuSettings, "mnuSettingsReadOnly", UiTexts::settingsReadOnly(), true);
    mnuSettingsMultSpace
        = item(mnuSettings, "mnuSettingsMultSpace", UiTexts::settingsMultSpace(), true);
    mnuSettingsMultSpecial
        = item(mnuSettings, "mnuSettingsMultSpecial", UiTexts::settingsMultSpecial(), true);
    mnuSettingsEmpty = item(mnuSettings, "mnuSettingsEmpty", UiTexts::settingsEmpty(), true);
    mnuSettingsUnderlines
        = item(mnuSettings, "mnuSettingsUnderlines", UiTexts::settingsUnderlines(), true);
    mnuSettingsCopy = item(mnuSettings, "mnuSettingsCopy", UiTexts::settingsCopy(), true);
    mnuSettingsStarting
        = item(mnuSettings, "mnuSettingsStarting", UiTexts::settingsStarting(), true);
    mnuSettingsEnding = item(mnuSettings, "mnuSettingsEnding", UiTexts::settingsEnding(), true);

    mnuHelp = menuBar()->addMenu(UiTexts::helpMenu());
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", UiTexts::helpAbout(), false);
}

std::span<const frmMain::Switch> frmMain::switches()
{
    using F = frmMain;
    using R = CleaningRules;
    static const Switch table[] = {
        {SwitchId::IncludeSubdirs, &F::chkSubdirs, &F::mnuSettingsIncludeSubdirs,
            &F::mnuSettingsIncludeSubdirs_Click, nullptr},
        {SwitchId::ReadOnly, &F::chkReadOnly, &F::mnuSettingsReadOnly,
            &F::mnuSettingsReadOnly_Click, nullptr},
        {SwitchId::MultSpace, &F::chkMultSpace, &F::mnuSettingsMultSpace,
            &F::mnuSettingsMultSpace_Click, &R::multSpace},
        {SwitchId::MultSpecial, &F::chkMultSpecial, &F::mnuSettingsMultSpecial,
            &F::mnuSettingsMultSpecial_Click, &R::multSpecial},
        {SwitchId::Empty, &F::chkEmpty, &F::mnuSettingsEmpty, &F::mnuSettingsEmpty_Click,
            &R::empty},
        {SwitchId::Underline, &F::chkUnderline, &F::mnuSettingsUnderlines,
            &F::mnuSettingsUnderlines_Click, &R::underline},
        {SwitchId::Copy, &F::chkCopy, &F::mnuSettingsCopy, &F::mnuSettingsCopy_Click, &R::copy},
        {SwitchId::Starting, &F::chkStarting, &F::mnuSettingsStarting,
            &F::mnuSettingsStarting_Click, &R::starting},
        {SwitchId::Ending, &F::chkEnding, &F::mnuSettingsEnding, &F::mnuSettingsEnding_Click,
            &R::ending},
    };
    return table;
}

QCheckBox *frmMain::checkBoxFor(SwitchId id) const
{
    for (const Switch &row : switches()) {
        if (row.id == id)
            return this->*row.checkBox;
    }
    return nullptr;
}

QAction *frmMain::menuItemFor(SwitchId id) const
{
    for (const Switch &row : switches()) {
        if (row.id == id)
            return this->*row.menuItem;
    }
    return nullptr;
}

void frmMain::connectSettingsMenu()
{
    const std::pair<QAction *, void (frmMain::*)()> prompts[] = {
        {mnuSettingsDefaultDrive, &frmMain::mnuSettingsDefaultDrive_Click},
        {mnuSettingsDefaultPath, &frmMain::mnuSettingsDefaultPath_Click},
        {mnuSettingsDefaultLength, &frmMain::mnuSettingsDefaultLength_Click},
        {mnuSettingsLimit, &frmMain::mnuSettingsLimit_Click},
    };
    for (const auto &[action, handler] : prompts)
        connect(action, &QAction::triggered, this, handler);
    for (const Switch &row : switches()) {
        QAction *item = this->*row.menuItem;
        connect(item, &QAction::triggered, this, [this, item, handler = row.handler] {
            // Qt flips a checkable item's mark before `triggered` arrives; put
            // it back so that the command flips it once, as for any caller.
            item->setChecked(!item->isChecked());
            (this->*handler)();
        });
    }
}

void frmMain::mnuSettingsDefaultDrive_Click()
{
    m_commands->askDefaultDrive();
}

void frmMain::mnuSettingsDefaultPath_Click()
{
    m_commands->askDefaultPath();
}

void frmMain::mnuSettingsDefaultLength_Click()
{
    m_commands->askDefaultLength();
}

void frmMain::mnuSettingsLimit_Click()
{
    m_commands->askDefaultLimit();
}

void frmMain::mnuSettingsIncludeSubdirs_Click()
{
    m_commands->toggle(SwitchId::IncludeSubdirs);
}

void frmMain::mnuSettingsReadOnly_Click()
{
    m_commands->toggle(SwitchId::ReadOnly);
}

void frmMain::mnuSettingsMultSpace_Click()
{
    m_commands->toggle(SwitchId::MultSpace);
}

void frmMain::mnuSettingsMultSpecial_Click()
{
    m_commands->toggle(SwitchId::MultSpecial);
}

void frmMain::mnuSettingsEmpty_Click()
{
    m_commands->toggle(SwitchId::Empty);
}

void frmMain::mnuSettingsUnderlines_Click()
{
    m_commands->toggle(SwitchId::Underline);
}

void frmMain::mnuSettingsCopy_Click()
{
    m_commands->toggle(SwitchId::Copy);
}

void frmMain::mnuSettingsStarting_Click()
{
    m_commands->toggle(SwitchId::Starting);
}

void frmMain::mnuSettingsEnding_Click()
{
    m_commands->toggle(SwitchId::Ending);
}

void frmMain::placeControls()
{
    struct Placement
    {
        QWidget *control;
        int left, top, width, height;
    };
    const Placement placements[] = {
        {drvMain, 120, 120, 7575, 315},
        {dirMain, 120, 600, 7575, 3240},
        {FilMain, 120, 3960, 7575, 3015},
        {Label3, 7800, 120, 3015, 255},
        {lstJnk, 7800, 570, 3015, 6495},
        {Label1, 120, 7200, 2535, 255},
        {txtMax, 2760, 7200, 375, 285},
        {chkSubdirs, 3720, 7200, 3015, 255},
        {Label2, 7800, 7200, 2415, 255},
        {txtCount, 10320, 7200, 495, 285},
        {chkReadOnly, 120, 7680, 3015, 255},
        {chkMultSpace, 3720, 7680, 3015, 255},
        {chkMultSpecial, 7800, 7680, 3015, 255},
        {chkEmpty, 120, 8160, 3015, 255},
        {chkUnderline, 3720, 8160, 3015, 255},
        {chkCopy, 7800, 8160, 3015, 255},
        {chkStarting, 120, 8640, 3015, 255},
        {chkEnding, 3720, 8640, 3015, 255},
        {cmdExecute, 9240, 8640, 1575, 375},
    };
    QList<QWidget *> captioned;
    for (const Placement &p : placements) {
        p.control->setGeometry(Twips::toPixels(p.left, p.top, p.width, p.height, this));
        if (qobject_cast<QLabel *>(p.control) || qobject_cast<QAbstractButton *>(p.control))
            captioned.append(p.control);
    }
    setFont(CaptionFont::fitting(font(), captioned));

    StatusBar1->setFixedHeight(Twips::toPixelsY(375, this));
    const int formHeight = Twips::toPixelsY(9120, this);
    form()->setMinimumSize(Twips::toPixelsX(10935, this), formHeight);
    QSize size(Twips::toPixelsX(10935, this),
        menuBar()->sizeHint().height() + formHeight + StatusBar1->height());
    if (const QScreen *screen = this->screen()) {
        // The window system adds its title bar and frame outside this size.
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const QSize decorations(
            2 * frame, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 2 * frame);
        size = size.boundedTo(screen->availableGeometry().size() - decorations);
    }
    resize(size);
}

void frmMain::Form_Load()
{
    Startup startup(*m_defaultsView, m_dialogs, m_drives, m_store);
    if (!m_removalListFolder.isEmpty())
        startup.setRemovalListFolder(m_removalListFolder);
    startup.run(m_defaults, colJnk);
    showUndoAvailable();
    drvMain->setFocus(Qt::OtherFocusReason);
}

Status frmMain::followDrive()
{
    const DriveInfo *drive = drvMain->selected();
    if (!drive)
        return Status::success();
    // A mount past "Z" is listed only while it is mounted.
    const Status moved = drive->letter.isNull() || m_drives.isReady(drive->letter)
        ? dirMain->setPath(drvMain->currentFolder())
        : Status(Failure{ENOMEDIUM, UiTexts::driveNotReady(drive->letter, drive->mountPoint)});
    if (!moved.ok()) {
        const QSignalBlocker blocker(drvMain);
        drvMain->selectDriveOf(dirMain->path());
    }
    return moved;
}

void frmMain::drvMain_Change()
{
    if (const Status moved = followDrive(); !moved.ok())
        m_dialogs.warn(moved.failure().description);
}

void frmMain::dirMain_Change()
{
    drvMain->rememberFolder(dirMain->path());
    FilMain->setPath(dirMain->path());
}

void frmMain::openFolder(const QString &folder)
{
    if (m_passRunning)
        return;
    if (const Status shown = dirMain->setPath(folder); !shown.ok()) {
        m_dialogs.warn(shown.failure().description);
        return;
    }
    const QSignalBlocker blocker(drvMain);
    drvMain->selectDriveOf(folder);
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_passRunning && droppedFolder(*event->mimeData()))
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> folder = droppedFolder(*event->mimeData())) {
        event->acceptProposedAction();
        openFolder(*folder);
    }
}

void frmMain::validateLimit(const LimitBox &box, const LimitCheck &check, bool &Cancel)
{
    if (const std::optional<QString> refusal = check.refusal(box.text())) {
        Cancel = true;
        showInputError(*refusal);
    }
}

void frmMain::showInputError(const QString &message)
{
    QMessageBox::warning(this, UiTexts::inputErrorTitle(), message, QMessageBox::Ok);
}

PassSettings frmMain::passSettings() const
{
    PassSettings settings;
    settings.startFolder = FilMain->path();
    settings.includeSubfolders = CheckValue::isOn(*chkSubdirs);
    settings.overrideReadOnly = CheckValue::isOn(*chkReadOnly);
    settings.limit = TextConversions::leadingNumber(txtCount->text());
    for (const Switch &row : switches()) {
        if (row.rule)
            settings.rules.*row.rule = CheckValue::isOn(*(this->*row.checkBox));
    }
    settings.rules.maxLength = TextConversions::leadingNumberAfterZero(txtMax->text());
    settings.rules.removals = colJnk;
    settings.openFolders = folderDescriptorBudget();
    return settings;
}

void frmMain::txtCount_Validate(bool &Cancel)
{
    validateLimit(*txtCount, LimitCheck::maxCount(), Cancel);
}

void frmMain::txtMax_Validate(bool &Cancel)
{
    validateLimit(*txtMax, LimitCheck::maxLength(), Cancel);
}

void frmMain::setJournalPath(const QString &path)
{
    m_journalPath = path;
    showUndoAvailable();
}

void frmMain::showUndoAvailable()
{
    mnuFileUndo->setEnabled(!m_passRunning && UndoHistory(m_journalPath).hasUndo());
}

bool frmMain::limitsAccepted()
{
    bool Cancel = false;
    if (focusWidget() == txtMax)
        txtMax_Validate(Cancel);
    else if (focusWidget() == txtCount)
        txtCount_Validate(Cancel);
    return !Cancel;
}

void frmMain::cmdExecute_Click()
{
    if (m_passRunning)
        return;
    const PassSettings settings = passSettings();
    if (const std::optional<QString> refusal = settings.refusal()) {
        showInputError(*refusal);
        return;
    }
    JournalWriter journal(m_journalPath);
    ExecutionPass pass(m_fileSystem, *m_passHost, settings, &journal);
    {
        const QScopedValueRollback running(m_passRunning, true);
        const PassInputGuard guard(*this, [this] { m_passHost->requestStop(); });
        pass.execute();
    }
    showUndoAvailable();
    if (m_closeAfterPass)
        close();
}

void frmMain::mnuFilePreview_Click()
{
    if (m_passRunning || !limitsAccepted())
        return;
    const PassSettings settings = passSettings();
    if (const std::optional<QString> refusal = settings.refusal()) {
        showInputError(*refusal);
        return;
    }
    Preview preview;
    {
        const QScopedValueRollback running(m_passRunning, true);
        const PassInputGuard guard(*this, [this] { m_passHost->requestStop(); });
        m_passHost->passStarted();
        preview = previewPass(m_fileSystem, settings, m_passHost.get());
        m_passHost->passEnded();
    }
    // Stopped, there is nothing whole to show.
    if (preview.stopped || m_closeAfterPass) {
        if (m_closeAfterPass)
            close();
        return;
    }
    frmPreview dialog(std::move(preview), this);
    if (dialog.exec() == QDialog::Accepted)
        cmdExecute_Click();
}

void frmMain::mnuFileUndo_Click()
{
    if (m_passRunning)
        return;
    // Held from the question to the end, so that no other window takes the
    // same execution back meanwhile.
    UndoHistory history(m_journalPath);
    Result<std::optional<HeldJournal>> newest = history.takeNewest();
    if (!newest.ok() || !newest.value()) {
        if (!newest.ok())
            m_dialogs.warn(newest.failure().description);
        showUndoAvailable();
        return;
    }
    HeldJournal &held = *newest.value();
    const Journal &journal = held.journal();
    QMessageBox question(QMessageBox::Question, UiTexts::undoTitle(),
        UiTexts::undoQuestion(journal.count(JournalRecord::Kind::Rename),
            journal.count(JournalRecord::Kind::ReadOnlyCleared),
            QFile::decodeName(journal.pathOf(0)), QDateTime::fromMSecsSinceEpoch(journal.madeAt)),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setDefaultButton(QMessageBox::Cancel);
    if (question.exec() != QMessageBox::Ok)
        return;

    Journal left;
    {
        const QScopedValueRollback running(m_passRunning, true);
        const PassInputGuard guard(*this, [this] { m_passHost->requestStop(); });
        UndoPass undo(m_fileSystem, *m_passHost, folderDescriptorBudget());
        left = undo.run(journal);
    }
    // What could not be taken back stays on top for another Undo.
    if (const Status kept = history.keep(held, left); !kept.ok())
        m_dialogs.warn(kept.failure().description);
    showUndoAvailable();
    if (m_closeAfterPass)
        close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing stops a running pass at its next file, as Cancel does; the
    // window goes once the pass has ended.
    if (m_passRunning) {
        m_closeAfterPass = true;
        m_passHost->requestStop();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuHelpAbout_Click()
{
    // A fresh window each time, so its texts are filled in anew.
    frmAbout dialog(this);
    dialog.exec();
}
