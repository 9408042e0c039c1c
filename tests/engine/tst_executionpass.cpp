// The execution pass over the in-memory file system, for what a real disk
// cannot be made to do on demand: failures of any operation, folders swapped
// at a chosen moment, tens of thousands of taken names.
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

namespace {

using LimitRow = std::tuple<double, bool, QString, int>;
using FailureRow = std::tuple<Op, QByteArray, bool, QByteArray, int, int>;
using NumberingRow = std::tuple<QByteArray, double, bool, QByteArray>;
using VisibleRow = std::tuple<QByteArrayList, QString, double, QByteArrayList, int, int>;
using WalkRow = std::tuple<bool, bool, QList<int>, QByteArray>;
using VolumeRow = std::tuple<Op, ProgramFault, QByteArray>;
using TakenRow = std::tuple<bool, bool, QByteArray, QList<int>>;

// Doubled hyphens and the entry "[ads]" are what make names dirty here.
struct Pass
{
    FakeFileSystem fs;
    RecordingHost host;
    PassSummary summary;

    explicit Pass(bool ignoreCase = false)
        : fs(ignoreCase)
    {
        host.settings.rules.multSpecial = true;
        host.settings.rules.removals = {u"[ads]"_s};
    }
    void addDirty(const QByteArray &folder, int count)
    {
        for (int i = 0; i < count; ++i)
            fs.addFile(folder + "/f--" + QByteArray::number(i) + ".txt");
    }
    int cleanIn(const QByteArray &folder) const
    {
        int clean = 0;
        for (const QByteArray &name : fs.fileNames(folder).split(' '))
            clean += name.startsWith("f-") && !name.contains("--");
        return clean;
    }
    void run() { summary = ExecutionPass(fs, host, host.settings).execute(); }
};

// What the pass must leave in one folder: each file in listing order takes
// its cleaned name, or the lowest free number of it, among the names the
// folder holds at that moment.
QStringList expectedNames(QStringList names, const CleaningRules &rules)
{
    for (QString &name : names) {
        const QString cleaned = CleanFileName(name, rules).name;
        // A name that would hide the file is refused, before any number.
        if (cleaned == name || cleaned.startsWith(u'.'))
            continue;
        const FileName split = FileName::split(cleaned);
        QString candidate = cleaned;
        for (int number = 1; names.contains(candidate); ++number) {
            const QString digits = QString::number(number);
            const bool cut = rules.maxLength
                < double(split.base.size() + digits.size() + split.extension.size());
            candidate
                = (cut ? leftWhole(split.base, split.base.size() - digits.size()) : split.base)
                + digits + split.extension;
        }
        if (!candidate.isEmpty())
            name = candidate;
    }
    return names;
}

} // namespace

