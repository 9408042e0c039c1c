#include "captionfont.h"
#include "checkvalue.h"
#include "defaultsview.h"
#include "drivelist.h"
#include "enginetexts.h"
#include "fakedrives.h"
#include "filelist.h"
#include "folderlist.h"
#include "frmmain.h"
#include "limitbox.h"
#include "linuxfilesystem.h"
#include "modalcatcher.h"
#include "panelstatusbar.h"
#include "passhost.h"
#include "scripteddialogs.h"
#include "settingsstore.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class FixedLockKeys final : public LockKeys
{
public:
    explicit FixedLockKeys(LockKeyState state)
        : m_state(state)
    { }
    LockKeyState state() const override { return m_state; }

private:
    LockKeyState m_state;
};

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// One window over temporary drives: C with a few files and a subfolder, D
// empty, E not ready. Start-up has run with an empty store.
struct Fixture
{
    QTemporaryDir settings;
    QTemporaryDir c;
    QTemporaryDir d;
    FakeDrives drives;
    LinuxFileSystem fileSystem;
    std::unique_ptr<SettingsStore> store;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> window;

    explicit Fixture(LockKeyState locks = {})
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        store = std::make_unique<SettingsStore>(u"tst_frmmain"_s);
        drives.add(u'C', c.path());
        drives.add(u'D', d.path());
        drives.add(u'E', u"/nonexistent-e"_s, false);
        QDir(c.path()).mkdir(u"sub"_s);
        touch(c.filePath(u"sub/inner.txt"_s));
        touch(c.filePath(u"sub/.hidden"_s));
        {
            QFile list(c.filePath(u"Purlex.txt"_s));
            if (list.open(QIODevice::WriteOnly))
                list.write("www.ads.example\n");
        }
        window = std::make_unique<frmMain>(
            fileSystem, drives, *store, dialogs, std::make_unique<FixedLockKeys>(locks));
        window->setRemovalListFolder(c.path());
        window->Form_Load();
    }

    bool showActive()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    QString panel(const QString &key) const { return window->StatusBar1->panelText(key); }
};

} // namespace

