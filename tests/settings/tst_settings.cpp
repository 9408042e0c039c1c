#include "commandline.h"
#include "defaultstable.h"
#include "fakedrives.h"
#include "oddfiles.h"
#include "recordingview.h"
#include "removallist.h"
#include "removallistplace.h"
#include "scripteddialogs.h"
#include "settingscommands.h"
#include "settingsstore.h"
#include "startup.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using Lines = RemovalList::Lines;
using Outcome = CommandLine::Outcome;

namespace {

const QByteArray List("abc\r\n\r\nabc\r\n");

// One start-up over drives C (with Music and the file notafolder), E (with
// Music\Rock) and F (not ready), with the removal list `list` (none if null).
struct Rig
{
    TempStore temp;
    QTemporaryDir tree;
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeDrives drives;
    SavedDefaults defaults;
    QStringList colJnk;

    Rig(const QByteArray &storeFile, const QString &refused, const QByteArray &list)
    {
        QDir root(tree.path());
        root.mkpath(u"c/Music"_s);
        root.mkpath(u"e/Music/Rock"_s);
        QFile(root.filePath(u"c/notafolder"_s)).open(QIODevice::WriteOnly);
        if (QFile file(local(u"<list>"_s)); !list.isNull() && file.open(QIODevice::WriteOnly))
            file.write(list);
        drives.add(u'C', root.filePath(u"c"_s));
        drives.add(u'E', root.filePath(u"e"_s));
        drives.add(u'F', root.filePath(u"f"_s), false);
        view.refusedDrives = view.refusedFolders = {refused};
        if (!storeFile.isNull())
            temp.write(u"Purlex"_s, "[Defaults]\n" + storeFile);
        const SettingsStore store(u"Purlex"_s, temp.folder());
        Startup startup(view, dialogs, drives, store);
        startup.setRemovalListFolder(tree.path());
        startup.run(defaults, colJnk);
    }

    // The text with <c>, <e>, <list> and <store> standing for the folders of
    // drives C and E, the removal list and the store.
    QString local(QString text) const
    {
        const QDir root(tree.path());
        return text.replace(u"<c>"_s, root.filePath(u"c"_s))
            .replace(u"<e>"_s, root.filePath(u"e"_s))
            .replace(u"<list>"_s, root.filePath(u"Purlex.txt"_s))
            .replace(u"<store>"_s, temp.filePath(u"Purlex"_s));
    }
};

QString switches(const QHash<SwitchId, bool> &values)
{
    QString text;
    for (int id = 0; id <= int(SwitchId::Ending); ++id)
        text += values.value(SwitchId(id)) ? u'1' : u'0';
    return text;
}

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
struct CommandRig
{
    TempStore temp;
    QTemporaryDir driveC;
    SavedDefaults defaults;
    SettingsStore store{u"Purlex"_s, temp.folder()};
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeDrives drives;
    SettingsCommands commands{defaults, store, view, dialogs, drives};

    CommandRig()
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
struct CommandCase
{
    QString key, drive; // drive: gDrive before
    bool unwritable; // a file stands where the store's folder belongs
    QStringList answers, errors;
    QString shown; // drive|folder|max|limit on the window, then the variable
    QString stored;
};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(QDir(m_dir.path()).mkdir(u"Music"_s));
        QVERIFY(QFile(m_dir.filePath(u"song.mp3"_s)).open(QIODevice::WriteOnly));
        QCoreApplication::setApplicationVersion(u"0.9.0"_s);
    }