class TestExecutionPass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void maxLengthZeroStartsNothing_data()
    {
        QTest::addColumn<double>("maxLength");
        QTest::addColumn<bool>("refused");
        QTest::newRow("zero") << 0.0 << true;
        QTest::newRow("fraction runs") << 0.5 << false;
        QTest::newRow("outside 12 to 99 runs") << 5.0 << false;
    }
    void maxLengthZeroStartsNothing()
    {
        QFETCH(double, maxLength);
        QFETCH(bool, refused);

        Pass p;
        p.fs.addFile("/r/a--b");
        p.host.settings.rules.maxLength = maxLength;
        p.run();

        QCOMPARE(p.host.settings.refusal(),
            refused ? std::optional(u"Maximum length must be 12 to 99"_s) : std::nullopt);
        QCOMPARE(
            p.summary.end, refused ? PassSummary::End::NotStarted : PassSummary::End::Completed);
        QCOMPARE(p.host.events.isEmpty(), refused);
        QCOMPARE(p.fs.log().isEmpty(), refused);
    }
    // A clean file is read and not fixed; a stop request is seen before the
    // next file, never in the middle of one.
    void eventsUntilAStopRequest()
    {
        Pass p;
        p.fs.addFile("/r/a/clean.txt");
        p.addDirty("/r/a", 3);
        p.addDirty("/r", 3);
        p.host.stopAfterReads = 2;
        p.run();

        QCOMPARE(p.host.events,
            (QStringList{u"started"_s, u"read 1 /r/a/clean.txt"_s, u"read 2 /r/a/f--0.txt"_s,
                u"fixed 1"_s, u"ended"_s}));
        QCOMPARE(u"%1 %2"_s.arg(p.cleanIn("/r/a")).arg(p.cleanIn("/r")), u"1 0"_s);
        QCOMPARE(p.summary.end, PassSummary::End::Stopped);
        QCOMPARE(p.summary.filesRead, 2);
    }
    void skippedAttributes_data()
    {
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<QByteArray>("after");
        // hidden, system, volume label, folder, alias; read-only and hidden
        for (quint32 skipped : {2u, 4u, 8u, 16u, 1024u, 3u})
            QTest::addRow("skipped %u", skipped) << skipped << "a--b.txt"_ba;
        QTest::newRow("other bits do not skip") << quint32(32) << "a-b.txt"_ba;
    }
    void skippedAttributes()
    {
        QFETCH(quint32, attributes);
        QFETCH(QByteArray, after);

        Pass p;
        p.fs.addFile("/r/a--b.txt", attributes);
        p.run();
        QCOMPARE(p.fs.fileNames("/r"), after);
        QCOMPARE(p.fs.attributesOf("/r/" + after), attributes);
        QCOMPARE(p.summary.filesRead, 1);
    }
    void limit_data()
    {
        // The limit, subfolders included, files renamed in /r/a, /r/b and /r,
        // the fixed count shown
        QTest::addColumn<LimitRow>("row");
        // A folder is opened only while the renames are below the limit; in a
        // folder the pass stops once they pass it.
        // clang-format off
        QTest::newRow("limit passed by one, then no folder opens") << LimitRow{2.0, true, u"3 0 1"_s, 2};
        QTest::newRow("a folder at the limit is not opened") << LimitRow{3.0, true, u"3 0 1"_s, 3};
        QTest::newRow("a fraction is not cut off") << LimitRow{3.5, true, u"3 1 1"_s, 3};
        QTest::newRow("limit 0 opens nothing") << LimitRow{0.0, true, u"0 0 0"_s, 0};
        QTest::newRow("subfolders first") << LimitRow{1000.0, true, u"3 2 3"_s, 8};
        QTest::newRow("subfolders left out") << LimitRow{1000.0, false, u"0 0 3"_s, 3};
        // clang-format on
    }
    void limit()
    {
        QFETCH(LimitRow, row);
        const auto &[limit, subfolders, clean, fixedShown] = row;

        Pass p;
        p.addDirty("/r/a", 3);
        p.addDirty("/r/b", 2);
        p.addDirty("/r", 3);
        p.host.settings.limit = limit;
        p.host.settings.includeSubfolders = subfolders;
        p.run();

        QCOMPARE(u"%1 %2 %3"_s.arg(p.cleanIn("/r/a")).arg(p.cleanIn("/r/b")).arg(p.cleanIn("/r")),
            clean);
        QCOMPARE(p.host.lastFixed, fixedShown);
        QCOMPARE(p.summary.end, PassSummary::End::Completed);
    }
    void failures_data()
    {
        // The failing operation and path, the answer, the names in /r/sub,
        // then /r, after the pass, files read and fixed
        QTest::addColumn<FailureRow>("row");
        // clang-format off
        QTest::newRow("open subfolder, OK") << FailureRow{Op::Open, "/r/sub"_ba, true, "x--1|a-1 b-2"_ba, 2, 2};
        QTest::newRow("open subfolder, Cancel") << FailureRow{Op::Open, "/r/sub"_ba, false, "x--1|a--1 b--2"_ba, 0, 0};
        QTest::newRow("open start folder, OK") << FailureRow{Op::Open, "/r"_ba, true, "x--1|a--1 b--2"_ba, 0, 0};
        QTest::newRow("list subfolder, OK") << FailureRow{Op::List, "/r/sub"_ba, true, "x--1|a-1 b-2"_ba, 2, 2};
        QTest::newRow("list subfolder, Cancel") << FailureRow{Op::List, "/r/sub"_ba, false, "x--1|a--1 b--2"_ba, 0, 0};
        QTest::newRow("attributes, OK processes the file") << FailureRow{Op::Attributes, "/r/a--1.txt"_ba, true, "x-1|a-1 b-2"_ba, 3, 3};
        QTest::newRow("attributes, Cancel") << FailureRow{Op::Attributes, "/r/a--1.txt"_ba, false, "x-1|a--1 b--2"_ba, 2, 1};
        QTest::newRow("clearing read-only, OK renames") << FailureRow{Op::SetAttributes, "/r/a--1.txt"_ba, true, "x-1|a-1 b-2"_ba, 3, 3};
        QTest::newRow("clearing read-only, Cancel") << FailureRow{Op::SetAttributes, "/r/a--1.txt"_ba, false, "x-1|a--1 b--2"_ba, 2, 1};
        QTest::newRow("rename, OK counts as fixed") << FailureRow{Op::Rename, "/r/a--1.txt"_ba, true, "x-1|a--1 b-2"_ba, 3, 3};
        QTest::newRow("rename, Cancel") << FailureRow{Op::Rename, "/r/a--1.txt"_ba, false, "x-1|a--1 b--2"_ba, 2, 1};
        // clang-format on
    }
    void failures()
    {
        QFETCH(FailureRow, row);
        const auto &[op, path, ok, names, read, fixed] = row;

        Pass p;
        p.fs.addFile("/r/sub/x--1.txt");
        p.fs.addFile("/r/a--1.txt", FileAttribute::ReadOnly);
        p.fs.addFile("/r/b--2.txt");
        p.fs.failOn(op, path, EIO);
        p.host.answers = {ok};
        p.run();

        QCOMPARE(p.host.failureNumbers(), QList<int>{EIO});
        QByteArray after = p.fs.fileNames("/r/sub") + '|' + p.fs.fileNames("/r");
        QCOMPARE(after.replace(".txt", ""), names);
        QCOMPARE((QList<int>{p.host.lastRead, p.host.lastFixed}), (QList<int>{read, fixed}));
        QCOMPARE(p.summary.end, ok ? PassSummary::End::Completed : PassSummary::End::Stopped);
        QCOMPARE(p.host.events.first() + p.host.events.last(), u"startedended"_s);
    }
    // A volume that keeps no modes, or renames in no safe way, refuses every
    // file alike: said once, while any other failure is said as it comes.
    void volumeWideFaultsAreSaidOnce_data()
    {
        // The refused operation, its fault, the names after the pass
        QTest::addColumn<VolumeRow>("row");
        QTest::newRow("no modes") << VolumeRow{
            Op::SetAttributes, ProgramFault::NoModes, "a-1.txt b-2.txt c-3.txt d-4.txt"};
        QTest::newRow("no safe rename") << VolumeRow{
            Op::Rename, ProgramFault::NoSafeRename, "a--1.txt b--2.txt c--3.txt d--4.txt"};
    }
    void volumeWideFaultsAreSaidOnce()
    {
        QFETCH(VolumeRow, row);
        const auto &[op, fault, after] = row;
        Pass p;
        for (const char *name : {"/r/a--1.txt", "/r/b--2.txt", "/r/c--3.txt"}) {
            p.fs.addFile(name, FileAttribute::ReadOnly);
            p.fs.failOn(op, name, fault);
        }
        p.fs.failOn(op, "/r/d--4.txt", EIO);
        p.fs.addFile("/r/d--4.txt", FileAttribute::ReadOnly);
        p.run();

        QCOMPARE(p.host.failureNumbers(), (QList<int>{int(fault), EIO}));
        QCOMPARE(p.fs.fileNames("/r"), after);
    }
    void numbering_data()
    {
        // The files (the last one dirty), the maximum length, whether case is
        // ignored, the names after the pass
        QTest::addColumn<NumberingRow>("row");

        QByteArray nine = "abcdefgh.txt";
        for (int i = 1; i <= 9; ++i)
            nine += " abcdefg" + QByteArray::number(i) + ".txt";
        // clang-format off
        QTest::newRow("number cuts the base") << NumberingRow{"abcdefgh.txt abcdefgh[ads].txt"_ba, 12.0, false, "abcdefgh.txt abcdefg1.txt"_ba};
        QTest::newRow("tenth cuts from the first split") << NumberingRow{nine + " abcdefgh[ads].txt", 12.0, false, nine + " abcdef10.txt"};
        QTest::newRow("name without a dot") << NumberingRow{"Notes Notes[ads]"_ba, 60.0, false, "Notes Notes1"_ba};
        QTest::newRow("other case, case-sensitive") << NumberingRow{"song.mp3 SONG[ads].mp3"_ba, 60.0, false, "song.mp3 SONG.mp3"_ba};
        QTest::newRow("other case, case-insensitive") << NumberingRow{"song.mp3 SONG[ads].mp3"_ba, 60.0, true, "song.mp3 SONG1.mp3"_ba};
        QTest::newRow("never splits a character") << NumberingRow{"ab\xF0\x9F\x8E\xB5.txt ab\xF0\x9F\x8E\xB5[ads].txt"_ba, 8.0, false, "ab\xF0\x9F\x8E\xB5.txt ab1.txt"_ba};
        // The second numbering passes over "a-b1.txt"; once that file has
        // cleaned away, the third takes its name again.
        QTest::newRow("resumes below a name freed meanwhile") << NumberingRow{"a-b.txt a-b[ads].txt a-b1.txt a-b[ads][ads].txt"_ba, 60.0, false, "a-b.txt a-b2.txt a-.txt a-b1.txt"_ba};
        // clang-format on
    }
    void numbering()
    {
        QFETCH(NumberingRow, row);
        const auto &[files, maxLength, ignoreCase, after] = row;

        Pass p(ignoreCase);
        for (const QByteArray &file : files.split(' '))
            p.fs.addFile("/r/" + file);
        p.host.settings.rules.maxLength = maxLength;
        p.host.settings.rules.removals = {u"[ads]"_s, u"b1"_s};
        p.run();

        QVERIFY(p.host.failures.isEmpty());
        QCOMPARE(p.fs.fileNames("/r"), after);
    }
    void nameTakenSinceTheListing_data()
    {
        // What takes b-1.txt once a-1.txt is renamed, whether telling what it
        // is fails, the names after the pass and the failures said.
        QTest::addColumn<TakenRow>("row");
        QTest::newRow("a file: numbered past") << TakenRow{false, false, "a-1 b-11 b-1"_ba, {}};
        QTest::newRow("a folder: said") << TakenRow{true, false, "a-1 b--1"_ba, {EEXIST}};
        QTest::newRow("unknown: said") << TakenRow{false, true, "a-1 b--1 b-1"_ba, {EEXIST}};
    }
    void nameTakenSinceTheListing()
    {
        QFETCH(TakenRow, row);
        const auto &[folder, checkFails, after, failures] = row;
        Pass p;
        p.fs.addFile("/r/a--1.txt");
        p.fs.addFile("/r/b--1.txt");
        p.host.onRenamed = [&](const RenamedFile &file) {
            if (file.newName == u"a-1.txt"_s)
                folder ? p.fs.addFolder("/r/b-1.txt") : p.fs.addFile("/r/b-1.txt");
        };
        if (checkFails)
            p.fs.failOn(Op::Exists, "/r/b-1.txt", EIO);
        p.run();

        QCOMPARE(p.host.failureNumbers(), failures);
        QCOMPARE(p.fs.fileNames("/r").replace(".txt", ""), after);
    }
    void numberingMatchesTheLowestFreeNumber()
    {
        // Short names of few characters clean alike often, and a removal of
        // "1" frees names that earlier numberings passed over.
        const QStringList pieces{u"a"_s, u"b"_s, u"1"_s, u"2"_s, u"-"_s, u"[ads]"_s};
        QRandomGenerator random(20261206);
        for (int folder = 0; folder < 150; ++folder) {
            Pass p;
            p.host.settings.rules.removals = {u"[ads]"_s, u"1"_s};
            p.host.settings.rules.maxLength = folder % 3 == 0 ? 5 : 60;
            QStringList names;
            for (int file = 0; file < 40; ++file) {
                QString name;
                for (int n = random.bounded(1, 5); n > 0; --n)
                    name += pieces[random.bounded(pieces.size())];
                name += u".t"_s;
                if (!names.contains(name))
                    names.append(name);
                p.fs.addFile("/r/" + name.toUtf8());
            }
            p.run();
            QCOMPARE(p.fs.fileNames("/r"),
                expectedNames(names, p.host.settings.rules).join(u' ').toUtf8());
        }
    }
    void numberingReachesThe32767thAndRunsOut_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK goes on with the next file") << true;
        QTest::newRow("Cancel aborts") << false;
    }
    void numberingReachesThe32767thAndRunsOut()
    {
        QFETCH(bool, ok);

        Pass p;
        p.fs.addFile("/r/Song.mp3");
        for (int i = 1; i <= 32766; ++i)
            p.fs.addFile("/r/Song" + QByteArray::number(i) + ".mp3");
        for (const char *name : {"Song[ads].mp3", "Song[ads][ads].mp3", "next--.mp3"})
            p.fs.addFile("/r/"_ba + name);
        p.host.answers = {ok};
        p.run();

        QCOMPARE(p.host.failureNumbers(), QList<int>{int(ProgramFault::NoFreeNumber)});
        QVERIFY(p.fs.contains("/r/Song32767.mp3") && p.fs.contains("/r/Song[ads][ads].mp3"));
        QCOMPARE(p.fs.contains("/r/next-.mp3"), ok);
        QCOMPARE(p.summary.filesFixed, ok ? 2 : 1);
        // The counts go past what 16 bits hold.
        QCOMPARE(p.summary.filesRead, ok ? 32770 : 32769);
    }
    void namesStayVisible_data()
    {
        // The files, the start folder, the maximum length, every path after
        // the pass in the same order, names refused as hiding, files read
        QTest::addColumn<VisibleRow>("row");
        const QByteArray cut = "x.abcdefghijk";
        // clang-format off
        QTest::newRow("removal would hide: refused, even with the name taken") << VisibleRow{QByteArrayList{"/r/[ads].avi", "/r/.avi"}, u"/r"_s, 60.0, QByteArrayList{"/r/[ads].avi", "/r/.avi"}, 1, 2};
        QTest::newRow("cut leaving the extension alone") << VisibleRow{QByteArrayList{"/r/" + cut}, u"/r"_s, 12.0, QByteArrayList{"/r/" + cut}, 1, 1};
        QTest::newRow("hidden folders at any depth are not walked") << VisibleRow{QByteArrayList{"/r/.git/fix--bug", "/r/a/.config/b/x--y", "/r/a/b--c", "/r/.x--y"}, u"/r"_s, 60.0, QByteArrayList{"/r/.git/fix--bug", "/r/a/.config/b/x--y", "/r/a/b-c", "/r/.x--y"}, 0, 2};
        QTest::newRow("a hidden start folder is walked") << VisibleRow{QByteArrayList{"/r/.h/a--b", "/r/.h/.g/c--d"}, u"/r/.h"_s, 60.0, QByteArrayList{"/r/.h/a-b", "/r/.h/.g/c--d"}, 0, 1};
        // clang-format on
    }
    void namesStayVisible()
    {
        QFETCH(VisibleRow, row);
        const auto &[files, start, maxLength, after, hiddenRefused, read] = row;

        Pass p;
        for (const QByteArray &file : files)
            p.fs.addFile(file);
        p.host.settings.startFolder = start;
        p.host.settings.rules.maxLength = maxLength;
        p.run();

        for (const QByteArray &path : after)
            QVERIFY2(p.fs.contains(path), path.constData());
        QCOMPARE(
            p.host.failureNumbers(), QList<int>(hiddenRefused, int(ProgramFault::NewNameHides)));
        QCOMPARE(p.summary.filesRead, read);
        // Refused like a name cleaned to nothing: it counts as fixed.
        QCOMPARE(p.summary.filesFixed, hiddenRefused + (files != after ? 1 : 0));
    }
    void deepTreeWithinAFolderBudget_data()
    {
        QTest::addColumn<int>("budget");
        QTest::addColumn<QByteArray>("swapped"); // what a closed folder becomes meanwhile
        QTest::newRow("no bound") << 0 << QByteArray();
        QTest::newRow("three open at most") << 3 << QByteArray();
        QTest::newRow("a closed folder swapped: refused, not followed") << 3 << "link"_ba;
        QTest::newRow("a closed folder made anew: refused") << 3 << "folder"_ba;
    }
    void deepTreeWithinAFolderBudget()
    {
        QFETCH(int, budget);
        QFETCH(QByteArray, swapped);
        Pass p;
        QByteArray folder = "/r";
        for (int depth = 0; depth < 40; ++depth) {
            p.fs.addFile(folder + "/f--" + QByteArray::number(depth));
            folder += "/d";
        }
        p.host.settings.openFolders = budget;
        p.host.onRenamed = [&](const RenamedFile &file) {
            if (file.oldName == u"f--39"_s && !swapped.isEmpty())
                swapped == "link" ? p.fs.replaceWithLink("/r/d") : p.fs.replaceWithFolder("/r/d");
        };
        p.run();

        QCOMPARE(p.host.failureNumbers(), swapped.isEmpty() ? QList<int>{} : QList<int>{ENOTDIR});
        // The three deepest were still open; the start folder reopens by its path.
        QCOMPARE(p.summary.filesFixed, swapped.isEmpty() ? 40 : 4);
        QCOMPARE(p.fs.contains("/r/f-0"), true);
        QVERIFY(p.fs.mostFoldersOpen() <= (budget ? budget + 1 : 41));
        QCOMPARE(p.fs.openFolders(), 0);
    }
    void walkStaysInTheChosenTree_data()
    {
        // /r/sub swapped for a link once /r is listed, /r/sub a kernel's
        // virtual file system, the failures, the names in /r/a, /r/sub and /r
        QTest::addColumn<WalkRow>("row");
        // clang-format off
        QTest::newRow("plain subfolder") << WalkRow{false, false, QList<int>{}, "x-|in-|top-"_ba};
        QTest::newRow("swapped for a link: refused, never walked") << WalkRow{true, false, QList<int>{ENOTDIR}, "x-|in--|sub top-"_ba};
        QTest::newRow("virtual file system: skipped without a word") << WalkRow{false, true, QList<int>{}, "x-|in--|top-"_ba};
        // clang-format on
    }
    void walkStaysInTheChosenTree()
    {
        QFETCH(WalkRow, row);
        const auto &[swapped, virtualFs, failures, names] = row;

        Pass p;
        for (const char *path : {"/r/a/x--", "/r/sub/in--", "/r/top--"})
            p.fs.addFile(path);
        if (virtualFs)
            p.fs.setVirtual("/r/sub");
        if (swapped)
            p.host.onRenamed = [&](const RenamedFile &) { p.fs.replaceWithLink("/r/sub"); };
        p.run();

        QCOMPARE(p.host.failureNumbers(), failures);
        QCOMPARE(
            p.fs.fileNames("/r/a") + '|' + p.fs.fileNames("/r/sub") + '|' + p.fs.fileNames("/r"),
            names);
        QCOMPARE(p.fs.openFolders(), 0);
    }
};

QTEST_APPLESS_MAIN(TestExecutionPass)
#include "tst_executionpass.moc"
