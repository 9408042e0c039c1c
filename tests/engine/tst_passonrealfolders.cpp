// The execution pass over the native file system on real temporary folders.
// Whatever a test does, no file content may be lost or overwritten: every
// test ends by comparing the tree's contents with those before the pass.
#include "enginetexts.h"
#include "executionpass.h"
#include "linuxfilesystem.h"
#include "recordinghost.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray operator""_b(const char *text, std::size_t size)
{
    return QByteArray(text, qsizetype(size));
}

enum class Kind { Hidden, Fifo, Socket, LinkToFile, LinkToFolder, DanglingLink };

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestPassOnRealFolders final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    RecordingHost m_host;
    QList<QByteArray> m_before; // the tree's contents before the pass
    int m_serial = 0;

    QByteArray bytes(const QByteArray &relative) const
    {
        return QFile::encodeName(m_dir->path()) + '/' + relative;
    }
    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    // Every file gets its own content, so a lost or overwritten file shows.
    void file(const QByteArray &relative, mode_t mode = 0644)
    {
        const QByteArray content = relative + '#' + QByteArray::number(++m_serial);
        const int fd = open(bytes(relative).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY2(fd >= 0, std::strerror(errno));
        QCOMPARE(write(fd, content.constData(), size_t(content.size())), content.size());
        close(fd);
        QCOMPARE(chmod(bytes(relative).constData(), mode), 0);
    }
    void folder(const QByteArray &relative)
    {
        QCOMPARE(mkdir(bytes(relative).constData(), 0755), 0);
    }
    void link(const QByteArray &target, const QByteArray &relative)
    {
        QCOMPARE(symlink(target.constData(), bytes(relative).constData()), 0);
    }
    void special(Kind kind, const QByteArray &relative);

    // The names in a folder, sorted, as the system holds them.
    QList<QByteArray> names(const QByteArray &relative = {}) const;
    QList<QByteArray> snapshot() const;
    void snapshotInto(const QByteArray &folder, QList<QByteArray> *contents) const;
    mode_t modeOf(const QByteArray &relative) const
    {
        struct stat info;
        return lstat(bytes(relative).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    void runPass()
    {
        m_before = snapshot();
        LinuxFileSystem fileSystem;
        ExecutionPass pass(fileSystem, m_host);
        pass.execute();
        m_lastFixed = pass.gCurCnt;
        m_lastRead = pass.gTryCnt;
    }
    qint32 m_lastFixed = 0;
    qint32 m_lastRead = 0;

private Q_SLOTS:
    void init();
    void cleanup();

    void takenNames_data();
    void takenNames();
    void firstFileMetGetsThePlainName();
    void nameTakenByFolderIsRefused();
    void entriesThatAreNotPlainFiles_data();
    void entriesThatAreNotPlainFiles();
    void readOnlyFiles_data();
    void readOnlyFiles();
    void linkLoopsAreNotWalked();
    void namesThatAreNotText();
    void subfoldersBeforeOwnFiles();
    void limitInOneFolder();
};

void TestPassOnRealFolders::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_host = RecordingHost();
    m_host.folder = m_dir->path();
    m_host.rules.copy = true; // a leading "CC " is what makes names dirty here
    m_before.clear();
    m_serial = 0;
}

void TestPassOnRealFolders::cleanup()
{
    const QList<QByteArray> after = m_before.isEmpty() ? QList<QByteArray>() : snapshot();
    // Qt cannot see names that are not text, so it could not empty the folder.
    m_dir->setAutoRemove(false);
    std::filesystem::remove_all(QFile::encodeName(m_dir->path()).toStdString());
    delete m_dir;
    m_dir = nullptr;
    QCOMPARE(after, m_before);
}

void TestPassOnRealFolders::special(Kind kind, const QByteArray &relative)
{
    switch (kind) {
    case Kind::Hidden:
        file(relative);
        break;
    case Kind::Fifo:
        QCOMPARE(mkfifo(bytes(relative).constData(), 0644), 0);
        break;
    case Kind::Socket: {
        const QByteArray full = bytes(relative);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(full.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, full.constData(), size_t(full.size()));
        QCOMPARE(bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        close(fd);
        break;
    }
    case Kind::LinkToFile:
        // Hidden, so that only a change made through the link could touch it.
        file(".target.txt", 0444);
        link(".target.txt", relative);
        break;
    case Kind::LinkToFolder:
        folder("target");
        file("target/CC inside.txt");
        link("target", relative);
        break;
    case Kind::DanglingLink:
        link("CC nowhere", relative);
        break;
    }
}

QList<QByteArray> TestPassOnRealFolders::names(const QByteArray &relative) const
{
    QList<QByteArray> list;
    DIR *dir = opendir(bytes(relative).constData());
    if (!dir)
        return list;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "."_b && name != ".."_b)
            list.append(name);
    }
    closedir(dir);
    std::sort(list.begin(), list.end());
    return list;
}

