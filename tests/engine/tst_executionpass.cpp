#include "enginetexts.h"
#include "executionpass.h"
#include "fakefilesystem.h"
#include "recordinghost.h"

#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;
using Op = FakeFileSystem::Op;

Q_DECLARE_METATYPE(FakeFileSystem::Op)

namespace {

// Doubled hyphens and the entry "[ads]" are what make names dirty here.
RecordingHost makeHost()
{
    RecordingHost host;
    host.rules.multSpecial = true;
    host.rules.removals = {u"[ads]"_s};
    return host;
}

QStringList dirtyNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(u"file--%1.txt"_s.arg(i, 3, 10, QLatin1Char('0')));
    return names;
}

int cleanedCount(const FakeFileSystem &fs, const QString &folder)
{
    int n = 0;
    for (const QString &name : fs.fileNames(folder))
        n += !name.contains(u"--"_s);
    return n;
}

} // namespace

class TestExecutionPass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesMaxLengthThatReadsZero_data();
    void refusesMaxLengthThatReadsZero();
    void panelsOfOnePass();
    void emptyFolder();
    void limitInOneFolder_data();
    void limitInOneFolder();
    void limitAcrossSubfolders();
    void subfoldersFirst_data();
    void subfoldersFirst();
    void failures_data();
    void failures();
    void attributes_data();
    void attributes();
    void numbering_data();
    void numbering();
    void numberingRunsOut_data();
    void numberingRunsOut();
    void emptyCleanedNameIsRefused();
    void unreadableNames();
    void countsPastSixteenBits();
};

void TestExecutionPass::refusesMaxLengthThatReadsZero_data()
{
    QTest::addColumn<QString>("maxLength");
    QTest::addColumn<bool>("refused");

    QTest::newRow("empty") << u""_s << true;
    QTest::newRow("zero") << u"0"_s << true;
    QTest::newRow("letters") << u"abc"_s << true;
    QTest::newRow("negative") << u"-20"_s << true;
    QTest::newRow("hexadecimal") << u"&H40"_s << true;
    QTest::newRow("fraction runs") << u"0.5"_s << false;
    QTest::newRow("outside 12 to 99 runs") << u"5"_s << false;
}

void TestExecutionPass::refusesMaxLengthThatReadsZero()
{
    QFETCH(QString, maxLength);
    QFETCH(bool, refused);

    FakeFileSystem fs;
    fs.addFile(u"/r/a--b"_s);
    RecordingHost host = makeHost();
    host.maxLength = maxLength;
    ExecutionPass pass(fs, host);
    pass.gTryCnt = 7;
    pass.execute();

    if (refused) {
        QCOMPARE(host.inputErrors, QStringList{u"Maximum length must be 12 to 99"_s});
        QVERIFY(host.panelWrites.isEmpty());
        QVERIFY(host.busyChanges.isEmpty());
        QVERIFY(fs.log().isEmpty());
        QCOMPARE(pass.gTryCnt, 7);
    } else {
        QVERIFY(host.inputErrors.isEmpty());
        QCOMPARE(host.panels[u"Current"_s], u"Completed"_s);
    }
}

void TestExecutionPass::panelsOfOnePass()
{
    FakeFileSystem fs;
    fs.addFile(u"/r/a--1.txt"_s);
    fs.addFile(u"/r/clean.txt"_s);
    RecordingHost host = makeHost();
    ExecutionPass pass(fs, host);
    pass.execute();

    const QStringList expected = {
        u"Read="_s,
        u"Fixed="_s,
        u"Current=Navigating..."_s,
        u"Read= Read: 1"_s,
        u"Current= /r/a--1.txt"_s,
        u"Fixed= Fixed: 1"_s,
        u"Read= Read: 2"_s,
        u"Current= /r/clean.txt"_s,
        u"Current=Completed"_s,
    };
    QCOMPARE(host.panelWrites, expected);
    QCOMPARE(host.busyChanges, (QList<bool>{true, false}));
    QCOMPARE(host.refreshes, 1);
    QCOMPARE(fs.fileNames(u"/r"_s), (QStringList{u"a-1.txt"_s, u"clean.txt"_s}));
    QCOMPARE(pass.gTryCnt, 2);
    QCOMPARE(pass.gCurCnt, 1);
}

void TestExecutionPass::emptyFolder()
{
    FakeFileSystem fs;
    fs.addFolder(u"/r"_s);
    fs.addFile(u"/r/sub/x--1.txt"_s); // not walked: subfolders are off
    RecordingHost host = makeHost();
    host.subfolders = false;
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(host.panels[u"Read"_s], QString());
    QCOMPARE(host.panels[u"Fixed"_s], QString());
    QCOMPARE(host.panels[u"Current"_s], u"Completed"_s);
    QCOMPARE(fs.fileNames(u"/r/sub"_s), QStringList{u"x--1.txt"_s});
    QVERIFY(!fs.log().contains(u"subfolders /r"_s));
}

