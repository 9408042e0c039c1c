#include "defaultstable.h"
#include "fakedrives.h"
#include "recordingview.h"
#include "scripteddialogs.h"
#include "settingscommands.h"
#include "settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Absent = u"<absent>"_s;

// Everything one command works on: an empty store,
// drive C on a temporary folder that holds "Music", drive D beside it and
// drive E that is not ready.
struct Fixture
{
    QTemporaryDir driveC;
    QTemporaryDir driveD;
    SavedDefaults defaults;
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeDrives drives;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<SettingsCommands> commands;

    Fixture()
    {
        QDir(driveC.path()).mkpath(u"Music/Rock"_s);
        drives.add(u'C', driveC.path());
        drives.add(u'D', driveD.path());
        drives.add(u'E', u"/nonexistent-volume"_s, false);
        view.refusedDrives.insert(u"E"_s);
        store = std::make_unique<SettingsStore>(u"PurlexCommandsTest"_s);
        // Test mode keeps the store under the test's own config folder; each
        // fixture starts from an empty one.
        const QString folder = QFileInfo(store->location()).path();
        if (QFileInfo(folder).isFile())
            QFile::remove(folder);
        QFile::remove(store->location());
        commands = std::make_unique<SettingsCommands>(defaults, *store, view, dialogs, drives);
        for (const DefaultSetting &setting : DefaultsTable::all()) {
            if (setting.switchId)
                view.menuChecked.insert(*setting.switchId, true);
        }
    }

    // What the store's file holds for a key, read back from disk.
    QString stored(const QString &key) const
    {
        QSettings file(store->location(), QSettings::IniFormat);
        return file.value(u"Defaults/"_s + key, Absent).toString();
    }
};

} // namespace

class TestSettingsCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void defaultDrive_data();
    void defaultDrive();
    void defaultPath_data();
    void defaultPath();
    void defaultPathUsesSavedDrive();
    void numbers_data();
    void numbers();
    void toggle_data();
    void toggle();
    void unwritableStoreKeepsValueAndTells();
};

void TestSettingsCommands::defaultDrive_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("stored");

    const QString letter = u"Drive letter must be a single letter A to Z"_s;
    QTest::newRow("c accepted and saved lower case")
        << QStringList{u"c"_s} << QStringList{} << u"c"_s << u"c"_s;
    QTest::newRow("q does not exist")
        << QStringList{u"q"_s, u"D"_s} << QStringList{u"Drive q does not exist on this computer"_s}
        << u"D"_s << u"D"_s;
    QTest::newRow("12 brings both messages")
        << QStringList{u"12"_s, u"d"_s}
        << QStringList{letter, u"Drive 12 does not exist on this computer"_s} << u"d"_s << u"d"_s;
    QTest::newRow("cancel brings both messages, two blanks")
        << QStringList{u""_s, u"c"_s}
        << QStringList{letter, u"Drive  does not exist on this computer"_s} << u"c"_s << u"c"_s;
    QTest::newRow("sharp s is no letter")
        << QStringList{u"\u00DF"_s, u"c"_s}
        << QStringList{letter, u"Drive \u00DF does not exist on this computer"_s} << u"c"_s
        << u"c"_s;
    QTest::newRow("drive not ready restores the original")
        << QStringList{u"e"_s}
        << QStringList{u"Drive e may not be used as default drive, original entry restored"_s}
        << u"C"_s << Absent;
}

void TestSettingsCommands::defaultDrive()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, errors);
    QFETCH(QString, drive);
    QFETCH(QString, stored);

    Fixture f;
    f.dialogs.answers = answers;
    f.commands->mnuSettingsDefaultDrive_Click();

    QCOMPARE(f.dialogs.errors, errors);
    QCOMPARE(f.defaults.gDrive, drive);
    QCOMPARE(f.stored(u"Drive"_s), stored);
    QVERIFY(f.dialogs.answers.isEmpty());
    // Every prompt offers the default in force before the command.
    for (const QString &prompt : f.dialogs.prompts)
        QCOMPARE(prompt, u"Enter drive letter:|Default Drive|C"_s);
    if (stored != Absent)
        QCOMPARE(f.view.drive, drive);
}

