// A pass with its journal, then Undo, on real temporary folders: the tree
// must come back exactly as it was, whatever stood in the way.
#include "enginetexts.h"
#include "executionpass.h"
#include "journal.h"
#include "linuxfilesystem.h"
#include "recordinghost.h"
#include "treesnapshot.h"
#include "undopass.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

// Files from "name" entries joined by "|"; "*" after a name makes it
// read-only, a name ending in "/" is a folder.
void build(const fs::path &root, const QByteArray &layout)
{
    for (QByteArray name : layout.split('|')) {
        const bool readOnly = name.endsWith('*');
        if (readOnly)
            name.chop(1);
        const fs::path at = root / name.toStdString();
        if (name.endsWith('/')) {
            fs::create_directories(at);
            continue;
        }
        std::ofstream(at, std::ios::binary) << name.constData();
        fs::permissions(at, fs::perms(readOnly ? 0444 : 0640));
    }
}

// A host that cleans copy tags, doubled specials and underscores.
struct Host final
{
    RecordingHost host;
    explicit Host(const fs::path &root)
    {
        host.folder = QString::fromStdString(root.string());
        host.rules.copy = true;
        host.rules.multSpecial = true;
        host.rules.underline = true;
        host.limit = u"100000"_s;
    }
};

QList<JournalRecord> journalAt(const QString &path)
{
    const Result<QList<JournalRecord>> read = JournalFile::read(path);
    return read.ok() ? read.value() : QList<JournalRecord>{};
}

} // namespace

