// The native file system on real temporary folders: what only a real disk
// shows (no-replace renames, links, FIFOs, sockets, names that are not
// text). Failures on demand are the in-memory fake's job; these tests run as
// root too, where permission bits stop nothing.
#include "linuxfilesystem.h"
#include "linuxfilesystemrename.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <climits>
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

enum class Kind { Regular, Folder, Fifo, Socket, LinkToFile, LinkToFolder, DanglingLink };

QByteArray operator""_b(const char *text, std::size_t size)
{
    return QByteArray(text, qsizetype(size));
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestLinuxFileSystem final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    LinuxFileSystem m_fs;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray bytes(const QByteArray &name) const
    {
        return QFile::encodeName(m_dir->path()) + '/' + name;
    }

    void write(const QByteArray &name, const QByteArray &content, mode_t mode = 0644) const
    {
        const int fd = open(bytes(name).constData(), O_WRONLY | O_CREAT | O_EXCL, mode);
        QVERIFY2(fd >= 0, std::strerror(errno));
        QCOMPARE(::write(fd, content.constData(), size_t(content.size())), content.size());
        close(fd);
        QCOMPARE(chmod(bytes(name).constData(), mode), 0);
    }
    QByteArray read(const QByteArray &name) const
    {
        const int fd = open(bytes(name).constData(), O_RDONLY);
        if (fd < 0)
            return "<missing>"_b;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        close(fd);
        return QByteArray(buffer, n < 0 ? 0 : qsizetype(n));
    }
    bool present(const QByteArray &name) const
    {
        struct stat info;
        return fstatat(AT_FDCWD, bytes(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    }
    mode_t modeOf(const QByteArray &name) const
    {
        struct stat info;
        return fstatat(AT_FDCWD, bytes(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
            ? info.st_mode & 07777
            : mode_t(-1);
    }
    void make(Kind kind, const QByteArray &name, mode_t mode = 0644) const;
    // The names of a folder as the system lists them, "." and ".." aside.
    QList<QByteArray> rawListing(const QByteArray &folder) const;

private Q_SLOTS:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        // Qt cannot see names that are not text, so it could not empty the folder.
        m_dir->setAutoRemove(false);
        std::filesystem::remove_all(
            std::filesystem::path(QFile::encodeName(m_dir->path()).toStdString()));
        delete m_dir;
        m_dir = nullptr;
    }

    void attributes_data();
    void attributes();
    void attributesOfMissingEntryFail();

    void listingSplitsRealFoldersFromEverythingElse();
    void listingKeepsTheSystemsOrder();
    void listingOfMissingFolderFails();
    void namesThatAreNotText_data();
    void namesThatAreNotText();
    void folderNameThatIsNotText();
    void textNamesRoundTrip_data();
    void textNamesRoundTrip();

    void openFolder_data();
    void openFolder();

    void renameRefusesTakenName_data();
    void renameRefusesTakenName();
    void renameNeverOverwritesLateArrival();
    void renameRefusesBadName_data();
    void renameRefusesBadName();
    void renameAcceptsLongestName();
    void renameChangesLetterCase();
    void renameMovesLinkNotTarget();
    void renameOfMissingFileFails();
    void renameByLinkRefusesTakenName_data();
    void renameByLinkRefusesTakenName();
    void renameByLinkLeavesOneName();
    void renameByLinkRefusesFolder();

    void fileExists_data();
    void fileExists();
    void fileExistsReportsLoop();

    void clearingReadOnlyAddsOwnerWrite();
    void settingReadOnlyClearsEveryWriteBit();
    void setAttributesRefusesLinks_data();
    void setAttributesRefusesLinks();

    void join_data();
    void join();
};

void TestLinuxFileSystem::make(Kind kind, const QByteArray &name, mode_t mode) const
{
    const QByteArray full = bytes(name);
    switch (kind) {
    case Kind::Regular:
        write(name, name, mode);
        break;
    case Kind::Folder:
        QCOMPARE(mkdir(full.constData(), mode | 0700), 0);
        break;
    case Kind::Fifo:
        QCOMPARE(mkfifo(full.constData(), mode), 0);
        break;
    case Kind::Socket: {
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
        write(name + ".target", "target");
        QCOMPARE(symlink((name + ".target").constData(), full.constData()), 0);
        break;
    case Kind::LinkToFolder:
        QCOMPARE(mkdir((full + ".target").constData(), 0755), 0);
        QCOMPARE(symlink((name + ".target").constData(), full.constData()), 0);
        break;
    case Kind::DanglingLink:
        QCOMPARE(symlink("nowhere", full.constData()), 0);
        break;
    }
}

QList<QByteArray> TestLinuxFileSystem::rawListing(const QByteArray &folder) const
{
    QList<QByteArray> names;
    DIR *dir = opendir(bytes(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "."_b && name != ".."_b)
            names.append(name);
    }
    closedir(dir);
    return names;
}

void TestLinuxFileSystem::attributes_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("regular file") << Kind::Regular << "a.txt"_b << 0644 << 0u;
    QTest::newRow("owner write bit alone is enough") << Kind::Regular << "a.txt"_b << 0200 << 0u;
    QTest::newRow("read-only file") << Kind::Regular << "a.txt"_b << 0444 << 1u;
    QTest::newRow("group may write, owner may not") << Kind::Regular << "a.txt"_b << 0464 << 1u;
    QTest::newRow("hidden file") << Kind::Regular << ".a.txt"_b << 0644 << 2u;
    QTest::newRow("hidden read-only file") << Kind::Regular << ".a"_b << 0444 << 3u;
    QTest::newRow("dot inside the name is not hidden") << Kind::Regular << "a.b"_b << 0644 << 0u;
    QTest::newRow("FIFO") << Kind::Fifo << "pipe"_b << 0644 << 4u;
    QTest::newRow("socket") << Kind::Socket << "sock"_b << 0755 << 4u;
    QTest::newRow("link to a file") << Kind::LinkToFile << "link"_b << 0644 << 1024u;
    QTest::newRow("link to a folder") << Kind::LinkToFolder << "link"_b << 0644 << 1024u;
    QTest::newRow("dangling link") << Kind::DanglingLink << "link"_b << 0644 << 1024u;
    QTest::newRow("hidden link") << Kind::DanglingLink << ".link"_b << 0644 << 1026u;
    QTest::newRow("folder") << Kind::Folder << "sub"_b << 0755 << 16u;
}

void TestLinuxFileSystem::attributes()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, name);
    QFETCH(int, mode);
    QFETCH(quint32, expected);

    make(kind, name, mode_t(mode));
    if (kind == Kind::Socket)
        QCOMPARE(chmod(bytes(name).constData(), mode_t(mode)), 0);

    const Result<quint32> attributes = m_fs.attributes(QFile::decodeName(bytes(name)));
    QVERIFY2(attributes.ok(), qPrintable(attributes.failure().description));
    QCOMPARE(attributes.value(), expected);
}

void TestLinuxFileSystem::attributesOfMissingEntryFail()
{
    const Result<quint32> attributes = m_fs.attributes(path(u"gone.txt"_s));
    QVERIFY(!attributes.ok());
    QCOMPARE(attributes.failure().number, ENOENT);
    QCOMPARE(attributes.failure().description,
        u"Cannot read the attributes of '%1': No such file or directory"_s.arg(
            path(u"gone.txt"_s)));
}

void TestLinuxFileSystem::listingSplitsRealFoldersFromEverythingElse()
{
    make(Kind::Folder, "sub", 0755);
    make(Kind::LinkToFolder, "linked");
    make(Kind::Regular, "file.txt");
    make(Kind::Fifo, "pipe");
    make(Kind::DanglingLink, "dangling");
    make(Kind::Regular, ".hidden");
    // A link that points at its own folder: walking it would never end.
    QCOMPARE(symlink(".", bytes("loop").constData()), 0);

    const Result<QList<FolderEntry>> folders = m_fs.subFolders(m_dir->path());
    QVERIFY(folders.ok());
    QSet<QString> folderNames;
    for (const FolderEntry &entry : folders.value()) {
        folderNames.insert(entry.name);
        QCOMPARE(entry.path, path(entry.name));
        QVERIFY(entry.nameIsText);
    }
    QCOMPARE(folderNames, (QSet<QString>{u"sub"_s, u"linked.target"_s}));

    const Result<QList<FolderEntry>> files = m_fs.files(m_dir->path());
    QVERIFY(files.ok());
    QSet<QString> fileNames;
    for (const FolderEntry &entry : files.value()) {
        fileNames.insert(entry.name);
        QCOMPARE(entry.path, path(entry.name));
    }
    QCOMPARE(fileNames,
        (QSet<QString>{
            u"linked"_s, u"file.txt"_s, u"pipe"_s, u"dangling"_s, u".hidden"_s, u"loop"_s}));
}

void TestLinuxFileSystem::listingKeepsTheSystemsOrder()
{
    make(Kind::Folder, "top", 0755);
    for (int i = 0; i < 200; ++i) {
        make(Kind::Regular, "top/file " + QByteArray::number(i * 7919 % 200) + ".txt");
        if (i % 10 == 0)
            make(Kind::Folder, "top/sub " + QByteArray::number(i), 0755);
    }

    QStringList expectedFiles;
    QStringList expectedFolders;
    for (const QByteArray &name : rawListing("top"))
        (name.startsWith("sub") ? expectedFolders : expectedFiles).append(QFile::decodeName(name));

    const auto names = [](const Result<QList<FolderEntry>> &listing) {
        QStringList list;
        for (const FolderEntry &entry : listing.value())
            list.append(entry.name);
        return list;
    };
    QCOMPARE(names(m_fs.files(path(u"top"_s))), expectedFiles);
    QCOMPARE(names(m_fs.subFolders(path(u"top"_s))), expectedFolders);
}

void TestLinuxFileSystem::listingOfMissingFolderFails()
{
    for (const Result<QList<FolderEntry>> &listing :
        {m_fs.files(path(u"gone"_s)), m_fs.subFolders(path(u"gone"_s))}) {
        QVERIFY(!listing.ok());
        QCOMPARE(listing.failure().number, ENOENT);
        QCOMPARE(listing.failure().description,
            u"Cannot list folder '%1': No such file or directory"_s.arg(path(u"gone"_s)));
    }
}

void TestLinuxFileSystem::namesThatAreNotText_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Latin-1 byte") << "caf\xE9.txt"_b << u"caf\\xE9.txt"_s;
    QTest::newRow("lone FF") << "\xFF"_b << u"\\xFF"_s;
    QTest::newRow("overlong slash") << "a\xC0\xAF"_b << u"a\\xC0\\xAF"_s;
    QTest::newRow("encoded surrogate") << "s\xED\xA0\x80.mp3"_b << u"s\\xED\\xA0\\x80.mp3"_s;
    QTest::newRow("cut sequence") << "euro\xE2\x82"_b << u"euro\\xE2\\x82"_s;
    QTest::newRow("past U+10FFFF") << "\xF4\x90\x80\x80"_b << u"\\xF4\\x90\\x80\\x80"_s;
    QTest::newRow("valid text around a bad byte")
        << "\xC3\xA9t\xE9\xC3\xA9"_b << QString::fromUtf8("\xC3\xA9t\\xE9\xC3\xA9");
    QTest::newRow("byte order mark after a bad byte") << "\xFF\xEF\xBB\xBFx"_b << u"\\xFF\uFEFFx"_s;
}

