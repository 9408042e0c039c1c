#include "accesskeybutton.h"
#include "checkvalue.h"
#include "defaultstable.h"
#include "drivelist.h"
#include "fakedrives.h"
#include "filelist.h"
#include "folderlist.h"
#include "forwardingfolder.h"
#include "frmmain.h"
#include "limitbox.h"
#include "linuxfilesystem.h"
#include "modalcatcher.h"
#include "panelstatusbar.h"
#include "passsettings.h"
#include "scripteddialogs.h"
#include "settingsstore.h"
#include "uitexts.h"
#include "validationgate.h"
#include "windowpasshost.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The real file system, with chosen folders taken for the roots of mounts.
class MountRootsFileSystem final : public FileSystem
{
public:
    QStringList roots;

    Result<FolderPtr> openFolder(const QString &path) override
    {
        Result<FolderPtr> opened = m_real.openFolder(path);
        if (!opened.ok() || !opened.value() || !roots.contains(QDir::cleanPath(path)))
            return opened;
        return FolderPtr(std::make_unique<MountRoot>(std::move(opened.value())));
    }

private:
    struct MountRoot final : ForwardingFolder
    {
        using ForwardingFolder::ForwardingFolder;
        bool isMountRoot() override { return true; }
    };
    LinuxFileSystem m_real;
};

// The two names that a pass cleans in C's root, untouched.
const QStringList untidyNames{u"a__b.txt"_s, u"z www.ads.example.txt"_s};

// One shown window after start-up with an empty store, over temporary drives:
// C holds a subfolder with a plain and a hidden file, D is empty but for the
// folders where F and a mount without a letter are mounted, E is not ready.
// The window opens on C's root.
// The removal list lies beside the store.
struct Fixture
{
    QTemporaryDir settings, c, d;
    FakeDrives drives;
    MountRootsFileSystem fileSystem;
    ScriptedDialogs dialogs;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<frmMain> window;

    Fixture()
    {
        store = std::make_unique<SettingsStore>(u"tst_frmmain"_s, settings.path());
        drives.add(u'C', c.path());
        drives.add(u'D', d.path());
        drives.add(u'E', u"/nonexistent-e"_s, false);
        QVERIFY(QDir(d.path()).mkdir(u"f"_s) && QDir(d.path()).mkdir(u"g"_s));
        drives.add(u'F', d.filePath(u"f"_s));
        drives.add(QChar(), d.filePath(u"g"_s));
        fileSystem.roots = {c.path(), d.filePath(u"f"_s), c.filePath(u"sub/mnt"_s)};
        QDir(c.path()).mkdir(u"sub"_s);
        QVERIFY(QFile(c.filePath(u"sub/inner.txt"_s)).open(QIODevice::WriteOnly));
        QVERIFY(QFile(c.filePath(u"sub/.hidden"_s)).open(QIODevice::WriteOnly));
        QFile list(settings.filePath(u"Purlex.txt"_s));
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write("www.ads.example\n") && list.flush());
        window = std::make_unique<frmMain>(fileSystem, drives, *store, dialogs);
        window->setRemovalListFolder(settings.path());
        window->setJournalPath(settings.filePath(u"data/undo history"_s));
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QString panel(const QString &key) const
    {
        return window->findChild<PanelStatusBar *>()->panelText(key);
    }
    // The untidy names in C's root, for a pass that stays there.
    void addUntidyFiles()
    {
        for (const QString &name : untidyNames)
            QVERIFY(QFile(c.filePath(name)).open(QIODevice::WriteOnly));
        CheckValue::setValue(*window->findChild<QCheckBox *>(u"chkSubdirs"_s), CheckValue::Clear);
    }
    QStringList sortedFiles() const
    {
        QStringList files = window->findChild<FileList *>()->fileNames();
        files.sort();
        return files;
    }
};

// A window with a guarded box that refuses to be left while it holds "no",
// and a drop-down that a turn of the wheel changes.
struct GateWindow
{
    QWidget form;
    QLineEdit *box = new QLineEdit(u"no"_s, &form);
    QComboBox *choice = new QComboBox(&form);
    ValidationGate *gate = new ValidationGate(&form);
    int validations = 0;

