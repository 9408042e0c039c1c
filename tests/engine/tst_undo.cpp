// Passes with their journals, then Undo, on real temporary folders: no file
// content may be lost or overwritten, the tree must come back exactly as it
// was, whatever stood in the way, and the history must survive other
// processes, full disks and odd files.
#include "enginetexts.h"
#include "executionpass.h"
#include "journal.h"
#include "linuxfilesystem.h"
#include "openfilelimit.h"
#include "recordinghost.h"
#include "treesnapshot.h"
#include "undohistory.h"
#include "undopass.h"

#include <QDateTime>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

// The exit code of `body` run in a child process; -1 when it was killed.
int inChild(const std::function<int()> &body)
{
    const pid_t child = fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void setLimit(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    ::setrlimit(resource, &limit);
}

// The tree's relative paths, sorted and joined by "|"; a read-only entry ends
// in "*".
QByteArray names(const fs::path &root)
{
    QByteArrayList names;
    for (const QByteArray &line : treeSnapshot(root)) {
        const QByteArrayList fields = line.split('|');
        names.append(fields[0] + ((fields[1].toInt(nullptr, 8) & 0200) ? "" : "*"));
    }
    std::sort(names.begin(), names.end());
    return names.join('|');
}

using PassRow = std::tuple<QByteArray, bool, QByteArray, QList<int>, int>;
using HistoryRow = std::tuple<int, int, bool, bool, int>;
using TakenBackRow = std::tuple<int, int, int, bool>;
using SwappedRow = std::tuple<QByteArray, int, int>;

} // namespace

