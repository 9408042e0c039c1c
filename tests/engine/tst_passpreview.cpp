// A preview is the pass over a layer that changes nothing: what it lists must
// be exactly what Execute then does, and the disk must not notice it.
#include "executionpass.h"
#include "fakefilesystem.h"
#include "linuxfilesystem.h"
#include "passpreview.h"
#include "previewfilesystem.h"
#include "recordinghost.h"
#include "treesnapshot.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <functional>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

using PreviewCase = std::tuple<QByteArray, double, double, bool, bool, int, int>;

QString line(const QString &folder, const QString &name, const QString &newName, bool numbered,
    bool readOnly)
{
    return u"%1|%2>%3 %4%5"_s.arg(folder, name, newName).arg(numbered).arg(readOnly);
}

} // namespace

class TestPassPreview final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void previewIsWhatExecuteDoes_data()
    {
        // The tree, the maximum length, the limit, subfolders included,
        // read-only overridden, failures, read-only files that lose only the bit
        QTest::addColumn<PreviewCase>("row");

        const QByteArray tree
            = "sub/x--1.txt|sub/x-1.txt|sub/deep/y--.txt|a--1.txt|b--2.txt|c--3.txt"_ba;
        const QByteArray locked = "r--1.txt*|clean.txt*|w--.txt"_ba;
        // clang-format off
        QTest::newRow("collisions numbered") << PreviewCase{"Song.mp3|Song--.mp3|Song---.mp3|Song1.mp3|a--b.txt|a-b1.txt|a--b.txt.bak"_ba, 60.0, 1000.0, true, true, 0, 0};
        QTest::newRow("limit reached in the middle of a folder") << PreviewCase{tree, 60.0, 2.0, true, true, 0, 0};
        QTest::newRow("subfolders left out") << PreviewCase{tree, 60.0, 1000.0, false, true, 0, 0};
        QTest::newRow("read-only files cleared") << PreviewCase{locked, 60.0, 1000.0, true, true, 0, 1};
        QTest::newRow("read-only files left alone") << PreviewCase{locked, 60.0, 1000.0, true, false, 0, 0};
        QTest::newRow("failures: cut below zero, cleaned to nothing, taken by a folder, not text") << PreviewCase{"x--.verylongextension|--|b/|b--|c--\xFF"_ba, 12.0, 1000.0, true, true, 4, 0};
        QTest::newRow("maximum length zero") << PreviewCase{"a--.txt"_ba, 0.0, 1000.0, true, true, 0, 0};
        // clang-format on
    }
    void previewIsWhatExecuteDoes()
    {
        QFETCH(PreviewCase, row);
        const auto &[layout, maxLength, limit, subfolders, readOnly, failures, keptReadOnly] = row;

        QTemporaryDir temp;
        const fs::path root = fs::path(temp.path().toStdString()) / "tree";
        buildTree(root, layout);
        RecordingHost host;
        PassSettings &settings = host.settings;
        settings.startFolder = QString::fromStdString(root.string());
        settings.rules.multSpecial = true;
        settings.rules.ending = true;
        settings.rules.maxLength = maxLength;
        settings.limit = limit;
        settings.includeSubfolders = subfolders;
        settings.overrideReadOnly = readOnly;
        LinuxFileSystem native;
        // Qt cannot remove names that are not text.
        executeMatchesPreview(
            native, host, [&] { return treeSnapshot(root); }, [&] { fs::remove_all(root); },
            failures, keptReadOnly);
    }

    // Where the file system ignores case, a cleaned name that differs in
    // case alone from a name held (or freed) by the pass is taken (or free)
    // in Preview as on disk.
    void previewIsWhatExecuteDoesWhereCaseIsIgnored_data()
    {
        QTest::addColumn<QByteArrayList>("names");
        QTest::addColumn<QByteArray>("after");
        // clang-format off
        QTest::newRow("renamed to a case variant of a name the pass took") << QByteArrayList{"CC song.mp3", "ZZ Song.mp3"} << "song.mp3 Song1.mp3"_ba;
        QTest::newRow("renamed to a case variant of a name the pass freed") << QByteArrayList{"zz b.txt", "CC ZZ b.txt"} << "b.txt ZZ b.txt"_ba;
        // clang-format on
    }
    void previewIsWhatExecuteDoesWhereCaseIsIgnored()
    {
        QFETCH(QByteArrayList, names);
        QFETCH(QByteArray, after);
        FakeFileSystem fake(true);
        for (const QByteArray &name : std::as_const(names))
            fake.addFile("/r/" + name);
        RecordingHost host;
        host.settings.rules.copy = true;

        executeMatchesPreview(
            fake, host, [&] { return QByteArrayList{fake.fileNames("/r")}; }, [] {}, 0, 0);
        QCOMPARE(fake.fileNames("/r"), after);
    }

    // A name freed earlier is free, one taken earlier is taken, and the disk
    // never notices.
    void previewFolderFollowsItsRenames()
    {
        FakeFileSystem fake(false);
        for (const char *name : {"/r/a", "/r/b", "/r/d"})
            fake.addFile(name);
        PreviewFileSystem preview(fake);
        const FolderPtr folder = preview.openFolder(u"/r"_s).value();

        QVERIFY(folder->rename("a", "c").ok());
        QVERIFY(folder->rename("b", "a").ok());
        QVERIFY(!folder->rename("d", "c").ok());
        QCOMPARE(folder->fileExists("a").value() && folder->fileExists("c").value(), true);
        QCOMPARE(folder->fileExists("b").value(), false);
        QCOMPARE(folder->fileExists("d").value(), true);
        QCOMPARE(fake.fileNames("/r"), "a b d"_ba);
    }

