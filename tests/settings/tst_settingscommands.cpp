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

} // namespace

class TestSettingsCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void prompts_data()
    {
        QTest::addColumn<QString>("key"); // names the command
        QTest::addColumn<QString>("drive"); // gDrive before
        QTest::addColumn<bool>("unwritable"); // a file stands where the store's folder belongs
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QString>(
            "shown"); // drive|folder|max|limit on the window, then the variable
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("drive c kept lower case") << u"Drive"_s << u"C"_s << false << QStringList{u"c"_s} << QStringList{} << u"c||||c"_s << u"c"_s;
        QTest::newRow("drive q does not exist") << u"Drive"_s << u"C"_s << false << QStringList{u"q"_s, u"C"_s} << QStringList{u"Drive q does not exist on this computer"_s} << u"C||||C"_s << u"C"_s;
        QTest::newRow("drive 12, Cancel: both messages each") << u"Drive"_s << u"C"_s << false << QStringList{u"12"_s, u""_s, u"c"_s} << QStringList{u"Drive letter must be a single letter A to Z"_s, u"Drive 12 does not exist on this computer"_s, u"Drive letter must be a single letter A to Z"_s, u"Drive  does not exist on this computer"_s} << u"c||||c"_s << u"c"_s;
        QTest::newRow("drive not ready") << u"Drive"_s << u"C"_s << false << QStringList{u"e"_s} << QStringList{u"Drive e may not be used as default drive, original entry restored"_s} << u"D||||C"_s << Absent;
        QTest::newRow("path on gDrive") << u"Path"_s << u"C"_s << false << QStringList{u"Music"_s} << QStringList{} << u"D|C:\\Music|||Music"_s << u"Music"_s;
        QTest::newRow("path missing") << u"Path"_s << u"C"_s << false << QStringList{u"Music\\Jazz"_s, u"Music"_s} << QStringList{u"Path C:\\Music\\Jazz does not exist on this computer"_s} << u"D|C:\\Music|||Music"_s << u"Music"_s;
        QTest::newRow("path Cancel saves empty") << u"Path"_s << u"C"_s << false << QStringList{u""_s} << QStringList{} << u"D|C:\\|||"_s << u""_s;
        QTest::newRow("path drive gone: Cancel leaves") << u"Path"_s << u"Q"_s << false << QStringList{u"x"_s, u""_s} << QStringList{u"Path Q:\\x does not exist on this computer"_s, u"Path Q:\\ does not exist on this computer"_s, u"Path Q:\\ may not be used as default path, original entry restored"_s} << u"D||||old"_s << Absent;
        QTest::newRow("path refused by the window") << u"Path"_s << u"C"_s << false << QStringList{u"Music\\Rock"_s} << QStringList{u"Path C:\\Music\\Rock may not be used as default path, original entry restored"_s} << u"D||||old"_s << Absent;
        QTest::newRow("length abc, Cancel: both messages each") << u"MaxLength"_s << u"C"_s << false << QStringList{u"abc"_s, u""_s, u"20"_s} << QStringList{u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s} << u"D||20||20"_s << u"20"_s;
        QTest::newRow("length 300, then abc keeps 300") << u"MaxLength"_s << u"C"_s << false << QStringList{u"300"_s, u"abc"_s, u"240"_s} << QStringList{u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s} << u"D||240||240"_s << u"240"_s;
        QTest::newRow("length 60.5 to even") << u"MaxLength"_s << u"C"_s << false << QStringList{u"60.5"_s} << QStringList{} << u"D||60||60"_s << u"60"_s;
        QTest::newRow("length, store unwritable") << u"MaxLength"_s << u"C"_s << true << QStringList{u"100"_s} << QStringList{} << u"D||100||100"_s << Absent;
        QTest::newRow("limit 49, 2001, 2000") << u"MaxCount"_s << u"C"_s << false << QStringList{u"49"_s, u"2001"_s, u"2000"_s} << QStringList(2, u"Maximum files must be 50 to 2000"_s) << u"D|||2000|2000"_s << u"2000"_s;
        QTest::newRow("limit abc: both messages") << u"MaxCount"_s << u"C"_s << false << QStringList{u"abc"_s, u"500"_s} << QStringList{u"Maximum files must be a number"_s, u"Maximum files must be 50 to 2000"_s} << u"D|||500|500"_s << u"500"_s;
        // clang-format on
    }

    void prompts()
    {
        QFETCH(QString, key);
        QFETCH(QString, drive);
        QFETCH(bool, unwritable);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, errors);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        Fixture f;
        f.defaults.gDrive = drive;
        f.dialogs.answers = answers;
        QVERIFY(!unwritable || QFile(f.temp.folder() + u"/Purlex"_s).open(QIODevice::WriteOnly));
        (f.commands.*Prompts[key].click)();

        QCOMPARE(f.dialogs.errors, errors);
        QCOMPARE(f.dialogs.prompts, QStringList(answers.size(), Prompts[key].shown));
        const RecordingView &v = f.view;
        const QString variable = DefaultsTable::storedText(f.defaults, *DefaultsTable::forKey(key));
        QCOMPARE(
            QStringList({v.drive, v.folder, v.maxLengthText, v.limitText, variable}).join(u'|'),
            shown);
        QCOMPARE(f.store.get(key, Absent), stored);
        // The value stays in force, and the user learns where it could not be saved.
        QCOMPARE(f.dialogs.warnings.size(), unwritable ? 1 : 0);
        QVERIFY(!unwritable || f.dialogs.warnings[0].contains(f.store.location()));
    }
};

QTEST_APPLESS_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