void TestSettingsCommands::defaultPath_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");

    QTest::newRow("existing folder") << QStringList{u"Music\\Rock"_s} << QStringList{}
                                     << u"C:\\Music\\Rock"_s << u"Music\\Rock"_s;
    QTest::newRow("missing folder asks again")
        << QStringList{u"Music\\Jazz"_s, u"Music"_s}
        << QStringList{u"Path C:\\Music\\Jazz does not exist on this computer"_s} << u"C:\\Music"_s
        << u"Music"_s;
    QTest::newRow("cancel saves the empty path")
        << QStringList{u""_s} << QStringList{} << u"C:\\"_s << u""_s;
}

void TestSettingsCommands::defaultPath()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, errors);
    QFETCH(QString, folder);
    QFETCH(QString, stored);

    Fixture f;
    f.dialogs.answers = answers;
    f.commands->mnuSettingsDefaultPath_Click();

    QCOMPARE(f.dialogs.errors, errors);
    QCOMPARE(f.view.folder, folder);
    QCOMPARE(f.defaults.gPath, stored);
    QCOMPARE(f.stored(u"Path"_s), stored);
    QVERIFY(f.dialogs.answers.isEmpty());
}

void TestSettingsCommands::defaultPathUsesSavedDrive()
{
    // The user has moved the drive list to D; the path is still tested and
    // applied on the saved default drive, and the drive list is left alone.
    Fixture f;
    f.view.drive = u"D"_s;
    f.dialogs.answers = {u"Music"_s};
    f.commands->mnuSettingsDefaultPath_Click();
    QCOMPARE(f.view.folder, u"C:\\Music"_s);
    QCOMPARE(f.view.drive, u"D"_s);
    QVERIFY(!f.view.calls.join(u';').contains(u"drive"_s));

    // The saved drive has gone: no answer passes, and Cancel leaves.
    Fixture gone;
    gone.defaults.gDrive = u"Q"_s;
    gone.defaults.gPath = u"old"_s;
    gone.dialogs.answers = {u"x"_s, u""_s};
    gone.commands->mnuSettingsDefaultPath_Click();
    QCOMPARE(gone.dialogs.errors,
        (QStringList{u"Path Q:\\x does not exist on this computer"_s,
            u"Path Q:\\ does not exist on this computer"_s,
            u"Path Q:\\ may not be used as default path, original entry restored"_s}));
    QCOMPARE(gone.defaults.gPath, u"old"_s);
    QCOMPARE(gone.stored(u"Path"_s), Absent);
    QVERIFY(gone.view.folder.isEmpty());

    // The folder exists but the window cannot show it.
    Fixture refused;
    refused.view.refusedFolders.insert(u"C:\\Music"_s);
    refused.dialogs.answers = {u"Music"_s};
    refused.commands->mnuSettingsDefaultPath_Click();
    QCOMPARE(refused.dialogs.errors,
        QStringList{u"Path C:\\Music may not be used as default path, original entry restored"_s});
    QCOMPARE(refused.defaults.gPath, QString());
    QCOMPARE(refused.stored(u"Path"_s), Absent);
}

void TestSettingsCommands::numbers_data()
{
    QTest::addColumn<bool>("length");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<int>("value");

    const QString lengthRange = u"Maximum length must be 20 to 240"_s;
    const QString lengthNumber = u"Maximum length must be a number"_s;
    const QString limitRange = u"Maximum files must be 50 to 2000"_s;
    const QString limitNumber = u"Maximum files must be a number"_s;

    QTest::newRow("length 300 then 240")
        << true << QStringList{u"300"_s, u"240"_s} << QStringList{lengthRange} << 240;
    QTest::newRow("length abc brings both messages")
        << true << QStringList{u"abc"_s, u"20"_s} << QStringList{lengthNumber, lengthRange} << 20;
    QTest::newRow("length cancel brings both messages")
        << true << QStringList{u""_s, u"99"_s} << QStringList{lengthNumber, lengthRange} << 99;
    QTest::newRow("a failed conversion keeps the last value")
        << true << QStringList{u"300"_s, u"abc"_s, u"100"_s}
        << QStringList{lengthRange, lengthNumber, lengthRange} << 100;
    QTest::newRow("length half goes to even")
        << true << QStringList{u"60.5"_s} << QStringList{} << 60;
    QTest::newRow("length beyond 16 bits")
        << true << QStringList{u"40000"_s, u"30"_s} << QStringList{lengthNumber, lengthRange} << 30;
    QTest::newRow("limit 49 refused, 50 accepted")
        << false << QStringList{u"49"_s, u"50"_s} << QStringList{limitRange} << 50;
    QTest::newRow("limit 2001 refused, 2000 accepted")
        << false << QStringList{u"2001"_s, u"2000"_s} << QStringList{limitRange} << 2000;
    QTest::newRow("limit abc") << false << QStringList{u"abc"_s, u"500"_s}
                               << QStringList{limitNumber, limitRange} << 500;
}