void TestLinuxFileSystem::namesThatAreNotText()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, shown);

    write(name, "content");
    const Result<QList<FolderEntry>> files = m_fs.files(m_dir->path());
    QVERIFY(files.ok());
    QCOMPARE(files.value().size(), 1);
    const FolderEntry &entry = files.value().first();
    QCOMPARE(entry.nameIsText, false);
    QCOMPARE(entry.name, shown);
    QCOMPARE(entry.path, path(shown));
    QCOMPARE(read(name), "content"_b);
}

void TestLinuxFileSystem::folderNameThatIsNotText()
{
    QCOMPARE(mkdir(bytes("dir\xFE").constData(), 0755), 0);
    const Result<QList<FolderEntry>> folders = m_fs.subFolders(m_dir->path());
    QVERIFY(folders.ok());
    QCOMPARE(folders.value().size(), 1);
    QCOMPARE(folders.value().first().nameIsText, false);
    QCOMPARE(folders.value().first().name, u"dir\\xFE"_s);
}

void TestLinuxFileSystem::textNamesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("accents") << "\xC3\x9Cn\xC3\xAF.txt"_b;
    QTest::newRow("four-byte character") << "smile \xF0\x9F\x98\x80.png"_b;
    QTest::newRow("byte order mark first") << "\xEF\xBB\xBFlist.txt"_b;
    QTest::newRow("two byte order marks") << "\xEF\xBB\xBF\xEF\xBB\xBF"_b;
    QTest::newRow("highest code point") << "\xF4\x8F\xBF\xBF"_b;
    QTest::newRow("backslash x is plain text") << "a\\xFF.txt"_b;
}