void TestExecutionPass::limitInOneFolder_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("renamed");
    QTest::addColumn<QString>("fixedPanel");
    QTest::addColumn<bool>("opened");

    QTest::newRow("limit 50 of 60 renames 51") << 60 << u"50"_s << 51 << u" Fixed: 50"_s << true;
    QTest::newRow("limit 1 renames 2") << 5 << u"1"_s << 2 << u" Fixed: 1"_s << true;
    QTest::newRow("fewer files than the limit") << 3 << u"1000"_s << 3 << u" Fixed: 3"_s << true;
    QTest::newRow("exactly the limit") << 4 << u"4"_s << 4 << u" Fixed: 4"_s << true;
    QTest::newRow("limit 0 opens nothing") << 3 << u"0"_s << 0 << QString() << false;
    QTest::newRow("negative limit opens nothing") << 3 << u"-5"_s << 0 << QString() << false;
    QTest::newRow("limit that reads as 0") << 3 << u"abc"_s << 0 << QString() << false;
    QTest::newRow("limit read without a zero in front")
        << 5 << u" 2"_s << 3 << u" Fixed: 2"_s << true;
    QTest::newRow("fractional limit") << 5 << u"1.5"_s << 2 << u" Fixed: 1"_s << true;
}

void TestExecutionPass::limitInOneFolder()
{
    QFETCH(int, files);
    QFETCH(QString, limit);
    QFETCH(int, renamed);
    QFETCH(QString, fixedPanel);
    QFETCH(bool, opened);

    FakeFileSystem fs;
    fs.addFolder(u"/r"_s);
    for (const QString &name : dirtyNames(files))
        fs.addFile(u"/r/"_s + name);
    RecordingHost host = makeHost();
    host.limit = limit;
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(cleanedCount(fs, u"/r"_s), renamed);
    QCOMPARE(pass.gCurCnt, renamed);
    QCOMPARE(host.panels[u"Fixed"_s], fixedPanel);
    QCOMPARE(fs.log().contains(u"open /r"_s), opened);
    QCOMPARE(host.panels[u"Current"_s], u"Completed"_s);
}

void TestExecutionPass::limitAcrossSubfolders()
{
    FakeFileSystem fs;
    for (const QString &name : dirtyNames(3))
        fs.addFile(u"/r/a/"_s + name);
    for (const QString &name : dirtyNames(2))
        fs.addFile(u"/r/b/"_s + name);
    for (const QString &name : dirtyNames(3))
        fs.addFile(u"/r/"_s + name);
    RecordingHost host = makeHost();
    host.limit = u"2"_s;
    ExecutionPass pass(fs, host);
    pass.execute();

    // The first subfolder passes the limit; the second is never opened; the
    // starting folder still renames its first dirty file and stops there.
    QCOMPARE(cleanedCount(fs, u"/r/a"_s), 3);
    QCOMPARE(cleanedCount(fs, u"/r/b"_s), 0);
    QVERIFY(!fs.log().contains(u"open /r/b"_s));
    QCOMPARE(cleanedCount(fs, u"/r"_s), 1);
    QCOMPARE(pass.gCurCnt, 4);
    QCOMPARE(pass.gTryCnt, 4);
    QCOMPARE(host.panels[u"Fixed"_s], u" Fixed: 2"_s);
}

void TestExecutionPass::subfoldersFirst_data()
{
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QStringList>("renames");

    QTest::newRow("subfolders included")
        << true
        << QStringList{u"rename /r/a/x/1--.txt -> 1-.txt"_s, u"rename /r/a/2--.txt -> 2-.txt"_s,
               u"rename /r/b/3--.txt -> 3-.txt"_s, u"rename /r/4--.txt -> 4-.txt"_s};
    QTest::newRow("subfolders left out") << false << QStringList{u"rename /r/4--.txt -> 4-.txt"_s};
}

void TestExecutionPass::subfoldersFirst()
{
    QFETCH(bool, subfolders);
    QFETCH(QStringList, renames);

    FakeFileSystem fs;
    fs.addFile(u"/r/4--.txt"_s);
    fs.addFile(u"/r/a/2--.txt"_s);
    fs.addFile(u"/r/a/x/1--.txt"_s);
    fs.addFile(u"/r/b/3--.txt"_s);
    RecordingHost host = makeHost();
    host.subfolders = subfolders;
    ExecutionPass pass(fs, host);
    pass.execute();

    QStringList done;
    for (const QString &entry : fs.log())
        if (entry.startsWith(u"rename"_s))
            done.append(entry);
    QCOMPARE(done, renames);
}

