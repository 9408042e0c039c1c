// A preview is the pass over a layer that changes nothing: what it lists must
// be exactly what Execute then does, and the disk must not notice it.
#include "executionpass.h"
#include "linuxfilesystem.h"
#include "passpreview.h"
#include "recordinghost.h"
#include "treesnapshot.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

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
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<double>("maxLength");
        QTest::addColumn<double>("limit");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("failures");

        const QByteArray tree
            = "sub/x--1.txt|sub/x-1.txt|sub/deep/y--.txt|a--1.txt|b--2.txt|c--3.txt"_ba;
        const QByteArray locked = "r--1.txt*|clean.txt*|w--.txt"_ba;
        // clang-format off
        QTest::newRow("collisions numbered") << "Song.mp3|Song--.mp3|Song---.mp3|Song1.mp3|a--b.txt|a-b1.txt|a--b.txt.bak"_ba << 60.0 << 1000.0 << true << true << 0;
        QTest::newRow("limit reached in the middle of a folder") << tree << 60.0 << 2.0 << true << true << 0;
        QTest::newRow("subfolders left out") << tree << 60.0 << 1000.0 << false << true << 0;
        QTest::newRow("read-only files cleared") << locked << 60.0 << 1000.0 << true << true << 0;
        QTest::newRow("read-only files left alone") << locked << 60.0 << 1000.0 << true << false << 0;
        QTest::newRow("failures: cut below zero, cleaned to nothing, taken by a folder, not text") << "x--.verylongextension|--|b/|b--|c--\xFF"_ba << 12.0 << 1000.0 << true << true << 4;
        QTest::newRow("maximum length zero") << "a--.txt"_ba << 0.0 << 1000.0 << true << true << 0;
        // clang-format on
    }
    void previewIsWhatExecuteDoes()
    {
        QFETCH(QByteArray, layout);
        QFETCH(double, maxLength);
        QFETCH(double, limit);
        QFETCH(bool, subfolders);
        QFETCH(bool, readOnly);
        QFETCH(int, failures);

        QTemporaryDir temp;
        const fs::path root = fs::path(temp.path().toStdString()) / "tree";
        buildTree(root, layout);
        const QByteArrayList before = treeSnapshot(root);
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

        const Preview preview = previewPass(native, settings, &host);
        QCOMPARE(treeSnapshot(root), before);
        QVERIFY(host.failures.isEmpty() && host.renamed.isEmpty());
        const qint32 readInPreview = host.lastRead;

        const PassSummary summary = ExecutionPass(native, host, settings).execute();
        fs::remove_all(root); // Qt cannot remove names that are not text
        QStringList listed;
        QStringList asked;
        for (const PreviewRow &row : preview.rows) {
            if (row.failure.isEmpty())
                listed.append(line(row.folder, row.name, row.newName, row.numbered, row.readOnly));
            else
                asked.append(row.failure);
        }
        QStringList done;
        for (const RenamedFile &file : std::as_const(host.renamed)) {
            const QString folder = file.folder == settings.startFolder
                ? QString()
                : file.folder.mid(settings.startFolder.size() + 1);
            done.append(
                line(folder, file.oldName, file.newName, file.numbered, file.readOnlyCleared));
        }
        // Read-only files that keep their names are listed too.
        for (const QString &path : std::as_const(host.keptReadOnlyCleared)) {
            const QString relative = path.mid(settings.startFolder.size() + 1);
            const qsizetype slash = relative.lastIndexOf(u'/');
            done.append(line(relative.left(std::max<qsizetype>(slash, 0)), relative.mid(slash + 1),
                QString(), false, true));
        }
        listed.sort();
        done.sort();
        QCOMPARE(listed, done);
        QCOMPARE(preview.readOnlyCleared, host.keptReadOnlyCleared.size());
        QStringList failed;
        for (const Failure &failure : std::as_const(host.failures))
            failed.append(failure.description);
        QCOMPARE(asked, failed);
        QCOMPARE(asked.size(), failures);
        QCOMPARE(preview.read, summary.filesRead);
        QCOMPARE(readInPreview, summary.filesRead);
        QCOMPARE(preview.renamed, host.renamed.size());
        QCOMPARE(preview.inputError, settings.refusal().value_or(QString()));
    }
};

QTEST_APPLESS_MAIN(TestPassPreview)
#include "tst_passpreview.moc"