    GateWindow()
    {
        auto *layout = new QVBoxLayout(&form);
        layout->addWidget(box);
        layout->addWidget(choice);
        choice->addItems({u"one"_s, u"two"_s});
        gate->guard(box, [this](bool &cancel) {
            ++validations;
            cancel = box->text() == u"no"_s;
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
    }
};

} // namespace

class tst_frmMain final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QLocale::setDefault(QLocale::c()); }

    void limitBoxValidation_data()
    {
        QTest::addColumn<QString>("text");
        // Steps: a control clicked, a menu item chosen, "Alt" tapped alone, or keys
        // pressed on the window.
        QTest::addColumn<QStringList>("gesture");
        QTest::addColumn<QString>("message"); // empty: the text passes
        const QString count = u"Maximum files must be 50 to 2000"_s;
        const QString length = u"Maximum length must be 12 to 99"_s;
        const auto steps
            = [](const char *text) { return QString::fromLatin1(text).split(u", "_s); };
        // clang-format off
        QTest::newRow("txtCount 49") << u"49"_s << steps("chkEnding") << count;
        QTest::newRow("txtCount 50") << u"50"_s << steps("chkEnding") << QString();
        QTest::newRow("txtCount 2000") << u"2000"_s << steps("Alt+E") << QString();
        QTest::newRow("txtCount 2001") << u"2001"_s << steps("Alt+E") << count;
        QTest::newRow("txtCount empty") << QString() << steps("cmdExecute") << u"Maximum files not numeric"_s;
        // The check reads "0" & text: a leading sign makes it 0.
        QTest::newRow("txtCount +60") << u"+60"_s << steps("cmdExecute") << count;
        QTest::newRow("txtCount 49 Shift+Tab") << u"49"_s << steps("Shift+Tab") << count;
        QTest::newRow("txtMax 11") << u"11"_s << steps("cmdExecute") << length;
        QTest::newRow("txtMax 12") << u"12"_s << steps("Tab") << QString();
        QTest::newRow("txtMax 99") << u"99"_s << steps("cmdExecute") << QString();
        QTest::newRow("txtMax two letters") << u"ab"_s << steps("Tab") << u"Maximum length not numeric"_s;
        // After the menu bar had the keyboard, the box is still the one being left.
        QTest::newRow("txtMax 11 Alt, cmdExecute") << u"11"_s << steps("Alt, cmdExecute") << length;
        QTest::newRow("txtMax 11 Alt, chkEnding") << u"11"_s << steps("Alt, chkEnding") << length;
        QTest::newRow("txtMax 11 Alt, Alt+E") << u"11"_s << steps("Alt, Alt+E") << length;
        QTest::newRow("txtMax 11 Alt+S, Esc, cmdExecute") << u"11"_s << steps("Alt+S, Esc, cmdExecute") << length;
        QTest::newRow("txtCount 49 Alt, Alt, cmdExecute") << u"49"_s << steps("Alt, Alt, cmdExecute") << count;
        QTest::newRow("txtMax 11 mnuFilePreview") << u"11"_s << steps("mnuFilePreview") << length;
        QTest::newRow("txtCount 49 mnuFilePreview") << u"49"_s << steps("mnuFilePreview") << count;
        QTest::newRow("txtMax 12 Alt, cmdExecute") << u"12"_s << steps("Alt, cmdExecute") << QString();
        // clang-format on
    }

    void limitBoxValidation()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, gesture);
        QFETCH(QString, message);
        const bool refused = !message.isEmpty();
        Fixture f;
        // On a drive's root, a pass through the subdirectories would ask first.
        CheckValue::setValue(*f.window->chkSubdirs, CheckValue::Clear);
        auto *edit = f.window->findChild<LimitBox *>(
            QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0));
        edit->setText(text);
        edit->setFocus();
        ModalCatcher catcher;
        bool menuBarHadKeys = false;
        for (const QString &step : std::as_const(gesture)) {
            if (auto *target = f.window->findChild<QWidget *>(step))
                QTest::mouseClick(target, Qt::LeftButton);
            else if (auto *item = f.window->findChild<QAction *>(step))
                item->trigger();
            else if (step == u"Alt")
                QTest::keyClick(f.window->windowHandle(), Qt::Key_Alt);
            else
                QTest::keySequence(f.window->windowHandle(), QKeySequence(step));
            menuBarHadKeys
                |= QApplication::focusWidget() == static_cast<QWidget *>(f.window->menuBar());
        }
        QCOMPARE(menuBarHadKeys, gesture.size() > 1);

        const QString shown
            = ModalCatcher::entry(QMessageBox::Warning, QMessageBox::Ok, u"Input Error"_s, message);
        QCOMPARE(catcher.shown, refused ? QStringList{shown} : QStringList{});
        // Refused as the focus leaves it, the box takes the focus back.
        const bool fromMenu = gesture.last().startsWith(u"mnu"_s);
        QTRY_VERIFY(!refused || fromMenu || QApplication::focusWidget() == edit);
        QCOMPARE(edit->text(), text);
        const bool ticks = gesture.last() == u"chkEnding"_s;
        QCOMPARE(f.window->chkEnding->isChecked(), refused || !ticks);
        QVERIFY(!f.window->cmdExecute->isDown());
        const bool runs
            = !refused && (gesture.last() == u"cmdExecute"_s || gesture.last() == u"Alt+E"_s);
        // A click and the access key alike have run the pass by the time they return.
        QCOMPARE(f.panel(u"Current"_s), runs ? u"Completed"_s : u"Ready..."_s);
    }

    void typingLimit()
    {
        Fixture f;
        LimitBox *box = f.window->txtMax;
        box->setText(u"240"_s); // as a saved default
        box->setFocus();
        QTest::keyClicks(box, u"5"_s);
        QCOMPARE(box->text(), u"240"_s);
        box->selectAll(); // typing over a selection replaces it
        QTest::keyClicks(box, u"123"_s);
        QCOMPARE(box->text(), u"12"_s);
        QGuiApplication::clipboard()->setText(u"3"_s);
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), u"12"_s);
    }

    void passSettingsReadTheWindow_data()
    {
        QTest::addColumn<int>("position"); // of the switch ticked, in the list read back
        // The maximum length and the limit as typed, then as read: the maximum
        // length with "0" in front, the limit without.
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<double>>("read");
        // clang-format off
        QTest::newRow("chkSubdirs") << 0 << QStringList{u"60"_s, u"1000"_s} << QList<double>{60, 1000};
        QTest::newRow("chkReadOnly") << 1 << QStringList{u""_s, u""_s} << QList<double>{0, 0};
        QTest::newRow("chkUnderline") << 2 << QStringList{u"-2"_s, u"+2"_s} << QList<double>{0, 2};
        QTest::newRow("chkCopy") << 3 << QStringList{u"&H"_s, u"&H2"_s} << QList<double>{0, 2};
        QTest::newRow("chkMultSpecial") << 4 << QStringList{u".5"_s, u"3.5"_s} << QList<double>{0.5, 3.5};
        // clang-format on
        const char *rest[] = {"chkMultSpace", "chkEmpty", "chkStarting", "chkEnding"};
        for (int i = 0; i < 4; ++i)
            QTest::newRow(rest[i])
                << 5 + i << QStringList{u"60"_s, u"1000"_s} << QList<double>{60, 1000};
    }

    void passSettingsReadTheWindow()
    {
        QFETCH(int, position);
        QFETCH(QStringList, typed);
        QFETCH(QList<double>, read);
        Fixture f;
        // A greyed box counts as off; a click ticks it.
        for (QCheckBox *box : f.window->centralWidget()->findChildren<QCheckBox *>())
            CheckValue::setValue(*box, CheckValue::Greyed);
        QTest::mouseClick(
            f.window->findChild<QCheckBox *>(QLatin1StringView(QTest::currentDataTag())),
            Qt::LeftButton);
        f.window->txtMax->setText(typed[0]);
        f.window->txtCount->setText(typed[1]);
        const PassSettings settings = f.window->passSettings();
        const CleaningRules &r = settings.rules;
        QList<bool> expected(9, false);
        expected[position] = true;
        QCOMPARE((QList<bool>{settings.includeSubfolders, settings.overrideReadOnly, r.underline,
                     r.copy, r.multSpecial, r.multSpace, r.empty, r.starting, r.ending}),
            expected);
        QCOMPARE((QList<double>{r.maxLength, settings.limit}), read);
        QCOMPARE(settings.startFolder, f.window->FilMain->path());
        QCOMPARE(r.removals, f.window->colJnk);
        // The switches save nothing.
        for (const QAction *item : f.window->mnuSettings->actions())
            QCOMPARE(item->isChecked(), item->isCheckable());
        QVERIFY(!QFile::exists(f.store->location()));
    }

    void listsKeptInStep()
    {
        Fixture f;
        QTest::keyClick(f.window->dirMain, Qt::Key_Down); // to the only subfolder
        QTest::keyClick(f.window->dirMain, Qt::Key_Return);
        QCOMPARE(f.window->FilMain->path(), f.c.filePath(u"sub"_s));
        QCOMPARE(f.window->FilMain->fileNames(), QStringList{u"inner.txt"_s});

        f.window->drvMain->setCurrentIndex(1);
        QCOMPARE(f.window->FilMain->path(), f.d.path());
        f.window->drvMain->setCurrentIndex(4); // the mount without a letter
        QCOMPARE(f.window->FilMain->path(), f.d.filePath(u"g"_s));
        f.window->drvMain->setCurrentIndex(2);
        QCOMPARE(f.dialogs.warnings, QStringList{u"Drive E: (/nonexistent-e) is not ready"_s});
        QCOMPARE(f.window->FilMain->path(), f.d.filePath(u"g"_s));
        QCOMPARE(f.window->drvMain->currentIndex(), 4);
        f.window->drvMain->setCurrentIndex(0); // back where C was left
        QCOMPARE(f.window->FilMain->path(), f.c.filePath(u"sub"_s));
    }

    void droppedFolderOpensForThisRun_data()
    {
        QTest::addColumn<QStringList>("dropped"); // below drive D's folder
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QChar>("drive"); // shown afterwards
        QTest::newRow("folder of another drive") << QStringList{u"f"_s} << true << QChar(u'F');
        QTest::newRow("folder of a drive's root") << QStringList{u"f/.."_s} << true << QChar(u'D');
        QTest::newRow("a file") << QStringList{u"f/../file.txt"_s} << false << QChar(u'C');
        QTest::newRow("two folders") << QStringList{u"f"_s, u"."_s} << false << QChar(u'C');
    }

    void droppedFolderOpensForThisRun()
    {
        QFETCH(QStringList, dropped);
        QFETCH(bool, taken);
        QFETCH(QChar, drive);
        Fixture f;
        QVERIFY(QFile(f.d.filePath(u"file.txt"_s)).open(QIODevice::WriteOnly));
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : dropped)
            urls.append(QUrl::fromLocalFile(f.d.filePath(path)));
        data.setUrls(urls);
        const QPoint centre = f.window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &enter);
        QCOMPARE(enter.isAccepted(), taken);
        if (taken) {
            QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(f.window.get(), &drop);
        }
        const QString shown = drive == u'C' ? f.c.path() : QDir::cleanPath(urls[0].toLocalFile());
        QCOMPARE(f.window->FilMain->path(), shown);
        QCOMPARE(f.window->drvMain->letter(), std::optional<QChar>(drive));
        QVERIFY(!QFile::exists(f.store->location())); // the saved default stays
    }

    void wholeDriveAsksFirst_data()
    {
        QTest::addColumn<QString>("folder"); // where the pass starts, below the fixture's drives
        QTest::addColumn<bool>("subdirs");
        QTest::addColumn<QString>("answer"); // to the question: OK, Cancel or a key
        // That the question names; empty: none asked; "*": a mount.
        QTest::addColumn<QString>("drive");
        // clang-format off
        QTest::newRow("root of C, OK") << u"c"_s << true << u"OK"_s << u"C"_s;
        QTest::newRow("root of C, Escape") << u"c"_s << true << u"Esc"_s << u"C"_s;
        QTest::newRow("root of C, Enter") << u"c"_s << true << u"Return"_s << u"C"_s;
        QTest::newRow("root of C without subdirectories") << u"c"_s << false << QString() << QString();
        QTest::newRow("folder on C") << u"c/sub"_s << true << QString() << QString();
        QTest::newRow("root of F, mounted in a folder of D") << u"d/f"_s << true << u"OK"_s << u"F"_s;
        QTest::newRow("root of a mount without a letter") << u"c/sub/mnt"_s << true << u"Cancel"_s << u"*"_s;
        // clang-format on
    }

    void wholeDriveAsksFirst()
    {
        QFETCH(QString, folder);
        QFETCH(bool, subdirs);
        QFETCH(QString, answer);
        QFETCH(QString, drive);
        Fixture f;
        const QString path = (folder.startsWith(u'c') ? f.c.path() : f.d.path()) + folder.mid(1);
        QVERIFY(QDir().mkpath(path));
        QVERIFY(f.window->dirMain->setPath(path).ok());
        QVERIFY(QFile(path + u"/a__b.txt"_s).open(QIODevice::WriteOnly));
        CheckValue::setValue(
            *f.window->chkSubdirs, subdirs ? CheckValue::Ticked : CheckValue::Clear);
        ModalCatcher catcher(answer == u"OK"_s ? QMessageBox::Ok : QMessageBox::Cancel);
        if (answer == u"Esc"_s || answer == u"Return"_s)
            catcher.whileShown
                = [answer](QDialog *box) { QTest::keySequence(box, QKeySequence(answer)); };
        f.window->cmdExecute_Click();

        const QString question = drive == u"*"_s
            ? u"The folder %1 is the root of a mounted volume, and subdirectories are included, "
              u"so every file on it will be looked at.\n"
              u"Click OK to go on or Cancel to start nothing."_s.arg(path)
            : u"The folder %1 is the root of drive %2: and subdirectories are "
              u"included, so every file on the drive will be looked at.\n"
              u"Click OK to go on or Cancel to start nothing."_s.arg(path, drive);
        const QString asked = ModalCatcher::entry(QMessageBox::Warning,
            QMessageBox::Ok | QMessageBox::Cancel, u"Whole Drive"_s, question);
        QCOMPARE(catcher.shown, drive.isEmpty() ? QStringList() : QStringList{asked});
        const bool runs = drive.isEmpty() || answer == u"OK"_s;
        QCOMPARE(QFile::exists(path + u"/a b.txt"_s), runs);
        // Refused, the pass leaves no trace: panels, counters and pointer as they were.
        const QStringList panels{f.panel(u"Fixed"_s), f.panel(u"Current"_s)};
        QCOMPARE(panels,
            (runs ? QStringList{u" Fixed: 1"_s, u"Completed"_s}
                  : QStringList{u" Fixed: 0"_s, u"Ready..."_s}));
        QCOMPARE(f.panel(u"Read"_s) == u" Read: 0"_s, !runs);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void executePass_data()
    {
        // Every error dialog's answer; folders hold the cleaned names, so every rename fails.
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QStringList>("shown"); // files, panels Read and Fixed, dialogs
        QTest::addColumn<bool>("close"); // the window is closed while the first dialog is up
        // clang-format off
        QTest::newRow("OK goes on") << QMessageBox::Ok << (untidyNames + QStringList{u" Read: 2"_s, u" Fixed: 2"_s, u"2"_s}) << false;
        QTest::newRow("Cancel aborts") << QMessageBox::Cancel << (untidyNames + QStringList{u" Read: 1"_s, QString(), u"1"_s}) << false;
        QTest::newRow("closing stops at the next file") << QMessageBox::Ok << (untidyNames + QStringList{u" Read: 1"_s, u" Fixed: 1"_s, u"1"_s}) << true;
        // clang-format on
    }

    void executePass()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QStringList, shown);
        QFETCH(bool, close);
        Fixture f;
        QDir c(f.c.path());
        f.addUntidyFiles();
        QVERIFY(c.mkdir(u"a b.txt"_s) && c.mkdir(u"z.txt"_s));
        ModalCatcher catcher(answer);
        bool closeWaited = false;
        QStringList currentWhileAsking; // the file that failed, as panel "Current" shows it
        catcher.whileShown = [&](QDialog *) {
            currentWhileAsking.append(f.panel(u"Current"_s));
            if (close && currentWhileAsking.size() == 1)
                closeWaited = !f.window->close();
        };
        f.window->cmdExecute_Click();

        QCOMPARE(f.sortedFiles() << f.panel(u"Read"_s) << f.panel(u"Fixed"_s)
                                 << QString::number(catcher.shown.size()),
            shown);
        QCOMPARE(f.panel(u"Current"_s), u"Completed"_s);
        QVERIFY(!QGuiApplication::overrideCursor());
        for (const QString &current : std::as_const(currentWhileAsking))
            QVERIFY2(untidyNames.contains(current.mid(1 + c.path().size() + 1))
                    && current.startsWith(u' ' + c.path() + u'/'),
                qPrintable(current));
        QCOMPARE(currentWhileAsking.removeDuplicates(), 0);
        const QString prompt = ModalCatcher::entry(QMessageBox::Critical,
            QMessageBox::Ok | QMessageBox::Cancel, u"Runtime Error"_s, u"Error: "_s);
        for (const QString &dialog : std::as_const(catcher.shown))
            QVERIFY(dialog.startsWith(prompt)
                && dialog.endsWith(u"\r\nClick OK to continue or Cancel to abort"_s));
        // Closed during the pass, the window waits for the pass to end.
        QCOMPARE(closeWaited, close);
        QCOMPARE(f.window->isVisible(), !close);
    }

    void fileMenuUndoesAndPreviews()
    {
        Fixture f;
        QStringList items;
        for (const QAction *action : f.window->mnuFile->actions())
            items.append(action->isSeparator() ? u"-"_s : action->text());
        QCOMPARE(
            items, (QStringList{u"&Undo Last Execution"_s, u"Pre&view..."_s, u"-"_s, u"Exit"_s}));
        QVERIFY(!f.window->mnuFileUndo->isEnabled());
        {
            // Out of the box's focus, the length is read as the pass reads it.
            f.window->txtMax->setText(u"abc"_s);
            ModalCatcher catcher;
            f.window->mnuFilePreview->trigger();
            QCOMPARE(catcher.shown,
                QStringList{ModalCatcher::entry(QMessageBox::Warning, QMessageBox::Ok,
                    u"Input Error"_s, u"Maximum length must be 12 to 99"_s)});
            f.window->txtMax->setText(u"60"_s);
        }

        QDir c(f.c.path());
        f.addUntidyFiles();

        // The preview lists both renames, changes nothing, and its Execute runs the pass.
        {
            ModalCatcher catcher;
            QStringList listed;
            catcher.whileShown = [&](QDialog *dialog) {
                const auto *table = dialog->findChild<QTableView *>();
                QVERIFY2(table, qPrintable(catcher.shown.last()));
                const QAbstractItemModel *model = table->model();
                for (int row = 0; row < model->rowCount(); ++row)
                    listed.append(model->index(row, 1).data().toString() + u'>'
                        + model->index(row, 2).data().toString());
                if (QFile::exists(c.filePath(untidyNames[0]))
                    && QFile::exists(c.filePath(untidyNames[1])))
                    dialog->accept();
            };
            f.window->mnuFilePreview->trigger();
            listed.sort();
            QCOMPARE(
                listed, (QStringList{u"a__b.txt>a b.txt"_s, u"z www.ads.example.txt>z.txt"_s}));
        }
        QCOMPARE(f.sortedFiles(), (QStringList{u"a b.txt"_s, u"z.txt"_s}));
        QVERIFY(f.window->mnuFileUndo->isEnabled());

        // Cancelled, the undo changes nothing and stays on offer.
        ModalCatcher catcher(QMessageBox::Cancel);
        f.window->mnuFileUndo->trigger();
        QCOMPARE(catcher.shown.size(), 1);
        QVERIFY(catcher.shown[0].contains(
            u"Take back the 2 renames made in "_s + f.c.path() + u" on "_s));
        QCOMPARE(f.sortedFiles(), (QStringList{u"a b.txt"_s, u"z.txt"_s}));
        QVERIFY(f.window->mnuFileUndo->isEnabled());

        // Any count in the question agrees with its noun, and a count of none is left out.
        const auto firstLine = [](qint64 renames, qint64 readOnly) {
            const QDateTime madeAt(QDate(2026, 12, 7), QTime(14, 2));
            return UiTexts::undoQuestion(renames, readOnly, u"/home/ann"_s, madeAt)
                .section(u'\n', 0, 0);
        };
        const QString tail = u" made in /home/ann on 7 Dec 2026 at 14:02?"_s;
        QCOMPARE(firstLine(289, 8), u"Take back the 289 renames and 8 read-only changes"_s + tail);
        QCOMPARE(firstLine(1, 1), u"Take back the 1 rename and 1 read-only change"_s + tail);
        QCOMPARE(firstLine(0, 3), u"Take back the 3 read-only changes"_s + tail);
    }
    void escapeStopsAPassThatUndoTakesBack()
    {
        Fixture f;
        QDir many(f.c.path());
        QVERIFY(many.mkdir(u"many"_s) && many.cd(u"many"_s));
        const int total = 3000;
        for (int i = 0; i < total; ++i)
            QVERIFY(QFile(many.filePath(u"n__%1.txt"_s.arg(i))).open(QIODevice::WriteOnly));
        QVERIFY(f.window->dirMain->setPath(many.path()).ok());
        f.window->txtCount->setText(u"100000"_s);

        // Escape reaches the window once the pass first lets it paint; a
        // click on Execute meanwhile starts nothing.
        QTimer::singleShot(0, f.window.get(), [&] {
            QTest::mouseClick(f.window->cmdExecute, Qt::LeftButton);
            QTest::keyClick(f.window.get(), Qt::Key_Escape);
        });
        f.window->cmdExecute->click();
        const qsizetype renamed = many.entryList({u"n *.txt"_s}, QDir::Files).size();
        QVERIFY2(renamed > 0 && renamed < total, QByteArray::number(renamed).constData());
        QCOMPARE(f.panel(u"Fixed"_s), u" Fixed: %1"_s.arg(renamed));
        QCOMPARE(f.panel(u"Current"_s), u"Completed"_s);

        ModalCatcher catcher;
        f.window->mnuFileUndo->trigger();
        QCOMPARE(catcher.shown.size(), 1);
        QCOMPARE(many.entryList({u"n__*.txt"_s}, QDir::Files).size(), total);
        QCOMPARE(f.panel(u"Fixed"_s), u" Fixed: %1"_s.arg(renamed));
        QVERIFY(!f.window->mnuFileUndo->isEnabled());
    }
    void panelsTakeTheLatestTextsWhenTheBarPaints()
    {
        Fixture f;
        WindowPassHost &host = *f.window->m_passHost;
        const QList<QLabel *> panels = f.window->StatusBar1->panels();
        host.passStarted();
        QCOMPARE(panels[2]->text(), u"Navigating..."_s);
        host.fileRead(1, u"/x"_s, u"a.txt"_s);
        host.fileRead(2, u"/x"_s, u"y.txt"_s);
        // Within 50 ms of the one before, the second text is only kept.
        QVERIFY(panels[0]->text() != u" Read: 2"_s);
        // Once 50 ms have passed, the next text shows every kept one.
        QVERIFY(QTest::qWaitFor([&] {
            host.fileFixed(1);
            return panels[1]->text() == u" Fixed: 1"_s;
        }));
        QCOMPARE(panels[0]->text(), u" Read: 2"_s);
        QCOMPARE(panels[2]->text(), u" /x/y.txt"_s);
        host.fileRead(3, u"/x"_s, u"z.txt"_s);
        host.passEnded(); // the end of the pass shows the last texts
        QCOMPARE(panels[0]->text(), u" Read: 3"_s);
        QCOMPARE(panels[2]->text(), u"Completed"_s);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void settingsMenu_data()
    {
        QTest::addColumn<QString>("answer"); // to the input box; empty for a toggle
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("control"); // a box that shows the answer, or is cleared
        // clang-format off
        QTest::newRow("mnuSettingsDefaultDrive") << u"D"_s << u"Drive"_s << QString();
        QTest::newRow("mnuSettingsDefaultPath") << u"sub"_s << u"Path"_s << QString();
        QTest::newRow("mnuSettingsDefaultLength") << u"240"_s << u"MaxLength"_s << u"txtMax"_s;
        QTest::newRow("mnuSettingsLimit") << u"500"_s << u"MaxCount"_s << u"txtCount"_s;
        QTest::newRow("mnuSettingsIncludeSubdirs") << QString() << u"IncSubDirs"_s << u"chkSubdirs"_s;
        QTest::newRow("mnuSettingsReadOnly") << QString() << u"ReadOnly"_s << u"chkReadOnly"_s;
        QTest::newRow("mnuSettingsMultSpace") << QString() << u"MultSpace"_s << u"chkMultSpace"_s;
        QTest::newRow("mnuSettingsMultSpecial") << QString() << u"MultSpecial"_s << u"chkMultSpecial"_s;
        QTest::newRow("mnuSettingsEmpty") << QString() << u"Empty"_s << u"chkEmpty"_s;
        QTest::newRow("mnuSettingsUnderlines") << QString() << u"Underline"_s << u"chkUnderline"_s;
        QTest::newRow("mnuSettingsCopy") << QString() << u"Copy"_s << u"chkCopy"_s;
        QTest::newRow("mnuSettingsStarting") << QString() << u"Starting"_s << u"chkStarting"_s;
        QTest::newRow("mnuSettingsEnding") << QString() << u"Ending"_s << u"chkEnding"_s;
        // clang-format on
    }

    void settingsMenu()
    {
        QFETCH(QString, answer);
        QFETCH(QString, key);
        QFETCH(QString, control);
        Fixture f;
        auto *item = f.window->findChild<QAction *>(QLatin1StringView(QTest::currentDataTag()));
        QWidget *shows = control.isEmpty() ? nullptr : f.window->findChild<QWidget *>(control);
        // The mark alone says on: the new value follows it, not the box or
        // the value in force.
        for (const frmMain::Switch &row : frmMain::switches()) {
            if ((*f.window).*row.menuItem == item) {
                CheckValue::setValue(*((*f.window).*row.checkBox), CheckValue::Clear);
                DefaultsTable::switchValue(f.window->m_defaults, row.id) = false;
            }
        }
        // A toggle flips its mark once each time, although Qt flips a
        // checkable item itself first.
        for (const bool on : {false, true}) {
            f.dialogs.answers = {answer};
            item->trigger();
            QCOMPARE(item->isChecked(), on && item->isCheckable());
            const QString saved = on ? u"True"_s : u"False"_s;
            QCOMPARE(f.store->get(key, u"absent"_s), answer.isEmpty() ? saved : answer);
            if (auto *box = qobject_cast<QCheckBox *>(shows))
                QCOMPARE(box->isChecked(), on);
            if (auto *edit = qobject_cast<LimitBox *>(shows))
                QCOMPARE(edit->text(), answer);
        }
    }

    void everyControlIsNamedForScreenReaders()
    {
        Fixture f;
        // On Linux Qt gives a combo box's current text as its name, so the
        // drive list's own name is checked as set.
        QCOMPARE(f.window->drvMain->accessibleName(), u"Drive"_s);
        const QHash<QString, QString> named{{u"dirMain"_s, u"Folders"_s},
            {u"FilMain"_s, u"Files"_s}, {u"lstJnk"_s, u"Strings to Remove"_s},
            {u"txtMax"_s, u"Maximum File Name Length:"_s},
            {u"txtCount"_s, u"Files to Inspect per Execution:"_s}, {u"cmdExecute"_s, u"Execute"_s},
            {u"chkMultSpecial"_s, u"Remove multi - _ < > ! @ # $ % ^ & * ?"_s},
            {u"StatusBar1"_s, u"Status"_s}};
        frmMain &w = *f.window;
        QList<QWidget *> controls{w.drvMain, w.dirMain, w.FilMain, w.lstJnk, w.txtMax, w.txtCount,
            w.cmdExecute, w.StatusBar1};
        for (const frmMain::Switch &row : frmMain::switches())
            controls.append(w.*row.checkBox);
        for (QWidget *control : controls) {
            const QString name
                = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            if (named.contains(control->objectName()))
                QCOMPARE(name, named[control->objectName()]);
        }
    }

    void showsTheFolderFilesInTheUsersOrder_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        // C has no collation of its own; the order is still the one below.
        QTest::newRow("C") << QLocale::c();
    }

    void showsTheFolderFilesInTheUsersOrder()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        const auto make = [&](const QByteArray &name) {
            const int fd = ::open(folder + name, O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY2(fd >= 0, name.constData());
            ::close(fd);
        };
        // QTemporaryDir cannot see a name that is not UTF-8, let alone remove it.
        const auto removeOddName = qScopeGuard([&] { ::unlink(folder + "bad\xff.txt"); });
        // clang-format off
        for (const char *name : {"b10.txt", "B2.txt", "a1.txt", ".hidden", "bad\xff.txt", "\xc3\xa9t\xc3\xa9.txt", "ZZ.txt"})
            make(name);
        // clang-format on
        for (const char *name : {"b10", "B2", "a1"})
            QVERIFY(::mkdir(folder + name, 0755) == 0);
        QVERIFY(::symlink("a1.txt", folder + "link.txt") == 0);
        QVERIFY(::symlink("missing", folder + "broken.txt") == 0);
        QVERIFY(::mkfifo(folder + "fifo", 0644) == 0);

        FileList list;
        list.setPath(dir.path());
        // Without regard to case, numbers as numbers, accents as the locale
        // orders them; a name that is not UTF-8 shows its odd bytes escaped.
        QCOMPARE(list.fileNames(),
            (QStringList{u"a1.txt"_s, u"B2.txt"_s, u"b10.txt"_s, u"bad\\xFF.txt"_s,
                u"\u00e9t\u00e9.txt"_s, u"link.txt"_s, u"ZZ.txt"_s}));

        make("A1.txt"); // the same name but for case: a fixed order all the same
        list.refresh();
        QCOMPARE(list.fileNames().mid(0, 2), (QStringList{u"A1.txt"_s, u"a1.txt"_s}));

        // The folder list beside it sorts its folders the same way.
        FolderList folders;
        QVERIFY(folders.setPath(dir.path()).ok());
        const QModelIndex current = folders.currentIndex();
        QStringList shown;
        for (int row = 0; row < folders.model()->rowCount(current); ++row)
            shown.append(folders.model()->index(row, 0, current).data().toString());
        QCOMPARE(shown, (QStringList{u"a1"_s, u"B2"_s, u"b10"_s}));
    }

    void folderThatCannotBeReadIsReported()
    {
        QTemporaryDir dir;
        const QString gone = dir.filePath(u"gone"_s);
        QVERIFY(QDir().mkdir(gone) && QFile(gone + u"/a.txt"_s).open(QIODevice::WriteOnly));
        FileList list;
        list.setPath(gone);
        QVERIFY(QDir(gone).removeRecursively());
        list.refresh();
        QCOMPARE(list.fileNames(), QStringList());
        const QString reason = u"Cannot open folder '%1': No such file or directory"_s.arg(gone);
        QCOMPARE(list.readFailure(), reason);
        FolderList folders;
        QVERIFY(folders.setPath(dir.path()).ok());
        QCOMPARE(folders.setPath(gone).failure().description, reason);
        QCOMPARE(folders.path(), dir.path());
    }

    void gateWheelOverAnotherControl()
    {
        GateWindow w;
        const QPointF inside = QRectF(w.choice->rect()).center();
        const auto turnWheel = [&] {
            QWheelEvent wheel(inside, w.choice->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w.choice, &wheel);
            return QList<int>{w.validations, w.choice->currentIndex()};
        };
        QCOMPARE(turnWheel(), (QList<int>{1, 0})); // refused: the drop-down stays
        w.box->setText(u"yes"_s);
        QCOMPARE(turnWheel(), (QList<int>{2, 1}));
    }

    void gateFocusMovedByCodeIsValidatedAfterwards()
    {
        GateWindow w;
        w.choice->setFocus();
        QCOMPARE(w.validations, 0); // not inside the focus change itself
        QTRY_COMPARE(w.validations, 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.box));
        w.box->setText(u"yes"_s);
        w.choice->setFocus();
        QTRY_COMPARE(w.validations, 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.choice));
        QCoreApplication::processEvents(); // nothing more to validate once the box was left
        QCOMPARE(w.validations, 2);
    }

    void fitsTheScreen()
    {
        // At scale 2 the offscreen screen is lower than the window's design
        // (CTest runs this at scale 1 and 2).
        Fixture f;
        QScrollArea *scroller = f.window->findChild<QScrollArea *>();
        const QSize design = f.window->form()->minimumSize();
        const QRect available = f.window->screen()->availableGeometry();
        QVERIFY(f.window->frameGeometry().height() <= available.height());
        // Every control can be scrolled into view in a small window, even
        // one larger than the view.
        f.window->resize(400, 300);
        const QList<QWidget *> farthest{
            f.window->cmdExecute, f.window->FilMain, f.window->txtCount};
        const auto inView = [scroller](QWidget *control) {
            scroller->ensureWidgetVisible(control, 0, 0);
            const QRect shown(control->mapTo(scroller->viewport(), QPoint()), control->size());
            return scroller->viewport()->rect().contains(shown.center());
        };
        // The scroll bars come once the window has laid itself out anew.
        for (QWidget *control : farthest)
            QTRY_VERIFY2(inView(control), qPrintable(control->objectName()));
        QVERIFY(f.window->StatusBar1->isVisible());
        // At its design size the form shows whole, as it always has.
        f.window->resize(design.width(),
            f.window->menuBar()->height() + design.height() + f.window->StatusBar1->height());
        QTRY_COMPARE(f.window->form()->size(), design);
        QTRY_VERIFY(!scroller->verticalScrollBar()->isVisible());
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
    }

    void exitAboutAndLockKeys()
    {
        Fixture f; // no window system to ask: the lock key presses that the window sees count
        const QList<QLabel *> panels = f.window->StatusBar1->panels();
        QTest::keyClick(f.window->windowHandle(), Qt::Key_CapsLock);
        QTRY_VERIFY(panels[3]->isEnabled() && !panels[4]->isEnabled());
        QTest::keyClick(f.window->windowHandle(), Qt::Key_NumLock);
        QTest::keyClick(f.window->windowHandle(), Qt::Key_CapsLock);
        QTRY_VERIFY(!panels[3]->isEnabled() && panels[4]->isEnabled());
        ModalCatcher catcher;
        QTest::keyClick(f.window.get(), Qt::Key_H, Qt::AltModifier);
        // The Help menu that the first key opened takes the second.
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        QTRY_COMPARE(catcher.shown, QStringList{u"frmAbout"_s});
        // Released when it closed, a dialog is built anew each time.
        QTRY_VERIFY(f.window->findChildren<QDialog *>().isEmpty());
        f.window->activateWindow(); // the offscreen screen does not hand it back
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
