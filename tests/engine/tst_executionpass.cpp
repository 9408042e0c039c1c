#include "enginetexts.h"
#include "executionpass.h"
#include "fakefilesystem.h"
#include "filename.h"
#include "namecleaner.h"
#include "recordinghost.h"

#include <QRandomGenerator>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;
using Op = FakeFileSystem::Op;

Q_DECLARE_METATYPE(FakeFileSystem::Op)

namespace {

// "Song.mp3" and "Song1.mp3" to "Song<last>.mp3".
QStringList upTo(int last)
{
    QStringList names{u"Song.mp3"_s};
    for (int i = 1; i <= last; ++i)
        names.append(u"Song%1.mp3"_s.arg(i));
    return names;
}

// What the pass must leave in one folder: each file in listing order takes
// its cleaned name, or the lowest free number of it, among the names the
// folder holds at that moment.
QStringList expectedNames(QStringList names, const CleaningRules &rules, double maxLength)
{
    for (QString &name : names) {
        const QString cleaned = CleanFileName(name, rules).name;
        if (cleaned == name)
            continue;
        const FileName split = FileName::split(cleaned);
        QString candidate = cleaned;
        for (int number = 1; names.contains(candidate); ++number) {
            const QString digits = QString::number(number);
            const bool cut = maxLength < double(split.base.size() + digits.size() + split.extension.size());
            candidate = (cut ? leftWhole(split.base, split.base.size() - digits.size()) : split.base)
                + digits + split.extension;
        }
        if (!candidate.isEmpty())
            name = candidate;
    }
    return names;
}

// Doubled hyphens and the entry "[ads]" are what make names dirty here.
struct Pass
{
    FakeFileSystem fs;
    RecordingHost host;
    qint32 read = 0;
    qint32 fixed = 0;

    explicit Pass(bool ignoreCase = false)
        : fs(ignoreCase)
    {
        host.rules.multSpecial = true;
        host.rules.removals = {u"[ads]"_s};
    }
    void addDirty(const QString &folder, int count)
    {
        for (int i = 0; i < count; ++i)
            fs.addFile(folder + u"/f--%1.txt"_s.arg(i, 3, 10, QLatin1Char('0')));
    }
    int cleanIn(const QString &folder) const
    {
        int n = 0;
        for (const QString &name : fs.fileNames(folder))
            n += !name.contains(u"--"_s);
        return n;
    }
    void run()
    {
        ExecutionPass pass(fs, host);
        pass.execute();
        read = pass.gTryCnt;
        fixed = pass.gCurCnt;
    }
    QString panel(const QString &key) const { return host.panels.value(key); }
};

} // namespace

