// The execution pass over the native file system on real temporary folders.
// Whatever a test does, no file content may be lost or overwritten.
#include "enginetexts.h"
#include "executionpass.h"
#include "linuxfilesystem.h"
#include "linuxfilesystemrename.h"
#include "recordinghost.h"
#include "treesnapshot.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

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

// What the entries hold, whatever their names: file contents, link targets,
// the kinds of the others.
QByteArrayList contents(const fs::path &root)
{
    QByteArrayList all;
    for (const QByteArray &line : treeSnapshot(root))
        all.append(line.mid(line.indexOf('|', line.indexOf('|') + 1)));
    std::sort(all.begin(), all.end());
    return all;
}

int openDescriptors()
{
    return int(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// A file system that renames in none of the ways the kernel offers.
class NoRenameCalls final : public RenameCalls
{
public:
    int renameNoReplace(int, const char *, const char *) override { return EINVAL; }
    int link(int, const char *, const char *) override { return EPERM; }
    int renameReplacing(int, const char *, const char *) override { return ENOSYS; }
};

} // namespace

class TestPassOnRealFolders final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_temp;
    fs::path m_root;
    RecordingHost m_host;
    LinuxFileSystem m_native;

    // A pass with copy tags ("CC ", "ZZ ") as what makes names dirty; the
    // number of files fixed.
    qint32 run(FileSystem &fileSystem)
    {
        m_host.settings.rules.copy = true;
        return ExecutionPass(fileSystem, m_host, m_host.settings).execute().filesFixed;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_temp.emplace().isValid());
        m_root = fs::path(m_temp->path().toStdString()) / "tree";
        fs::create_directory(m_root);
        m_host = RecordingHost();
        m_host.settings.startFolder = QString::fromStdString(m_root.string());
    }
    void cleanup() { fs::remove_all(m_root); } // Qt cannot remove names that are not text

    void pass_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("override");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QList<int>>("failures");
        QTest::addColumn<int>("read"); // files read: every entry of the walked folders but folders

        const QList<int> none;
        const QList<int> notText = {int(ProgramFault::NameNotText), int(ProgramFault::NameNotText)};
        // clang-format off
        QTest::newRow("two names that clean alike") << "CC Song.mp3|ZZ Song.mp3"_ba << true << "Song.mp3|Song1.mp3"_ba << none << 2;
        QTest::newRow("other letter case is free") << "song.mp3|CC Song.mp3"_ba << true << "Song.mp3|song.mp3"_ba << none << 2;
        // The read-only bit goes before the rename is tried, and stays gone.
        QTest::newRow("name taken by a folder") << "Song.mp3/in.txt|CC Song.mp3*"_ba << true << "CC Song.mp3|Song.mp3|Song.mp3/in.txt"_ba << QList<int>{EEXIST} << 2;
        QTest::newRow("hidden file") << ".CC hidden.txt"_ba << true << ".CC hidden.txt"_ba << none << 1;
        QTest::newRow("FIFO") << "CC pipe!"_ba << true << "CC pipe"_ba << none << 1;
        QTest::newRow("link to a read-only file") << ".target*|CC link>.target"_ba << true << ".target*|CC link"_ba << none << 2;
        QTest::newRow("link to a folder, walked once") << "t/CC in.txt|CC linked>t"_ba << true << "CC linked|t|t/in.txt"_ba << none << 2;
        QTest::newRow("link loops") << "s/CC a.txt|s/up>..|s/self>self|CC down>s"_ba << true << "CC down|s|s/a.txt|s/self|s/up"_ba << none << 4;
        QTest::newRow("read-only, left alone") << "CC a.txt*|b.txt*"_ba << false << "CC a.txt*|b.txt*"_ba << none << 2;
        QTest::newRow("read-only, overridden") << "CC a.txt*|b.txt*"_ba << true << "a.txt|b.txt"_ba << none << 2;
        QTest::newRow("names that are not text") << "CC bad\xFF.txt|CC good.txt|CC dir\xFE/CC in.txt"_ba << true << "CC bad\xFF.txt|CC dir\xFE|CC dir\xFE/CC in.txt|good.txt"_ba << notText << 2;
        // clang-format on
    }
    void pass()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, override);
        QFETCH(QByteArray, after);
        QFETCH(QList<int>, failures);
        QFETCH(int, read);

        buildTree(m_root, before);
        const QByteArrayList held = contents(m_root);
        m_host.settings.overrideReadOnly = override;
        run(m_native);

        QCOMPARE(names(m_root), after);
        QCOMPARE(m_host.failureNumbers(), failures);
        QCOMPARE(m_host.lastRead, read);
        QCOMPARE(contents(m_root), held);
    }
    void subfolderSwappedForALinkDuringThePass()
    {
        // Whichever of a and b the system lists first is walked; the other is
        // swapped for a link to a folder outside the tree before its turn.
        const fs::path outside = m_root.parent_path() / "outside";
        buildTree(m_root, "a/CC in.txt|b/CC in.txt|CC top.txt"_ba);
        buildTree(outside, "CC mine.txt|deeper/CC kept.txt"_ba);
        const QByteArrayList outsideBefore = treeSnapshot(outside);
        m_host.onRenamed = [&](const RenamedFile &file) {
            const fs::path other = m_root / (file.folder.endsWith(u"/a"_s) ? "b" : "a");
            if (fs::is_symlink(other))
                return;
            fs::rename(other, m_root / "moved");
            fs::create_directory_symlink(outside, other);
        };
        run(m_native);

        QCOMPARE(treeSnapshot(outside), outsideBefore);
        QCOMPARE(m_host.failureNumbers(), QList<int>{ENOTDIR});
        QVERIFY(fs::exists(m_root / "moved" / "CC in.txt") && fs::exists(m_root / "top.txt"));
    }
    void descriptorsAreClosed()
    {
        for (int i = 0; i < 30; ++i)
            buildTree(m_root, QByteArray::number(i) + "/a/b/CC x.txt");
        const int before = openDescriptors();
        QCOMPARE(run(m_native), 30);
        QCOMPARE(openDescriptors(), before);
    }
    // Without the no-replace flag, links or a check stand in for it, as the
    // native file system's tests show; with no safe rename at all, the pass
    // says so once and changes nothing.
    void noRenameAtAll()
    {
        buildTree(m_root, "Song.mp3|CC Song.mp3|ZZ Song.mp3|CC a.txt"_ba);
        const QByteArray before = names(m_root);
        NoRenameCalls calls;
        LinuxFileSystem fileSystem(&calls);
        run(fileSystem);

        QCOMPARE(names(m_root), before);
        QCOMPARE(m_host.failureNumbers(), QList<int>{int(ProgramFault::NoSafeRename)});
    }
};

QTEST_APPLESS_MAIN(TestPassOnRealFolders)
#include "tst_passonrealfolders.moc"
