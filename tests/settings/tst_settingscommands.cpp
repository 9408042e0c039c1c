#include "defaultstable.h"
#include "fakedrives.h"
#include "recordingview.h"
#include "scripteddialogs.h"
#include "settingscommands.h"
#include "settingsstore.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Absent = u"<absent>"_s;

struct Prompt
{
    void (SettingsCommands::*click)();
    QString shown; // "prompt|title|default text", the defaults being the fixture's
};
// clang-format off
const QHash<QString, Prompt> Prompts{ // by the key that the command saves
    {u"Drive"_s, {&SettingsCommands::askDefaultDrive, u"Enter drive letter:|Default Drive|C"_s}},
    {u"Path"_s, {&SettingsCommands::askDefaultPath, u"Enter path string:|Default Path|old"_s}},
    {u"MaxLength"_s, {&SettingsCommands::askDefaultLength, u"Enter maximum length of file name:|Maximum Length|60"_s}},
    {u"MaxCount"_s, {&SettingsCommands::askDefaultLimit, u"Enter maximum number of files to inspect:|Maximum Files|1000"_s}}};
// clang-format on

// An empty store; drive C over a temporary folder with Music\Rock (which
// the window refuses to show), and drive E that is not ready. The default
// path is "old"; the user has moved the drive list to D.
struct Fixture
{
    TempStore temp;
    QTemporaryDir driveC;
    SavedDefaults defaults;
    SettingsStore store{u"Purlex"_s, temp.folder()};
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeDrives drives;
    SettingsCommands commands{defaults, store, view, dialogs, drives};

    Fixture()
    {
        QDir(driveC.path()).mkpath(u"Music/Rock"_s);
        drives.add(u'C', driveC.path());
        drives.add(u'E', u"/nonexistent-volume"_s, false);
        view.refusedDrives.insert(u"E"_s);
        view.refusedFolders.insert(u"C:\\Music\\Rock"_s);
        view.drive = u"D"_s;
        defaults.gPath = u"old"_s;
    }
};

// One use of a command, named by the key that it saves.
struct Case
{
    QString key, drive; // drive: gDrive before
    bool unwritable; // a file stands where the store's folder belongs
    QStringList answers, errors;
    QString shown; // drive|folder|max|limit on the window, then the variable
    QString stored;
};

} // namespace

class TestSettingsCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void prompts_data()
    {
        QTest::addColumn<Case>("c");
        // clang-format off
        QTest::newRow("drive c kept lower case") << Case{u"Drive"_s, u"C"_s, false, {u"c"_s}, {}, u"c||||c"_s, u"c"_s};
        QTest::newRow("drive q does not exist") << Case{u"Drive"_s, u"C"_s, false, {u"q"_s, u"C"_s}, {u"Drive q does not exist on this computer"_s}, u"C||||C"_s, u"C"_s};
        QTest::newRow("drive 12, Cancel: both messages each") << Case{u"Drive"_s, u"C"_s, false, {u"12"_s, u""_s, u"c"_s}, {u"Drive letter must be a single letter A to Z"_s, u"Drive 12 does not exist on this computer"_s, u"Drive letter must be a single letter A to Z"_s, u"Drive  does not exist on this computer"_s}, u"c||||c"_s, u"c"_s};
        QTest::newRow("drive not ready") << Case{u"Drive"_s, u"C"_s, false, {u"e"_s}, {u"Drive e may not be used as default drive, original entry restored"_s}, u"D||||C"_s, Absent};
        QTest::newRow("path on gDrive") << Case{u"Path"_s, u"C"_s, false, {u"Music"_s}, {}, u"D|C:\\Music|||Music"_s, u"Music"_s};
        QTest::newRow("path missing") << Case{u"Path"_s, u"C"_s, false, {u"Music\\Jazz"_s, u"Music"_s}, {u"Path C:\\Music\\Jazz does not exist on this computer"_s}, u"D|C:\\Music|||Music"_s, u"Music"_s};
        QTest::newRow("path Cancel saves empty") << Case{u"Path"_s, u"C"_s, false, {u""_s}, {}, u"D|C:\\|||"_s, u""_s};
        QTest::newRow("path drive gone: Cancel leaves") << Case{u"Path"_s, u"Q"_s, false, {u"x"_s, u""_s}, {u"Path Q:\\x does not exist on this computer"_s, u"Path Q:\\ does not exist on this computer"_s, u"Path Q:\\ may not be used as default path, original entry restored"_s}, u"D||||old"_s, Absent};
        QTest::newRow("path refused by the window") << Case{u"Path"_s, u"C"_s, false, {u"Music\\Rock"_s}, {u"Path C:\\Music\\Rock may not be used as default path, original entry restored"_s}, u"D||||old"_s, Absent};
        QTest::newRow("length abc, Cancel: both messages each") << Case{u"MaxLength"_s, u"C"_s, false, {u"abc"_s, u""_s, u"20"_s}, {u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s}, u"D||20||20"_s, u"20"_s};
        QTest::newRow("length 300, then abc keeps 300") << Case{u"MaxLength"_s, u"C"_s, false, {u"300"_s, u"abc"_s, u"240"_s}, {u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s}, u"D||240||240"_s, u"240"_s};
        QTest::newRow("length 60.5 to even") << Case{u"MaxLength"_s, u"C"_s, false, {u"60.5"_s}, {}, u"D||60||60"_s, u"60"_s};
        QTest::newRow("length, store unwritable") << Case{u"MaxLength"_s, u"C"_s, true, {u"100"_s}, {}, u"D||100||100"_s, Absent};
        QTest::newRow("limit 49, 2001, 2000") << Case{u"MaxCount"_s, u"C"_s, false, {u"49"_s, u"2001"_s, u"2000"_s}, QStringList(2, u"Maximum files must be 50 to 2000"_s), u"D|||2000|2000"_s, u"2000"_s};
        QTest::newRow("limit abc: both messages") << Case{u"MaxCount"_s, u"C"_s, false, {u"abc"_s, u"500"_s}, {u"Maximum files must be a number"_s, u"Maximum files must be 50 to 2000"_s}, u"D|||500|500"_s, u"500"_s};
        // clang-format on
    }

    void prompts()
    {
        QFETCH(Case, c);
        Fixture f;
        f.defaults.gDrive = c.drive;
        f.dialogs.answers = c.answers;
        QVERIFY(!c.unwritable || QFile(f.temp.folder() + u"/Purlex"_s).open(QIODevice::WriteOnly));
        (f.commands.*Prompts[c.key].click)();

        QCOMPARE(f.dialogs.errors, c.errors);
        QCOMPARE(f.dialogs.prompts, QStringList(c.answers.size(), Prompts[c.key].shown));
        const RecordingView &v = f.view;
        const QString variable
            = DefaultsTable::storedText(f.defaults, *DefaultsTable::forKey(c.key));
        QCOMPARE(
            QStringList({v.drive, v.folder, v.maxLengthText, v.limitText, variable}).join(u'|'),
            c.shown);
        QCOMPARE(f.store.get(c.key, Absent), c.stored);
        // The value stays in force, and the user learns where it could not be saved.
        QCOMPARE(f.dialogs.warnings.size(), c.unwritable ? 1 : 0);
        QVERIFY(!c.unwritable || f.dialogs.warnings[0].contains(f.store.location()));
    }
};

QTEST_APPLESS_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
