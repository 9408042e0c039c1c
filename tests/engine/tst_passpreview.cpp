// A preview is the pass over a layer that changes nothing: what it lists must
// be exactly what Execute then does, and the disk must not notice it.
#include "enginetexts.h"
#include "executionpass.h"
#include "fakefilesystem.h"
#include "linuxfilesystem.h"
#include "passpreview.h"
#include "recordinghost.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>

using namespace Qt::StringLiterals;
using Op = FakeFileSystem::Op;
namespace fs = std::filesystem;

namespace {

// "folder|name>new name|note" per row.
QStringList previewLines(const Preview &preview)
{
    QStringList lines;
    for (const PreviewRow &row : preview.rows) {
        if (!row.failure.isEmpty()) {
            lines.append(u"failure: "_s + row.failure);
            continue;
        }
        QString note = row.numbered ? u"|numbered"_s : QString();
        if (row.readOnly)
            note += u"|read-only"_s;
        lines.append(row.folder + u'|' + row.name + u'>' + row.newName + note);
    }
    return lines;
}

QStringList passLines(const RecordingHost &host, const QString &start)
{
    QStringList lines;
    for (const RenamedFile &file : host.renamed) {
        const QString folder = file.folder == start ? QString() : file.folder.mid(start.size() + 1);
        QString note = file.numbered ? u"|numbered"_s : QString();
        if (file.readOnlyCleared)
            note += u"|read-only"_s;
        lines.append(folder + u'|' + file.oldName + u'>' + file.newName + note);
    }
    for (const Failure &failure : host.failures)
        lines.append(u"failure: "_s + failure.description);
    return lines;
}

QStringList renamesOnly(QStringList lines)
{
    lines.removeIf([](const QString &line) { return line.startsWith(u"failure: "_s); });
    return lines;
}

} // namespace

