// The native file system on real temporary folders: what only a real disk
// shows (no-replace renames, links, FIFOs, names that are not text).
// Failures on demand are the in-memory fake's job; these tests run as root
// too, where permission bits stop nothing.
#include "enginetexts.h"
#include "linuxfilesystem.h"
#include "linuxfilesystemrename.h"
#include "namebytes.h"
#include "treesnapshot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// What an operation gave: its value, or minus the error number.
template <typename T> int outcome(const Result<T> &result)
{
    return result.ok() ? int(result.value()) : -result.failure().number;
}

// Renames as the system makes them, with a file system that lacks the
// no-replace flag, or links, on demand, and a hook right after the link,
// made or refused.
class ScriptedCalls final : public RenameCalls
{
public:
    bool noFlag = false;
    int linkError = 0;
    int unlinkError = 0;
    int renameError = 0; // of the plain rename
    std::function<void()> afterLink;

    int renameNoReplace(int folderFd, const char *from, const char *to) override
    {
        return noFlag ? EINVAL : RenameCalls::renameNoReplace(folderFd, from, to);
    }
    int link(int folderFd, const char *from, const char *to) override
    {
        const int error = linkError ? linkError : RenameCalls::link(folderFd, from, to);
        if (afterLink)
            afterLink();
        return error;
    }
    // Only the first unlink fails: the one of the old name.
    int unlink(int folderFd, const char *name) override
    {
        const int error = std::exchange(unlinkError, 0);
        return error ? error : RenameCalls::unlink(folderFd, name);
    }
    int renameReplacing(int folderFd, const char *from, const char *to) override
    {
        return renameError ? renameError : RenameCalls::renameReplacing(folderFd, from, to);
    }
};

// What another program does while a rename is under way.
enum class Meanwhile { Nothing, OldNameSavedAnew, NewNameTaken };
using RefusedRow = std::tuple<QByteArray, QString, QString>;
using NoFlagRow = std::tuple<int, int, int, Meanwhile, int, QByteArray>;

// What the next fchmodat refuses with; 0 lets it through.
int fchmodatError = 0;

} // namespace

extern "C" int __real_fchmodat(int folderFd, const char *name, mode_t mode, int flags);
extern "C" int __wrap_fchmodat(int folderFd, const char *name, mode_t mode, int flags)
{
    if (const int error = std::exchange(fchmodatError, 0)) {
        errno = error;
        return -1;
    }
    return __real_fchmodat(folderFd, name, mode, flags);
}