void TestExecutionPass::failures_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("subNames");
    QTest::addColumn<QStringList>("ownNames");
    QTest::addColumn<QString>("readPanel");
    QTest::addColumn<QString>("fixedPanel");

    const QStringList subBefore = {u"x--1.txt"_s};
    const QStringList subAfter = {u"x-1.txt"_s};
    const QStringList ownBefore = {u"a--1.txt"_s, u"b--2.txt"_s};
    const QStringList ownAfter = {u"a-1.txt"_s, u"b-2.txt"_s};

    QTest::newRow("open subfolder, OK") << Op::Open << u"/r/sub"_s << true << subBefore << ownAfter
                                        << u" Read: 2"_s << u" Fixed: 2"_s;
    QTest::newRow("open subfolder, Cancel")
        << Op::Open << u"/r/sub"_s << false << subBefore << ownBefore << QString() << QString();
    QTest::newRow("open start folder, OK")
        << Op::Open << u"/r"_s << true << subBefore << ownBefore << QString() << QString();
    QTest::newRow("list subfolders, OK") << Op::SubFolders << u"/r"_s << true << subBefore
                                         << ownAfter << u" Read: 2"_s << u" Fixed: 2"_s;
    QTest::newRow("list subfolders, Cancel")
        << Op::SubFolders << u"/r"_s << false << subBefore << ownBefore << QString() << QString();
    QTest::newRow("list files of subfolder, OK") << Op::Files << u"/r/sub"_s << true << subBefore
                                                 << ownAfter << u" Read: 2"_s << u" Fixed: 2"_s;
    QTest::newRow("list own files, Cancel") << Op::Files << u"/r"_s << false << subAfter
                                            << ownBefore << u" Read: 1"_s << u" Fixed: 1"_s;
    QTest::newRow("attributes, OK processes the file")
        << Op::Attributes << u"/r/a--1.txt"_s << true << subAfter << ownAfter << u" Read: 3"_s
        << u" Fixed: 3"_s;
    QTest::newRow("attributes, Cancel") << Op::Attributes << u"/r/a--1.txt"_s << false << subAfter
                                        << ownBefore << u" Read: 2"_s << u" Fixed: 1"_s;
    QTest::newRow("clearing read-only, OK still renames")
        << Op::SetAttributes << u"/r/a--1.txt"_s << true << subAfter << ownAfter << u" Read: 3"_s
        << u" Fixed: 3"_s;
    QTest::newRow("clearing read-only, Cancel")
        << Op::SetAttributes << u"/r/a--1.txt"_s << false << subAfter << ownBefore << u" Read: 2"_s
        << u" Fixed: 1"_s;
    QTest::newRow("rename, OK counts it as fixed")
        << Op::Rename << u"/r/a--1.txt"_s << true << subAfter
        << QStringList{u"a--1.txt"_s, u"b-2.txt"_s} << u" Read: 3"_s << u" Fixed: 3"_s;
    QTest::newRow("rename, Cancel") << Op::Rename << u"/r/a--1.txt"_s << false << subAfter
                                    << ownBefore << u" Read: 2"_s << u" Fixed: 1"_s;
    QTest::newRow("existence test, OK renames unnumbered")
        << Op::Exists << u"/r/a-1.txt"_s << true << subAfter << ownAfter << u" Read: 3"_s
        << u" Fixed: 3"_s;
    QTest::newRow("existence test, Cancel") << Op::Exists << u"/r/a-1.txt"_s << false << subAfter
                                            << ownBefore << u" Read: 2"_s << u" Fixed: 1"_s;
}

void TestExecutionPass::failures()
{
    QFETCH(Op, op);
    QFETCH(QString, path);
    QFETCH(bool, ok);
    QFETCH(QStringList, subNames);
    QFETCH(QStringList, ownNames);
    QFETCH(QString, readPanel);
    QFETCH(QString, fixedPanel);

    FakeFileSystem fs;
    fs.addFile(u"/r/sub/x--1.txt"_s);
    fs.addFile(u"/r/a--1.txt"_s, FileAttribute::ReadOnly);
    fs.addFile(u"/r/b--2.txt"_s);
    fs.failOn(op, path, EIO);
    RecordingHost host = makeHost();
    host.answers = {ok};
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(host.failures.size(), 1);
    QCOMPARE(host.failures[0].number, EIO);
    QCOMPARE(fs.fileNames(u"/r/sub"_s), subNames);
    QCOMPARE(fs.fileNames(u"/r"_s), ownNames);
    QCOMPARE(host.panels[u"Read"_s], readPanel);
    QCOMPARE(host.panels[u"Fixed"_s], fixedPanel);
    QCOMPARE(host.panels[u"Current"_s], u"Completed"_s);
    QCOMPARE(host.busyChanges, (QList<bool>{true, false}));
    QCOMPARE(host.refreshes, 1);
}