void TestLinuxFileSystem::textNamesRoundTrip()
{
    QFETCH(QByteArray, name);

    write(name, "content");
    const Result<QList<FolderEntry>> files = m_fs.files(m_dir->path());
    QVERIFY(files.ok());
    QCOMPARE(files.value().size(), 1);
    const FolderEntry entry = files.value().first();
    QVERIFY(entry.nameIsText);
    QCOMPARE(QFile::encodeName(entry.name), name);
    QVERIFY(m_fs.attributes(entry.path).ok());

    QVERIFY(m_fs.rename(entry.path, entry.name + u" 2"_s).ok());
    QCOMPARE(read(name + " 2"), "content"_b);
}

void TestLinuxFileSystem::openFolder_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("error"); // 0 when the folder opens

    QTest::newRow("folder") << Kind::Folder << 0;
    QTest::newRow("link to a folder") << Kind::LinkToFolder << 0;
    QTest::newRow("file") << Kind::Regular << ENOTDIR;
    QTest::newRow("dangling link") << Kind::DanglingLink << ENOENT;
}

void TestLinuxFileSystem::openFolder()
{
    QFETCH(Kind, kind);
    QFETCH(int, error);

    make(kind, "entry", 0755);
    const Status opened = m_fs.openFolder(path(u"entry"_s));
    QCOMPARE(opened.ok() ? 0 : opened.failure().number, error);
    if (error != 0) {
        QVERIFY(opened.failure().description.startsWith(
            u"Cannot open folder '%1': "_s.arg(path(u"entry"_s))));
    }
}