class TestExecutionPass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesMaxLengthThatReadsZero_data()
    {
        QTest::addColumn<QString>("maxLength");
        QTest::addColumn<bool>("refused");
        // clang-format off
        for (const char *text : {"", "0", "abc", "-20", "&H40"})
            QTest::newRow(text) << QString::fromLatin1(text) << true;
        QTest::newRow("fraction runs") << u"0.5"_s << false;
        QTest::newRow("outside 12 to 99 runs") << u"5"_s << false;
        // clang-format on
    }
    void refusesMaxLengthThatReadsZero()
    {
        QFETCH(QString, maxLength);
        QFETCH(bool, refused);

        Pass p;
        p.fs.addFile(u"/r/a--b"_s);
        p.host.maxLength = maxLength;
        p.run();

        QCOMPARE(p.host.inputErrors,
            refused ? QStringList{u"Maximum length must be 12 to 99"_s} : QStringList{});
        QCOMPARE(p.host.panelWrites.isEmpty(), refused);
        QCOMPARE(p.host.busyChanges.isEmpty(), refused);
        QCOMPARE(p.fs.log().isEmpty(), refused);
    }
    void panelsOfOnePass()
    {
        Pass p;
        p.fs.addFile(u"/r/a--1.txt"_s);
        p.fs.addFile(u"/r/clean.txt"_s);
        p.run();

        QCOMPARE(p.host.panelWrites,
            (QStringList{u"Read="_s, u"Fixed="_s, u"Current=Navigating..."_s, u"Read= Read: 1"_s,
                u"Current= /r/a--1.txt"_s, u"Fixed= Fixed: 1"_s, u"Read= Read: 2"_s,
                u"Current= /r/clean.txt"_s, u"Current=Completed"_s}));
        QCOMPARE(p.host.busyChanges, (QList<bool>{true, false}));
        QCOMPARE(p.host.refreshes, 1);
        QCOMPARE(p.fs.fileNames(u"/r"_s), (QStringList{u"a-1.txt"_s, u"clean.txt"_s}));
    }
    void limitInOneFolder_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<QString>("fixedPanel");
        // clang-format off
        QTest::newRow("limit 50 of 60 renames 51") << 60 << u"50"_s << 51 << u" Fixed: 50"_s;
        QTest::newRow("fewer files than the limit") << 3 << u"1000"_s << 3 << u" Fixed: 3"_s;
        QTest::newRow("exactly the limit") << 4 << u"4"_s << 4 << u" Fixed: 4"_s;
        QTest::newRow("limit 0 opens nothing") << 3 << u"0"_s << 0 << QString();
        QTest::newRow("negative limit") << 3 << u"-5"_s << 0 << QString();
        QTest::newRow("limit that reads as 0") << 3 << u"abc"_s << 0 << QString();
        QTest::newRow("no zero put in front") << 5 << u" 2"_s << 3 << u" Fixed: 2"_s;
        QTest::newRow("fractional limit") << 5 << u"1.5"_s << 2 << u" Fixed: 1"_s;
        QTest::newRow("a sign reads without a zero in front") << 5 << u"+2"_s << 3 << u" Fixed: 2"_s;
        QTest::newRow("hexadecimal reads without a zero in front") << 5 << u"&H2"_s << 3 << u" Fixed: 2"_s;
        // clang-format on
    }
    void limitInOneFolder()
    {
        QFETCH(int, files);
        QFETCH(QString, limit);
        QFETCH(int, renamed);
        QFETCH(QString, fixedPanel);

        Pass p;
        p.fs.addFolder(u"/r"_s);
        p.addDirty(u"/r"_s, files);
        p.host.limit = limit;
        p.run();

        QCOMPARE(p.cleanIn(u"/r"_s), renamed);
        QCOMPARE(p.fixed, renamed);
        QCOMPARE(p.panel(u"Fixed"_s), fixedPanel);
        QCOMPARE(p.fs.log().contains(u"open /r"_s), renamed > 0);
        QCOMPARE(p.panel(u"Current"_s), u"Completed"_s);
    }
    void limitAcrossSubfolders()
    {
        // The first subfolder passes the limit; the second is never opened; the
        // starting folder still renames its first dirty file and stops there.
        Pass p;
        p.addDirty(u"/r/a"_s, 3);
        p.addDirty(u"/r/b"_s, 2);
        p.addDirty(u"/r"_s, 3);
        p.host.limit = u"2"_s;
        p.run();

        QCOMPARE(p.cleanIn(u"/r/a"_s), 3);
        QVERIFY(!p.fs.log().contains(u"open /r/b"_s));
        QCOMPARE(p.cleanIn(u"/r"_s), 1);
        QCOMPARE(p.read, 4);
        QCOMPARE(p.panel(u"Fixed"_s), u" Fixed: 2"_s);
    }
    void subfoldersFirst()
    {
        for (bool subfolders : {true, false}) {
            Pass p;
            p.fs.addFile(u"/r/4--.txt"_s);
            p.fs.addFile(u"/r/a/2--.txt"_s);
            p.fs.addFile(u"/r/a/x/1--.txt"_s);
            p.fs.addFile(u"/r/b/3--.txt"_s);
            p.host.subfolders = subfolders;
            p.run();

            QStringList renamed;
            for (const QString &entry : p.fs.log())
                if (entry.startsWith(u"rename"_s))
                    renamed.append(entry.section(u' ', 1, 1));
            const QStringList expected = subfolders ? QStringList{u"/r/a/x/1--.txt"_s,
                                             u"/r/a/2--.txt"_s, u"/r/b/3--.txt"_s, u"/r/4--.txt"_s}
                                                    : QStringList{u"/r/4--.txt"_s};
            QCOMPARE(renamed, expected);
        }
    }
    void failures_data()
    {
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("names"); // the folder /r/sub, then /r, after the pass
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("fixed");
        // clang-format off
        QTest::newRow("open subfolder, OK") << Op::Open << u"/r/sub"_s << true << u"x--1|a-1 b-2"_s << 2 << 2;
        QTest::newRow("open subfolder, Cancel") << Op::Open << u"/r/sub"_s << false << u"x--1|a--1 b--2"_s << 0 << 0;
        QTest::newRow("open start folder, OK") << Op::Open << u"/r"_s << true << u"x--1|a--1 b--2"_s << 0 << 0;
        QTest::newRow("list start folder, OK") << Op::List << u"/r"_s << true << u"x--1|a--1 b--2"_s << 0 << 0;
        QTest::newRow("list start folder, Cancel") << Op::List << u"/r"_s << false << u"x--1|a--1 b--2"_s << 0 << 0;
        QTest::newRow("list subfolder, OK") << Op::List << u"/r/sub"_s << true << u"x--1|a-1 b-2"_s << 2 << 2;
        QTest::newRow("list subfolder, Cancel") << Op::List << u"/r/sub"_s << false << u"x--1|a--1 b--2"_s << 0 << 0;
        QTest::newRow("attributes, OK processes the file") << Op::Attributes << u"/r/a--1.txt"_s << true << u"x-1|a-1 b-2"_s << 3 << 3;
        QTest::newRow("attributes, Cancel") << Op::Attributes << u"/r/a--1.txt"_s << false << u"x-1|a--1 b--2"_s << 2 << 1;
        QTest::newRow("clearing read-only, OK renames") << Op::SetAttributes << u"/r/a--1.txt"_s << true << u"x-1|a-1 b-2"_s << 3 << 3;
        QTest::newRow("clearing read-only, Cancel") << Op::SetAttributes << u"/r/a--1.txt"_s << false << u"x-1|a--1 b--2"_s << 2 << 1;
        QTest::newRow("rename, OK counts as fixed") << Op::Rename << u"/r/a--1.txt"_s << true << u"x-1|a--1 b-2"_s << 3 << 3;
        QTest::newRow("rename, Cancel") << Op::Rename << u"/r/a--1.txt"_s << false << u"x-1|a--1 b--2"_s << 2 << 1;
        QTest::newRow("existence test, OK renames") << Op::Exists << u"/r/a-1.txt"_s << true << u"x-1|a-1 b-2"_s << 3 << 3;
        QTest::newRow("existence test, Cancel") << Op::Exists << u"/r/a-1.txt"_s << false << u"x-1|a--1 b--2"_s << 2 << 1;
        // clang-format on
    }
    void failures()
    {
        QFETCH(Op, op);
        QFETCH(QString, path);
        QFETCH(bool, ok);
        QFETCH(QString, names);
        QFETCH(int, read);
        QFETCH(int, fixed);

        Pass p;
        p.fs.addFile(u"/r/sub/x--1.txt"_s);
        p.fs.addFile(u"/r/a--1.txt"_s, FileAttribute::ReadOnly);
        p.fs.addFile(u"/r/b--2.txt"_s);
        p.fs.failOn(op, path, EIO);
        p.host.answers = {ok};
        p.run();

        QCOMPARE(p.host.failures.size(), 1);
        QCOMPARE(p.host.failures[0].number, EIO);
        QString after
            = p.fs.fileNames(u"/r/sub"_s).join(u' ') + u'|' + p.fs.fileNames(u"/r"_s).join(u' ');
        QCOMPARE(after.remove(u".txt"_s), names);
        QCOMPARE(p.panel(u"Read"_s), read ? EngineTexts::readCount(read) : QString());
        QCOMPARE(p.panel(u"Fixed"_s), fixed ? EngineTexts::fixedCount(fixed) : QString());
        QCOMPARE(p.panel(u"Current"_s), u"Completed"_s);
        QCOMPARE(p.host.busyChanges, (QList<bool>{true, false}));
        QCOMPARE(p.host.refreshes, 1);
    }
    void attributes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<bool>("override");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<quint32>("expectedAttributes");

        const quint32 ro = FileAttribute::ReadOnly;
        // clang-format off
        for (quint32 skipped : {2u, 4u, 8u, 1024u, ro | FileAttribute::Hidden}) // hidden, system, label, alias
            QTest::addRow("skipped %u", skipped) << u"a--b.txt"_s << skipped << true << u"a--b.txt"_s << skipped;
        QTest::newRow("read-only without override") << u"a--b.txt"_s << ro << false << u"a--b.txt"_s << ro;
        QTest::newRow("read-only with override") << u"a--b.txt"_s << ro << true << u"a-b.txt"_s << quint32(0);
        QTest::newRow("clean read-only loses the bit") << u"clean.txt"_s << ro << true << u"clean.txt"_s << quint32(0);
        QTest::newRow("other bits do not skip") << u"a--b.txt"_s << quint32(32) << false << u"a-b.txt"_s << quint32(32);
        // clang-format on
    }
    void attributes()
    {
        QFETCH(QString, name);
        QFETCH(quint32, attributes);
        QFETCH(bool, override);
        QFETCH(QString, expectedName);
        QFETCH(quint32, expectedAttributes);

        Pass p;
        p.fs.addFile(u"/r/"_s + name, attributes);
        p.host.readOnly = override;
        p.run();

        QCOMPARE(p.fs.fileNames(u"/r"_s), QStringList{expectedName});
        QCOMPARE(p.fs.attributesOf(u"/r/"_s + expectedName), expectedAttributes);
        QCOMPARE(p.panel(u"Read"_s), u" Read: 1"_s);
        QVERIFY(p.host.failures.isEmpty());
    }
    void numbering_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("maxLength");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("expected");

        QStringList nine = {u"abcdefgh.txt"_s};
        for (int i = 1; i <= 9; ++i)
            nine.append(u"abcdefg%1.txt"_s.arg(i));
        // clang-format off
        QTest::newRow("first number") << QStringList{u"Song.mp3"_s} << u"Song[ads].mp3"_s << u"60"_s << false << u"Song1.mp3"_s;
        QTest::newRow("second number") << QStringList{u"Song.mp3"_s, u"Song1.mp3"_s} << u"Song[ads].mp3"_s << u"60"_s << false << u"Song2.mp3"_s;
        QTest::newRow("number cuts the base") << QStringList{u"abcdefgh.txt"_s} << u"abcdefgh[ads].txt"_s << u"12"_s << false << u"abcdefg1.txt"_s;
        QTest::newRow("tenth cuts from the first split") << nine << u"abcdefgh[ads].txt"_s << u"12"_s << false << u"abcdef10.txt"_s;
        QTest::newRow("no zero put in front") << QStringList{u"abcdefgh.txt"_s} << u"abcdefgh[ads].txt"_s << u" 13"_s << false << u"abcdefgh1.txt"_s;
        QTest::newRow("name without a dot") << QStringList{u"Notes"_s} << u"Notes[ads]"_s << u"60"_s << false << u"Notes1"_s;
        QTest::newRow("other case, case-sensitive") << QStringList{u"song.mp3"_s} << u"SONG[ads].mp3"_s << u"60"_s << false << u"SONG.mp3"_s;
        QTest::newRow("other case, case-insensitive") << QStringList{u"song.mp3"_s} << u"SONG[ads].mp3"_s << u"60"_s << true << u"SONG1.mp3"_s;
        QTest::newRow("the last number there is") << upTo(32766) << u"Song[ads].mp3"_s << u"60"_s << false << u"Song32767.mp3"_s;
        QTest::newRow("never splits a character") << QStringList{u"ab\U0001F3B5.txt"_s} << u"ab\U0001F3B5[ads].txt"_s << u"8"_s << false << u"ab1.txt"_s;
        // clang-format on
    }
    void numbering()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, name);
        QFETCH(QString, maxLength);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, expected);

        Pass p(ignoreCase);
        for (const QString &t : taken)
            p.fs.addFile(u"/r/"_s + t);
        p.fs.addFile(u"/r/"_s + name);
        p.host.maxLength = maxLength;
        p.run();

        QVERIFY(p.host.failures.isEmpty());
        QCOMPARE(p.fs.fileNames(u"/r"_s), taken + QStringList{expected});
    }
    void numberingMatchesTheLowestFreeNumber()
    {
        // Short names of few characters clean alike often, and a removal of
        // "1" frees names that earlier numberings passed over.
        const QStringList pieces{u"a"_s, u"b"_s, u"1"_s, u"2"_s, u"-"_s, u"[ads]"_s};
        QRandomGenerator random(20261206);
        for (int folder = 0; folder < 150; ++folder) {
            Pass p;
            p.host.rules.removals = {u"[ads]"_s, u"1"_s};
            p.host.maxLength = folder % 3 == 0 ? u"5"_s : u"60"_s;
            QStringList names;
            for (int file = 0; file < 40; ++file) {
                QString name;
                for (int n = random.bounded(1, 5); n > 0; --n)
                    name += pieces[random.bounded(pieces.size())];
                name += u".t"_s;
                if (!names.contains(name)) {
                    names.append(name);
                    p.fs.addFile(u"/r/"_s + name);
                }
            }
            p.run();
            QCOMPARE(p.fs.fileNames(u"/r"_s),
                expectedNames(names, p.host.cleaningRules(), p.host.maxLength.toDouble()));
        }
    }
    void numberingResumesBelowANameFreedMeanwhile()
    {
        // The second numbering of "a-b.txt" passes over "a-b1.txt"; once that
        // file has cleaned away, the third takes its name again.
        Pass p;
        p.host.rules.removals = {u"[ads]"_s, u"b1"_s};
        for (const char *name : {"a-b.txt", "a-b[ads].txt", "a-b1.txt", "a-b[ads][ads].txt"})
            p.fs.addFile(u"/r/"_s + QString::fromLatin1(name));
        p.run();
        QCOMPARE(p.fs.fileNames(u"/r"_s),
            (QStringList{u"a-b.txt"_s, u"a-b2.txt"_s, u"a-.txt"_s, u"a-b1.txt"_s}));
        QCOMPARE(p.host.renamed.size(), 3);
        QVERIFY(p.host.renamed[0].numbered && !p.host.renamed[1].numbered);
    }
    void walkStaysInTheChosenTree_data()
    {
        QTest::addColumn<bool>("swapped"); // the subfolder becomes a link after the listing
        QTest::addColumn<bool>("virtualFs"); // the subfolder is a kernel's virtual file system
        QTest::addColumn<QList<int>>("failures");
        QTest::addColumn<QString>("names"); // of /r/sub, then of /r
        // clang-format off
        QTest::newRow("plain subfolder") << false << false << QList<int>{} << u"in-|top-"_s;
        QTest::newRow("swapped for a link: refused, never walked") << true << false << QList<int>{ENOTDIR} << u"in--|sub top-"_s;
        QTest::newRow("virtual file system: skipped without a word") << false << true << QList<int>{} << u"in--|top-"_s;
        // clang-format on
    }
    void walkStaysInTheChosenTree()
    {
        QFETCH(bool, swapped);
        QFETCH(bool, virtualFs);
        QFETCH(QList<int>, failures);
        QFETCH(QString, names);

        Pass p;
        p.fs.addFile(u"/r/sub/in--"_s);
        p.fs.addFile(u"/r/top--"_s);
        if (virtualFs)
            p.fs.setVirtual(u"/r/sub"_s);
        if (swapped) {
            p.fs.afterList = [&](const QString &folder) {
                if (folder == u"/r"_s)
                    p.fs.replaceWithLink(u"/r/sub"_s);
            };
        }
        p.run();

        QList<int> numbers;
        for (const Failure &failure : std::as_const(p.host.failures))
            numbers.append(failure.number);
        QCOMPARE(numbers, failures);
        QCOMPARE(p.fs.fileNames(u"/r/sub"_s).join(u' ') + u'|' + p.fs.fileNames(u"/r"_s).join(u' '),
            names);
        QCOMPARE(p.fs.log().contains(u"list /r/sub"_s), !swapped && !virtualFs);
        QCOMPARE(p.fs.openFolders(), 0);
    }
    void noSafeRenameIsReportedOnce()
    {
        Pass p;
        p.addDirty(u"/r"_s, 3);
        for (int i = 0; i < 3; ++i)
            p.fs.failOn(Op::Rename, u"/r/f--%1.txt"_s.arg(i, 3, 10, QLatin1Char('0')),
                EngineTexts::NoSafeRenameNumber);
        p.run();
        QCOMPARE(p.host.failures.size(), 1);
        QCOMPARE(p.cleanIn(u"/r"_s), 0);
        QCOMPARE(p.read, 3);
        QCOMPARE(p.panel(u"Current"_s), u"Completed"_s);
    }
    void numberingRunsOut_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK goes on with the next file") << true;
        QTest::newRow("Cancel aborts") << false;
    }
    void numberingRunsOut()
    {
        QFETCH(bool, ok);

        Pass p;
        p.fs.addFile(u"/r/Song.mp3"_s);
        for (int i = 1; i <= 32767; ++i)
            p.fs.addFile(u"/r/Song%1.mp3"_s.arg(i));
        p.fs.addFile(u"/r/Song[ads].mp3"_s);
        p.fs.addFile(u"/r/next--.mp3"_s);
        p.host.answers = {ok};
        p.run();

        QCOMPARE(p.host.failures.size(), 1);
        QCOMPARE(p.host.failures[0].number, EngineTexts::OverflowNumber);
        QVERIFY(p.fs.contains(u"/r/Song[ads].mp3"_s));
        QCOMPARE(p.fs.contains(u"/r/next-.mp3"_s), ok);
        QCOMPARE(p.fixed, ok ? 1 : 0);
    }
    void refusedAndUnreadableNames()
    {
        // A name that cleans to nothing is never found taken, so the rename is
        // tried and refused; names that are not text are reported, never walked.
        Pass p;
        p.fs.addFolder(u"/r/bad\\xFF"_s, false);
        p.fs.addFile(u"/r/bad\\xFF/inner--.txt"_s);
        p.fs.addFile(u"/r/x\\xFE--.txt"_s, 0, false);
        p.fs.addFile(u"/r/[ads]"_s);
        p.fs.addFile(u"/r/ok--.txt"_s);
        p.run();

        QCOMPARE(p.host.failures.size(), 3);
        QCOMPARE(p.host.failures[0].description, EngineTexts::folderNameNotText(u"/r/bad\\xFF"_s));
        QCOMPARE(
            p.host.failures[1].description, EngineTexts::fileNameNotText(u"/r/x\\xFE--.txt"_s));
        QCOMPARE(p.host.failures[2].number, EINVAL);
        QVERIFY(!p.fs.log().contains(u"open /r/bad\\xFF"_s));
        QCOMPARE(
            p.fs.fileNames(u"/r"_s), (QStringList{u"x\\xFE--.txt"_s, u"[ads]"_s, u"ok-.txt"_s}));
        QCOMPARE(p.panel(u"Read"_s), u" Read: 3"_s);
        QCOMPARE(p.panel(u"Fixed"_s), u" Fixed: 2"_s);
    }
    void countsPastSixteenBits()
    {
        Pass p;
        p.fs.addFolder(u"/r"_s);
        for (int i = 0; i < 40000; ++i)
            p.fs.addFile(u"/r/clean%1.txt"_s.arg(i));
        p.run();

        QVERIFY(p.host.failures.isEmpty());
        QCOMPARE(p.panel(u"Read"_s), u" Read: 40000"_s);
    }
};

QTEST_APPLESS_MAIN(TestExecutionPass)
#include "tst_executionpass.moc"
