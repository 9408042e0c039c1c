#include "fakedrives.h"
#include "oddfiles.h"
#include "recordingview.h"
#include "scripteddialogs.h"
#include "settingsstore.h"
#include "startup.h"
#include "tempstore.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// One start-up over drives C (with Music and the file notafolder), E (with
// Music\Rock) and F (not ready), and a list of abc, a blank line and abc.
struct Rig
{
    TempStore temp;
    QTemporaryDir tree;
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeDrives drives;
    SavedDefaults defaults;
    QStringList colJnk;

    // Start-up runs at once unless `later`: then a test may first put odd
    // files in place and call run().
    Rig(const QByteArray &storeFile, const QString &refused, bool withList, bool later = false)
    {
        QDir root(tree.path());
        root.mkpath(u"c/Music"_s);
        root.mkpath(u"e/Music/Rock"_s);
        QFile(root.filePath(u"c/notafolder"_s)).open(QIODevice::WriteOnly);
        if (QFile list(listPath()); withList && list.open(QIODevice::WriteOnly))
            list.write("abc\r\n\r\nabc\r\n");
        drives.add(u'C', root.filePath(u"c"_s));
        drives.add(u'E', root.filePath(u"e"_s));
        drives.add(u'F', root.filePath(u"f"_s), false);
        view.refusedDrives = view.refusedFolders = {refused};
        if (!storeFile.isNull())
            temp.write(u"Purlex"_s, "[Defaults]\n" + storeFile);
        if (!later)
            run();
    }

    // The text with <c> and <e> standing for the folders of drives C and E.
    QString local(QString text) const
    {
        const QDir root(tree.path());
        return text.replace(u"<c>"_s, root.filePath(u"c"_s))
            .replace(u"<e>"_s, root.filePath(u"e"_s));
    }

    QString listPath() const { return QDir(tree.path()).filePath(u"Purlex.txt"_s); }
    QString storePath() const { return temp.filePath(u"Purlex"_s); }

    void run()
    {
        const SettingsStore store(u"Purlex"_s, temp.folder());
        Startup startup(view, dialogs, drives, store);
        startup.setRemovalListFolder(tree.path());
        startup.run(defaults, colJnk);
    }
};

QString switches(const QHash<SwitchId, bool> &values)
{
    QString text;
    for (int id = 0; id <= int(SwitchId::Ending); ++id)
        text += values.value(SwitchId(id)) ? u'1' : u'0';
    return text;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void firstRunInOrder();
    void shown_data();
    void shown();
    void oddFiles_data();
    void oddFiles();
    void longStoredValue_data();
    void longStoredValue();
};