private:
    static void executeMatchesPreview(FileSystem &fileSystem, RecordingHost &host,
        const std::function<QByteArrayList()> &snapshot, const std::function<void()> &cleanUp,
        int failures, int keptReadOnly)
    {
        const PassSettings &settings = host.settings;
        const QByteArrayList before = snapshot();
        const Preview preview = previewPass(fileSystem, settings, &host);
        QCOMPARE(snapshot(), before);
        QVERIFY(host.failures.isEmpty() && host.renamed.isEmpty());
        const qint32 readInPreview = host.lastRead;

        const PassSummary summary = ExecutionPass(fileSystem, host, settings).execute();
        cleanUp();
        QStringList listed, asked, done, failed;
        for (const PreviewRow &row : preview.rows) {
            if (row.failure.isEmpty())
                listed.append(line(row.folder, row.name, row.newName, row.numbered, row.readOnly));
            else
                asked.append(row.failure);
        }
        // Read-only files that keep their names are listed too.
        for (const RenamedFile &file : host.renamed + host.keptReadOnlyCleared) {
            const QString folder = file.folder == settings.startFolder
                ? QString()
                : file.folder.mid(settings.startFolder.size() + 1);
            done.append(
                line(folder, file.oldName, file.newName, file.numbered, file.readOnlyCleared));
        }
        listed.sort();
        done.sort();
        QCOMPARE(listed, done);
        for (const Failure &failure : std::as_const(host.failures))
            failed.append(failure.description);
        QCOMPARE(asked, failed);
        // Read-only files kept (as done, and as the table says), failures, files
        // read (in the preview's own count and as it told the host), files renamed.
        QCOMPARE((QList<qsizetype>{preview.readOnlyCleared, preview.readOnlyCleared, asked.size(),
                     preview.read, readInPreview, preview.renamed}),
            (QList<qsizetype>{host.keptReadOnlyCleared.size(), keptReadOnly, failures,
                summary.filesRead, summary.filesRead, host.renamed.size()}));
        QCOMPARE(preview.inputError, settings.refusal().value_or(QString()));
    }
};

QTEST_APPLESS_MAIN(TestPassPreview)
#include "tst_passpreview.moc"
