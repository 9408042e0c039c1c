// The execution pass over the native file system on real temporary folders.
// Whatever a test does, no file content may be lost or overwritten: every
// test ends by comparing the tree's contents with those before the pass.
#include "enginetexts.h"
#include "executionpass.h"
#include "linuxfilesystem.h"
#include "recordinghost.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

QByteArray bytesOf(const fs::path &path)
{
    return QByteArray::fromStdString(path.string());
}

// Builds a tree from "kind:name" entries joined by "|": "f:" a file, "r:" a
// read-only file, "d:" a folder, "p:" a FIFO, "l:name>target" a symbolic
// link. Every file holds its own content, so a lost or overwritten file shows.
void build(const fs::path &root, const QByteArray &layout)
{
    int serial = 0;
    for (const QByteArray &item : layout.split('|')) {
        const QByteArray kind = item.left(2);
        const QList<QByteArray> parts = item.mid(2).split('>');
        const fs::path at = root / parts[0].toStdString();
        if (kind == "d:")
            fs::create_directory(at);
        else if (kind == "p:")
            QCOMPARE(mkfifo(at.c_str(), 0644), 0);
        else if (kind == "l:")
            fs::create_symlink(parts[1].toStdString(), at);
        else
            std::ofstream(at) << parts[0].toStdString() << '#' << ++serial;
        if (kind == "r:")
            fs::permissions(at, fs::perms(0444));
    }
}

// The tree's entries, sorted, as relative paths; a read-only file ends in "*".
QByteArray tree(const fs::path &root)
{
    QList<QByteArray> entries;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        const fs::file_status status = entry.symlink_status();
        const bool readOnly = fs::is_regular_file(status)
            && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
        entries.append(bytesOf(entry.path().lexically_relative(root)) + (readOnly ? "*" : ""));
    }
    std::sort(entries.begin(), entries.end());
    return entries.join('|');
}

// What the entries hold, without their names: file contents, link targets,
// the kinds of the others.
QList<QByteArray> contents(const fs::path &root)
{
    QList<QByteArray> all;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status)) {
            all.append("link to " + bytesOf(fs::read_symlink(entry.path())));
        } else if (fs::is_regular_file(status)) {
            std::ifstream in(entry.path());
            all.append(QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}}));
        } else {
            all.append("kind " + QByteArray::number(int(status.type())));
        }
    }
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace

class TestPassOnRealFolders final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pass_data();
    void pass();
};

void TestPassOnRealFolders::pass_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("maxLength");
    QTest::addColumn<bool>("override");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QList<int>>("failures");

    const QList<int> none;
    const QList<int> notText = {EngineTexts::NotTextNumber, EngineTexts::NotTextNumber};
    // clang-format off
    QTest::newRow("two names that clean alike") << "f:CC Song.mp3|f:ZZ Song.mp3"_ba << u"60"_s << true << "Song.mp3|Song1.mp3"_ba << none;
    QTest::newRow("number after the taken ones") << "f:Song.mp3|f:Song1.mp3|f:CC Song.mp3"_ba << u"60"_s << true << "Song.mp3|Song1.mp3|Song2.mp3"_ba << none;
    QTest::newRow("number cuts the base") << "f:abcdefgh.txt|f:CC abcdefgh.txt"_ba << u"12"_s << true << "abcdefg1.txt|abcdefgh.txt"_ba << none;
    QTest::newRow("name without a dot") << "f:Notes|f:CC Notes"_ba << u"60"_s << true << "Notes|Notes1"_ba << none;
    QTest::newRow("other letter case is free") << "f:song.mp3|f:CC Song.mp3"_ba << u"60"_s << true << "Song.mp3|song.mp3"_ba << none;
    // The read-only bit goes before the rename is tried, and stays gone.
    QTest::newRow("name taken by a folder") << "d:Song.mp3|f:Song.mp3/in.txt|r:CC Song.mp3"_ba << u"60"_s << true << "CC Song.mp3|Song.mp3|Song.mp3/in.txt"_ba << QList<int>{EEXIST};
    QTest::newRow("hidden file") << "f:.CC hidden.txt"_ba << u"60"_s << true << ".CC hidden.txt"_ba << none;
    QTest::newRow("FIFO") << "p:CC pipe"_ba << u"60"_s << true << "CC pipe"_ba << none;
    QTest::newRow("link to a read-only file") << "r:.target|l:CC link>.target"_ba << u"60"_s << true << ".target*|CC link"_ba << none;
    QTest::newRow("link to a folder, walked once") << "d:t|f:t/CC in.txt|l:CC linked>t"_ba << u"60"_s << true << "CC linked|t|t/in.txt"_ba << none;
    QTest::newRow("dangling link") << "l:CC dangling>CC nowhere"_ba << u"60"_s << true << "CC dangling"_ba << none;
    QTest::newRow("link loops") << "d:s|f:s/CC a.txt|l:s/up>..|l:s/here>.|l:s/self>self|l:CC down>s"_ba << u"60"_s << true << "CC down|s|s/a.txt|s/here|s/self|s/up"_ba << none;
    QTest::newRow("read-only, dirty, left alone") << "r:CC a.txt"_ba << u"60"_s << false << "CC a.txt*"_ba << none;
    QTest::newRow("read-only, clean, left alone") << "r:a.txt"_ba << u"60"_s << false << "a.txt*"_ba << none;
    QTest::newRow("read-only, dirty, overridden") << "r:CC a.txt"_ba << u"60"_s << true << "a.txt"_ba << none;
    QTest::newRow("read-only, clean, overridden") << "r:a.txt"_ba << u"60"_s << true << "a.txt"_ba << none;
    QTest::newRow("names that are not text") << "f:CC bad\xFF.txt|f:CC good.txt|d:CC dir\xFE|f:CC dir\xFE/CC in.txt"_ba << u"60"_s << true << "CC bad\xFF.txt|CC dir\xFE|CC dir\xFE/CC in.txt|good.txt"_ba << notText;
    // clang-format on
}

void TestPassOnRealFolders::pass()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, maxLength);
    QFETCH(bool, override);
    QFETCH(QByteArray, after);
    QFETCH(QList<int>, failures);

    QTemporaryDir temp;
    const fs::path root = fs::path(temp.path().toStdString()) / "tree";
    fs::create_directory(root);
    build(root, before);
    const QList<QByteArray> held = contents(root);

    RecordingHost host;
    host.folder = QString::fromStdString(root.string());
    host.rules.copy = true; // a leading "CC " or "ZZ " is what makes names dirty here
    host.maxLength = maxLength;
    host.readOnly = override;
    LinuxFileSystem fileSystem;
    ExecutionPass(fileSystem, host).execute();

    const QByteArray result = tree(root);
    const QList<QByteArray> kept = contents(root);
    fs::remove_all(root); // Qt cannot remove names that are not text
    QCOMPARE(result, after);
    QList<int> numbers;
    for (const Failure &failure : std::as_const(host.failures))
        numbers.append(failure.number);
    QCOMPARE(numbers, failures);
    QCOMPARE(kept, held);
    QCOMPARE(host.panels.value(EngineTexts::CurrentPanel), EngineTexts::completed());
}

QTEST_APPLESS_MAIN(TestPassOnRealFolders)
#include "tst_passonrealfolders.moc"