void TestLinuxFileSystem::renameRefusesTakenName_data()
{
    QTest::addColumn<Kind>("taker");

    QTest::newRow("file") << Kind::Regular;
    QTest::newRow("folder") << Kind::Folder;
    QTest::newRow("FIFO") << Kind::Fifo;
    QTest::newRow("link to a file") << Kind::LinkToFile;
    QTest::newRow("dangling link") << Kind::DanglingLink;
}

void TestLinuxFileSystem::renameRefusesTakenName()
{
    QFETCH(Kind, taker);

    write("a.txt", "mine");
    make(taker, "b.txt", 0755);
    const QList<QByteArray> before = rawListing({});

    const Status renamed = m_fs.rename(path(u"a.txt"_s), u"b.txt"_s);
    QVERIFY(!renamed.ok());
    QCOMPARE(renamed.failure().number, EEXIST);
    QCOMPARE(renamed.failure().description, u"Cannot rename 'a.txt' to 'b.txt': File exists"_s);

    QCOMPARE(read("a.txt"), "mine"_b);
    QCOMPARE(rawListing({}).size(), before.size());
    if (taker == Kind::Regular)
        QCOMPARE(read("b.txt"), "b.txt"_b);
    if (taker == Kind::LinkToFile)
        QCOMPARE(read("b.txt.target"), "target"_b);
    // Writing through the link would have created its target.
    QVERIFY(!present("nowhere"));
}

void TestLinuxFileSystem::renameNeverOverwritesLateArrival()
{
    write("a.txt", "renamed one");
    const Result<bool> before = m_fs.fileExists(path(u"b.txt"_s));
    QVERIFY(before.ok());
    QVERIFY(!before.value());

    // Another program takes the name after the check.
    write("b.txt", "late arrival");

    const Status renamed = m_fs.rename(path(u"a.txt"_s), u"b.txt"_s);
    QVERIFY(!renamed.ok());
    QCOMPARE(renamed.failure().number, EEXIST);
    QCOMPARE(read("a.txt"), "renamed one"_b);
    QCOMPARE(read("b.txt"), "late arrival"_b);
}

void TestLinuxFileSystem::renameRefusesBadName_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QString() << u"A file name cannot be empty"_s;
    QTest::newRow("dot") << u"."_s << u"The names '.' and '..' are reserved"_s;
    QTest::newRow("dot dot") << u".."_s << u"The names '.' and '..' are reserved"_s;
    QTest::newRow("into a subfolder") << u"sub/b.txt"_s << u"A file name cannot contain '/'"_s;
    QTest::newRow("up a folder") << u"../b.txt"_s << u"A file name cannot contain '/'"_s;
    QTest::newRow("NUL") << u"b\0.txt"_s << u"A file name cannot contain a NUL character"_s;
    QTest::newRow("256 bytes") << QString(256, u'x')
                               << u"A file name cannot be longer than 255 bytes"_s;
    QTest::newRow("86 characters of 3 bytes")
        << QString(86, QChar(0x20AC)) << u"A file name cannot be longer than 255 bytes"_s;
}