class TestUndo final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_temp;
    fs::path m_root;
    QString m_journal;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_temp.emplace().isValid());
        m_root = fs::path(m_temp->path().toStdString()) / "tree";
        fs::create_directory(m_root);
        m_journal = m_temp->filePath(u"journal/last-execution.journal"_s);
    }
    void cleanup()
    {
        fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_root); // Qt cannot remove names that are not text
    }

    void undoGivesBackTheTreeBefore_data()
    {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<int>("renames");
        // clang-format off
        QTest::newRow("numbered collisions") << "Song.mp3|CC Song.mp3|ZZ Song.mp3|Song1.mp3|CC Song1.mp3"_ba << 3;
        QTest::newRow("read-only files with the override on") << "CC locked.txt*|clean.txt*|CC open.txt"_ba << 2;
        QTest::newRow("names that are not text beside others") << "CC caf\xE9.txt|d\xFF/|d\xFF/CC x.txt|CC fine__name.txt"_ba << 1;
        QTest::newRow("a refused rename leaves no record") << "Song.mp3/|CC Song.mp3|CC x.txt"_ba << 1;
        QTest::newRow("subfolders, first renamed to what a later file was") << "a/|a/CC b.txt|a/b.txt|a--b.txt|a-b.txt"_ba << 2;
        // clang-format on
    }
    void undoGivesBackTheTreeBefore()
    {
        QFETCH(QByteArray, layout);
        QFETCH(int, renames);

        build(m_root, layout);
        const QByteArrayList before = treeSnapshot(m_root);
        Host h(m_root);
        LinuxFileSystem native;
        JournalWriter journal(m_journal);
        ExecutionPass(native, h.host, &journal).execute();
        QCOMPARE(h.host.renamed.size(), renames);
        QVERIFY(treeSnapshot(m_root) != before);

        const QList<JournalRecord> records = journalAt(m_journal);
        UndoPass undo(native, h.host);
        const QList<JournalRecord> left = undo.run(records);
        QVERIFY(left.isEmpty());
        QCOMPARE(undo.gCurCnt, renames);
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void undoOfTenThousandFiles()
    {
        for (int i = 0; i < 10000; ++i)
            std::ofstream(m_root / ("CC file " + std::to_string(i % 5000) + (i < 5000 ? ".a" : "__.a")));
        const QByteArrayList before = treeSnapshot(m_root);
        Host h(m_root);
        LinuxFileSystem native;
        JournalWriter journal(m_journal);
        ExecutionPass(native, h.host, &journal).execute();
        QCOMPARE(h.host.renamed.size(), 10000);

        UndoPass undo(native, h.host);
        QVERIFY(undo.run(journalAt(m_journal)).isEmpty());
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void passKilledMidwayIsUndone_data()
    {
        QTest::addColumn<int>("killAfter"); // renames before SIGKILL
        QTest::newRow("after the first rename") << 1;
        QTest::newRow("after a few") << 7;
    }
    void passKilledMidwayIsUndone()
    {
        QFETCH(int, killAfter);
        QByteArray layout = "sub/|sub/CC deep.txt|CC locked.txt*";
        for (int i = 0; i < 20; ++i)
            layout += "|CC f" + QByteArray::number(i) + ".txt";
        build(m_root, layout);
        const QByteArrayList before = treeSnapshot(m_root);

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // The child dies by SIGKILL in the middle of its pass.
            RecordingHost killer;
            int left = killAfter;
            killer.onRenamed = [&](const RenamedFile &) {
                if (--left == 0)
                    ::kill(::getpid(), SIGKILL);
            };
            killer.folder = QString::fromStdString(m_root.string());
            killer.rules.copy = true;
            LinuxFileSystem native;
            JournalWriter journal(m_journal);
            ExecutionPass(native, killer, &journal).execute();
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY(treeSnapshot(m_root) != before);

        Host h(m_root);
        LinuxFileSystem native;
        UndoPass undo(native, h.host);
        QVERIFY(undo.run(journalAt(m_journal)).isEmpty());
        QVERIFY(h.host.failures.isEmpty());
        QCOMPARE(undo.gCurCnt, killAfter);
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void recordOfARenameThatNeverHappened()
    {
        // Killed between writing the record and renaming.
        build(m_root, "CC a.txt|b.txt"_ba);
        const QByteArray folder = QByteArray::fromStdString(m_root.string());
        QVERIFY(JournalFile::replace(m_journal,
            {{JournalRecord::Kind::Rename, folder, "CC b.txt", "b.txt"},
                {JournalRecord::Kind::Rename, folder, "CC a.txt", "a.txt"}})
                .ok());
        Host h(m_root);
        LinuxFileSystem native;
        UndoPass undo(native, h.host);
        QVERIFY(undo.run(journalAt(m_journal)).isEmpty());
        QVERIFY(h.host.failures.isEmpty());
        QCOMPARE(undo.gCurCnt, 1);
        QVERIFY(fs::exists(m_root / "CC a.txt") && fs::exists(m_root / "CC b.txt"));
    }
    void undoNeverOverwrites_data()
    {
        QTest::addColumn<bool>("ok"); // the answer to the error dialog
        QTest::newRow("OK skips the record") << true;
        QTest::newRow("Cancel stops") << false;
    }
    void undoNeverOverwrites()
    {
        QFETCH(bool, ok);
        build(m_root, "CC a.txt*|CC b.txt|CC c.txt"_ba);
        Host h(m_root);
        LinuxFileSystem native;
        JournalWriter journal(m_journal);
        ExecutionPass(native, h.host, &journal).execute();
        const QList<JournalRecord> records = journalAt(m_journal);
        QCOMPARE(records.size(), 4); // a's read-only bit, then three renames

        // Another file takes the old name of b meanwhile; c's is renamed again.
        std::ofstream(m_root / "CC b.txt") << "newcomer";
        fs::rename(m_root / "c.txt", m_root / "c again.txt");
        h.host.answers = {ok, ok};
        UndoPass undo(native, h.host);
        const QList<JournalRecord> left = undo.run(records);

        std::ifstream newcomer(m_root / "CC b.txt");
        QCOMPARE(QByteArray::fromStdString({std::istreambuf_iterator<char>(newcomer), {}}),
            "newcomer"_ba);
        QVERIFY(fs::exists(m_root / "b.txt"));
        QVERIFY(fs::exists(m_root / "c again.txt"));

        // The files come in the system's order; the last change is taken back first.
        const auto renameOf = [&](const QByteArray &old) {
            return records.indexOf(JournalRecord{JournalRecord::Kind::Rename,
                QByteArray::fromStdString(m_root.string()), old, old.mid(3)});
        };
        const qsizetype b = renameOf("CC b.txt");
        const qsizetype c = renameOf("CC c.txt");
        const qsizetype a = renameOf("CC a.txt");
        QVERIFY(a >= 0 && b >= 0 && c >= 0);
        const qsizetype first = std::max(b, c);
        QCOMPARE(h.host.failures[0].number, first == c ? ENOENT : EEXIST);
        if (ok) {
            QCOMPARE(h.host.failures.size(), 2);
            QCOMPARE(left, (QList<JournalRecord>{records[std::min(b, c)], records[first]}));
            QVERIFY(fs::exists(m_root / "CC a.txt"));
            QCOMPARE(fs::status(m_root / "CC a.txt").permissions() & fs::perms::owner_write,
                fs::perms::none);
        } else {
            QCOMPARE(h.host.failures.size(), 1);
            QCOMPARE(left, records.mid(0, first + 1));
            QCOMPARE(fs::exists(m_root / "CC a.txt"), a > first);
        }

        // What was kept is tried again once the way is clear.
        fs::remove(m_root / "CC b.txt");
        fs::rename(m_root / "c again.txt", m_root / "c.txt");
        h.host.failures.clear();
        QVERIFY(UndoPass(native, h.host).run(left).isEmpty());
        QVERIFY(h.host.failures.isEmpty());
        QVERIFY(fs::exists(m_root / "CC b.txt") && fs::exists(m_root / "CC c.txt"));
    }
    void journalThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK goes on without undo") << true;
        QTest::newRow("Cancel starts nothing") << false;
    }
    void journalThatCannotBeWritten()
    {
        QFETCH(bool, ok);
        build(m_root, "CC a.txt|blocker"_ba);
        // Its folder would have to be made where a file stands.
        const QString path = QString::fromStdString((m_root / "blocker" / "journal").string());
        Host h(m_root);
        h.host.answers = {ok};
        LinuxFileSystem native;
        JournalWriter journal(path);
        ExecutionPass(native, h.host, &journal).execute();

        QCOMPARE(h.host.failures.size(), 1);
        QVERIFY(h.host.failures[0].description.contains(path));
        QCOMPARE(fs::exists(m_root / "a.txt"), ok);
        QCOMPARE(h.host.busyChanges.isEmpty(), !ok);
    }
    void journalKeepsNamesAsBytes()
    {
        const QList<JournalRecord> records{
            {JournalRecord::Kind::ReadOnlyCleared, "/t/\xFF dir", "x\ty\nz", "x\ty\nz"},
            {JournalRecord::Kind::Rename, "/t/\xFF dir", "caf\xE9 %41", "caf\xE9 ok"}};
        QVERIFY(JournalFile::replace(m_journal, records).ok());
        QCOMPARE(journalAt(m_journal), records);
        // A last line that a killed pass left half written is no record.
        QFile file(m_journal);
        QVERIFY(file.open(QIODevice::Append));
        file.write("R\t%2Ft\tpart");
        file.close();
        QCOMPARE(journalAt(m_journal), records);
        QVERIFY(JournalFile::replace(m_journal, {}).ok());
        QVERIFY(!JournalFile::exists(m_journal));
    }
    void passThatChangesNothingLeavesNoJournal()
    {
        build(m_root, "clean.txt"_ba);
        QVERIFY(JournalFile::replace(m_journal, {{JournalRecord::Kind::Rename, "/x", "a", "b"}}).ok());
        Host h(m_root);
        LinuxFileSystem native;
        JournalWriter journal(m_journal);
        ExecutionPass(native, h.host, &journal).execute();
        QVERIFY(!JournalFile::exists(m_journal));
    }
};

QTEST_APPLESS_MAIN(TestUndo)
#include "tst_undo.moc"