void TestExecutionPass::attributes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("attributes");
    QTest::addColumn<bool>("override");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<quint32>("expectedAttributes");

    const quint32 ro = FileAttribute::ReadOnly;
    QTest::newRow("hidden") << u"a--b.txt"_s << quint32(FileAttribute::Hidden) << true
                            << u"a--b.txt"_s << quint32(FileAttribute::Hidden);
    QTest::newRow("system") << u"a--b.txt"_s << quint32(FileAttribute::System) << true
                            << u"a--b.txt"_s << quint32(FileAttribute::System);
    QTest::newRow("alias") << u"a--b.txt"_s << quint32(FileAttribute::Alias) << true
                           << u"a--b.txt"_s << quint32(FileAttribute::Alias);
    QTest::newRow("volume label") << u"a--b.txt"_s << quint32(FileAttribute::VolumeLabel) << true
                                  << u"a--b.txt"_s << quint32(FileAttribute::VolumeLabel);
    QTest::newRow("hidden and read-only") << u"a--b.txt"_s << (ro | FileAttribute::Hidden) << true
                                          << u"a--b.txt"_s << (ro | FileAttribute::Hidden);
    QTest::newRow("read-only without override")
        << u"a--b.txt"_s << ro << false << u"a--b.txt"_s << ro;
    QTest::newRow("read-only with override")
        << u"a--b.txt"_s << ro << true << u"a-b.txt"_s << quint32(0);
    QTest::newRow("read-only clean name loses the bit")
        << u"clean.txt"_s << ro << true << u"clean.txt"_s << quint32(0);
    QTest::newRow("archive-like bits do not skip")
        << u"a--b.txt"_s << quint32(32) << false << u"a-b.txt"_s << quint32(32);
}

void TestExecutionPass::attributes()
{
    QFETCH(QString, name);
    QFETCH(quint32, attributes);
    QFETCH(bool, override);
    QFETCH(QString, expectedName);
    QFETCH(quint32, expectedAttributes);

    FakeFileSystem fs;
    fs.addFile(u"/r/"_s + name, attributes);
    RecordingHost host = makeHost();
    host.readOnly = override;
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(fs.fileNames(u"/r"_s), QStringList{expectedName});
    QCOMPARE(fs.attributesOf(u"/r/"_s + expectedName), expectedAttributes);
    QCOMPARE(host.panels[u"Read"_s], u" Read: 1"_s);
    QCOMPARE(host.panels[u"Current"_s], u"Completed"_s);
    QVERIFY(host.failures.isEmpty());
}

void TestExecutionPass::numbering_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("maxLength");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first number") << QStringList{u"Song.mp3"_s} << u"Song[ads].mp3"_s << u"60"_s
                                  << false << u"Song1.mp3"_s;
    QTest::newRow("second number") << QStringList{u"Song.mp3"_s, u"Song1.mp3"_s}
                                   << u"Song[ads].mp3"_s << u"60"_s << false << u"Song2.mp3"_s;
    QTest::newRow("number cuts the base at the maximum")
        << QStringList{u"abcdefgh.txt"_s} << u"abcdefgh[ads].txt"_s << u"12"_s << false
        << u"abcdefg1.txt"_s;
    QStringList nine = {u"abcdefgh.txt"_s};
    for (int i = 1; i <= 9; ++i)
        nine.append(u"abcdefg%1.txt"_s.arg(i));
    QTest::newRow("tenth number cuts from the first split")
        << nine << u"abcdefgh[ads].txt"_s << u"12"_s << false << u"abcdef10.txt"_s;
    QTest::newRow("maximum read without a zero in front")
        << QStringList{u"abcdefgh.txt"_s} << u"abcdefgh[ads].txt"_s << u" 13"_s << false
        << u"abcdefgh1.txt"_s;
    QTest::newRow("name without a dot")
        << QStringList{u"Notes"_s} << u"Notes[ads]"_s << u"60"_s << false << u"Notes1"_s;
    QTest::newRow("differs only in case, case-sensitive")
        << QStringList{u"song.mp3"_s} << u"SONG[ads].mp3"_s << u"60"_s << false << u"SONG.mp3"_s;
    QTest::newRow("differs only in case, case-insensitive")
        << QStringList{u"song.mp3"_s} << u"SONG[ads].mp3"_s << u"60"_s << true << u"SONG1.mp3"_s;
    QTest::newRow("number never splits a character")
        << QStringList{u"ab\U0001F3B5.txt"_s} << u"ab\U0001F3B5[ads].txt"_s << u"8"_s << false
        << u"ab1.txt"_s;
}