void TestLinuxFileSystem::renameRefusesBadName()
{
    QFETCH(QString, newName);
    QFETCH(QString, reason);

    make(Kind::Folder, "sub", 0755);
    write("a.txt", "mine");
    const Status renamed = m_fs.rename(path(u"a.txt"_s), newName);
    QVERIFY(!renamed.ok());
    QCOMPARE(renamed.failure().number, EINVAL);
    QCOMPARE(
        renamed.failure().description, u"Cannot rename 'a.txt' to '%1': %2"_s.arg(newName, reason));
    QCOMPARE(read("a.txt"), "mine"_b);
    QCOMPARE(rawListing({}).size(), 2);
    QVERIFY(rawListing("sub").isEmpty());
}

void TestLinuxFileSystem::renameAcceptsLongestName()
{
    write("a.txt", "mine");
    const QString longest = QString(84, QChar(0x20AC)) + u"xyz"_s; // 255 bytes
    QVERIFY(m_fs.rename(path(u"a.txt"_s), longest).ok());
    QCOMPARE(read(QFile::encodeName(longest)), "mine"_b);
}

void TestLinuxFileSystem::renameChangesLetterCase()
{
    write("song.mp3", "music");
    QVERIFY(m_fs.rename(path(u"song.mp3"_s), u"Song.mp3"_s).ok());
    QCOMPARE(rawListing({}), QList<QByteArray>{"Song.mp3"_b});
    QCOMPARE(read("Song.mp3"), "music"_b);
}

void TestLinuxFileSystem::renameMovesLinkNotTarget()
{
    make(Kind::LinkToFile, "link");
    QVERIFY(m_fs.rename(path(u"link"_s), u"moved"_s).ok());
    QVERIFY(!present("link"));
    QCOMPARE(read("moved"), "target"_b);
    QCOMPARE(read("link.target"), "target"_b);
    char target[64] = {};
    QVERIFY(readlink(bytes("moved").constData(), target, sizeof(target) - 1) > 0);
    QCOMPARE(QByteArray(target), "link.target"_b);
}

void TestLinuxFileSystem::renameOfMissingFileFails()
{
    const Status renamed = m_fs.rename(path(u"gone.txt"_s), u"b.txt"_s);
    QVERIFY(!renamed.ok());
    QCOMPARE(renamed.failure().number, ENOENT);
    QCOMPARE(renamed.failure().description,
        u"Cannot rename 'gone.txt' to 'b.txt': No such file or directory"_s);
}

// The fallback for file systems without the kernel's no-replace flag; this
// disk has the flag, so the fallback is called directly.
void TestLinuxFileSystem::renameByLinkRefusesTakenName_data()
{
    renameRefusesTakenName_data();
}

void TestLinuxFileSystem::renameByLinkRefusesTakenName()
{
    QFETCH(Kind, taker);

    write("a.txt", "mine");
    make(taker, "b.txt", 0755);
    const qsizetype before = rawListing({}).size();

    QCOMPARE(NoReplaceRename::byLink(bytes("a.txt"), bytes("b.txt")), EEXIST);
    QCOMPARE(read("a.txt"), "mine"_b);
    QCOMPARE(rawListing({}).size(), before);
    if (taker == Kind::Regular)
        QCOMPARE(read("b.txt"), "b.txt"_b);
    QVERIFY(!present("nowhere"));
}

void TestLinuxFileSystem::renameByLinkLeavesOneName()
{
    write("a.txt", "mine");
    QCOMPARE(NoReplaceRename::byLink(bytes("a.txt"), bytes("b.txt")), 0);
    QCOMPARE(rawListing({}), QList<QByteArray>{"b.txt"_b});
    QCOMPARE(read("b.txt"), "mine"_b);
    struct stat info;
    QCOMPARE(stat(bytes("b.txt").constData(), &info), 0);
    QCOMPARE(info.st_nlink, nlink_t(1));
}

void TestLinuxFileSystem::renameByLinkRefusesFolder()
{
    make(Kind::Folder, "sub", 0755);
    write("sub/inside.txt", "mine");
    QCOMPARE(NoReplaceRename::byLink(bytes("sub"), bytes("moved")), EPERM);
    QCOMPARE(rawListing({}), QList<QByteArray>{"sub"_b});
    QCOMPARE(read("sub/inside.txt"), "mine"_b);
}