class TestUndo final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_temp;
    fs::path m_root;
    QString m_history;
    LinuxFileSystem m_native;
    RecordingHost m_host;

    // A pass that cleans copy tags, doubled specials and underscores.
    void execute(JournalSyncing syncing = {})
    {
        JournalWriter journal(m_history, syncing);
        ExecutionPass(m_native, m_host, m_host.settings, &journal).execute();
    }
    QStringList journals() const { return UndoHistory(m_history).names(); }
    // Undo of the newest execution: the records left of it (-1 when there
    // was none) and the renames taken back. Without `takeBack` it only
    // counts the records.
    using Undone = std::pair<qsizetype, qint32>;
    Undone undoNewest(int openFolders = 64, bool takeBack = true)
    {
        UndoHistory history(m_history);
        Result<std::optional<HeldJournal>> taken = history.takeNewest();
        if (!taken.ok() || !taken.value())
            return {-1, 0};
        UndoPass undo(m_native, m_host, openFolders);
        const Journal &held = taken.value()->journal();
        const Journal left = takeBack ? undo.run(held) : held;
        if (!history.keep(*taken.value(), left).ok())
            return {-2, 0};
        return {left.records.size(), undo.summary().filesFixed};
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_temp.emplace().isValid());
        m_root = fs::path(m_temp->path().toStdString()) / "tree";
        fs::create_directory(m_root);
        m_history = m_temp->filePath(u"data/undo history"_s);
        m_host = RecordingHost();
        m_host.settings.startFolder = QString::fromStdString(m_root.string());
        m_host.settings.rules.copy = true;
        m_host.settings.rules.multSpecial = true;
        m_host.settings.rules.underline = true;
        m_host.settings.limit = 100000;
    }
    void cleanup()
    {
        // Qt cannot remove names that are not text, nor trees past PATH_MAX;
        // rm walks by descriptors.
        const QByteArray path = QFile::encodeName(m_temp->path());
        QCOMPARE(
            inChild([&] { return ::execlp("rm", "rm", "-rf", path.constData(), nullptr); }), 0);
    }

    void passAndUndo_data()
    {
        // before, read-only overridden, after, failures, files read (every
        // entry of the walked folders but folders)
        QTest::addColumn<PassRow>("row");

        const QList<int> none;
        const QList<int> notText = {int(ProgramFault::NameNotText), int(ProgramFault::NameNotText)};
        QByteArrayList many
            = (numbered("file ", 0, 5000, ".a") + '|' + numbered("file ", 0, 5000, "  .a"))
                  .split('|');
        std::sort(many.begin(), many.end());
        // clang-format off
        QTest::newRow("two names that clean alike") << PassRow{"CC Song.mp3|ZZ Song.mp3"_ba, true, "Song.mp3|Song1.mp3"_ba, none, 2};
        QTest::newRow("other letter case is free") << PassRow{"song.mp3|CC Song.mp3"_ba, true, "Song.mp3|song.mp3"_ba, none, 2};
        // The read-only bit goes before the rename is tried, and stays gone;
        // the refused rename leaves no record.
        QTest::newRow("name taken by a folder") << PassRow{"Song.mp3/in.txt|CC Song.mp3*"_ba, true, "CC Song.mp3|Song.mp3|Song.mp3/in.txt"_ba, QList<int>{EEXIST}, 2};
        QTest::newRow("hidden file") << PassRow{".CC hidden.txt"_ba, true, ".CC hidden.txt"_ba, none, 1};
        QTest::newRow("FIFO") << PassRow{"CC pipe!"_ba, true, "CC pipe"_ba, none, 1};
        QTest::newRow("link to a read-only file") << PassRow{".target*|CC link>.target"_ba, true, ".target*|CC link"_ba, none, 2};
        QTest::newRow("link to a folder, walked once") << PassRow{"t/CC in.txt|CC linked>t"_ba, true, "CC linked|t|t/in.txt"_ba, none, 2};
        QTest::newRow("link loops") << PassRow{"s/CC a.txt|s/up>..|s/self>self|CC down>s"_ba, true, "CC down|s|s/a.txt|s/self|s/up"_ba, none, 4};
        QTest::newRow("read-only, left alone") << PassRow{"CC a.txt*|b.txt*"_ba, false, "CC a.txt*|b.txt*"_ba, none, 2};
        QTest::newRow("read-only, overridden") << PassRow{"CC a.txt*|b.txt*"_ba, true, "a.txt|b.txt"_ba, none, 2};
        QTest::newRow("numbered collisions") << PassRow{"Song.mp3|CC Song.mp3|ZZ Song.mp3|Song1.mp3|CC Song1.mp3"_ba, true, "Song.mp3|Song1.mp3|Song11.mp3|Song2.mp3|Song3.mp3"_ba, none, 5};
        QTest::newRow("subfolders first, into names taken") << PassRow{"a/CC b.txt|a/b.txt|a--b.txt|a-b.txt"_ba, true, "a|a-b.txt|a-b1.txt|a/b.txt|a/b1.txt"_ba, none, 4};
        QTest::newRow("modes come back exactly") << PassRow{"CC a:0464|CC b:0640|CC c:0400|CC d:0555"_ba, true, "a|b|c|d"_ba, none, 4};
        QTest::newRow("ten thousand files") << PassRow{numbered("CC file ", 0, 5000, ".a") + '|' + numbered("CC file ", 0, 5000, "__.a"), true, many.join('|'), none, 10000};
        QTest::newRow("names that are not text") << PassRow{"CC bad\xFF.txt|CC good.txt|CC dir\xFE/CC in.txt"_ba, true, "CC bad\xFF.txt|CC dir\xFE|CC dir\xFE/CC in.txt|good.txt"_ba, notText, 2};
        // clang-format on
    }
    void passAndUndo()
    {
        QFETCH(PassRow, row);
        const auto &[before, override, after, failures, read] = row;

        buildTree(m_root, before);
        const QByteArrayList snapshot = treeSnapshot(m_root);
        const auto openDescriptors = [] {
            return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
        };
        const auto descriptors = openDescriptors();
        m_host.settings.overrideReadOnly = override;
        execute();

        QCOMPARE(names(m_root), after);
        QCOMPARE(m_host.failureNumbers(), failures);
        QCOMPARE(m_host.lastRead, read);
        // One record for each change the pass made, none for one refused.
        qsizetype changes = m_host.keptReadOnlyCleared.size();
        for (const RenamedFile &file : std::as_const(m_host.renamed))
            changes += file.readOnlyCleared ? 2 : 1;
        const qsizetype records = undoNewest(0, false).first;
        QCOMPARE(std::max<qsizetype>(records, 0), changes);
        QCOMPARE(undoNewest(), Undone(records > 0 ? 0 : -1, qint32(m_host.renamed.size())));
        // Undo gives back only what the pass kept: no content was lost.
        QCOMPARE(treeSnapshot(m_root), snapshot);
        QVERIFY(journals().isEmpty());
        // Even a leak that a pass short of descriptors would never notice.
        QCOMPARE(openDescriptors(), descriptors);
    }
    void executionsComeBackNewestFirst()
    {
        buildTree(m_root, "sub/CC deep.txt|CC ro.txt:0464|" + numbered("CC f", 0, 6, "__x.txt"));
        m_host.settings.limit = 2;
        QList<QByteArrayList> states{treeSnapshot(m_root)};
        for (int run = 0; run < 3; ++run) {
            execute();
            states.append(treeSnapshot(m_root));
            QVERIFY(states.back() != states[states.size() - 2]);
        }
        // A pass that changes nothing leaves the history as it is.
        execute();
        QCOMPARE(journals().size(), 3);

        for (int run = 2; run >= 0; --run) {
            QCOMPARE(undoNewest().first, 0);
            QCOMPARE(treeSnapshot(m_root), states[run]);
        }
        QVERIFY(journals().isEmpty());
        QVERIFY(m_host.failures.isEmpty());
    }
    void historyKeepsTheNewestFiftyOfNinetyDays_data()
    {
        // journals, the age of the oldest in days, the oldest held by another
        // window, the newest empty (a pass killed before its first change), kept
        QTest::addColumn<HistoryRow>("row");
        QTest::newRow("fifty of fifty-two") << HistoryRow{52, 0, false, false, 50};
        QTest::newRow("none older than ninety days") << HistoryRow{3, 91, false, false, 2};
        QTest::newRow("one held elsewhere stays") << HistoryRow{52, 91, true, false, 51};
        QTest::newRow("one without records does not count") << HistoryRow{51, 0, false, true, 51};
    }
    void historyKeepsTheNewestFiftyOfNinetyDays()
    {
        QFETCH(HistoryRow, row);
        const auto [journals, oldestDays, oldestHeld, newestEmpty, kept] = row;

        QVERIFY(QDir().mkpath(m_history));
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QStringList paths;
        for (int i = 0; i < journals; ++i) {
            const qint64 madeAt
                = now - (journals - i) - (i == 0 ? qint64(oldestDays) * 24 * 3600 * 1000 : 0);
            paths.append(m_history + u"/%1-1-0.journal"_s.arg(madeAt, 13, 10, QChar(u'0')));
            // Folders are written with the first record in them.
            Journal journal{madeAt, {}, {}};
            if (!(newestEmpty && i == journals - 1)) {
                journal.folders.append({-1, "/t", {}});
                journal.records.append({JournalRecord::Kind::Rename, 0, "a", "b", {}});
            }
            QVERIFY(JournalFile::replace(paths.back(), journal).ok());
        }
        const int held = ::open(QFile::encodeName(paths[0]).constData(), O_RDONLY);
        if (oldestHeld)
            QCOMPARE(::flock(held, LOCK_EX), 0);
        QVERIFY(UndoHistory(m_history).prune().ok());
        ::close(held);
        QCOMPARE(this->journals().size(), kept);
        QVERIFY(QFile::exists(paths.back()));
        QCOMPARE(QFile::exists(paths[0]), oldestHeld || kept == journals);
    }
    void changesAlreadyTakenBackAreDone_data()
    {
        // The pass killed after this many renames, Undo killed after this
        // many renames back, renames taken back by hand, the mode taken back
        QTest::addColumn<TakenBackRow>("row");
        QTest::newRow("a pass killed midway") << TakenBackRow{7, 0, 0, false};
        QTest::newRow("an Undo killed midway") << TakenBackRow{0, 7, 0, false};
        QTest::newRow("every rename and the mode") << TakenBackRow{0, 0, 22, true};
    }
    void changesAlreadyTakenBackAreDone()
    {
        QFETCH(TakenBackRow, row);
        const auto [passKilled, undoKilled, takenBack, modeBack] = row;
        buildTree(m_root, "sub/CC deep.txt|CC locked.txt*|" + numbered("CC f", 0, 20, ".txt"));
        const QByteArrayList before = treeSnapshot(m_root);
        // Killed in a child process once it has made `changes` changes.
        const auto killedAfter = [&](int changes, const std::function<void()> &work) {
            QCOMPARE(inChild([&] {
                m_host.onFixed = [changes](qint32 fixed) {
                    if (fixed == changes)
                        ::kill(::getpid(), SIGKILL);
                };
                work();
                return 0;
            }),
                -1);
        };
        if (passKilled)
            killedAfter(passKilled, [&] { execute(); });
        else
            execute();
        if (undoKilled)
            killedAfter(undoKilled, [&] { undoNewest(); });
        for (qsizetype i = m_host.renamed.size() - 1; i >= m_host.renamed.size() - takenBack; --i) {
            const RenamedFile &file = m_host.renamed[i];
            const fs::path folder = file.folder.toStdString();
            fs::rename(folder / file.newName.toStdString(), folder / file.oldName.toStdString());
        }
        if (modeBack)
            fs::permissions(m_root / "CC locked.txt", fs::perms(0444));

        QCOMPARE(undoNewest(), Undone(0, passKilled ? passKilled : 22 - takenBack - undoKilled));
        QVERIFY(m_host.failures.isEmpty());
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void undoNeverOverwrites_data()
    {
        // A new file takes top's old name; else top is renamed again.
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("ok"); // the answer to the error dialog
        QTest::newRow("old name taken, OK skips the record") << true << true;
        QTest::newRow("old name taken, Cancel stops") << true << false;
        QTest::newRow("renamed again, OK skips the record") << false << true;
        QTest::newRow("renamed again, Cancel stops") << false << false;
    }
    void undoNeverOverwrites()
    {
        QFETCH(bool, taken);
        QFETCH(bool, ok);
        buildTree(m_root, "sub/CC a.txt|CC top.txt*"_ba);
        const QByteArrayList before = treeSnapshot(m_root);
        execute();

        const fs::path top = m_root / "top.txt";
        const fs::path stands = m_root / (taken ? "CC top.txt" : "top again.txt");
        if (taken)
            buildTree(m_root, "CC top.txt"_ba);
        else
            fs::rename(top, stands);
        const auto standing = [&] {
            const QByteArray name = QByteArray::fromStdString(stands.filename().string()) + '|';
            for (const QByteArray &line : treeSnapshot(m_root))
                if (line.startsWith(name))
                    return line;
            return QByteArray();
        };
        const QByteArray meanwhile = standing();
        m_host.answers = {ok};
        // Subfolders go first: sub's rename, then top's mode and rename.
        QCOMPARE(undoNewest(), Undone(ok ? 2 : 3, ok ? 1 : 0));
        QCOMPARE(m_host.failureNumbers(), QList<int>{taken ? EEXIST : ENOENT});
        QCOMPARE(standing(), meanwhile);
        QCOMPARE(fs::exists(m_root / "sub" / "CC a.txt"), ok);

        // What was kept is tried again once the way is clear.
        if (taken)
            fs::remove(stands);
        else
            fs::rename(stands, top);
        QCOMPARE(undoNewest(), Undone(0, ok ? 1 : 2));
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void undoLeavesWhatThePassDidNotTouch_data()
    {
        // What is made to stand where the pass worked, the failure, records left
        QTest::addColumn<SwappedRow>("row");
        QTest::newRow("a subfolder swapped for a link") << SwappedRow{"sub"_ba, ENOTDIR, 2};
        QTest::newRow("the start folder swapped for a link") << SwappedRow{""_ba, ESTALE, 3};
        QTest::newRow("a renamed file replaced by another") << SwappedRow{"a.txt"_ba, ESTALE, 1};
    }
    void undoLeavesWhatThePassDidNotTouch()
    {
        QFETCH(SwappedRow, row);
        const auto &[swapped, failure, left] = row;
        buildTree(m_root, "sub/CC x.txt|sub/CC y.txt|CC a.txt"_ba);
        const fs::path other = m_root.parent_path() / "other";
        buildTree(other, "x.txt|y.txt|a.txt"_ba);
        execute();
        const fs::path at = swapped.isEmpty() ? m_root : m_root / swapped.toStdString();
        const bool file = swapped.endsWith(".txt");
        const fs::path real = at.string() + ".real";
        if (file) {
            // Made before the old one goes, so that it cannot reuse its inode.
            buildTree(m_root, "new.txt"_ba);
            fs::rename(m_root / "new.txt", at);
        } else {
            fs::rename(at, real);
            fs::create_symlink(other, at);
        }
        const QByteArrayList otherBefore = treeSnapshot(other);
        const QByteArrayList realBefore = file ? QByteArrayList() : treeSnapshot(real);

        QCOMPARE(undoNewest().first, left);
        QCOMPARE(m_host.failureNumbers(), QList<int>{failure});
        QCOMPARE(treeSnapshot(other), otherBefore);
        if (file)
            QVERIFY(treeSnapshot(m_root).contains("a.txt|644|new.txt")
                && fs::exists(m_root / "sub" / "CC x.txt"));
        else
            QCOMPARE(treeSnapshot(real), realBefore);
    }
    void journalsThatAreNoRegularFiles_data()
    {
        QTest::addColumn<QString>("fifo");
        QTest::newRow("the newest journal") << u"9999999999999-1-0.journal"_s;
        QTest::newRow("the history's lock") << u"lock"_s;
    }
    void journalsThatAreNoRegularFiles()
    {
        QFETCH(QString, fifo);
        buildTree(m_root, "CC a.txt"_ba);
        QVERIFY(QDir().mkpath(m_history));
        QCOMPARE(::mkfifo(QFile::encodeName(m_history + u'/' + fifo).constData(), 0600), 0);
        QVERIFY(!UndoHistory(m_history).hasUndo());
        // Nothing waits for a writer: with the lock a FIFO the journal
        // cannot be made, and OK goes on without it.
        execute();
        QVERIFY(fs::exists(m_root / "a.txt"));
        // Failures, Undo offered, records left by it, the old name back: in
        // this order.
        QCOMPARE((QList<qsizetype>{m_host.failures.size(), UndoHistory(m_history).hasUndo(),
                     undoNewest().first, fs::exists(m_root / "CC a.txt")}),
            (fifo == u"lock"_s ? QList<qsizetype>{1, 0, -1, 0} : QList<qsizetype>{0, 1, 0, 1}));
    }
    void fullDiskIsAskedAboutOnce_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("syncFails"); // at the tenth record; else the disk fills
        QTest::newRow("full disk, OK goes on without a journal") << true << false;
        QTest::newRow("full disk, Cancel stops") << false << false;
        QTest::newRow("failed sync, OK goes on without a journal") << true << true;
    }
    void fullDiskIsAskedAboutOnce()
    {
        QFETCH(bool, ok);
        QFETCH(bool, syncFails);
        buildTree(m_root, numbered("CC f", 100, 300, ".txt"));
        const QByteArrayList before = treeSnapshot(m_root);
        m_host.answers = {ok};
        QCOMPARE(inChild([&] {
            JournalSyncing syncing;
            if (syncFails) {
                syncing = {1, 0, [](int) {
                               static int calls = 0;
                               errno = EIO;
                               return ++calls == 10 ? -1 : 0;
                           }};
            } else {
                // The file-size limit makes every write past it fail as a
                // full disk would.
                ::signal(SIGXFSZ, SIG_IGN);
                setLimit(RLIMIT_FSIZE, 6000);
            }
            execute(syncing);
            return int(m_host.failures.size());
        }),
            1);
        const auto renamedNow = [&] {
            return std::count_if(before.cbegin(), before.cend(), [&](const QByteArray &line) {
                return !fs::exists(m_root / line.left(line.indexOf('|')).toStdString());
            });
        };
        // The file in hand when the journal failed keeps its name.
        const auto renamedByPass = renamedNow();
        // A record whose sync failed stands for no change: it is gone.
        if (syncFails)
            QCOMPARE(undoNewest(0, false).first, 9);
        const Undone undone = undoNewest();
        QCOMPARE(undone.first, 0);
        QVERIFY(undone.second > 5);
        QCOMPARE(renamedByPass, ok ? 199 : undone.second);
        QCOMPARE(renamedNow(), renamedByPass - undone.second);
        QVERIFY(m_host.failures.isEmpty());
    }
    void windowsShareTheHistory()
    {
        buildTree(m_root,
            numbered("a/CC ", 1, 100, ".txt") + '|' + numbered("b/CC ", 1, 100, ".txt") + '|'
                + numbered("c/CC ", 0, 100, ".txt"));
        const QByteArrayList before = treeSnapshot(m_root);
        const auto passIn = [&](const char *folder) {
            const pid_t child = fork();
            if (child == 0) {
                m_host.settings.startFolder = QString::fromStdString((m_root / folder).string());
                execute();
                ::_exit(0);
            }
            return child;
        };
        // Two passes at once.
        for (const pid_t child : {passIn("a"), passIn("b")})
            QCOMPARE(::waitpid(child, nullptr, 0), child);
        QCOMPARE(journals().size(), 2);

        // A third pass stops after its first rename while both are undone.
        m_host.onRenamed = [&](const RenamedFile &) {
            if (m_host.renamed.size() == 1)
                ::raise(SIGSTOP);
        };
        const pid_t c = passIn("c");
        // A failing check must not leave the pass stopped for ever.
        auto reap = qScopeGuard([c] { ::kill(c, SIGKILL); });
        int status = 0;
        QCOMPARE(::waitpid(c, &status, WUNTRACED), c);
        QVERIFY(WIFSTOPPED(status));
        QCOMPARE(journals().size(), 3);
        QCOMPARE(undoNewest(), Undone(0, 99));
        QCOMPARE(undoNewest(), Undone(0, 99));
        QCOMPARE(undoNewest(), Undone(-1, 0)); // the running pass's is not offered
        QCOMPARE(journals().size(), 1);
        reap.dismiss();
        QCOMPARE(::kill(c, SIGCONT), 0);
        QCOMPARE(::waitpid(c, nullptr, 0), c);

        QCOMPARE(undoNewest(), Undone(0, 100));
        QVERIFY(m_host.failures.isEmpty());
        QCOMPARE(treeSnapshot(m_root), before);
        QVERIFY(journals().isEmpty());
    }
    void passAndUndoReachAnyDepth()
    {
        // A copy tag at every level of a tree 2,000 levels deep: the full
        // paths are far past PATH_MAX, and the descriptors few.
        constexpr int Depth = 2000;
        // The deepest level has no subfolder to go on to.
        int fd = ::open(m_root.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; fd >= 0; ++level) {
            ::close(::openat(fd, "CC a.txt", O_CREAT | O_WRONLY, 0644));
            if (level < Depth)
                ::mkdirat(fd, "level", 0755);
            ::close(std::exchange(fd, ::openat(fd, "level", O_RDONLY | O_DIRECTORY)));
        }

        QCOMPARE(inChild([&] {
            setLimit(RLIMIT_NOFILE, 256);
            m_host.settings.openFolders = folderDescriptorBudget();
            execute();
            if (m_host.renamed.size() != Depth + 1 || !m_host.failures.isEmpty())
                return 1;
            const Undone undone = undoNewest(folderDescriptorBudget());
            return undone == Undone(0, Depth + 1) && m_host.failures.isEmpty() ? 0 : 2;
        }),
            0);
        int levels = 0;
        for (fd = ::open(m_root.c_str(), O_RDONLY | O_DIRECTORY); fd >= 0;) {
            levels += ::faccessat(fd, "CC a.txt", F_OK, AT_SYMLINK_NOFOLLOW) == 0;
            ::close(std::exchange(fd, ::openat(fd, "level", O_RDONLY | O_DIRECTORY)));
        }
        QCOMPARE(levels, Depth + 1);
    }
    void journalKeepsNamesAsBytes()
    {
        const Journal journal{1765116120000,
            {{-1, "/t/\xFF dir", {7, 8, 040755}}, {0, "sub%\t", {7, 9, 040700}}},
            {{JournalRecord::Kind::ReadOnlyCleared, 1, "x\ty\nz", "x\ty\nz", {7, 10, 0100464}},
                {JournalRecord::Kind::Rename, 0, "caf\xE9 %41", "caf\xE9 ok", {7, 11, 0}}}};
        const QString path = m_temp->filePath(u"a.journal"_s);
        QVERIFY(JournalFile::replace(path, journal).ok());
        // A last line that a killed pass left half written is no record.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("R\t0\t7\t12\tpart\tpa");
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Result<Journal> read = JournalFile::read(file.handle(), path);
        QVERIFY(read.ok());
        QCOMPARE(read.value(), journal);
        QCOMPARE(read.value().pathOf(1), "/t/\xFF dir/sub%\t"_ba);
    }
};

QTEST_APPLESS_MAIN(TestUndo)
#include "tst_undo.moc"