void TestStartup::firstRunInOrder()
{
    const Rig rig({}, QString(), true);
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

void TestStartup::shown_data()
{
    QTest::addColumn<QByteArray>("storeFile"); // below [Defaults]; backslashes doubled
    QTest::addColumn<QString>("refused"); // a drive letter or folder the window refuses
    QTest::addColumn<bool>("withList");
    // gDrive|gPath, then the window: drive, folder, MaxLength, MaxCount, switches by SwitchId
    QTest::addColumn<QString>("shown");
    // Each line of the one warning contains its part; <c> and <e> stand for
    // the folders of drives C and E.
    QTest::addColumn<QStringList>("warning");
    // clang-format off
    QTest::newRow("stored values") << QByteArray("Copy=False\nIncSubDirs=false\nMaxLength=61.5\nMaxCount=abc") << QString() << true << u"C| C C:\\ 62 0 011111011"_s << QStringList();
    QTest::newRow("drive e, Music\\Rock, 250") << QByteArray("Drive=e\nPath=Music\\\\Rock\nMaxLength=250") << QString() << true << u"e|Music\\Rock e e:\\Music\\Rock 250 1000 111111111"_s << QStringList();
    QTest::newRow("missing drive") << QByteArray("Drive=q\nPath=Music") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default drive 'q' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
    QTest::newRow("drive not ready") << QByteArray("Drive=F") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default drive 'F' cannot be used (it is not ready); '<c>' is shown instead."_s};
    QTest::newRow("drive 12") << QByteArray("Drive=12") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default drive '12' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
    QTest::newRow("window refuses drive e") << QByteArray("Drive=e\nPath=Music\\\\Rock") << u"E"_s << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default drive 'e' cannot be used (Drive e is not ready); '<c>' is shown instead."_s};
    QTest::newRow("window refuses drive C") << QByteArray() << u"C"_s << true << u"C|  C:\\ 60 1000 111111111"_s << QStringList{u"The drive 'C' cannot be shown (Drive C is not ready)."_s};
    QTest::newRow("missing folder") << QByteArray("Drive=e\nPath=Music\\\\Jazz") << QString() << true << u"e| e e:\\ 60 1000 111111111"_s << QStringList{u"The default folder 'e:\\Music\\Jazz' cannot be used (it does not exist on this computer); '<e>' is shown instead."_s};
    QTest::newRow("path names a file") << QByteArray("Path=notafolder") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default folder 'C:\\notafolder' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s};
    QTest::newRow("window refuses the folder") << QByteArray("Path=Music") << u"C:\\Music"_s << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"The default folder 'C:\\Music' cannot be used (Folder C:\\Music cannot be shown); '<c>' is shown instead."_s};
    QTest::newRow("missing folder, root refused") << QByteArray("Path=Jazz") << u"C:\\"_s << true << u"C| C  60 1000 111111111"_s << QStringList{u"The default folder 'C:\\Jazz' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s, u"The folder '<c>' cannot be shown (Folder C:\\ cannot be shown)."_s};
    QTest::newRow("window refuses the root") << QByteArray() << u"C:\\"_s << true << u"C| C  60 1000 111111111"_s << QStringList{u"The folder 'C:\\' cannot be shown (Folder C:\\ cannot be shown)."_s};
    QTest::newRow("unusable Boolean, number") << QByteArray("Copy=maybe\nMaxLength=99999") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"MaxLength is '99999'"_s, u"Copy is 'maybe'"_s};
    QTest::newRow("malformed store") << QByteArray("Copy=False\nDrive=e\nbroken line") << QString() << true << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"Purlex.conf' is not in the expected format"_s};
    QTest::newRow("no list, and more") << QByteArray("Drive=q\nEnding=perhaps\nMaxCount=1e9") << QString() << false << u"C| C C:\\ 60 1000 111111111"_s << QStringList{u"MaxCount is '1e9'"_s, u"Ending is 'perhaps'"_s, u"Purlex.txt'"_s, u"drive 'q'"_s};
    // clang-format on
}

void TestStartup::shown()
{
    QFETCH(QByteArray, storeFile);
    QFETCH(QString, refused);
    QFETCH(bool, withList);
    QFETCH(QString, shown);
    QFETCH(QStringList, warning);
    const Rig rig(storeFile, refused, withList);
    const SavedDefaults &d = rig.defaults;
    const RecordingView &v = rig.view;
    QCOMPARE(u"%1|%2 %3 %4 %5 %6 %7"_s.arg(d.gDrive, d.gPath, v.drive, v.folder, v.maxLengthText,
                 v.limitText, switches(v.ticked)),
        shown);
    QCOMPARE(switches(v.menuChecked), switches(v.ticked));
    QCOMPARE(v.panels.value(u"Current"_s), u"Ready..."_s);
    QCOMPARE(rig.colJnk.size(), withList ? 3 : 0);
    QCOMPARE(rig.dialogs.warnings.size(), warning.isEmpty() ? 0 : 1);
    const QStringList lines = rig.dialogs.warnings.value(0).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), warning.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].contains(rig.local(warning[i])), qPrintable(lines[i]));
}