    void commandLine_data()
    {
        // "<dir>" in an argument or in the expected folder stands for a fresh
        // temporary folder that holds the folder "Music" and the file "song.mp3".
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("textHas");
        // clang-format off
        QTest::newRow("nothing: the saved default") << QStringList{u"/usr/bin/Purlex"_s} << Outcome::OpenWindow << QString() << QStringList();
        QTest::newRow("a folder, cleaned") << QStringList{u"Purlex"_s, u"<dir>/Music/../Music/"_s} << Outcome::OpenWindow << u"<dir>/Music"_s << QStringList();
        QTest::newRow("--help") << QStringList{u"/usr/bin/Purlex"_s, u"--help"_s} << Outcome::Print << QString() << QStringList{u"[options] [folder]"_s, u"--version"_s};
        QTest::newRow("--version wins over a folder") << QStringList{u"/usr/bin/Purlex"_s, u"<dir>/nowhere"_s, u"--version"_s} << Outcome::Print << QString() << QStringList{u"Purlex 0.9.0\n"_s};
        QTest::newRow("unknown option") << QStringList{u"Purlex"_s, u"--frobnicate"_s, u"<dir>"_s} << Outcome::Fail << QString() << QStringList{u"Purlex: Unknown option 'frobnicate'."_s, u"Try 'Purlex --help'"_s};
        QTest::newRow("folder that does not exist") << QStringList{u"Purlex"_s, u"<dir>/nowhere"_s} << Outcome::Fail << QString() << QStringList{u"'<dir>/nowhere' does not exist."_s};
        QTest::newRow("a file") << QStringList{u"Purlex"_s, u"<dir>/song.mp3"_s} << Outcome::Fail << QString() << QStringList{u"'<dir>/song.mp3' is not a folder."_s};
        QTest::newRow("two folders") << QStringList{u"Purlex"_s, u"<dir>"_s, u"<dir>/Music"_s} << Outcome::Fail << QString() << QStringList{u"Only one folder"_s};
        // clang-format on
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Outcome, outcome);
        QFETCH(QString, folder);
        QFETCH(QStringList, textHas);
        const QString dir = m_dir.path();
        arguments.replaceInStrings(u"<dir>"_s, dir);

        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(line.outcome, outcome);
        QCOMPARE(line.folder, folder.replace(u"<dir>"_s, dir));
        QCOMPARE(line.text.isEmpty(), textHas.isEmpty());
        for (QString part : textHas)
            QVERIFY2(line.text.contains(part.replace(u"<dir>"_s, dir)), qPrintable(line.text));
    }

    void firstRunInOrder()
    {
        const Rig rig({}, QString(), List);
        // Switches by number in SwitchId order; the eight after IncSubDirs in
        // the order ReadOnly, Underline, MultSpecial, MultSpace, Empty, Copy,
        // Starting, Ending.
        QCOMPARE(rig.view.calls.join(u';'),
            u"row abc;row ;row abc;drive C;folder C:\\;max 60;menu 0 1;tick 0 1;limit 1000;"
            u"tick 1 1;menu 1 1;tick 5 1;menu 5 1;tick 3 1;menu 3 1;tick 2 1;menu 2 1;"
            u"tick 4 1;menu 4 1;tick 6 1;menu 6 1;tick 7 1;menu 7 1;tick 8 1;menu 8 1;"
            u"panel Read;panel Fixed;panel Current"_s);
        QCOMPARE(rig.view.panels,
            (QHash<QString, QString>{{u"Read"_s, u" Read: 0"_s}, {u"Fixed"_s, u" Fixed: 0"_s},
                {u"Current"_s, u"Ready..."_s}}));
        QCOMPARE(rig.colJnk, (QStringList{u"abc"_s, u""_s, u"abc"_s}));
        QVERIFY(rig.defaults == SavedDefaults());
        QCOMPARE(rig.dialogs.warnings, QStringList());
    }

    void startupShown_data()
    {
        QTest::addColumn<QByteArray>("storeFile"); // below [Defaults]; backslashes doubled
        QTest::addColumn<QString>("refused"); // a drive letter or folder the window refuses
        QTest::addColumn<QByteArray>("list"); // null: none; its abc, blank, abc lines are read
        // gDrive|gPath, then the window: drive, folder, MaxLength, MaxCount, switches by SwitchId
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("warning"); // its lines, as Rig::local takes them
        const QString dflt = u"C| C C:\\ 60 1000 111111111"_s;
        // Values of 10 MB, quoted by their first 60 characters.
        const auto huge = [](char fill) { return QByteArray(10 * 1024 * 1024, fill); };
        const auto first60 = [](QChar fill) { return QString(60, fill) + u"..."_s; };
        // clang-format off
        QTest::newRow("stored values") << QByteArray("Copy=False\nIncSubDirs=false\nEmpty=0\nMaxLength=62.5\nMaxCount=abc") << QString() << List << u"C| C C:\\ 62 0 011101011"_s << QStringList();
        QTest::newRow("drive e, Music\\Rock, 250, 61.5 files") << QByteArray("Drive=e\nPath=Music\\\\Rock\nMaxLength=250\nMaxCount=61.5 files") << QString() << List << u"e|Music\\Rock e e:\\Music\\Rock 250 62 111111111"_s << QStringList();
        QTest::newRow("16-bit edges") << QByteArray("MaxLength=32767\nMaxCount=-32768.4") << QString() << List << u"C| C C:\\ 32767 -32768 111111111"_s << QStringList();
        QTest::newRow("missing drive") << QByteArray("Drive=q\nPath=Music") << QString() << List << dflt << QStringList{u"The default drive 'q' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
        QTest::newRow("drive not ready") << QByteArray("Drive=F") << QString() << List << dflt << QStringList{u"The default drive 'F' cannot be used (it is not ready); '<c>' is shown instead."_s};
        QTest::newRow("window refuses drive e") << QByteArray("Drive=e\nPath=Music\\\\Rock") << u"E"_s << List << dflt << QStringList{u"The default drive 'e' cannot be used (Drive e is not ready); '<c>' is shown instead."_s};
        QTest::newRow("window refuses drive C") << QByteArray() << u"C"_s << List << u"C|  C:\\ 60 1000 111111111"_s << QStringList{u"The drive 'C' cannot be shown (Drive C is not ready)."_s};
        QTest::newRow("missing folder") << QByteArray("Drive=e\nPath=Music\\\\Jazz") << QString() << List << u"e| e e:\\ 60 1000 111111111"_s << QStringList{u"The default folder 'e:\\Music\\Jazz' cannot be used (it does not exist on this computer); '<e>' is shown instead."_s};
        QTest::newRow("path names a file") << QByteArray("Path=notafolder") << QString() << List << dflt << QStringList{u"The default folder 'C:\\notafolder' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
        QTest::newRow("window refuses the folder") << QByteArray("Path=Music") << u"C:\\Music"_s << List << dflt << QStringList{u"The default folder 'C:\\Music' cannot be used (Folder C:\\Music cannot be shown); '<c>' is shown instead."_s};
        QTest::newRow("missing folder, root refused") << QByteArray("Path=Jazz") << u"C:\\"_s << List << u"C| C  60 1000 111111111"_s << QStringList{u"The default folder 'C:\\Jazz' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s, u"The folder '<c>' cannot be shown (Folder C:\\ cannot be shown)."_s};
        QTest::newRow("window refuses the root") << QByteArray() << u"C:\\"_s << List << u"C| C  60 1000 111111111"_s << QStringList{u"The folder 'C:\\' cannot be shown (Folder C:\\ cannot be shown)."_s};
        QTest::newRow("unusable Boolean, number") << QByteArray("Copy=maybe\nMaxLength=99999") << QString() << List << dflt << QStringList{u"The stored setting MaxLength is '99999', which lies outside -32768 to 32767; 60 is used instead."_s, u"The stored setting Copy is 'maybe', which is neither True, False nor a number; True is used instead."_s};
        QTest::newRow("malformed store") << QByteArray("Copy=False\nDrive=e\nbroken line") << QString() << List << dflt << QStringList{u"The settings file '<store>' is not in the expected format; the built-in defaults are used."_s};
        QTest::newRow("no list, and more") << QByteArray("Drive=q\nEnding=perhaps\nMaxCount=1e9") << QString() << QByteArray() << dflt << QStringList{u"The stored setting MaxCount is '1e9', which lies outside -32768 to 32767; 1000 is used instead."_s, u"The stored setting Ending is 'perhaps', which is neither True, False nor a number; True is used instead."_s, u"Cannot read the list of strings to remove, '<list>': No such file or directory; no strings will be removed."_s, u"The default drive 'q' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
        QTest::newRow("list lines that are not text") << QByteArray() << QString() << QByteArray("abc\n\xFF\n\nabc\nM\xFAsica\n") << dflt << QStringList{u"Lines 2 and 5 of the list of strings to remove, '<list>', are not valid text; they are left out, the other lines are used."_s};
        QTest::newRow("list with a long run of lines that are not text") << QByteArray() << QString() << List + QByteArray("\xFF\n").repeated(1000) << dflt << QStringList{u"Lines 4, 5, 6, 7, 8 and 995 more of the list of strings to remove, '<list>', are not valid text; they are left out, the other lines are used."_s};
        QTest::newRow("10 MB Boolean, number and drive") << "Copy=" + huge('x') + "\nMaxLength=" + huge('9') + "\nDrive=" + huge('q') << QString() << List << dflt << QStringList{u"The stored setting MaxLength is '"_s + first60(u'9') + u"', which lies outside -32768 to 32767; 60 is used instead."_s, u"The stored setting Copy is '"_s + first60(u'x') + u"', which is neither True, False nor a number; True is used instead."_s, u"The default drive '"_s + first60(u'q') + u"' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
        const QString sixty(60, u'y');
        const QString note = u"', which is neither True, False nor a number; True is used instead."_s;
        QTest::newRow("long values quoted in part") << "Copy=" + sixty.toUtf8() + "\nStarting=" + sixty.toUtf8() + "z\nEnding=" + sixty.first(59).toUtf8() + "\xF0\x9F\x8E\xB5" << QString() << List << dflt << QStringList{u"The stored setting Copy is '"_s + sixty + note, u"The stored setting Starting is '"_s + sixty + u"..."_s + note, u"The stored setting Ending is '"_s + sixty.first(59) + u"..."_s + note};
        QTest::newRow("10 MB path") << "Path=" + huge('p') << QString() << List << dflt << QStringList{u"The default folder 'C:\\"_s + first60(u'p').sliced(3) + u"' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
        // clang-format on
    }

    void startupShown()
    {
        QFETCH(QByteArray, storeFile);
        QFETCH(QString, refused);
        QFETCH(QByteArray, list);
        QFETCH(QString, shown);
        QFETCH(QStringList, warning);
        const Rig rig(storeFile, refused, list);
        const SavedDefaults &d = rig.defaults;
        const RecordingView &v = rig.view;
        QCOMPARE(u"%1|%2 %3 %4 %5 %6 %7"_s.arg(d.gDrive, d.gPath, v.drive, v.folder,
                     v.maxLengthText, v.limitText, switches(v.ticked)),
            shown);
        QCOMPARE(switches(v.menuChecked), switches(v.ticked));
        QCOMPARE(v.panels.value(u"Current"_s), u"Ready..."_s);
        QCOMPARE(rig.colJnk.size(), list.isNull() ? 0 : 3);
        for (QString &line : warning)
            line = rig.local(line);
        QCOMPARE(rig.dialogs.warnings,
            warning.isEmpty() ? QStringList() : QStringList{warning.join(u'\n')});
    }

    void settingsCommands_data()
    {
        QTest::addColumn<CommandCase>("c");
        // clang-format off
        QTest::newRow("drive c kept lower case") << CommandCase{u"Drive"_s, u"C"_s, false, {u"c"_s}, {}, u"c||||c"_s, u"c"_s};
        QTest::newRow("drive q does not exist") << CommandCase{u"Drive"_s, u"C"_s, false, {u"q"_s, u"C"_s}, {u"Drive q does not exist on this computer"_s}, u"C||||C"_s, u"C"_s};
        QTest::newRow("drive 12, Cancel: both messages each") << CommandCase{u"Drive"_s, u"C"_s, false, {u"12"_s, u""_s, u"c"_s}, {u"Drive letter must be a single letter A to Z"_s, u"Drive 12 does not exist on this computer"_s, u"Drive letter must be a single letter A to Z"_s, u"Drive  does not exist on this computer"_s}, u"c||||c"_s, u"c"_s};
        QTest::newRow("drive not ready") << CommandCase{u"Drive"_s, u"C"_s, false, {u"e"_s}, {u"Drive e may not be used as default drive, original entry restored"_s}, u"D||||C"_s, Absent};
        QTest::newRow("path on gDrive") << CommandCase{u"Path"_s, u"C"_s, false, {u"Music"_s}, {}, u"D|C:\\Music|||Music"_s, u"Music"_s};
        QTest::newRow("path missing") << CommandCase{u"Path"_s, u"C"_s, false, {u"Music\\Jazz"_s, u"Music"_s}, {u"Path C:\\Music\\Jazz does not exist on this computer"_s}, u"D|C:\\Music|||Music"_s, u"Music"_s};
        QTest::newRow("path Cancel saves empty") << CommandCase{u"Path"_s, u"C"_s, false, {u""_s}, {}, u"D|C:\\|||"_s, u""_s};
        QTest::newRow("path drive gone: Cancel leaves") << CommandCase{u"Path"_s, u"Q"_s, false, {u"x"_s, u""_s}, {u"Path Q:\\x does not exist on this computer"_s, u"Path Q:\\ does not exist on this computer"_s, u"Path Q:\\ may not be used as default path, original entry restored"_s}, u"D||||old"_s, Absent};
        QTest::newRow("path refused by the window") << CommandCase{u"Path"_s, u"C"_s, false, {u"Music\\Rock"_s}, {u"Path C:\\Music\\Rock may not be used as default path, original entry restored"_s}, u"D||||old"_s, Absent};
        QTest::newRow("length abc, Cancel: both messages each") << CommandCase{u"MaxLength"_s, u"C"_s, false, {u"abc"_s, u""_s, u"20"_s}, {u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s}, u"D||20||20"_s, u"20"_s};
        QTest::newRow("length 300, then abc keeps 300") << CommandCase{u"MaxLength"_s, u"C"_s, false, {u"300"_s, u"abc"_s, u"240"_s}, {u"Maximum length must be 20 to 240"_s, u"Maximum length must be a number"_s, u"Maximum length must be 20 to 240"_s}, u"D||240||240"_s, u"240"_s};
        QTest::newRow("length 60.5 to even") << CommandCase{u"MaxLength"_s, u"C"_s, false, {u"60.5"_s}, {}, u"D||60||60"_s, u"60"_s};
        QTest::newRow("length, store unwritable") << CommandCase{u"MaxLength"_s, u"C"_s, true, {u"100"_s}, {}, u"D||100||100"_s, Absent};
        QTest::newRow("limit 49, 2001, 2000") << CommandCase{u"MaxCount"_s, u"C"_s, false, {u"49"_s, u"2001"_s, u"2000"_s}, QStringList(2, u"Maximum files must be 50 to 2000"_s), u"D|||2000|2000"_s, u"2000"_s};
        QTest::newRow("limit abc: both messages") << CommandCase{u"MaxCount"_s, u"C"_s, false, {u"abc"_s, u"500"_s}, {u"Maximum files must be a number"_s, u"Maximum files must be 50 to 2000"_s}, u"D|||500|500"_s, u"500"_s};
        // clang-format on
    }

    void settingsCommands()
    {
        QFETCH(CommandCase, c);
        CommandRig f;
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

    void saving()
    {
        TempStore temp;
        SettingsStore store(QString(), temp.folder());
        QCOMPARE(store.location(), temp.filePath(u"tst_settings"_s));
        QVERIFY(store.save(u"MaxLength", u"240"_s).ok() && store.save(u"Copy", u"False"_s).ok());
        QFile written(temp.filePath(u"tst_settings"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), "[Defaults]\nCopy=False\nMaxLength=240\n");
        // A file in a format it does not expect is mended by the next save.
        QVERIFY(temp.write(u"tst_settings"_s, "[Defaults]\nPath=x\na broken line\n"));
        QVERIFY(SettingsStore(QString(), temp.folder()).save(u"Copy", u"False"_s).ok());
        QCOMPARE(SettingsStore(QString(), temp.folder()).readProblem(), QString());

        // Permission bits would not stop a test run as root; a file where the
        // store's folder belongs does. A folder in place of the file is one
        // of the odd files below.
        TempStore blocked;
        SettingsStore unsaved(u"Purlex"_s, blocked.folder());
        QVERIFY(QFile(blocked.folder() + u"/Purlex"_s).open(QIODevice::WriteOnly));
        const Status saved = unsaved.save(u"MaxLength", u"61"_s);
        QVERIFY(!saved.ok() && saved.failure().number != 0);
        QCOMPARE(saved.failure().description.section(u'\'', 0, 1),
            u"Cannot save the setting MaxLength to '"_s + unsaved.location());
    }

    void content_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<QString>("path"); // what Path reads as; "-" when absent
        // clang-format off
        QTest::newRow("empty file") << QByteArray() << true << u"-"_s;
        QTest::newRow("blank lines, comments, CR LF, mark") << QByteArray("\xEF\xBB\xBF\r\n; note\r\n[Defaults] ; the program's\r\n\r\n  Path = x  \r\n") << true << u"x"_s;
        QTest::newRow("other sections, keys before any") << QByteArray("Path=no\n[General]\nPath=no\n[Other]\nPath=no\n[Defaults]\nPath=yes\n[defaults]\nPath=no\n") << true << u"yes"_s;
        QTest::newRow("the last of a key counts") << QByteArray("[Defaults]\nPath=a\n[Defaults]\nPath=b\n") << true << u"b"_s;
        QTest::newRow("quotes, escapes, a comment after the value") << QByteArray("[Defaults]\nPath=\" a;b=c \"\\t\\\"\\x41\\101\\\\ ;x\n") << true << u" a;b=c \t\"AA\\ "_s;
        QTest::newRow("a quoted line break, a continued line") << QByteArray("[Defaults]\nPath=\"a\nb\" c\\\nd\n") << true << u"a\nbcd"_s;
        QTest::newRow("a list of texts") << QByteArray("[Defaults]\nPath=Rock , Pop,\"Jazz, Blues\"\n") << true << u"Rock, Pop, Jazz, Blues"_s;
        QTest::newRow("doubled at sign") << QByteArray("[Defaults]\nPath=@@Variant\n") << true << u"@Variant"_s;
        QTest::newRow("text beyond ASCII") << QByteArray("[Defaults]\nPath=M\xC3\xBAsica\n") << true << u"Música"_s;
        QTest::newRow("not UTF-8") << QByteArray("[Defaults]\nPath=M\xFAsica\n") << false << u"-"_s;
        QTest::newRow("a control character") << QByteArray("[Defaults]\nPath=a\x01\n") << false << u"-"_s;
        QTest::newRow("a NUL byte") << QByteArray("[Defaults]\nPath=a\0b\n", 18) << false << u"-"_s;
        QTest::newRow("a line without =") << QByteArray("[Defaults]\nPath=x\na broken line\n") << false << u"-"_s;
        QTest::newRow("a line without = in another section") << QByteArray("[Other]\nbroken\n[Defaults]\nPath=x\n") << false << u"-"_s;
        QTest::newRow("a section without ]") << QByteArray("[Defaults\nPath=x\n") << false << u"-"_s;
        QTest::newRow("text after a section") << QByteArray("[Defaults] x\nPath=x\n") << false << u"-"_s;
        QTest::newRow("no key before =") << QByteArray("[Defaults]\n =x\n") << false << u"-"_s;
        QTest::newRow("a quote that never ends") << QByteArray("[Defaults]\nPath=\"x\nCopy=False\n") << false << u"-"_s;
        // clang-format on
    }

    void content()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, wellFormed);
        QFETCH(QString, path);
        TempStore temp;
        QVERIFY(temp.write(u"Purlex"_s, content));
        const SettingsStore store(u"Purlex"_s, temp.folder());
        const QString expected = wellFormed
            ? QString()
            : u"The settings file '%1' is not in the expected format; the built-in defaults are used."_s
                  .arg(store.location());
        QCOMPARE(store.readProblem(), expected);
        QCOMPARE(store.get(u"Path", u"-"_s), path);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("empty, not absent") << QString();
        QTest::newRow("blanks around") << u"  a b  "_s;
        // Text the native format would otherwise read as a list or a variant.
        QTest::newRow("a variant look") << u"@Variant(x), Música\\Rock "_s;
        QTest::newRow("INI specials") << u"a;b,c=d\"e\\f[g]#h"_s;
        QTest::newRow("control characters") << u"a\tb\nc\rd\u0001\u001F\u007F\0" "01"_s;
        QTest::newRow("a list look") << u"a, @b"_s;
        QTest::newRow("beyond the basic plane") << u"\u00A0\U0001F3B5"_s;
        QTest::newRow("a continued-line look") << u"a\\\nb"_s;
        // clang-format on
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        TempStore temp;
        QVERIFY(SettingsStore(u"Purlex"_s, temp.folder()).save(u"Path", text).ok());
        const SettingsStore again(u"Purlex"_s, temp.folder());
        QCOMPARE(again.readProblem(), QString());
        QCOMPARE(again.get(u"Path", u"absent"_s), text);
    }

    void oddFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << u"pipe"_s;
        QTest::newRow("link to a named pipe") << u"linked pipe"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s;
        QTest::newRow("folder") << u"folder"_s;
    }

    void oddFiles()
    {
        QFETCH(QString, kind);
        TempStore temp;
        const QString file = temp.filePath(u"Purlex"_s);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QString pipe = kind == u"linked pipe" ? temp.folder() + u"/pipe"_s : file;
        QVERIFY(OddFiles::make(kind, file, pipe));

        std::optional<SettingsStore> store;
        QVERIFY(OddFiles::returnsWithoutWaiting(
            pipe, [&] { store.emplace(u"Purlex"_s, temp.folder()); }));
        QCOMPARE(store->readProblem(),
            u"The settings file '%1' cannot be read (it is not a regular file); the built-in "
            u"defaults are used."_s.arg(file));
        QCOMPARE(store->get(u"Path", u"C"_s), u"C"_s);
        // A faulty save would replace what the link leads to: never risk a device.
        if (kind == u"zero")
            return;
        Status saved = Status::success();
        QVERIFY(
            OddFiles::returnsWithoutWaiting(pipe, [&] { saved = store->save(u"Path", u"x"_s); }));
        QVERIFY(!saved.ok() && saved.failure().number != 0);
        QCOMPARE(saved.failure().description.section(u'\'', 0, 1),
            u"Cannot save the setting Path to '"_s + file);
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }

    void removalListParse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("expected");
        // clang-format off
        QTest::newRow("empty file") << QByteArray() << Lines{{}, {}, 0};
        QTest::newRow("blank, duplicate, untrimmed, CR LF") << QByteArray("abc\r\n\r\nabc\r\n  Www\t\r\n") << Lines{{u"abc"_s, u""_s, u"abc"_s, u"  Www\t"_s}, {}, 0};
        QTest::newRow("LF or CR LF, lone CR, no final break") << QByteArray("a\rb\nc\r\nd") << Lines{{u"a\rb"_s, u"c"_s, u"d"_s}, {}, 0};
        QTest::newRow("CR before CR LF stays") << QByteArray("x\r\r\nabc\r") << Lines{{u"x\r"_s, u"abc\r"_s}, {}, 0};
        QTest::newRow("byte-order mark, two final breaks") << QByteArray("\xEF\xBB\xBF[ads]\n\n") << Lines{{u"[ads]"_s, u""_s}, {}, 0};
        QTest::newRow("byte-order mark of a later line is dropped") << QByteArray("a\n\xEF\xBB\xBF" "b") << Lines{{u"a"_s, u"b"_s}, {}, 0};
        QTest::newRow("text beyond ASCII") << QByteArray("M\xC3\xBAsica\n\xF0\x9F\x8E\xB5\n") << Lines{{u"Música"_s, u"\U0001F3B5"_s}, {}, 0};
        QTest::newRow("lines that are no text are left out") << QByteArray("ok\nM\xFAsica\nfine\n\xC3(\n\xC0\xAF\r\n\xED\xA0\x80\nend\xF0\x9F") << Lines{{u"ok"_s, u"fine"_s}, {2, 4, 5, 6, 7}, 5};
        QTest::newRow("a long run: the first five named") << QByteArray("\xFF\n\xFF\ngood\n\xFF\n\xFF\n\xFF\n\xFF\n\xFF\n\xFF") << Lines{{u"good"_s}, {1, 2, 4, 5, 6}, 8};
        // clang-format on
    }

    void removalListParse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Lines, expected);
        const Lines lines = RemovalList::parse(bytes);
        QCOMPARE(lines.items, expected.items);
        QCOMPARE(lines.notTextLines, expected.notTextLines); // the first few, by number
        QCOMPARE(lines.notTextCount, expected.notTextCount);
    }

    void removalListRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // what the description says after the path
        QTest::newRow("named pipe") << u"pipe"_s << u"it is not a regular file"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s << u"it is not a regular file"_s;
        QTest::newRow("one byte over 16 MB")
            << u"large"_s
            << u"it is 16777217 bytes long, more than the 16777216 bytes (16 MB) "
               u"that are read"_s;
    }

    void removalListRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Purlex.txt"_s);
        if (QFile file(path); kind == u"large" && file.open(QIODevice::WriteOnly))
            QVERIFY(file.resize(RemovalList::MaxFileSize + 1));
        else
            QVERIFY(OddFiles::make(kind, path));

        std::optional<Result<Lines>> list;
        QVERIFY(OddFiles::returnsWithoutWaiting(
            path, [&] { list = RemovalList::load(folder.path()); }));
        QVERIFY(!list->ok() && list->failure().number != 0);
        QCOMPARE(list->failure().description,
            u"Cannot read the list of strings to remove, '%1': %2"_s.arg(path, reason));
    }

    void removalListLargestIsRead()
    {
        QTemporaryDir folder;
        QFile file(folder.filePath(u"Purlex.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("first\r\n") == 7);
        QVERIFY(file.resize(RemovalList::MaxFileSize));
        file.close();
        const Result<Lines> list = RemovalList::load(folder.path());
        QVERIFY(list.ok());
        QCOMPARE(list.value().items,
            (QStringList{u"first"_s, QString(RemovalList::MaxFileSize - 7, QChar())}));
    }

    void removalListMissingBesideExecutable()
    {
        // Not looked for in the working folder, and under its fixed name: this
        // executable is not called Purlex.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        const Result<Lines> list = RemovalList::load();
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(!list.ok() && list.failure().number != 0);
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(u"Purlex.txt"_s);
        QCOMPARE(list.failure().description.section(u'\'', 1, 1), path);
    }

    void removalListPlace_data()
    {
        // Which of the program's folder, the user's folder and the example hold a
        // list before start-up, and what the user's folder then holds.
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("userList"); // empty: none
        // clang-format off
        QTest::newRow("beside the program first") << QStringList{u"program"_s, u"user"_s, u"example"_s} << u"program"_s << u"user"_s;
        QTest::newRow("the user's own, never replaced") << QStringList{u"user"_s, u"example"_s} << u"user"_s << u"user"_s;
        QTest::newRow("the example seeds the user's") << QStringList{u"example"_s} << u"user"_s << u"example"_s;
        QTest::newRow("none anywhere") << QStringList() << u"user"_s << QString();
        // clang-format on
    }

    void removalListPlace()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, read);
        QFETCH(QString, userList);
        QTemporaryDir root;
        const RemovalListPlace place{root.filePath(u"program"_s), root.filePath(u"config/user"_s),
            {root.filePath(u"share/missing.txt"_s), root.filePath(u"share/example"_s)}};
        const QHash<QString, QString> files{{u"program"_s, place.programFolder + u"/Purlex.txt"_s},
            {u"user"_s, place.userFolder + u"/Purlex.txt"_s}, {u"example"_s, place.examples[1]}};
        for (const QString &which : present) {
            QVERIFY(QDir().mkpath(QFileInfo(files[which]).path()));
            QFile file(files[which]);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(which.toUtf8()) > 0);
        }
        QCOMPARE(
            place.folder(), root.filePath(read == u"program" ? u"program"_s : u"config/user"_s));
        QFile user(files[u"user"_s]);
        QCOMPARE(user.open(QIODevice::ReadOnly) ? QString::fromUtf8(user.readAll()) : QString(),
            userList);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