// The contents of every entry below the root, sorted: file contents, link
// targets and the kinds of special entries, but not their names.
QList<QByteArray> TestPassOnRealFolders::snapshot() const
{
    QList<QByteArray> contents;
    snapshotInto(QFile::encodeName(m_dir->path()), &contents);
    std::sort(contents.begin(), contents.end());
    return contents;
}

void TestPassOnRealFolders::snapshotInto(
    const QByteArray &folder, QList<QByteArray> *contents) const
{
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "."_b || name == ".."_b)
            continue;
        const QByteArray full = folder + '/' + name;
        struct stat info;
        if (lstat(full.constData(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            contents->append("folder"_b);
            snapshotInto(full, contents);
        } else if (S_ISLNK(info.st_mode)) {
            char target[PATH_MAX] = {};
            const ssize_t n = readlink(full.constData(), target, sizeof(target) - 1);
            contents->append("link to "_b + QByteArray(target, n < 0 ? 0 : qsizetype(n)));
        } else if (S_ISREG(info.st_mode)) {
            QByteArray content;
            const int fd = open(full.constData(), O_RDONLY);
            char buffer[4096];
            for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof(buffer))) > 0;)
                content.append(buffer, qsizetype(n));
            if (fd >= 0)
                close(fd);
            contents->append("file "_b + content);
        } else {
            contents->append("special "_b + QByteArray::number(info.st_mode & S_IFMT));
        }
    }
    closedir(dir);
}

void TestPassOnRealFolders::takenNames_data()
{
    QTest::addColumn<QList<QByteArray>>("clean");
    QTest::addColumn<QList<QByteArray>>("dirty");
    QTest::addColumn<QString>("maxLength");
    QTest::addColumn<QList<QByteArray>>("expected");

    QTest::newRow("two names that clean alike")
        << QList<QByteArray>{} << QList<QByteArray>{"CC Song.mp3", "ZZ Song.mp3"} << u"60"_s
        << QList<QByteArray>{"Song.mp3", "Song1.mp3"};
    QTest::newRow("number after the taken ones")
        << QList<QByteArray>{"Song.mp3", "Song1.mp3"} << QList<QByteArray>{"CC Song.mp3"} << u"60"_s
        << QList<QByteArray>{"Song.mp3", "Song1.mp3", "Song2.mp3"};
    QTest::newRow("number cuts the base at the maximum length")
        << QList<QByteArray>{"abcdefgh.txt"} << QList<QByteArray>{"CC abcdefgh.txt"} << u"12"_s
        << QList<QByteArray>{"abcdefg1.txt", "abcdefgh.txt"};
    QTest::newRow("name without a dot")
        << QList<QByteArray>{"Notes"} << QList<QByteArray>{"CC Notes"} << u"60"_s
        << QList<QByteArray>{"Notes", "Notes1"};
    QTest::newRow("name taken in another letter case is free here")
        << QList<QByteArray>{"song.mp3"} << QList<QByteArray>{"CC Song.mp3"} << u"60"_s
        << QList<QByteArray>{"Song.mp3", "song.mp3"};
}

