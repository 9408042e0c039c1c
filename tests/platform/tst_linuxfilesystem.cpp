// The native file system on real temporary folders: what only a real disk
// shows (no-replace renames, links, FIFOs, names that are not text).
// Failures on demand are the in-memory fake's job; these tests run as root
// too, where permission bits stop nothing.
#include "linuxfilesystem.h"
#include "linuxfilesystemrename.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

enum class Kind { None, Regular, Folder, Fifo, LinkToFile, LinkToFolder, DanglingLink };

// What an operation gave: its value, or minus the error number.
template <typename T> int outcome(const Result<T> &result)
{
    return result.ok() ? int(result.value()) : -result.failure().number;
}

} // namespace

class TestLinuxFileSystem final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    LinuxFileSystem m_fs;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray raw(const QByteArray &n) const { return QFile::encodeName(m_dir->path()) + '/' + n; }
    // A regular file holds its own name; a link to a file or folder points at
    // the name with ".target", which gets the mode.
    void make(Kind kind, const QByteArray &name, mode_t mode = 0644) const
    {
        const std::string full = raw(name).toStdString();
        if (kind == Kind::LinkToFile || kind == Kind::LinkToFolder) {
            make(kind == Kind::LinkToFile ? Kind::Regular : Kind::Folder, name + ".target", mode);
            std::filesystem::create_symlink((name + ".target").toStdString(), full);
        } else if (kind == Kind::DanglingLink) {
            std::filesystem::create_symlink("nowhere", full);
        } else if (kind != Kind::None) {
            if (kind == Kind::Regular)
                std::ofstream(full) << name.constData();
            else if (kind == Kind::Folder)
                std::filesystem::create_directory(full);
            else
                QCOMPARE(mkfifo(full.c_str(), 0600), 0);
            QCOMPARE(chmod(full.c_str(), mode), 0);
        }
    }
    // One entry of every kind that a folder can hold.
    void makeEntries() const
    {
        make(Kind::Regular, "a.b", 0666);
        make(Kind::Regular, "g", 0464);
        make(Kind::Regular, ".h", 0444);
        make(Kind::Fifo, "pipe");
        make(Kind::Folder, "sub", 0755);
        make(Kind::LinkToFile, "l");
        make(Kind::LinkToFolder, "linked", 0755);
        make(Kind::DanglingLink, ".dangling");
        std::filesystem::create_symlink("loop", raw("loop").toStdString());
    }
    // The names of the folder in the system's order.
    QList<QByteArray> listing() const
    {
        QList<QByteArray> names;
        for (const auto &entry : std::filesystem::directory_iterator(m_dir->path().toStdString()))
            names.append(QByteArray::fromStdString(entry.path().filename().string()));
        return names;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    // Qt cannot see names that are not text, so it could not empty the folder.
    void cleanup() { std::filesystem::remove_all(QFile::encodeName(m_dir->path()).toStdString()); }

    void entries_data()
    {
        QTest::addColumn<QString>("name");
        // What attributes, fileExists and openFolder give, and the mode once the
        // read-only bit is flipped; minus the error number for a failure.
        QTest::addColumn<QList<int>>("outcomes");

        // clang-format off
        QTest::newRow("plain file") << u"a.b"_s << QList<int>{0, 1, -ENOTDIR, 0444};
        QTest::newRow("group may write, owner may not") << u"g"_s << QList<int>{1, 1, -ENOTDIR, 0664};
        QTest::newRow("hidden read-only file") << u".h"_s << QList<int>{3, 1, -ENOTDIR, 0644};
        QTest::newRow("FIFO") << u"pipe"_s << QList<int>{4, 1, -ENOTDIR, 0444};
        QTest::newRow("folder") << u"sub"_s << QList<int>{16, 0, 0, 0555};
        QTest::newRow("link to a file") << u"l"_s << QList<int>{1024, 1, -ENOTDIR, -EOPNOTSUPP};
        QTest::newRow("link to a folder") << u"linked"_s << QList<int>{1024, 1, 0, -EOPNOTSUPP};
        QTest::newRow("hidden dangling link") << u".dangling"_s << QList<int>{1026, 1, -ENOENT, -EOPNOTSUPP};
        QTest::newRow("missing") << u"gone"_s << QList<int>{-ENOENT, 0, -ENOENT, -ENOENT};
        QTest::newRow("below a file") << u"a.b/x"_s << QList<int>{-ENOTDIR, 0, -ENOTDIR, -ENOTDIR};
        QTest::newRow("name too long for any entry") << QString(300, u'n') << QList<int>{-ENAMETOOLONG, 0, -ENAMETOOLONG, -ENAMETOOLONG};
        QTest::newRow("link loop") << u"loop/x"_s << QList<int>{-ELOOP, -ELOOP, -ELOOP, -ELOOP};
        // clang-format on
    }
    void entries()
    {
        QFETCH(QString, name);
        QFETCH(QList<int>, outcomes);

        makeEntries();
        const QString full = path(name);
        const Result<quint32> attributes = m_fs.attributes(full);
        const Status opened = m_fs.openFolder(full);
        const Status flipped
            = m_fs.setAttributes(full, quint32(outcome(attributes)) ^ FileAttribute::ReadOnly);
        const std::string encoded = QFile::encodeName(full).toStdString();
        QCOMPARE((QList<int>{outcome(attributes), outcome(m_fs.fileExists(full)),
                     -opened.failure().number,
                     flipped.ok() ? int(std::filesystem::status(encoded).permissions())
                                  : -flipped.failure().number}),
            outcomes);
        // Listing a folder fails as opening it does.
        QCOMPARE(m_fs.files(full).failure().number, opened.failure().number);
    }

    void listingSplitsRealFoldersFromTheRestInTheSystemsOrder()
    {
        makeEntries();
        QStringList folders;
        QStringList files;
        for (const QByteArray &name : listing())
            (name == "sub" || name == "linked.target" ? folders : files)
                .append(QString::fromUtf8(name));
        QStringList listed;
        for (const auto &entries : {m_fs.subFolders(m_dir->path()), m_fs.files(m_dir->path())})
            for (const FolderEntry &entry : entries.value())
                listed.append(entry.name);
        QCOMPARE(listed, folders + files);
    }

    void decodedNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");

        const QString euros(84, QChar(0x20AC));
        // clang-format off
        QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9.txt") << u"caf\\xE9.txt"_s;
        QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF") << u"a\\xC0\\xAF"_s;
        QTest::newRow("encoded surrogate") << QByteArray("s\xED\xA0\x80") << u"s\\xED\\xA0\\x80"_s;
        QTest::newRow("cut sequence") << QByteArray("euro\xE2\x82") << u"euro\\xE2\\x82"_s;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << u"\\xF4\\x90\\x80\\x80"_s;
        QTest::newRow("text around a bad byte") << QByteArray("\xC3\xA9t\xE9\xC3\xA9") << u"\u00E9t\\xE9\u00E9"_s;
        QTest::newRow("byte order mark after a bad byte") << QByteArray("\xFF\xEF\xBB\xBFx") << u"\\xFF\uFEFFx"_s;
        QTest::newRow("four-byte character") << QByteArray("smile \xF0\x9F\x98\x80") << u"smile \U0001F600"_s;
        QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << u"\U0010FFFF"_s;
        QTest::newRow("byte order mark first") << QByteArray("\xEF\xBB\xBFlist") << u"\uFEFFlist"_s;
        QTest::newRow("two byte order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << u"\uFEFF\uFEFF"_s;
        QTest::newRow("backslash x is plain text") << QByteArray("a\\xFF") << u"a\\xFF"_s;
        QTest::newRow("renamed to 255 bytes") << euros.toUtf8() + 'x' << euros + u'x';
        // clang-format on
    }
    void decodedNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);

        make(Kind::Regular, name);
        const FolderEntry entry = m_fs.files(m_dir->path()).value().value(0);
        QCOMPARE(entry.name, shown);
        QCOMPARE(entry.path, path(shown));
        // Text must lead back to the very same bytes; any other name is for showing only.
        QCOMPARE(entry.nameIsText, QFile::encodeName(shown) == name);
        if (entry.nameIsText) {
            QVERIFY(m_fs.rename(entry.path, shown + u" 2"_s).ok());
            QCOMPARE(listing(), QList<QByteArray>{name + " 2"});
        }
    }

    void renameRefused_data()
    {
        QTest::addColumn<Kind>("taker"); // what holds the name "b" first
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("reason");

        // clang-format off
        QTest::newRow("taken by a file") << Kind::Regular << u"b"_s << u"File exists"_s;
        QTest::newRow("taken by a folder") << Kind::Folder << u"b"_s << u"File exists"_s;
        QTest::newRow("taken by a link") << Kind::LinkToFile << u"b"_s << u"File exists"_s;
        QTest::newRow("taken by a dangling link") << Kind::DanglingLink << u"b"_s << u"File exists"_s;
        QTest::newRow("empty") << Kind::None << QString() << u"A file name cannot be empty"_s;
        QTest::newRow("dot") << Kind::None << u"."_s << u"The names '.' and '..' are reserved"_s;
        QTest::newRow("dot dot") << Kind::None << u".."_s << u"The names '.' and '..' are reserved"_s;
        QTest::newRow("with a slash") << Kind::None << u"sub/b"_s << u"A file name cannot contain '/'"_s;
        QTest::newRow("NUL") << Kind::None << u"b\0c"_s << u"A file name cannot contain a NUL character"_s;
        QTest::newRow("256 bytes") << Kind::None << QString(256, u'x') << u"A file name cannot be longer than 255 bytes"_s;
        QTest::newRow("86 characters of 3 bytes") << Kind::None << QString(86, QChar(0x20AC)) << u"A file name cannot be longer than 255 bytes"_s;
        // clang-format on
    }
    void renameRefused()
    {
        QFETCH(Kind, taker);
        QFETCH(QString, newName);
        QFETCH(QString, reason);

        make(Kind::Regular, "a");
        // The name is free when checked; another program takes it before the rename.
        QCOMPARE(outcome(m_fs.fileExists(path(u"b"_s))), 0);
        make(taker, "b");
        const QList<QByteArray> before = listing();

        const Status renamed = m_fs.rename(path(u"a"_s), newName);
        QCOMPARE(renamed.failure().number, taker == Kind::None ? EINVAL : EEXIST);
        QCOMPARE(
            renamed.failure().description, u"Cannot rename 'a' to '%1': %2"_s.arg(newName, reason));
        // The fallback where the file system lacks the kernel's no-replace flag.
        if (taker != Kind::None)
            QCOMPARE(NoReplaceRename::byLink(raw("a"), raw("b")), EEXIST);
        QCOMPARE(listing(), before);
    }

    void renameByLinkLeavesOneName()
    {
        make(Kind::Regular, "a");
        QCOMPARE(NoReplaceRename::byLink(raw("a"), raw("b")), 0);
        QCOMPARE(listing(), QList<QByteArray>{"b"});
    }
};

QTEST_APPLESS_MAIN(TestLinuxFileSystem)
#include "tst_linuxfilesystem.moc"
