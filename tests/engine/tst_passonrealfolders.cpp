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
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

QByteArray operator""_b(const char *text, std::size_t size)
{
    return QByteArray(text, qsizetype(size));
}

QByteArray bytesOf(const fs::path &path)
{
    return QByteArray::fromStdString(path.string());
}

enum class Kind { Hidden, Fifo, LinkToFile, LinkToFolder, DanglingLink };

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestPassOnRealFolders final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    fs::path m_root;
    RecordingHost m_host;
    QList<QByteArray> m_before; // the tree's contents before the pass
    int m_serial = 0;
    qint32 m_lastFixed = 0;
    qint32 m_lastRead = 0;

    fs::path at(const QByteArray &relative) const { return m_root / relative.toStdString(); }
    QString path(const QString &relative) const
    {
        return QString::fromStdString(m_root.string()) + u'/' + relative;
    }

    // Every file gets its own content, so a lost or overwritten file shows.
    void file(const QByteArray &relative, fs::perms mode = fs::perms(0644))
    {
        std::ofstream(at(relative)) << relative.toStdString() << '#' << ++m_serial;
        fs::permissions(at(relative), mode);
    }
    void folder(const QByteArray &relative) { fs::create_directory(at(relative)); }
    void link(const QByteArray &target, const QByteArray &relative)
    {
        fs::create_symlink(target.toStdString(), at(relative));
    }
    mode_t modeOf(const QByteArray &relative) const
    {
        return mode_t(fs::symlink_status(at(relative)).permissions());
    }

    // The names in a folder, sorted, as the system holds them.
    QList<QByteArray> names(const QByteArray &relative = {}) const
    {
        QList<QByteArray> list;
        for (const fs::directory_entry &entry : fs::directory_iterator(at(relative)))
            list.append(bytesOf(entry.path().filename()));
        std::sort(list.begin(), list.end());
        return list;
    }

    // The contents of every entry below the root, sorted: file contents, link
    // targets and the kinds of special entries, but not their names.
    QList<QByteArray> snapshot() const
    {
        QList<QByteArray> contents;
        for (const fs::directory_entry &entry : fs::recursive_directory_iterator(m_root)) {
            const fs::file_status status = entry.symlink_status();
            if (fs::is_symlink(status)) {
                contents.append("link to "_b + bytesOf(fs::read_symlink(entry.path())));
            } else if (fs::is_regular_file(status)) {
                std::ifstream in(entry.path());
                contents.append("file "_b
                    + QByteArray::fromStdString(
                        std::string(std::istreambuf_iterator<char>(in), {})));
            } else {
                contents.append("kind "_b + QByteArray::number(int(status.type())));
            }
        }
        std::sort(contents.begin(), contents.end());
        return contents;
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

    void special(Kind kind, const QByteArray &relative)
    {
        switch (kind) {
        case Kind::Hidden:
            return file(relative);
        case Kind::Fifo:
            QCOMPARE(mkfifo(at(relative).c_str(), 0644), 0);
            return;
        case Kind::LinkToFile:
            // Hidden, so that only a change made through the link could touch it.
            file(".target.txt", fs::perms(0444));
            return link(".target.txt", relative);
        case Kind::LinkToFolder:
            folder("target");
            file("target/CC inside.txt");
            return link("target", relative);
        case Kind::DanglingLink:
            return link("CC nowhere", relative);
        }
    }

private Q_SLOTS:
    void init()
    {
        m_root = fs::path(m_temp.path().toStdString()) / "tree";
        fs::create_directory(m_root);
        m_host = RecordingHost();
        m_host.folder = QString::fromStdString(m_root.string());
        m_host.rules.copy = true; // a leading "CC " is what makes names dirty here
        m_before.clear();
    }
    void cleanup()
    {
        const QList<QByteArray> after = m_before.isEmpty() ? QList<QByteArray>() : snapshot();
        fs::remove_all(m_root);
        QCOMPARE(after, m_before);
    }

    void takenNames_data();
    void takenNames();
    void nameTakenByFolderIsRefused();
    void entriesThatAreNotPlainFiles_data();
    void entriesThatAreNotPlainFiles();
    void readOnlyFiles_data();
    void readOnlyFiles();
    void linkLoopsAreNotWalked();
    void namesThatAreNotText();
};

void TestPassOnRealFolders::takenNames_data()
{
    QTest::addColumn<QList<QByteArray>>("clean");
    QTest::addColumn<QList<QByteArray>>("dirty");
    QTest::addColumn<QString>("maxLength");
    QTest::addColumn<QList<QByteArray>>("expected");

    using Names = QList<QByteArray>;
    // clang-format off
    QTest::newRow("two names that clean alike") << Names{} << Names{"CC Song.mp3", "ZZ Song.mp3"} << u"60"_s << Names{"Song.mp3", "Song1.mp3"};
    QTest::newRow("number after the taken ones") << Names{"Song.mp3", "Song1.mp3"} << Names{"CC Song.mp3"} << u"60"_s << Names{"Song.mp3", "Song1.mp3", "Song2.mp3"};
    QTest::newRow("number cuts the base") << Names{"abcdefgh.txt"} << Names{"CC abcdefgh.txt"} << u"12"_s << Names{"abcdefg1.txt", "abcdefgh.txt"};
    QTest::newRow("name without a dot") << Names{"Notes"} << Names{"CC Notes"} << u"60"_s << Names{"Notes", "Notes1"};
    QTest::newRow("other letter case is free") << Names{"song.mp3"} << Names{"CC Song.mp3"} << u"60"_s << Names{"Song.mp3", "song.mp3"};
    // clang-format on
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

void TestPassOnRealFolders::nameTakenByFolderIsRefused()
{
    folder("Song.mp3");
    file("Song.mp3/inside.txt");
    file("CC Song.mp3", fs::perms(0444));
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

    // clang-format off
    QTest::newRow("dirty, left alone") << "CC a.txt"_b << false << "CC a.txt"_b << false;
    QTest::newRow("clean, left alone") << "a.txt"_b << false << "a.txt"_b << false;
    QTest::newRow("dirty, overridden") << "CC a.txt"_b << true << "a.txt"_b << true;
    QTest::newRow("clean, overridden") << "a.txt"_b << true << "a.txt"_b << true;
    // clang-format on
}

void TestPassOnRealFolders::readOnlyFiles()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, override);
    QFETCH(QByteArray, expectedName);
    QFETCH(bool, writable);

    file(name, fs::perms(0444));
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

QTEST_APPLESS_MAIN(TestPassOnRealFolders)
#include "tst_passonrealfolders.moc"