void TestPassOnRealFolders::takenNames()
{
    QFETCH(QList<QByteArray>, clean);
    QFETCH(QList<QByteArray>, dirty);
    QFETCH(QString, maxLength);
    QFETCH(QList<QByteArray>, expected);

    for (const QByteArray &name : clean + dirty)
        file(name);
    m_host.maxLength = maxLength;
    runPass();

    QCOMPARE(names(), expected);
    QVERIFY(m_host.failures.isEmpty());
    QCOMPARE(m_lastFixed, dirty.size());
}

void TestPassOnRealFolders::firstFileMetGetsThePlainName()
{
    file("CC Song.mp3");
    file("ZZ Song.mp3");
    LinuxFileSystem fileSystem;
    const QList<FolderEntry> listed = fileSystem.files(m_dir->path()).value();
    const QByteArray firstContent = listed.first().name.toUtf8() + "#";

    runPass();

    QCOMPARE(names(), (QList<QByteArray>{"Song.mp3", "Song1.mp3"}));
    QFile song(path(u"Song.mp3"_s));
    QVERIFY(song.open(QIODevice::ReadOnly));
    QVERIFY(song.readAll().startsWith(firstContent));
}

void TestPassOnRealFolders::nameTakenByFolderIsRefused()
{
    folder("Song.mp3");
    file("Song.mp3/inside.txt");
    file("CC Song.mp3", 0444);
    runPass();

    QCOMPARE(names(), (QList<QByteArray>{"CC Song.mp3", "Song.mp3"}));
    QCOMPARE(names("Song.mp3"), QList<QByteArray>{"inside.txt"});
    QCOMPARE(m_host.failures.size(), 1);
    QCOMPARE(m_host.failures.first().number, EEXIST);
    QCOMPARE(m_host.failures.first().description,
        u"Cannot rename 'CC Song.mp3' to 'Song.mp3': File exists"_s);
    // An acknowledged refusal counts as fixed.
    QCOMPARE(m_host.panels.value(EngineTexts::FixedPanel), u" Fixed: 1"_s);
    // The read-only bit went before the rename was tried, and stays gone.
    QCOMPARE(modeOf("CC Song.mp3"), mode_t(0644));
}

void TestPassOnRealFolders::entriesThatAreNotPlainFiles_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("hidden file") << Kind::Hidden << ".CC hidden.txt"_b;
    QTest::newRow("FIFO") << Kind::Fifo << "CC pipe"_b;
    QTest::newRow("socket") << Kind::Socket << "CC socket"_b;
    QTest::newRow("link to a read-only file") << Kind::LinkToFile << "CC link.txt"_b;
    QTest::newRow("link to a folder") << Kind::LinkToFolder << "CC linked"_b;
    QTest::newRow("dangling link") << Kind::DanglingLink << "CC dangling"_b;
}

void TestPassOnRealFolders::entriesThatAreNotPlainFiles()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, name);

    special(kind, name);
    const QList<QByteArray> before = names();
    const mode_t targetMode = modeOf(".target.txt");
    runPass();

    QCOMPARE(names(), before);
    QVERIFY(m_host.failures.isEmpty());
    QCOMPARE(m_host.panels.value(EngineTexts::FixedPanel),
        kind == Kind::LinkToFolder ? u" Fixed: 1"_s : QString());
    QCOMPARE(m_host.panels.value(EngineTexts::CurrentPanel), EngineTexts::completed());
    QVERIFY(m_host.panelWrites.contains(u"Current= "_s + path(QFile::decodeName(name))));
    QCOMPARE(modeOf(".target.txt"), targetMode); // the link's target keeps its bit
    if (kind == Kind::LinkToFolder) {
        // The folder itself is walked once, under its own name.
        QCOMPARE(names("target"), QList<QByteArray>{"inside.txt"});
        QCOMPARE(m_lastRead, 2);
    }
}

void TestPassOnRealFolders::readOnlyFiles_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("override");
    QTest::addColumn<QByteArray>("expectedName");
    QTest::addColumn<bool>("writable");

    QTest::newRow("dirty, left alone") << "CC a.txt"_b << false << "CC a.txt"_b << false;
    QTest::newRow("clean, left alone") << "a.txt"_b << false << "a.txt"_b << false;
    QTest::newRow("dirty, overridden") << "CC a.txt"_b << true << "a.txt"_b << true;
    QTest::newRow("clean, overridden") << "a.txt"_b << true << "a.txt"_b << true;
}

