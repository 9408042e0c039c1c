#include "removallist.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRemovalList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void missingBesideExecutable();
};

void TestRemovalList::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    // clang-format off
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("blank, duplicate, untrimmed, CR LF") << QByteArray("abc\r\n\r\nabc\r\n  Www\t\r\n") << QStringList{u"abc"_s, u""_s, u"abc"_s, u"  Www\t"_s};
    QTest::newRow("LF or CR LF, lone CR, no final break") << QByteArray("a\rb\nc\r\nd") << QStringList{u"a\rb"_s, u"c"_s, u"d"_s};
    QTest::newRow("byte-order mark, two final breaks") << QByteArray("\xEF\xBB\xBF[ads]\n\n") << QStringList{u"[ads]"_s, u""_s};
    // clang-format on
}

void TestRemovalList::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QCOMPARE(RemovalList::parse(bytes), expected);
}

void TestRemovalList::missingBesideExecutable()
{
    // Not looked for in the working folder, and under its fixed name: this
    // executable is not called Purlex.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
    const Result<QStringList> list = RemovalList::load();
    QVERIFY(QDir::setCurrent(before));
    QVERIFY(!list.ok() && list.failure().number != 0);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(u"Purlex.txt"_s);
    QCOMPARE(list.failure().description.section(u'\'', 1, 1), path);
}

QTEST_GUILESS_MAIN(TestRemovalList)
#include "tst_removallist.moc"