void TestStartup::oddFiles_data()
{
    QTest::addColumn<QString>("odd"); // what stands in place of a file, and which file
    QTest::addColumn<QStringList>("colJnk");
    QTest::addColumn<QString>("warning"); // <list> and <store> stand for their paths
    const QStringList none;
    const QStringList list{u"abc"_s, u""_s, u"abc"_s};
    // clang-format off
    QTest::newRow("list: named pipe") << u"pipe list"_s << none << u"Cannot read the list of strings to remove, '<list>': it is not a regular file; no strings will be removed."_s;
    QTest::newRow("list: link to /dev/zero") << u"zero list"_s << none << u"Cannot read the list of strings to remove, '<list>': it is not a regular file; no strings will be removed."_s;
    QTest::newRow("list: over 16 MB") << u"large list"_s << none << u"Cannot read the list of strings to remove, '<list>': it is 16777217 bytes long, more than the 16777216 bytes (16 MB) that are read; no strings will be removed."_s;
    QTest::newRow("list: lines that are not text") << u"bad lines"_s << QStringList{u"abc"_s, u"abc"_s} << u"Lines 2 and 4 of the list of strings to remove, '<list>', are not valid text; they are left out, the other lines are used."_s;
    QTest::newRow("list: a long run of lines that are not text") << u"many bad lines"_s << QStringList{u"abc"_s} << u"Lines 1, 2, 3, 4, 5 and 995 more of the list of strings to remove, '<list>', are not valid text; they are left out, the other lines are used."_s;
    QTest::newRow("store: named pipe") << u"pipe store"_s << list << u"The settings file '<store>' cannot be read (it is not a regular file); the built-in defaults are used."_s;
    QTest::newRow("store: link to /dev/zero") << u"zero store"_s << list << u"The settings file '<store>' cannot be read (it is not a regular file); the built-in defaults are used."_s;
    QTest::newRow("store: random bytes") << u"random store"_s << list << u"The settings file '<store>' is not in the expected format; the built-in defaults are used."_s;
    // clang-format on
}

void TestStartup::oddFiles()
{
    QFETCH(QString, odd);
    QFETCH(QStringList, colJnk);
    QFETCH(QString, warning);
    const bool store = odd.endsWith(u"store");
    Rig rig(QByteArray(), QString(), store, true);
    const QString file = store ? rig.storePath() : rig.listPath();
    QDir().mkpath(QFileInfo(file).path());
    if (odd.startsWith(u"pipe")) {
        QVERIFY(OddFiles::makePipe(file));
    } else if (odd.startsWith(u"zero")) {
        QVERIFY(OddFiles::linkToDevZero(file));
    } else {
        QFile content(file);
        QVERIFY(content.open(QIODevice::WriteOnly));
        if (odd == u"large list")
            QVERIFY(content.resize(16 * 1024 * 1024 + 1));
        else if (odd == u"bad lines")
            QVERIFY(content.write("abc\n\xFF\nabc\nM\xFAsica\n") > 0);
        else if (odd == u"many bad lines")
            QVERIFY(content.write(QByteArray("\xFF\n").repeated(1000) + "abc") > 0);
        else if (odd == u"random store")
            for (int i = 0; i < 1024; ++i)
                QVERIFY(content.putChar(char(QRandomGenerator(i).bounded(256))));
    }

    QVERIFY(OddFiles::returnsWithoutWaiting(file, [&] { rig.run(); }));
    // Start-up went on to its end, and told why in its one warning.
    QCOMPARE(rig.view.panels.value(u"Current"_s), u"Ready..."_s);
    QCOMPARE(rig.view.folder, u"C:\\"_s);
    QCOMPARE(rig.colJnk, colJnk);
    QCOMPARE(rig.dialogs.warnings,
        QStringList{QString(warning)
                        .replace(u"<list>"_s, rig.listPath())
                        .replace(u"<store>"_s, rig.storePath())});
}

void TestStartup::longStoredValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<char>("fill"); // the value is 10 MB of it
    QTest::addColumn<QString>("warning"); // <60> stands for the first 60 characters quoted
    // clang-format off
    QTest::newRow("Boolean") << u"Copy"_s << 'x' << u"The stored setting Copy is '<60>...', which is neither True, False nor a number; True is used instead."_s;
    QTest::newRow("number") << u"MaxLength"_s << '9' << u"The stored setting MaxLength is '<60>...', which lies outside -32768 to 32767; 60 is used instead."_s;
    QTest::newRow("drive") << u"Drive"_s << 'q' << u"The default drive '<60>...' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s;
    QTest::newRow("path") << u"Path"_s << 'p' << u"The default folder '<60>...' cannot be used (it does not exist on this computer); '<c>' is shown instead."_s;
    // clang-format on
}

void TestStartup::longStoredValue()
{
    QFETCH(QString, key);
    QFETCH(char, fill);
    QFETCH(QString, warning);
    const QByteArray value(10 * 1024 * 1024, fill);
    const Rig rig(key.toLatin1() + '=' + value + '\n', QString(), true);
    const QString quoted = (key == u"Path" ? u"C:\\"_s : QString()) + QString::fromLatin1(value);
    QCOMPARE(
        rig.dialogs.warnings, QStringList{rig.local(warning.replace(u"<60>"_s, quoted.first(60)))});
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