class TestLinuxFileSystem final : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    ScriptedCalls m_calls;
    std::optional<LinuxFileSystem> m_fs;
    FolderPtr m_folder;

    // The temporary folder, opened as a pass opens it.
    Folder &folder()
    {
        if (!m_folder)
            m_folder = std::move(m_fs->openFolder(m_dir->path()).value());
        return *m_folder;
    }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray raw(const QByteArray &n) const { return QFile::encodeName(m_dir->path()) + '/' + n; }
    // Entries in the temporary folder, as buildTree makes them.
    void make(const QByteArray &layout) const { buildTree(m_dir->path().toStdString(), layout); }
    // "name=contents" of every entry, sorted, joined by " ".
    QByteArray state() const
    {
        QByteArrayList entries = treeSnapshot(m_dir->path().toStdString());
        for (QByteArray &entry : entries)
            entry = entry.left(entry.indexOf('|')) + '=' + entry.mid(entry.lastIndexOf('|') + 1);
        return entries.join(' ');
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.emplace().isValid());
        m_calls = {};
        m_fs.emplace(&m_calls);
    }
    // Qt cannot see names that are not text, so it could not empty the folder.
    void cleanup()
    {
        m_folder.reset();
        std::filesystem::remove_all(QFile::encodeName(m_dir->path()).toStdString());
    }

    void entries_data()
    {
        QTest::addColumn<QByteArray>("name");
        // What attributes, fileExists and openSubFolder give, and the mode once
        // the read-only bit is flipped; minus the error number for a failure.
        QTest::addColumn<QList<int>>("outcomes");

        // clang-format off
        QTest::newRow("plain file") << QByteArray("a.b") << QList<int>{0, 1, -ENOTDIR, 0444};
        QTest::newRow("group may write, owner may not") << QByteArray("g") << QList<int>{1, 1, -ENOTDIR, 0664};
        QTest::newRow("hidden read-only file") << QByteArray(".h") << QList<int>{3, 1, -ENOTDIR, 0644};
        QTest::newRow("FIFO") << QByteArray("pipe") << QList<int>{4, 1, -ENOTDIR, 0444};
        QTest::newRow("folder") << QByteArray("sub") << QList<int>{16, 0, 0, 0555};
        QTest::newRow("link to a file") << QByteArray("l") << QList<int>{1024, 1, -ENOTDIR, -EOPNOTSUPP};
        QTest::newRow("link to a folder is never opened") << QByteArray("linked") << QList<int>{1024, 1, -ENOTDIR, -EOPNOTSUPP};
        QTest::newRow("hidden dangling link") << QByteArray(".dangling") << QList<int>{1026, 1, -ENOTDIR, -EOPNOTSUPP};
        QTest::newRow("missing") << QByteArray("gone") << QList<int>{-ENOENT, 0, -ENOENT, -ENOENT};
        QTest::newRow("name too long for any entry") << QByteArray(300, 'n') << QList<int>{-ENAMETOOLONG, 0, -ENAMETOOLONG, -ENAMETOOLONG};
        // clang-format on
    }
    void entries()
    {
        QFETCH(QByteArray, name);
        QFETCH(QList<int>, outcomes);

        // One entry of every kind that a folder can hold.
        make("a.b:0666|g:0464|.h:0444|pipe!:0644|sub/:0755|l.target:0644|l>l.target|"
             "linked.target/:0755|linked>linked.target|.dangling>nowhere");
        const Result<EntryAttributes> read = folder().attributes(name);
        const int bits = read.ok() ? int(read.value().bits) : -read.failure().number;
        const Result<FolderPtr> opened = folder().openSubFolder(name);
        const Status flipped
            = folder().setAttributes(name, quint32(bits) ^ FileAttribute::ReadOnly);
        const std::string encoded = raw(name).toStdString();
        QCOMPARE((QList<int>{bits, outcome(folder().fileExists(name)),
                     opened.ok() ? 0 : -opened.failure().number,
                     flipped.ok() ? int(std::filesystem::status(encoded).permissions())
                                  : -flipped.failure().number}),
            outcomes);
        // Every failure about an entry names it with its folder.
        if (!read.ok())
            QVERIFY(read.failure().description.contains(path(NameBytes::decode(name).text)));
    }

    void modesRefused_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("number");
        QTest::newRow("not implemented") << ENOSYS << int(ProgramFault::NoModes);
        QTest::newRow("not supported") << EOPNOTSUPP << int(ProgramFault::NoModes);
        QTest::newRow("not permitted to the owner") << EPERM << int(ProgramFault::NoModes);
        QTest::newRow("a read-only volume") << EROFS << EROFS;
    }
    void modesRefused()
    {
        QFETCH(int, error);
        QFETCH(int, number);
        make("a*");
        fchmodatError = error;
        const Status cleared = folder().setAttributes("a", 0);
        QCOMPARE(cleared.ok() ? 0 : cleared.failure().number, number);
    }

    void decodedNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");

        const QString euros(84, QChar(0x20AC));
        // clang-format off
        QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF") << u"a\\xC0\\xAF"_s;
        QTest::newRow("encoded surrogate") << QByteArray("s\xED\xA0\x80") << u"s\\xED\\xA0\\x80"_s;
        QTest::newRow("cut sequence") << QByteArray("euro\xE2\x82") << u"euro\\xE2\\x82"_s;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << u"\\xF4\\x90\\x80\\x80"_s;
        QTest::newRow("text around a bad byte") << QByteArray("\xC3\xA9t\xE9\xC3\xA9") << u"\u00E9t\\xE9\u00E9"_s;
        QTest::newRow("byte order mark after a bad byte") << QByteArray("\xFF\xEF\xBB\xBFx") << u"\\xFF\uFEFFx"_s;
        QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << u"\U0010FFFF"_s;
        QTest::newRow("byte order mark first") << QByteArray("\xEF\xBB\xBFlist") << u"\uFEFFlist"_s;
        QTest::newRow("backslash x is plain text") << QByteArray("a\\xFF") << u"a\\xFF"_s;
        QTest::newRow("renamed to 255 bytes") << euros.toUtf8() + 'x' << euros + u'x';
        // clang-format on
    }
    void decodedNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);

        make(name);
        const Result<FolderListing> listed = folder().list();
        const QByteArrayView bytes = listed.value().name(listed.value().files().value(0));
        QCOMPARE(bytes, name);
        const NameBytes::Decoded decoded = NameBytes::decode(bytes);
        QCOMPARE(decoded.text, shown);
        // Text must lead back to the very same bytes; any other name is for showing only.
        QCOMPARE(decoded.isText, QFile::encodeName(shown) == name);
        if (decoded.isText) {
            QVERIFY(folder().rename(bytes, (shown + u" 2"_s).toUtf8()).ok());
            QCOMPARE(state(), name + " 2=" + name);
        }
    }

    void renameRefused_data()
    {
        // What holds the name "b" first, the new name, the reason given
        QTest::addColumn<RefusedRow>("row"); // what holds "b" as buildTree makes it

        // clang-format off
        QTest::newRow("taken by a file") << RefusedRow{"b", u"b"_s, u"File exists"_s};
        QTest::newRow("taken by a folder") << RefusedRow{"b/", u"b"_s, u"File exists"_s};
        QTest::newRow("taken by a dangling link") << RefusedRow{"b>nowhere", u"b"_s, u"File exists"_s};
        QTest::newRow("empty") << RefusedRow{{}, QString(), u"A file name cannot be empty"_s};
        QTest::newRow("dot") << RefusedRow{{}, u"."_s, u"The names '.' and '..' are reserved"_s};
        QTest::newRow("dot dot") << RefusedRow{{}, u".."_s, u"The names '.' and '..' are reserved"_s};
        QTest::newRow("with a slash") << RefusedRow{{}, u"sub/b"_s, u"A file name cannot contain '/'"_s};
        QTest::newRow("NUL") << RefusedRow{{}, u"b\0c"_s, u"A file name cannot contain a NUL character"_s};
        QTest::newRow("86 characters of 3 bytes") << RefusedRow{{}, QString(86, QChar(0x20AC)), u"A file name cannot be longer than 255 bytes"_s};
        // clang-format on
    }
    void renameRefused()
    {
        QFETCH(RefusedRow, row);
        const auto &[taker, newName, reason] = row;

        make("a");
        // The name is free when checked; another program takes it before the rename.
        QCOMPARE(outcome(folder().fileExists("b")), 0);
        make(taker);
        const QByteArray before = state();

        // The flag, a link, a check before a plain rename: each refuses alike.
        for (int way = 0; way < 3; ++way) {
            m_calls.noFlag = way > 0;
            m_calls.linkError = way == 2 ? EPERM : 0;
            const Status renamed = folder().rename("a", newName.toUtf8());
            QCOMPARE(renamed.failure().number, taker.isEmpty() ? EINVAL : EEXIST);
            QCOMPARE(renamed.failure().description,
                u"Cannot rename 'a' to '%1' in '%2': %3"_s.arg(newName, m_dir->path(), reason));
            QCOMPARE(state(), before);
        }
    }

    void renameWithoutTheNoReplaceFlag_data()
    {
        // The errors of link, unlink and the plain rename, what happens
        // meanwhile, the error number (0 when renamed, negative for the
        // program's own), "name=contents ..." sorted after
        QTest::addColumn<NoFlagRow>("row");

        using enum Meanwhile;
        // clang-format off
        QTest::newRow("link and unlink") << NoFlagRow{0, 0, 0, Nothing, 0, QByteArray("b=a")};
        QTest::newRow("no links: checked, then renamed") << NoFlagRow{EPERM, 0, 0, Nothing, 0, QByteArray("b=a")};
        QTest::newRow("links not supported: checked, then renamed") << NoFlagRow{EOPNOTSUPP, 0, 0, Nothing, 0, QByteArray("b=a")};
        QTest::newRow("new name taken after the link was refused") << NoFlagRow{EPERM, 0, 0, NewNameTaken, EEXIST, QByteArray("a=a b=other")};
        QTest::newRow("no rename at all") << NoFlagRow{EPERM, 0, EOPNOTSUPP, Nothing, -int(ProgramFault::NoSafeRename), QByteArray("a=a")};
        QTest::newRow("plain rename refused otherwise") << NoFlagRow{EPERM, 0, EACCES, Nothing, EACCES, QByteArray("a=a")};
        QTest::newRow("link refused otherwise") << NoFlagRow{EMLINK, 0, 0, Nothing, EMLINK, QByteArray("a=a")};
        QTest::newRow("old name cannot go: the new one goes") << NoFlagRow{0, EACCES, 0, Nothing, EACCES, QByteArray("a=a")};
        QTest::newRow("old name saved anew meanwhile: both kept") << NoFlagRow{0, 0, 0, OldNameSavedAnew, EBUSY, QByteArray("a=saved b=a")};
        // clang-format on
    }
    void renameWithoutTheNoReplaceFlag()
    {
        QFETCH(NoFlagRow, row);
        const auto &[linkError, unlinkError, renameError, meanwhile, number, after] = row;

        make("a");
        m_calls.noFlag = true;
        std::tie(m_calls.linkError, m_calls.unlinkError, m_calls.renameError)
            = std::tie(linkError, unlinkError, renameError);
        if (meanwhile == Meanwhile::OldNameSavedAnew) {
            // Saved the way editors save: a new file renamed over the old name.
            m_calls.afterLink = [this] {
                std::ofstream(raw("a.tmp").toStdString()) << "saved";
                QCOMPARE(::rename(raw("a.tmp").constData(), raw("a").constData()), 0);
            };
        }
        if (meanwhile == Meanwhile::NewNameTaken)
            m_calls.afterLink = [this] { std::ofstream(raw("b").toStdString()) << "other"; };
        const Status renamed = folder().rename("a", "b");
        const Failure failure = renamed.ok() ? Failure() : renamed.failure();
        QCOMPARE(failure.programFault ? -failure.number : failure.number, number);
        QCOMPARE(state(), after);
    }

    void openedFolders_data()
    {
        QTest::addColumn<QString>("folder"); // relative to the temporary folder
        QTest::addColumn<int>("opened"); // 0: never opened, 1: a folder, 2: a mount's root
        QTest::newRow("a temporary folder") << QString() << 1;
        QTest::newRow("the root") << u"/"_s << 2;
        QTest::newRow("a link to the root") << u"link"_s << 2;
        QTest::newRow("proc is virtual") << u"/proc"_s << 0;
        QTest::newRow("sysfs is virtual") << u"/sys"_s << 0;
    }
    void openedFolders()
    {
        QFETCH(QString, folder);
        QFETCH(int, opened);
        std::filesystem::create_directory_symlink("/", raw("link").toStdString());
        const QString path = folder.startsWith(u'/') ? folder : m_dir->filePath(folder);
        if (!QFile::exists(path + u"/."_s))
            QSKIP("not mounted here");
        const Result<FolderPtr> result = m_fs->openFolder(path);
        QVERIFY(result.ok());
        QCOMPARE(result.value() ? 1 + result.value()->isMountRoot() : 0, opened);
    }

    // Only what a folder that tells case apart shows can be made here: one
    // name, then two that differ in case alone. A folder asks only once.
    void caseIsToldApart()
    {
        make("Song.mp3");
        QCOMPARE(folder().ignoresCase(), false);
        make("sONG.MP3");
        QCOMPARE(m_fs->openFolder(m_dir->path()).value()->ignoresCase(), false);
    }
};

QTEST_APPLESS_MAIN(TestLinuxFileSystem)
#include "tst_linuxfilesystem.moc"