class TestPassPreview final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void previewIsWhatExecuteDoes_data()
    {
        QTest::addColumn<QStringList>("files"); // under /r; a trailing "*" marks read-only
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("maxLength");
        QTest::addColumn<int>("failures");

        const QStringList collisions{u"Song.mp3"_s, u"Song--.mp3"_s, u"Song---.mp3"_s,
            u"Song1.mp3"_s, u"a--b.txt"_s, u"a-b1.txt"_s, u"a--b.txt.bak"_s};
        const QStringList tree{u"sub/x--1.txt"_s, u"sub/x-1.txt"_s, u"sub/deep/y--.txt"_s,
            u"a--1.txt"_s, u"b--2.txt"_s, u"c--3.txt"_s, u"d--4.txt"_s};
        // clang-format off
        QTest::newRow("collisions numbered") << collisions << u"1000"_s << true << true << u"60"_s << 0;
        QTest::newRow("limit reached in the middle of a folder") << tree << u"2"_s << true << true << u"60"_s << 0;
        QTest::newRow("subfolders left out") << tree << u"1000"_s << false << true << u"60"_s << 0;
        QTest::newRow("read-only files cleared") << QStringList{u"r--1.txt*"_s, u"clean.txt*"_s, u"w--.txt"_s} << u"1000"_s << true << true << u"60"_s << 0;
        QTest::newRow("read-only files left alone") << QStringList{u"r--1.txt*"_s, u"clean.txt*"_s, u"w--.txt"_s} << u"1000"_s << true << false << u"60"_s << 0;
        QTest::newRow("cut below zero and a name cleaned to nothing") << QStringList{u"x--.verylongextension"_s, u"--"_s, u"ok--.txt"_s} << u"1000"_s << true << true << u"12"_s << 2;
        // clang-format on
    }
    void previewIsWhatExecuteDoes()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, limit);
        QFETCH(bool, subfolders);
        QFETCH(bool, readOnly);
        QFETCH(QString, maxLength);
        QFETCH(int, failures);

        FakeFileSystem fake;
        fake.addFolder(u"/r"_s);
        for (QString file : files) {
            const bool ro = file.endsWith(u'*');
            file.remove(u'*');
            fake.addFile(u"/r/"_s + file, ro ? quint32(FileAttribute::ReadOnly) : 0u);
        }
        RecordingHost host;
        host.rules.multSpecial = true;
        host.rules.ending = true;
        host.limit = limit;
        host.subfolders = subfolders;
        host.readOnly = readOnly;
        host.maxLength = maxLength;

        const Preview preview = previewPass(fake, host);
        // Nothing was renamed or changed on the way.
        for (const QString &line : fake.log())
            QVERIFY2(!line.startsWith(u"rename"_s) && !line.startsWith(u"set attributes"_s),
                qPrintable(line));
        QVERIFY(host.failures.isEmpty());
        QVERIFY(host.panelWrites.isEmpty());

        ExecutionPass pass(fake, host);
        pass.execute();
        const QStringList done = passLines(host, u"/r"_s);
        QCOMPARE(renamesOnly(previewLines(preview)), renamesOnly(done));
        QCOMPARE(previewLines(preview).size() - renamesOnly(previewLines(preview)).size(), failures);
        QCOMPARE(host.failures.size(), failures);
        QCOMPARE(preview.read, pass.gTryCnt);
        QCOMPARE(preview.renamed, host.renamed.size());
    }
    void previewReportsWhatExecuteWouldAsk()
    {
        FakeFileSystem fake;
        fake.addFile(u"/r/locked/a--.txt"_s);
        fake.addFile(u"/r/b\\xFF--.txt"_s, 0, false);
        fake.failOn(Op::Open, u"/r/locked"_s, EACCES);
        RecordingHost host;
        host.rules.multSpecial = true;

        const Preview preview = previewPass(fake, host);
        QCOMPARE(previewLines(preview),
            (QStringList{u"failure: Cannot open /r/locked: injected failure"_s,
                u"failure: "_s + EngineTexts::fileNameNotText(u"/r/b\\xFF--.txt"_s)}));
        QCOMPARE(preview.renamed, 0);
    }
    void previewOfARefusedMaximumLength()
    {
        FakeFileSystem fake;
        fake.addFile(u"/r/a--.txt"_s);
        RecordingHost host;
        host.maxLength = u"abc"_s;
        const Preview preview = previewPass(fake, host);
        QCOMPARE(preview.inputError, EngineTexts::maxLengthRange());
        QVERIFY(preview.rows.isEmpty());
        QVERIFY(host.inputErrors.isEmpty());
    }
    void previewChangesNothingOnDisk()
    {
        QTemporaryDir temp;
        const fs::path root = fs::path(temp.path().toStdString());
        fs::create_directory(root / "sub");
        for (const char *name : {"CC a.txt", "a.txt", "sub/ZZ b.txt", "sub/CC b.txt"})
            std::ofstream(root / name) << name;
        fs::permissions(root / "CC a.txt", fs::perms(0444));
        const auto snapshot = [&] {
            QStringList entries;
            for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root))
                entries.append(QString::fromStdString(entry.path().string())
                    + u' ' + QString::number(int(entry.status().permissions())));
            entries.sort();
            return entries;
        };
        const QStringList before = snapshot();

        RecordingHost host;
        host.folder = temp.path();
        host.rules.copy = true;
        LinuxFileSystem native;
        const Preview preview = previewPass(native, host);
        QCOMPARE(snapshot(), before);

        ExecutionPass(native, host).execute();
        QCOMPARE(previewLines(preview), passLines(host, temp.path()));
        // The two in "sub" take b.txt and b1.txt in the system's listing order.
        QStringList lines = previewLines(preview);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.takeLast(), u"|CC a.txt>a1.txt|numbered|read-only"_s);
        QVERIFY(lines[0].endsWith(u">b.txt"_s) && lines[1].endsWith(u">b1.txt|numbered"_s));
    }
};

QTEST_APPLESS_MAIN(TestPassPreview)
#include "tst_passpreview.moc"
