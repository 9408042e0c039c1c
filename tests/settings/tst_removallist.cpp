#include "oddfiles.h"
#include "removallist.h"
#include "removallistplace.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Lines = RemovalList::Lines;

class TestRemovalList : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("expected");
        // clang-format off
        QTest::newRow("empty file") << QByteArray() << Lines{{}, {}, 0};
        QTest::newRow("blank, duplicate, untrimmed, CR LF") << QByteArray("abc\r\n\r\nabc\r\n  Www\t\r\n") << Lines{{u"abc"_s, u""_s, u"abc"_s, u"  Www\t"_s}, {}, 0};
        QTest::newRow("LF or CR LF, lone CR, no final break") << QByteArray("a\rb\nc\r\nd") << Lines{{u"a\rb"_s, u"c"_s, u"d"_s}, {}, 0};
        QTest::newRow("CR before CR LF stays") << QByteArray("x\r\r\nabc\r") << Lines{{u"x\r"_s, u"abc\r"_s}, {}, 0};
        QTest::newRow("byte-order mark, two final breaks") << QByteArray("\xEF\xBB\xBF[ads]\n\n") << Lines{{u"[ads]"_s, u""_s}, {}, 0};
        QTest::newRow("byte-order mark of a later line is dropped") << QByteArray("a\n\xEF\xBB\xBF" "b") << Lines{{u"a"_s, u"b"_s}, {}, 0};
        QTest::newRow("text beyond ASCII") << QByteArray("M\xC3\xBAsica\n\xF0\x9F\x8E\xB5\n") << Lines{{u"Música"_s, u"\U0001F3B5"_s}, {}, 0};
        QTest::newRow("lines that are no text are left out") << QByteArray("ok\nM\xFAsica\nfine\n\xC3(\n\xC0\xAF\r\n\xED\xA0\x80\nend\xF0\x9F") << Lines{{u"ok"_s, u"fine"_s}, {2, 4, 5, 6, 7}, 5};
        QTest::newRow("a long run: the first five named") << QByteArray("\xFF\n\xFF\ngood\n\xFF\n\xFF\n\xFF\n\xFF\n\xFF\n\xFF") << Lines{{u"good"_s}, {1, 2, 4, 5, 6}, 8};
        // clang-format on
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Lines, expected);
        const Lines lines = RemovalList::parse(bytes);
        QCOMPARE(lines.items, expected.items);
        QCOMPARE(lines.notTextLines, expected.notTextLines); // the first few, by number
        QCOMPARE(lines.notTextCount, expected.notTextCount);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // what the description says after the path
        QTest::newRow("named pipe") << u"pipe"_s << u"it is not a regular file"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s << u"it is not a regular file"_s;
        QTest::newRow("one byte over 16 MB")
            << u"large"_s
            << u"it is 16777217 bytes long, more than the 16777216 bytes (16 MB) "
               u"that are read"_s;
    }

    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Purlex.txt"_s);
        if (QFile file(path); kind == u"large" && file.open(QIODevice::WriteOnly))
            QVERIFY(file.resize(RemovalList::MaxFileSize + 1));
        else
            QVERIFY(OddFiles::make(kind, path));

        std::optional<Result<Lines>> list;
        QVERIFY(OddFiles::returnsWithoutWaiting(
            path, [&] { list = RemovalList::load(folder.path()); }));
        QVERIFY(!list->ok() && list->failure().number != 0);
        QCOMPARE(list->failure().description,
            u"Cannot read the list of strings to remove, '%1': %2"_s.arg(path, reason));
    }

    void largestListIsRead()
    {
        QTemporaryDir folder;
        QFile file(folder.filePath(u"Purlex.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("first\r\n") == 7);
        QVERIFY(file.resize(RemovalList::MaxFileSize));
        file.close();
        const Result<Lines> list = RemovalList::load(folder.path());
        QVERIFY(list.ok());
        QCOMPARE(list.value().items,
            (QStringList{u"first"_s, QString(RemovalList::MaxFileSize - 7, QChar())}));
    }

    void missingBesideExecutable()
    {
        // Not looked for in the working folder, and under its fixed name: this
        // executable is not called Purlex.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        const Result<Lines> list = RemovalList::load();
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(!list.ok() && list.failure().number != 0);
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(u"Purlex.txt"_s);
        QCOMPARE(list.failure().description.section(u'\'', 1, 1), path);
    }

    void place_data()
    {
        // Which of the program's folder, the user's folder and the example hold a
        // list before start-up, and what the user's folder then holds.
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("userList"); // empty: none
        // clang-format off
        QTest::newRow("beside the program first") << QStringList{u"program"_s, u"user"_s, u"example"_s} << u"program"_s << u"user"_s;
        QTest::newRow("the user's own, never replaced") << QStringList{u"user"_s, u"example"_s} << u"user"_s << u"user"_s;
        QTest::newRow("the example seeds the user's") << QStringList{u"example"_s} << u"user"_s << u"example"_s;
        QTest::newRow("none anywhere") << QStringList() << u"user"_s << QString();
        // clang-format on
    }

    void place()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, read);
        QFETCH(QString, userList);
        QTemporaryDir root;
        const RemovalListPlace place{root.filePath(u"program"_s), root.filePath(u"config/user"_s),
            {root.filePath(u"share/missing.txt"_s), root.filePath(u"share/example"_s)}};
        const QHash<QString, QString> files{{u"program"_s, place.programFolder + u"/Purlex.txt"_s},
            {u"user"_s, place.userFolder + u"/Purlex.txt"_s}, {u"example"_s, place.examples[1]}};
        for (const QString &which : present) {
            QVERIFY(QDir().mkpath(QFileInfo(files[which]).path()));
            QFile file(files[which]);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(which.toUtf8()) > 0);
        }
        QCOMPARE(
            place.folder(), root.filePath(read == u"program" ? u"program"_s : u"config/user"_s));
        QFile user(files[u"user"_s]);
        QCOMPARE(user.open(QIODevice::ReadOnly) ? QString::fromUtf8(user.readAll()) : QString(),
            userList);
    }
};

QTEST_GUILESS_MAIN(TestRemovalList)
#include "tst_removallist.moc"
