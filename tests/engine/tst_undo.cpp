// A pass with its journal, then Undo, on real temporary folders: the tree
// must come back exactly as it was, whatever stood in the way.
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

class TestUndo final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_temp;
    fs::path m_root;
    QString m_journal;
    LinuxFileSystem m_native;
    RecordingHost m_host;

    // A pass that cleans copy tags, doubled specials and underscores, with
    // its journal at `journalPath`.
    void execute(const QString &journalPath)
    {
        JournalWriter journal(journalPath);
        ExecutionPass(m_native, m_host, m_host.settings, &journal).execute();
    }
    QList<JournalRecord> journal() const
    {
        const Result<QList<JournalRecord>> read = JournalFile::read(m_journal);
        return read.ok() ? read.value() : QList<JournalRecord>{};
    }
    // Undo of `records`: what it could not take back, and the renames it did.
    using Undone = std::pair<QList<JournalRecord>, qint32>;
    Undone undo(const QList<JournalRecord> &records)
    {
        UndoPass undo(m_native, m_host);
        const QList<JournalRecord> left = undo.run(records);
        return {left, undo.summary().filesFixed};
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_temp.emplace().isValid());
        m_root = fs::path(m_temp->path().toStdString()) / "tree";
        fs::create_directory(m_root);
        m_journal = m_temp->filePath(u"journal/last-execution.journal"_s);
        m_host = RecordingHost();
        m_host.settings.startFolder = QString::fromStdString(m_root.string());
        m_host.settings.rules.copy = true;
        m_host.settings.rules.multSpecial = true;
        m_host.settings.rules.underline = true;
        m_host.settings.limit = 100000;
    }
    void cleanup() { fs::remove_all(m_root); } // Qt cannot remove names that are not text

    void undoGivesBackTheTreeBefore_data()
    {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<int>("renames");

        QByteArrayList many;
        for (int i = 0; i < 10000; ++i)
            many.append("CC file " + QByteArray::number(i % 5000) + (i < 5000 ? ".a" : "__.a"));
        // clang-format off
        QTest::newRow("numbered collisions") << "Song.mp3|CC Song.mp3|ZZ Song.mp3|Song1.mp3|CC Song1.mp3"_ba << 3;
        QTest::newRow("read-only files with the override on") << "CC locked.txt*|clean.txt*|CC open.txt"_ba << 2;
        QTest::newRow("names that are not text beside others") << "CC caf\xE9.txt|d\xFF/CC x.txt|CC fine__name.txt"_ba << 1;
        QTest::newRow("a refused rename leaves no record") << "Song.mp3/|CC Song.mp3|CC x.txt"_ba << 1;
        QTest::newRow("subfolders, first renamed to what a later file was") << "a/CC b.txt|a/b.txt|a--b.txt|a-b.txt"_ba << 2;
        QTest::newRow("ten thousand files") << many.join('|') << 10000;
        // clang-format on
    }
    void undoGivesBackTheTreeBefore()
    {
        QFETCH(QByteArray, layout);
        QFETCH(int, renames);

        buildTree(m_root, layout);
        const QByteArrayList before = treeSnapshot(m_root);
        execute(m_journal);
        QCOMPARE(m_host.renamed.size(), renames);

        QCOMPARE(undo(journal()), Undone({}, renames));
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
        QByteArray layout = "sub/CC deep.txt|CC locked.txt*";
        for (int i = 0; i < 20; ++i)
            layout += "|CC f" + QByteArray::number(i) + ".txt";
        buildTree(m_root, layout);
        const QByteArrayList before = treeSnapshot(m_root);

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            m_host.onRenamed = [left = killAfter](const RenamedFile &) mutable {
                if (--left == 0)
                    ::kill(::getpid(), SIGKILL);
            };
            execute(m_journal);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY(treeSnapshot(m_root) != before);

        QCOMPARE(undo(journal()), Undone({}, killAfter));
        QVERIFY(m_host.failures.isEmpty());
        QCOMPARE(treeSnapshot(m_root), before);
    }
    void recordOfARenameThatNeverHappened()
    {
        // Killed between writing the last record and renaming.
        buildTree(m_root, "CC a.txt|b.txt"_ba);
        const QByteArray folder = QByteArray::fromStdString(m_root.string());
        const QList<JournalRecord> records{
            {JournalRecord::Kind::Rename, folder, "CC b.txt", "b.txt"},
            {JournalRecord::Kind::Rename, folder, "CC a.txt", "a.txt"}};
        QCOMPARE(undo(records), Undone({}, 1));
        QVERIFY(m_host.failures.isEmpty());
        QVERIFY(fs::exists(m_root / "CC a.txt") && fs::exists(m_root / "CC b.txt"));
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
        execute(m_journal);
        // Subfolders go first: sub's rename, then top's read-only bit and rename.
        const QList<JournalRecord> records = journal();
        QCOMPARE(records.size(), 3);

        const fs::path top = m_root / "top.txt";
        const fs::path stands = m_root / (taken ? "CC top.txt" : "top again.txt");
        if (taken)
            buildTree(m_root, "CC top.txt"_ba);
        else
            fs::rename(top, stands);
        // Its content and mode, as they must stay.
        const auto standing = [&] {
            const QByteArray name = QByteArray::fromStdString(stands.filename().string()) + '|';
            for (const QByteArray &line : treeSnapshot(m_root))
                if (line.startsWith(name))
                    return line;
            return QByteArray();
        };
        const QByteArray meanwhile = standing();
        m_host.answers = {ok};
        QCOMPARE(undo(records), Undone(ok ? records.mid(1) : records, ok ? 1 : 0));
        QCOMPARE(m_host.failureNumbers(), QList<int>{taken ? EEXIST : ENOENT});
        QCOMPARE(standing(), meanwhile);
        QCOMPARE(fs::exists(m_root / "sub" / "CC a.txt"), ok);

        // What was kept is tried again once the way is clear.
        if (taken)
            fs::remove(stands);
        else
            fs::rename(stands, top);
        QCOMPARE(undo(ok ? records.mid(1) : records), Undone({}, ok ? 1 : 2));
        QCOMPARE(treeSnapshot(m_root), before);
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
        buildTree(m_root, "CC a.txt|blocker"_ba);
        // Its folder would have to be made where a file stands.
        const QString path = QString::fromStdString((m_root / "blocker" / "journal").string());
        m_host.answers = {ok};
        execute(path);

        QCOMPARE(m_host.failures.size(), 1);
        QVERIFY(m_host.failures[0].description.contains(path));
        QCOMPARE(fs::exists(m_root / "a.txt"), ok);
        QCOMPARE(m_host.events.isEmpty(), !ok);
    }
    void journalKeepsNamesAsBytesAndGoesWhenEmpty()
    {
        const QList<JournalRecord> records{
            {JournalRecord::Kind::ReadOnlyCleared, "/t/\xFF dir", "x\ty\nz", "x\ty\nz"},
            {JournalRecord::Kind::Rename, "/t/\xFF dir", "caf\xE9 %41", "caf\xE9 ok"}};
        QVERIFY(JournalFile::replace(m_journal, records).ok());
        QCOMPARE(journal(), records);
        // A last line that a killed pass left half written is no record.
        QFile file(m_journal);
        QVERIFY(file.open(QIODevice::Append));
        file.write("R\t%2Ft\tpart\tpa");
        file.close();
        QCOMPARE(journal(), records);

        // A pass that changes nothing leaves no journal, not the one before.
        buildTree(m_root, "clean.txt"_ba);
        execute(m_journal);
        QVERIFY(!JournalFile::exists(m_journal));
        QVERIFY(JournalFile::replace(m_journal, records).ok());
        QVERIFY(JournalFile::replace(m_journal, {}).ok());
        QVERIFY(!JournalFile::exists(m_journal));
    }
};

QTEST_APPLESS_MAIN(TestUndo)
#include "tst_undo.moc"