void TestSettingsCommands::numbers()
{
    QFETCH(bool, length);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, errors);
    QFETCH(int, value);

    Fixture f;
    f.dialogs.answers = answers;
    if (length)
        f.commands->mnuSettingsDefaultLength_Click();
    else
        f.commands->mnuSettingsLimit_Click();

    QCOMPARE(f.dialogs.errors, errors);
    QVERIFY(f.dialogs.answers.isEmpty());
    const QString text = QString::number(value);
    if (length) {
        QCOMPARE(int(f.defaults.gMaxLen), value);
        QCOMPARE(f.view.maxLengthText, text);
        QCOMPARE(f.stored(u"MaxLength"_s), text);
        for (const QString &prompt : f.dialogs.prompts)
            QCOMPARE(prompt, u"Enter maximum length of file name:|Maximum Length|60"_s);
    } else {
        QCOMPARE(int(f.defaults.gMaxCnt), value);
        QCOMPARE(f.view.limitText, text);
        QCOMPARE(f.stored(u"MaxCount"_s), text);
        for (const QString &prompt : f.dialogs.prompts)
            QCOMPARE(prompt, u"Enter maximum number of files to inspect:|Maximum Files|1000"_s);
    }
}

void TestSettingsCommands::toggle_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("key");

    for (const DefaultSetting &setting : DefaultsTable::all()) {
        if (setting.switchId)
            QTest::newRow(setting.key.toString().toUtf8().constData())
                << int(*setting.switchId) << setting.key.toString();
    }
}

void TestSettingsCommands::toggle()
{
    QFETCH(int, id);
    QFETCH(QString, key);
    const SwitchId switchId = SwitchId(id);

    // The user cleared the box by hand: the new value still comes from the
    // menu's check mark.
    Fixture f;
    f.view.ticked.insert(switchId, false);
    f.commands->toggle(switchId);
    QCOMPARE(f.view.menuChecked.value(switchId), false);
    QCOMPARE(f.view.ticked.value(switchId), false);
    QCOMPARE(DefaultsTable::switchValue(f.defaults, switchId), false);
    QCOMPARE(f.stored(key), u"False"_s);

    f.commands->toggle(switchId);
    QCOMPARE(f.view.menuChecked.value(switchId), true);
    QCOMPARE(f.view.ticked.value(switchId), true);
    QCOMPARE(DefaultsTable::switchValue(f.defaults, switchId), true);
    QCOMPARE(f.stored(key), u"True"_s);

    // No other default moved.
    SavedDefaults expected;
    QCOMPARE(f.defaults, expected);
}

void TestSettingsCommands::unwritableStoreKeepsValueAndTells()
{
    Fixture f;
    // A regular file where the store's folder should be: no one can write
    // there, not even root.
    const QString folder = QFileInfo(f.store->location()).path();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    f.dialogs.answers = {u"100"_s};
    f.commands->mnuSettingsDefaultLength_Click();

    QCOMPARE(f.view.maxLengthText, u"100"_s);
    QCOMPARE(int(f.defaults.gMaxLen), 100);
    QCOMPARE(f.dialogs.warnings.size(), 1);
    QVERIFY(f.dialogs.warnings[0].contains(f.store->location()));
    QVERIFY(f.dialogs.errors.isEmpty());
    QFile::remove(folder);
}

QTEST_APPLESS_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
