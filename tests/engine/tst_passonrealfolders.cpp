// The execution pass over the native file system on real temporary folders.
// Whatever a test does, no file content may be lost or overwritten: every
// test ends by comparing the tree's contents with those before the pass.
#include "enginetexts.h"
#include "executionpass.h"
#include "forwardingfolder.h"
#include "linuxfilesystem.h"
#include "linuxfilesystemrename.h"
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

int openDescriptors()
{
    return int(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// A file system that, once the start folder is listed, swaps its subfolder
// "sub" for a link to a folder outside the tree.
class SwapAfterListing final : public FileSystem
{
public:
    SwapAfterListing(FileSystem &inner, fs::path sub, fs::path outside)
        : m_inner(inner)
        , m_sub(std::move(sub))
        , m_outside(std::move(outside))
    { }

    Result<FolderPtr> openFolder(const QString &path) override
    {
        Result<FolderPtr> opened = m_inner.openFolder(path);
        if (!opened.ok())
            return opened;
        return FolderPtr(std::make_unique<Swapping>(*this, std::move(opened.value())));
    }

private:
    class Swapping final : public ForwardingFolder
    {
    public:
        Swapping(SwapAfterListing &owner, FolderPtr inner)
            : ForwardingFolder(std::move(inner))
            , m_owner(owner)
        { }
        Result<FolderListing> list() override
        {
            Result<FolderListing> listed = inner().list();
            fs::rename(m_owner.m_sub, m_owner.m_sub.string() + ".moved");
            fs::create_directory_symlink(m_owner.m_outside, m_owner.m_sub);
            return listed;
        }

    private:
        SwapAfterListing &m_owner;
    };

    FileSystem &m_inner;
    fs::path m_sub;
    fs::path m_outside;
};

// A file system without the kernel's no-replace flag, and without links too
// when told.
class OldFileSystemCalls final : public RenameCalls
{
public:
    bool links = true;
    int renameNoReplace(int, const char *, const char *) override { return EINVAL; }
    int link(int folderFd, const char *from, const char *to) override
    {
        return links ? RenameCalls::link(folderFd, from, to) : EPERM;
    }
};

} // namespace

class TestPassOnRealFolders final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pass_data();
    void pass();
    void subfolderSwappedForALinkDuringThePass();
    void descriptorsAreClosed();
    void renamesWithoutTheNoReplaceFlag_data();
    void renamesWithoutTheNoReplaceFlag();
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

void TestPassOnRealFolders::subfolderSwappedForALinkDuringThePass()
{
    QTemporaryDir temp;
    const fs::path root = fs::path(temp.path().toStdString()) / "tree";
    const fs::path outside = fs::path(temp.path().toStdString()) / "outside";
    fs::create_directories(root);
    fs::create_directories(outside);
    build(root, "d:sub|f:sub/CC in.txt|f:CC top.txt"_ba);
    build(outside, "f:CC mine.txt|d:deeper|f:deeper/CC kept.txt"_ba);
    const QByteArray outsideBefore = tree(outside);

    RecordingHost host;
    host.folder = QString::fromStdString(root.string());
    host.rules.copy = true;
    LinuxFileSystem native;
    SwapAfterListing swapping(native, root / "sub", outside);
    ExecutionPass(swapping, host).execute();

    QCOMPARE(tree(outside), outsideBefore);
    QCOMPARE(tree(root), "sub|sub.moved|sub.moved/CC in.txt|top.txt"_ba);
    QCOMPARE(host.failures.size(), 1);
    QCOMPARE(host.failures[0].number, ENOTDIR);
}

void TestPassOnRealFolders::descriptorsAreClosed()
{
    QTemporaryDir temp;
    const fs::path root = fs::path(temp.path().toStdString()) / "tree";
    fs::create_directory(root);
    for (int i = 0; i < 60; ++i) {
        const fs::path deep = root / std::to_string(i) / "a" / "b";
        fs::create_directories(deep);
        std::ofstream(deep / "CC x.txt") << i;
    }
    RecordingHost host;
    host.folder = QString::fromStdString(root.string());
    host.rules.copy = true;
    LinuxFileSystem fileSystem;
    const int before = openDescriptors();
    ExecutionPass pass(fileSystem, host);
    pass.execute();
    QCOMPARE(pass.gCurCnt, 60);
    QCOMPARE(openDescriptors(), before);
}

void TestPassOnRealFolders::renamesWithoutTheNoReplaceFlag_data()
{
    QTest::addColumn<bool>("links");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QList<int>>("failures");
    // clang-format off
    QTest::newRow("links stand in for the flag") << true << "Song.mp3|Song1.mp3|Song2.mp3|a.txt"_ba << QList<int>{};
    QTest::newRow("neither: said once, nothing changes") << false << "CC Song.mp3|CC a.txt|Song.mp3|ZZ Song.mp3"_ba << QList<int>{EngineTexts::NoSafeRenameNumber};
    // clang-format on
}

void TestPassOnRealFolders::renamesWithoutTheNoReplaceFlag()
{
    QFETCH(bool, links);
    QFETCH(QByteArray, after);
    QFETCH(QList<int>, failures);

    QTemporaryDir temp;
    const fs::path root = fs::path(temp.path().toStdString()) / "tree";
    fs::create_directory(root);
    build(root, "f:Song.mp3|f:CC Song.mp3|f:ZZ Song.mp3|f:CC a.txt"_ba);
    const QList<QByteArray> held = contents(root);

    RecordingHost host;
    host.folder = QString::fromStdString(root.string());
    host.rules.copy = true;
    OldFileSystemCalls calls;
    calls.links = links;
    LinuxFileSystem fileSystem(&calls);
    ExecutionPass(fileSystem, host).execute();

    QCOMPARE(tree(root), after);
    QCOMPARE(contents(root), held);
    QList<int> numbers;
    for (const Failure &failure : std::as_const(host.failures))
        numbers.append(failure.number);
    QCOMPARE(numbers, failures);
}

QTEST_APPLESS_MAIN(TestPassOnRealFolders)
#include "tst_passonrealfolders.moc"