void TestLinuxFileSystem::fileExists_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("expected");

    QTest::newRow("file") << u"file.txt"_s << true;
    QTest::newRow("folder") << u"sub"_s << false;
    QTest::newRow("FIFO") << u"pipe"_s << true;
    QTest::newRow("link to a folder") << u"linked"_s << true;
    QTest::newRow("dangling link") << u"dangling"_s << true;
    QTest::newRow("missing") << u"gone.txt"_s << false;
    QTest::newRow("below a file") << u"file.txt/x"_s << false;
    QTest::newRow("other letter case") << u"FILE.TXT"_s << false;
    QTest::newRow("name too long for any entry") << QString(300, u'n') << false;
}

void TestLinuxFileSystem::fileExists()
{
    QFETCH(QString, relative);
    QFETCH(bool, expected);

    make(Kind::Regular, "file.txt");
    make(Kind::Folder, "sub", 0755);
    make(Kind::Fifo, "pipe");
    make(Kind::LinkToFolder, "linked");
    make(Kind::DanglingLink, "dangling");

    const Result<bool> exists = m_fs.fileExists(path(relative));
    QVERIFY2(exists.ok(), qPrintable(exists.failure().description));
    QCOMPARE(exists.value(), expected);
}

void TestLinuxFileSystem::fileExistsReportsLoop()
{
    QCOMPARE(symlink("loop", bytes("loop").constData()), 0);
    const Result<bool> exists = m_fs.fileExists(path(u"loop/x"_s));
    QVERIFY(!exists.ok());
    QCOMPARE(exists.failure().number, ELOOP);
    QCOMPARE(exists.failure().description,
        u"Cannot check whether '%1' exists: Too many levels of symbolic links"_s.arg(
            path(u"loop/x"_s)));
}

void TestLinuxFileSystem::clearingReadOnlyAddsOwnerWrite()
{
    write("a.txt", "mine", 0444);
    QVERIFY(m_fs.setAttributes(path(u"a.txt"_s), 0).ok());
    QCOMPARE(modeOf("a.txt"), mode_t(0644));
    QCOMPARE(m_fs.attributes(path(u"a.txt"_s)).value(), 0u);

    write("b.txt", "mine", 0640);
    QVERIFY(m_fs.setAttributes(path(u"b.txt"_s), 0).ok());
    QCOMPARE(modeOf("b.txt"), mode_t(0640));
}

void TestLinuxFileSystem::settingReadOnlyClearsEveryWriteBit()
{
    write("a.txt", "mine", 0666);
    QVERIFY(m_fs.setAttributes(path(u"a.txt"_s), FileAttribute::ReadOnly).ok());
    QCOMPARE(modeOf("a.txt"), mode_t(0444));
    QCOMPARE(m_fs.attributes(path(u"a.txt"_s)).value(), quint32(FileAttribute::ReadOnly));
}

void TestLinuxFileSystem::setAttributesRefusesLinks_data()
{
    QTest::addColumn<Kind>("kind");

    QTest::newRow("link to a file") << Kind::LinkToFile;
    QTest::newRow("dangling link") << Kind::DanglingLink;
}

void TestLinuxFileSystem::setAttributesRefusesLinks()
{
    QFETCH(Kind, kind);

    make(kind, "link");
    if (kind == Kind::LinkToFile)
        QCOMPARE(chmod(bytes("link.target").constData(), 0444), 0);

    const Status written = m_fs.setAttributes(path(u"link"_s), 0);
    QVERIFY(!written.ok());
    QCOMPARE(written.failure().number, EOPNOTSUPP);
    QVERIFY(written.failure().description.startsWith(
        u"Cannot change the attributes of '%1': "_s.arg(path(u"link"_s))));
    if (kind == Kind::LinkToFile)
        QCOMPARE(modeOf("link.target"), mode_t(0444));
    QVERIFY(!present("nowhere"));
}

void TestLinuxFileSystem::join_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << u"/a/b"_s << u"c.txt"_s << u"/a/b/c.txt"_s;
    QTest::newRow("folder ends in a separator") << u"/a/b/"_s << u"c.txt"_s << u"/a/b/c.txt"_s;
    QTest::newRow("root") << u"/"_s << u"c.txt"_s << u"/c.txt"_s;
}

void TestLinuxFileSystem::join()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QCOMPARE(m_fs.join(folder, name), expected);
}

QTEST_APPLESS_MAIN(TestLinuxFileSystem)
#include "tst_linuxfilesystem.moc"