class tst_frmMain final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void startUpShowsDefaults()
    {
        Fixture f;
        QCOMPARE(f.window->dirMain->path(), QDir(f.c.path()).canonicalPath());
        QCOMPARE(f.window->FilMain->path(), f.window->dirMain->path());
        QCOMPARE(f.window->txtMax->text(), u"60"_s);
        QCOMPARE(f.window->txtCount->text(), u"1000"_s);
        QCOMPARE(f.window->lstJnk->count(), 1);
        QCOMPARE(f.window->colJnk, QStringList{u"www.ads.example"_s});
        QCOMPARE(f.panel(EngineTexts::ReadPanel), u" Read: 0"_s);
        QCOMPARE(f.panel(EngineTexts::FixedPanel), u" Fixed: 0"_s);
        QCOMPARE(f.panel(EngineTexts::CurrentPanel), u"Ready..."_s);
        QVERIFY(f.showActive());
        QCOMPARE(QApplication::focusWidget(), f.window->drvMain);
    }

    void validation_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: the text passes

        QTest::newRow("count 49") << u"txtCount"_s << u"49"_s
                                  << u"Maximum files must be 50 to 2000"_s;
        QTest::newRow("count 50") << u"txtCount"_s << u"50"_s << QString();
        QTest::newRow("count 2000") << u"txtCount"_s << u"2000"_s << QString();
        QTest::newRow("count 2001")
            << u"txtCount"_s << u"2001"_s << u"Maximum files must be 50 to 2000"_s;
        QTest::newRow("count empty")
            << u"txtCount"_s << QString() << u"Maximum files not numeric"_s;
        QTest::newRow("count negative")
            << u"txtCount"_s << u"-100"_s << u"Maximum files must be 50 to 2000"_s;
        QTest::newRow("length 11")
            << u"txtMax"_s << u"11"_s << u"Maximum length must be 12 to 99"_s;
        QTest::newRow("length 12") << u"txtMax"_s << u"12"_s << QString();
        QTest::newRow("length 99") << u"txtMax"_s << u"99"_s << QString();
        QTest::newRow("length letters")
            << u"txtMax"_s << u"ab"_s << u"Maximum length not numeric"_s;
        QTest::newRow("length empty")
            << u"txtMax"_s << QString() << u"Maximum length not numeric"_s;
    }

    void validation()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const bool refused = !message.isEmpty();

        // A click on a check box.
        {
            Fixture f;
            QVERIFY(f.showActive());
            auto *edit = f.window->findChild<QLineEdit *>(box);
            edit->setText(text);
            edit->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), edit);
            ModalCatcher catcher;
            QCheckBox *other = f.window->chkEnding;
            QVERIFY(other->isChecked());
            QTest::mouseClick(other, Qt::LeftButton);
            QCOMPARE(catcher.shown.size(), refused ? 1 : 0);
            if (refused) {
                QCOMPARE(catcher.shown[0].title, u"Input Error"_s);
                QCOMPARE(catcher.shown[0].text, message);
                QCOMPARE(catcher.shown[0].icon, QMessageBox::Warning);
                QCOMPARE(catcher.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            }
            QTRY_COMPARE(
                QApplication::focusWidget(), refused ? static_cast<QWidget *>(edit) : other);
            QCOMPARE(other->isChecked(), refused);
            QCOMPARE(edit->text(), text);
        }
        // Tab.
        {
            Fixture f;
            QVERIFY(f.showActive());
            auto *edit = f.window->findChild<QLineEdit *>(box);
            edit->setText(text);
            edit->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), edit);
            ModalCatcher catcher;
            QTest::keyClick(edit, Qt::Key_Tab);
            QCOMPARE(catcher.shown.size(), refused ? 1 : 0);
            QWidget *next = box == u"txtMax"_s ? static_cast<QWidget *>(f.window->chkSubdirs)
                                               : f.window->chkReadOnly;
            QTRY_COMPARE(
                QApplication::focusWidget(), refused ? static_cast<QWidget *>(edit) : next);
        }
    }

    void refusedValueKeepsExecuteFromRunning_data()
    {
        QTest::addColumn<bool>("accessKey");
        QTest::newRow("click") << false;
        QTest::newRow("Alt+E") << true;
    }

    void refusedValueKeepsExecuteFromRunning()
    {
        QFETCH(bool, accessKey);
        Fixture f;
        touch(f.c.filePath(u"CC a__b.txt"_s));
        QVERIFY(f.showActive());
        f.window->txtCount->setText(u"49"_s);
        f.window->txtCount->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.window->txtCount);
        ModalCatcher catcher;
        if (accessKey)
            QTest::keyClick(f.window->txtCount, Qt::Key_E, Qt::AltModifier);
        else
            QTest::mouseClick(f.window->cmdExecute, Qt::LeftButton);
        QCOMPARE(catcher.shown.size(), 1);
        QCOMPARE(catcher.shown[0].text, u"Maximum files must be 50 to 2000"_s);
        QVERIFY(!f.window->cmdExecute->isDown()); // an access key presses it for a moment
        QCOMPARE(f.panel(EngineTexts::CurrentPanel), u"Ready..."_s);
        QVERIFY(QFile::exists(f.c.filePath(u"CC a__b.txt"_s)));
        QTRY_COMPARE(QApplication::focusWidget(), f.window->txtCount);

        // With an acceptable limit the same gesture runs the pass.
        f.window->txtCount->setText(u"50"_s);
        if (accessKey)
            QTest::keyClick(f.window->txtCount, Qt::Key_E, Qt::AltModifier);
        else
            QTest::mouseClick(f.window->cmdExecute, Qt::LeftButton);
        QTRY_COMPARE(f.panel(EngineTexts::CurrentPanel), u"Completed"_s);
        QVERIFY(QFile::exists(f.c.filePath(u"a b.txt"_s)));
    }

    void menuDoesNotValidate()
    {
        Fixture f;
        QVERIFY(f.showActive());
        f.window->txtMax->setText(u"5"_s);
        f.window->txtMax->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.window->txtMax);
        ModalCatcher catcher;
        f.window->mnuSettingsCopy->trigger();
        QTest::mouseClick(f.window->Label1, Qt::LeftButton);
        QVERIFY(catcher.shown.isEmpty());
    }

    void typingLimit()
    {
        Fixture f;
        QVERIFY(f.showActive());
        LimitBox *box = f.window->txtMax;
        f.window->defaultsView().setMaxLengthText(u"240"_s);
        QCOMPARE(box->text(), u"240"_s);
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, u"5"_s);
        QCOMPARE(box->text(), u"240"_s);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), u"24"_s);
        QTest::keyClicks(box, u"7"_s);
        QCOMPARE(box->text(), u"24"_s);

        box->clear();
        QTest::keyClicks(box, u"123"_s);
        QCOMPARE(box->text(), u"12"_s);
        // Typing over a selection keeps within the limit, so it is allowed.
        box->selectAll();
        QTest::keyClicks(box, u"9"_s);
        QCOMPARE(box->text(), u"9"_s);

        QGuiApplication::clipboard()->setText(u"345"_s);
        box->clear();
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), QString());
        QGuiApplication::clipboard()->setText(u"34"_s);
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), u"34"_s);
    }

    void tickedBoxChangesNoDefault()
    {
        Fixture f;
        QVERIFY(f.showActive());
        QTest::mouseClick(f.window->chkCopy, Qt::LeftButton);
        QVERIFY(!f.window->chkCopy->isChecked());
        QVERIFY(f.window->gCopy);
        QVERIFY(f.window->mnuSettingsCopy->isChecked());
        QCOMPARE(f.store->get(u"Copy", u"absent"_s), u"absent"_s);
    }

    void settingsMenuCommandsReachTheWindow()
    {
        // A toggle flips the mark once, although Qt flips a checkable item
        // itself before the command runs; the box follows the mark even
        // when the user had changed it by hand.
        Fixture f;
        f.window->chkCopy->setChecked(false);
        f.window->mnuSettingsCopy->trigger();
        QCOMPARE(f.window->mnuSettingsCopy->isChecked(), false);
        QCOMPARE(f.window->chkCopy->isChecked(), false);
        QCOMPARE(f.window->gCopy, false);
        QCOMPARE(f.store->get(u"Copy", u"absent"_s), u"False"_s);
        f.window->mnuSettingsCopy->trigger();
        QCOMPARE(f.window->chkCopy->isChecked(), true);
        QCOMPARE(f.store->get(u"Copy", u"absent"_s), u"True"_s);

        f.dialogs.answers = {u"240"_s};
        f.window->mnuSettingsDefaultLength->trigger();
        QCOMPARE(f.window->txtMax->text(), u"240"_s);
        QCOMPARE(f.store->get(u"MaxLength", u"absent"_s), u"240"_s);
    }

    void checkValueMapping_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<Qt::CheckState>("state");
        QTest::addColumn<bool>("on");
        QTest::newRow("clear") << 0 << Qt::Unchecked << false;
        QTest::newRow("ticked") << 1 << Qt::Checked << true;
        QTest::newRow("greyed") << 2 << Qt::PartiallyChecked << false;
    }

    void checkValueMapping()
    {
        QFETCH(int, value);
        QFETCH(Qt::CheckState, state);
        QFETCH(bool, on);
        Fixture f;
        for (QCheckBox *box : {f.window->chkSubdirs, f.window->chkReadOnly, f.window->chkUnderline,
                 f.window->chkEnding})
            CheckValue::setValue(*box, value);
        QCOMPARE(f.window->chkSubdirs->checkState(), state);
        QCOMPARE(CheckValue::value(*f.window->chkSubdirs), value);
        PassHost &host = f.window->passHost();
        QCOMPARE(host.includeSubfolders(), on);
        QCOMPARE(host.overrideReadOnly(), on);
        QCOMPARE(host.cleaningRules().underline, on);
        QCOMPARE(host.cleaningRules().ending, on);
    }

    void listsFollowFolderAndDrive()
    {
        Fixture f;
        const Status moved = f.window->defaultsView().setFolder(u"C:\\sub"_s);
        QVERIFY(moved.ok());
        const QString sub = QDir(f.c.filePath(u"sub"_s)).canonicalPath();
        QCOMPARE(f.window->dirMain->path(), sub);
        QCOMPARE(f.window->FilMain->path(), sub);
        QCOMPARE(f.window->FilMain->fileNames(), QStringList{u"inner.txt"_s});

        QVERIFY(QFile::rename(sub + u"/inner.txt"_s, sub + u"/renamed.txt"_s));
        f.window->FilMain->refresh();
        QCOMPARE(f.window->FilMain->fileNames(), QStringList{u"renamed.txt"_s});

        // The user picks drive D, then C again: C shows its last folder.
        f.window->drvMain->setCurrentIndex(1);
        QCOMPARE(f.window->dirMain->path(), QDir(f.d.path()).canonicalPath());
        QVERIFY(f.window->FilMain->fileNames().isEmpty());
        f.window->drvMain->setCurrentIndex(0);
        QCOMPARE(f.window->FilMain->path(), sub);
        QVERIFY(f.dialogs.warnings.isEmpty());
    }

    void driveNotReadyIsRefused()
    {
        Fixture f;
        const QString before = f.window->dirMain->path();
        f.window->drvMain->setCurrentIndex(2);
        QCOMPARE(f.dialogs.warnings, QStringList{u"Drive E: is not ready"_s});
        QCOMPARE(f.window->dirMain->path(), before);
        QCOMPARE(f.window->drvMain->letter(), std::optional<QChar>(u'C'));
        QVERIFY(!f.window->defaultsView().selectDrive(u"E"_s).ok());
        QVERIFY(!f.window->defaultsView().selectDrive(u"Q"_s).ok());
        QCOMPARE(f.window->drvMain->letter(), std::optional<QChar>(u'C'));
    }

    void folderOpensOnDoubleClickOnly()
    {
        Fixture f;
        QVERIFY(f.showActive());
        FolderList *list = f.window->dirMain;
        const QString start = list->path();
        QModelIndex subIndex;
        for (const QModelIndex &index : list->model()->match(list->model()->index(0, 0),
                 Qt::DisplayRole, u"sub"_s, 1, Qt::MatchExactly | Qt::MatchRecursive))
            subIndex = index;
        QVERIFY(subIndex.isValid());
        const QPoint at = list->visualRect(subIndex).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(list->path(), start);
        QCOMPARE(list->currentIndex(), subIndex);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->path(), QDir(f.c.filePath(u"sub"_s)).canonicalPath());
        QCOMPARE(f.window->FilMain->path(), list->path());
    }

    void executeRenamesAndShowsNewNames()
    {
        Fixture f;
        touch(f.c.filePath(u"CC first__song.mp3"_s));
        touch(f.c.filePath(u"second www.ads.example.txt"_s));
        touch(f.c.filePath(u"clean.txt"_s));
        f.window->FilMain->refresh();
        CheckValue::setValue(*f.window->chkSubdirs, CheckValue::Clear);
        f.window->cmdExecute_Click();

        QStringList names = f.window->FilMain->fileNames();
        names.sort();
        QCOMPARE(names,
            (QStringList{u"Purlex.txt"_s, u"clean.txt"_s, u"first song.mp3"_s, u"second.txt"_s}));
        QCOMPARE(f.panel(EngineTexts::ReadPanel), u" Read: 4"_s);
        QCOMPARE(f.panel(EngineTexts::FixedPanel), u" Fixed: 2"_s);
        QCOMPARE(f.panel(EngineTexts::CurrentPanel), u"Completed"_s);
        QCOMPARE(f.window->gTryCnt, 4);
        QCOMPARE(f.window->gCurCnt, 2);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void errorDialogAndDeferredClose_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("fixed");
        QTest::newRow("OK goes on") << QMessageBox::Ok << u" Fixed: 2"_s;
        QTest::newRow("Cancel aborts") << QMessageBox::Cancel << QString();
    }

    void errorDialogAndDeferredClose()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, fixed);
        Fixture f;
        QVERIFY(f.showActive());
        // The cleaned name is a folder's: the rename is refused.
        QDir(f.c.path()).mkdir(u"a b.txt"_s);
        touch(f.c.filePath(u"a__b.txt"_s));
        touch(f.c.filePath(u"z__z.txt"_s));
        CheckValue::setValue(*f.window->chkSubdirs, CheckValue::Clear);
        QFile::remove(f.c.filePath(u"Purlex.txt"_s));
        f.window->FilMain->refresh();

        ModalCatcher catcher(answer);
        bool visibleDuringPass = false;
        catcher.whileShown = [&] {
            f.window->close();
            visibleDuringPass = f.window->isVisible();
        };
        f.window->cmdExecute_Click();

        QCOMPARE(catcher.shown.size(), 1);
        QCOMPARE(catcher.shown[0].title, u"Runtime Error"_s);
        QVERIFY(catcher.shown[0].text.startsWith(u"Error: "_s));
        QVERIFY(catcher.shown[0].text.endsWith(u"\r\nClick OK to continue or Cancel to abort"_s));
        QCOMPARE(catcher.shown[0].icon, QMessageBox::Critical);
        QCOMPARE(catcher.shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(visibleDuringPass);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.panel(EngineTexts::FixedPanel), fixed);
        QCOMPARE(f.panel(EngineTexts::CurrentPanel), u"Completed"_s);
        QCOMPARE(QFile::exists(f.c.filePath(u"z z.txt"_s)), answer == QMessageBox::Ok);
    }

    void lockKeysAndPanels()
    {
        Fixture f({true, false});
        const QList<QLabel *> panels = f.window->StatusBar1->panels();
        QCOMPARE(panels.size(), 7);
        QCOMPARE(panels[3]->text(), u"CAPS"_s);
        QVERIFY(panels[3]->isEnabled());
        QCOMPARE(panels[4]->text(), u"NUM"_s);
        QVERIFY(!panels[4]->isEnabled());
        QCOMPARE(panels[5]->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        QVERIFY(!f.window->StatusBar1->setPanelText(QString(), u"x"_s));
        QCOMPARE(panels[4]->text(), u"NUM"_s);
    }

    void captionsFitTheirControls()
    {
        Fixture f;
        QList<QWidget *> captioned;
        for (QWidget *w : f.window->centralWidget()->findChildren<QWidget *>()) {
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
                captioned.append(w);
        }
        QCOMPARE(captioned.size(), 3 + 9 + 1);
        QVERIFY(CaptionFont::fits(f.window->font(), captioned));
        QVERIFY(f.window->font().pointSizeF() >= 6);
    }

    void settingsMenu_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("toggle");
        const QStringList rows{
            u"mnuSettingsDefaultDrive|Default Drive...|0"_s,
            u"mnuSettingsDefaultPath|Default Path...|0"_s,
            u"mnuSettingsDefaultLength|Default Length...|0"_s,
            u"mnuSettingsIncludeSubdirs|Include Subdirectories?|1"_s,
            u"mnuSettingsLimit|Limit...|0"_s,
            u"mnuSettingsBar1||0"_s,
            u"mnuSettingsReadOnly|Override read only?|1"_s,
            u"mnuSettingsMultSpace|Remove multiple spaces?|1"_s,
            u"mnuSettingsMultSpecial|Remove multiple special char?|1"_s,
            u"mnuSettingsEmpty|Remove empty paired delimiters?|1"_s,
            u"mnuSettingsUnderlines|Replace underlines with spaces?|1"_s,
            u"mnuSettingsCopy|Remove starting CC, ZZ?|1"_s,
            u"mnuSettingsStarting|Remove starting closing delimiters?|1"_s,
            u"mnuSettingsEnding|Remove ending opening delimiters?|1"_s,
        };
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QStringList parts = rows[i].split(u'|');
            QTest::newRow(qPrintable(parts[0]))
                << int(i) << parts[0] << parts[1] << (parts[2] == u"1"_s);
        }
    }

    void settingsMenu()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, toggle);
        Fixture f;
        const QList<QAction *> items = f.window->mnuSettings->actions();
        QCOMPARE(items.size(), 14);
        QAction *item = items.at(position);
        QCOMPARE(item->objectName(), name);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->isSeparator(), caption.isEmpty());
        QCOMPARE(item->isCheckable(), toggle);
        QCOMPARE(item->isChecked(), toggle); // start-up with an empty store
        QVERIFY(item->shortcut().isEmpty());
        QCOMPARE(f.window->mnuFile->actions(), QList<QAction *>{f.window->mnuFileExit});
        QCOMPARE(f.window->mnuHelp->actions(), QList<QAction *>{f.window->mnuHelpAbout});
    }

    void aboutIsBuiltAnewEachTime()
    {
        Fixture f;
        QVERIFY(f.showActive());
        QList<QPointer<QDialog>> shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog && !shown.contains(dialog)) {
                shown.append(dialog);
                dialog->reject();
            }
        });
        closer.start(10);
        f.window->mnuHelpAbout->trigger();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].isNull());
        f.window->mnuHelpAbout->trigger();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[1].isNull());
    }

    void resizingMovesNothing()
    {
        Fixture f;
        QVERIFY(f.showActive());
        const QRect execute = f.window->cmdExecute->geometry();
        const QRect files = f.window->FilMain->geometry();
        f.window->resize(f.window->width() + 200, f.window->height() + 100);
        QTRY_COMPARE(f.window->StatusBar1->width(), f.window->width());
        QCOMPARE(f.window->cmdExecute->geometry(), execute);
        QCOMPARE(f.window->FilMain->geometry(), files);
        QCOMPARE(f.window->StatusBar1->geometry().bottom(), f.window->height() - 1);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