void TestPassOnRealFolders::readOnlyFiles()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, override);
    QFETCH(QByteArray, expectedName);
    QFETCH(bool, writable);

    file(name, 0444);
    m_host.readOnly = override;
    runPass();

    QCOMPARE(names(), QList<QByteArray>{expectedName});
    QCOMPARE(modeOf(expectedName), writable ? mode_t(0644) : mode_t(0444));
    QVERIFY(m_host.failures.isEmpty());
    QCOMPARE(m_lastRead, 1);
}

void TestPassOnRealFolders::linkLoopsAreNotWalked()
{
    folder("sub");
    file("sub/CC a.txt");
    link("..", "sub/up");
    link(".", "sub/here");
    link("self", "sub/self");
    link("sub", "CC down");
    runPass();

    QCOMPARE(names("sub"), (QList<QByteArray>{"a.txt", "here", "self", "up"}));
    QCOMPARE(names(), (QList<QByteArray>{"CC down", "sub"}));
    QCOMPARE(m_lastRead, 5);
    QCOMPARE(m_lastFixed, 1);
    QVERIFY(m_host.failures.isEmpty());
}

void TestPassOnRealFolders::namesThatAreNotText()
{
    file("CC bad\xFF.txt");
    file("CC good.txt");
    folder("CC dir\xFE");
    file("CC dir\xFE/CC inner.txt");
    runPass();

    QCOMPARE(names(), (QList<QByteArray>{"CC bad\xFF.txt", "CC dir\xFE", "good.txt"}));
    QCOMPARE(names("CC dir\xFE"), QList<QByteArray>{"CC inner.txt"});
    QCOMPARE(m_host.failures.size(), 2);
    QCOMPARE(m_host.failures[0].number, EngineTexts::NotTextNumber);
    QCOMPARE(
        m_host.failures[0].description, EngineTexts::folderNameNotText(path(u"CC dir\\xFE"_s)));
    QCOMPARE(m_host.failures[1].number, EngineTexts::NotTextNumber);
    QCOMPARE(
        m_host.failures[1].description, EngineTexts::fileNameNotText(path(u"CC bad\\xFF.txt"_s)));
}

void TestPassOnRealFolders::subfoldersBeforeOwnFiles()
{
    file("CC top.txt");
    folder("a");
    file("a/CC a.txt");
    folder("a/deep");
    file("a/deep/CC deep.txt");
    folder("b");
    file("b/CC b.txt");
    runPass();

    QStringList visited;
    for (const QString &write : std::as_const(m_host.panelWrites)) {
        if (write.startsWith(u"Current= "_s))
            visited.append(write.mid(9).mid(m_dir->path().size() + 1));
    }
    // Depth first; the order of "a" and "b" is the system's.
    QCOMPARE(visited.size(), 4);
    QCOMPARE(visited.last(), u"CC top.txt"_s);
    QVERIFY(visited.indexOf(u"a/deep/CC deep.txt"_s) < visited.indexOf(u"a/CC a.txt"_s));
    QCOMPARE(names(), (QList<QByteArray>{"a", "b", "top.txt"}));
    QCOMPARE(names("a/deep"), QList<QByteArray>{"deep.txt"});
}

void TestPassOnRealFolders::limitInOneFolder()
{
    for (int i = 0; i < 60; ++i)
        file("CC file " + QByteArray::number(i) + ".txt");
    m_host.limit = u"50"_s;
    runPass();

    int renamed = 0;
    for (const QByteArray &name : names())
        renamed += !name.startsWith("CC ");
    QCOMPARE(renamed, 51);
    QCOMPARE(m_lastFixed, 51);
    QCOMPARE(m_host.panels.value(EngineTexts::FixedPanel), u" Fixed: 50"_s);
}

QTEST_APPLESS_MAIN(TestPassOnRealFolders)
#include "tst_passonrealfolders.moc"
