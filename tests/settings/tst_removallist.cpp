#include "removallist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestRemovalList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void loadsFromGivenFolder();
    void besideExecutableWhateverWorkingFolder();
    void unreadable_data();
    void unreadable();
};

void TestRemovalList::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("abc, empty line, abc kept in order")
        << QByteArray("abc\r\n\r\nabc\r\n") << QStringList{u"abc"_s, u""_s, u"abc"_s};
    QTest::newRow("blanks at both ends kept")
        << QByteArray("  www.site.example \r\n") << QStringList{u"  www.site.example "_s};
    QTest::newRow("final line break adds nothing")
        << QByteArray("one\r\ntwo\r\n") << QStringList{u"one"_s, u"two"_s};
    QTest::newRow("last line without break still read")
        << QByteArray("one\r\ntwo") << QStringList{u"one"_s, u"two"_s};
    QTest::newRow("line feeds only")
        << QByteArray("one\n\ntwo\n") << QStringList{u"one"_s, u""_s, u"two"_s};
    QTest::newRow("mixed line ends")
        << QByteArray("one\r\ntwo\nthree") << QStringList{u"one"_s, u"two"_s, u"three"_s};
    QTest::newRow("single empty line") << QByteArray("\r\n") << QStringList{u""_s};
    QTest::newRow("two final breaks give one empty item")
        << QByteArray("a\n\n") << QStringList{u"a"_s, u""_s};
    QTest::newRow("lone carriage return is text") << QByteArray("a\rb\n") << QStringList{u"a\rb"_s};
    QTest::newRow("tabs and case kept") << QByteArray("\tMiXeD\t\n") << QStringList{u"\tMiXeD\t"_s};
    QTest::newRow("8-bit text read as UTF-8")
        << QByteArray("M\xC3\xBAsica\n") << QStringList{u"Música"_s};
    QTest::newRow("byte-order mark is no part of the first item")
        << QByteArray("\xEF\xBB\xBF[ads]\n") << QStringList{u"[ads]"_s};
}

void TestRemovalList::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QCOMPARE(RemovalList::parse(bytes), expected);
}

void TestRemovalList::loadsFromGivenFolder()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"Purlex.txt"_s), "abc\r\n\r\nabc\r\n"));
    const Result<QStringList> list = RemovalList::load(dir.path());
    QVERIFY(list.ok());
    QCOMPARE(list.value(), (QStringList{u"abc"_s, u""_s, u"abc"_s}));

    QVERIFY(writeFile(dir.filePath(u"Purlex.txt"_s), ""));
    const Result<QStringList> empty = RemovalList::load(dir.path());
    QVERIFY(empty.ok());
    QCOMPARE(empty.value(), QStringList());
}

void TestRemovalList::besideExecutableWhateverWorkingFolder()
{
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    const QString path = RemovalList::filePath();
    QVERIFY(QDir::setCurrent(before));
    // The name is fixed: this executable is not called Purlex.
    QCOMPARE(path, QDir(QCoreApplication::applicationDirPath()).filePath(u"Purlex.txt"_s));
}

void TestRemovalList::unreadable_data()
{
    QTest::addColumn<bool>("makeFolder"); // a folder where the file should be

    QTest::newRow("missing file") << false;
    QTest::newRow("folder named Purlex.txt") << true;
}

void TestRemovalList::unreadable()
{
    QFETCH(bool, makeFolder);
    QTemporaryDir dir;
    const QString expected = dir.filePath(u"Purlex.txt"_s);
    if (makeFolder)
        QVERIFY(QDir(dir.path()).mkdir(u"Purlex.txt"_s));

    const Result<QStringList> list = RemovalList::load(dir.path());
    QVERIFY(!list.ok());
    QVERIFY2(list.failure().description.contains(u"'"_s + expected + u"'"_s),
        qPrintable(list.failure().description));
    QVERIFY(list.failure().number != 0);
}

QTEST_GUILESS_MAIN(TestRemovalList)
#include "tst_removallist.moc"