void TestExecutionPass::numbering()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, name);
    QFETCH(QString, maxLength);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, expected);

    FakeFileSystem fs(ignoreCase);
    for (const QString &t : taken)
        fs.addFile(u"/r/"_s + t);
    fs.addFile(u"/r/"_s + name);
    RecordingHost host = makeHost();
    host.maxLength = maxLength;
    ExecutionPass pass(fs, host);
    pass.execute();

    QVERIFY(host.failures.isEmpty());
    QCOMPARE(fs.fileNames(u"/r"_s).last(), expected);
    QCOMPARE(fs.fileNames(u"/r"_s).mid(0, taken.size()), taken);
}

void TestExecutionPass::numberingRunsOut_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK goes on with the next file") << true;
    QTest::newRow("Cancel aborts") << false;
}

void TestExecutionPass::numberingRunsOut()
{
    QFETCH(bool, ok);

    FakeFileSystem fs;
    fs.addFile(u"/r/Song.mp3"_s);
    for (int i = 1; i <= 32767; ++i)
        fs.addFile(u"/r/Song%1.mp3"_s.arg(i));
    fs.addFile(u"/r/Song[ads].mp3"_s);
    fs.addFile(u"/r/next--.mp3"_s);
    RecordingHost host = makeHost();
    host.answers = {ok};
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(host.failures.size(), 1);
    QCOMPARE(host.failures[0].number, EngineTexts::OverflowNumber);
    QVERIFY(fs.contains(u"/r/Song[ads].mp3"_s));
    QCOMPARE(fs.contains(u"/r/next-.mp3"_s), ok);
    QCOMPARE(pass.gCurCnt, ok ? 1 : 0);
}

void TestExecutionPass::emptyCleanedNameIsRefused()
{
    FakeFileSystem fs;
    fs.addFile(u"/r/[ads]"_s);
    fs.addFile(u"/r/b--.txt"_s);
    RecordingHost host = makeHost();
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(host.failures.size(), 1);
    QCOMPARE(host.failures[0].number, EINVAL);
    QCOMPARE(fs.fileNames(u"/r"_s), (QStringList{u"[ads]"_s, u"b-.txt"_s}));
    QCOMPARE(host.panels[u"Fixed"_s], u" Fixed: 2"_s);
}

void TestExecutionPass::unreadableNames()
{
    FakeFileSystem fs;
    fs.addUnreadableFolder(u"/r/bad\\xFF"_s);
    fs.addFile(u"/r/bad\\xFF/inner--.txt"_s);
    fs.addUnreadableFile(u"/r/x\\xFE--.txt"_s);
    fs.addFile(u"/r/ok--.txt"_s);
    RecordingHost host = makeHost();
    ExecutionPass pass(fs, host);
    pass.execute();

    QCOMPARE(host.failures.size(), 2);
    QCOMPARE(host.failures[0].number, EngineTexts::NotTextNumber);
    QVERIFY(host.failures[0].description.contains(u"bad\\xFF"_s));
    QVERIFY(host.failures[1].description.contains(u"x\\xFE--.txt"_s));
    QVERIFY(!fs.log().contains(u"open /r/bad\\xFF"_s));
    QCOMPARE(fs.fileNames(u"/r"_s), (QStringList{u"x\\xFE--.txt"_s, u"ok-.txt"_s}));
    QCOMPARE(host.panels[u"Read"_s], u" Read: 2"_s);
}

void TestExecutionPass::countsPastSixteenBits()
{
    FakeFileSystem fs;
    fs.addFolder(u"/r"_s);
    for (int i = 0; i < 40000; ++i)
        fs.addFile(u"/r/clean%1.txt"_s.arg(i));
    RecordingHost host = makeHost();
    ExecutionPass pass(fs, host);
    pass.execute();

    QVERIFY(host.failures.isEmpty());
    QCOMPARE(pass.gTryCnt, 40000);
    QCOMPARE(host.panels[u"Read"_s], u" Read: 40000"_s);
}

QTEST_APPLESS_MAIN(TestExecutionPass)
#include "tst_executionpass.moc"
