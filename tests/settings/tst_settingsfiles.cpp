#include "oddfiles.h"
#include "removallist.h"
#include "removallistplace.h"
#include "settingsstore.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using Lines = RemovalList::Lines;

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void saving()
    {
        TempStore temp;
        SettingsStore store(QString(), temp.folder());
        QCOMPARE(store.location(), temp.filePath(u"tst_settingsfiles"_s));
        QVERIFY(store.save(u"MaxLength", u"240"_s).ok() && store.save(u"Copy", u"False"_s).ok());
        QCOMPARE(temp.read(u"tst_settingsfiles"_s), "[Defaults]\nCopy=False\nMaxLength=240\n");
        // A file in a format it does not expect is mended by the next save.
        QVERIFY(temp.write(u"tst_settingsfiles"_s, "[Defaults]\nPath=x\na broken line\n"));
        QVERIFY(SettingsStore(QString(), temp.folder()).save(u"Copy", u"False"_s).ok());
        QCOMPARE(SettingsStore(QString(), temp.folder()).readProblem(), QString());

        // Permission bits would not stop a test run as root; a file where the
        // store's folder belongs does. A folder in place of the file is one
        // of the odd files below.
        TempStore blocked;
        SettingsStore unsaved(u"Purlex"_s, blocked.folder());
        QVERIFY(QFile(blocked.folder() + u"/Purlex"_s).open(QIODevice::WriteOnly));
        const Status saved = unsaved.save(u"MaxLength", u"61"_s);
        QVERIFY(!saved.ok() && saved.failure().number != 0);
        QCOMPARE(saved.failure().description.section(u'\'', 0, 1),
            u"Cannot save the setting MaxLength to '"_s + unsaved.location());
    }

    void content_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<QString>("path"); // what Path reads as; "-" when absent
        // clang-format off
        QTest::newRow("empty file") << QByteArray() << true << u"-"_s;
        QTest::newRow("blank lines, comments, CR LF, mark") << QByteArray("\xEF\xBB\xBF\r\n; note\r\n[Defaults] ; the program's\r\n\r\n  Path = x  \r\n") << true << u"x"_s;
        QTest::newRow("other sections, keys before any") << QByteArray("Path=no\n[General]\nPath=no\n[Other]\nPath=no\n[Defaults]\nPath=yes\n[defaults]\nPath=no\n") << true << u"yes"_s;
        QTest::newRow("the last of a key counts") << QByteArray("[Defaults]\nPath=a\n[Defaults]\nPath=b\n") << true << u"b"_s;
        QTest::newRow("quotes, escapes, a comment after the value") << QByteArray("[Defaults]\nPath=\" a;b=c \"\\t\\\"\\x41\\101\\\\ ;x\n") << true << u" a;b=c \t\"AA\\ "_s;
        QTest::newRow("a quoted line break, a continued line") << QByteArray("[Defaults]\nPath=\"a\nb\" c\\\nd\n") << true << u"a\nbcd"_s;
        QTest::newRow("a list of texts") << QByteArray("[Defaults]\nPath=Rock , Pop,\"Jazz, Blues\"\n") << true << u"Rock, Pop, Jazz, Blues"_s;
        QTest::newRow("doubled at sign") << QByteArray("[Defaults]\nPath=@@Variant\n") << true << u"@Variant"_s;
        QTest::newRow("text beyond ASCII") << QByteArray("[Defaults]\nPath=M\xC3\xBAsica\n") << true << u"Música"_s;
        QTest::newRow("not UTF-8") << QByteArray("[Defaults]\nPath=M\xFAsica\n") << false << u"-"_s;
        QTest::newRow("a control character") << QByteArray("[Defaults]\nPath=a\x01\n") << false << u"-"_s;
        QTest::newRow("a NUL byte") << QByteArray("[Defaults]\nPath=a\0b\n", 18) << false << u"-"_s;
        QTest::newRow("a line without =") << QByteArray("[Defaults]\nPath=x\na broken line\n") << false << u"-"_s;
        QTest::newRow("a line without = in another section") << QByteArray("[Other]\nbroken\n[Defaults]\nPath=x\n") << false << u"-"_s;
        QTest::newRow("a section without ]") << QByteArray("[Defaults\nPath=x\n") << false << u"-"_s;
        QTest::newRow("text after a section") << QByteArray("[Defaults] x\nPath=x\n") << false << u"-"_s;
        QTest::newRow("no key before =") << QByteArray("[Defaults]\n =x\n") << false << u"-"_s;
        QTest::newRow("a quote that never ends") << QByteArray("[Defaults]\nPath=\"x\nCopy=False\n") << false << u"-"_s;
        // clang-format on
    }

    void content()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, wellFormed);
        QFETCH(QString, path);
        TempStore temp;
        QVERIFY(temp.write(u"Purlex"_s, content));
        const SettingsStore store(u"Purlex"_s, temp.folder());
        const QString expected = wellFormed
            ? QString()
            : u"The settings file '%1' is not in the expected format; the built-in defaults are used."_s
                  .arg(store.location());
        QCOMPARE(store.readProblem(), expected);
        QCOMPARE(store.get(u"Path", u"-"_s), path);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("empty, not absent") << QString();
        QTest::newRow("blanks around") << u"  a b  "_s;
        // Text the native format would otherwise read as a list or a variant.
        QTest::newRow("a variant look") << u"@Variant(x), Música\\Rock "_s;
        QTest::newRow("INI specials") << u"a;b,c=d\"e\\f[g]#h"_s;
        QTest::newRow("control characters") << u"a\tb\nc\rd\u0001\u001F\u007F\0" "01"_s;
        QTest::newRow("a list look") << u"a, @b"_s;
        QTest::newRow("beyond the basic plane") << u"\u00A0\U0001F3B5"_s;
        QTest::newRow("a continued-line look") << u"a\\\nb"_s;
        // clang-format on
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        TempStore temp;
        QVERIFY(SettingsStore(u"Purlex"_s, temp.folder()).save(u"Path", text).ok());
        const SettingsStore again(u"Purlex"_s, temp.folder());
        QCOMPARE(again.readProblem(), QString());
        QCOMPARE(again.get(u"Path", u"absent"_s), text);
    }

    void oddFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << u"pipe"_s;
        QTest::newRow("link to a named pipe") << u"linked pipe"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s;
        QTest::newRow("folder") << u"folder"_s;
    }

    void oddFiles()
    {
        QFETCH(QString, kind);
        TempStore temp;
        const QString file = temp.filePath(u"Purlex"_s);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QString pipe = kind == u"linked pipe" ? temp.folder() + u"/pipe"_s : file;
        QVERIFY(OddFiles::make(kind, file, pipe));

        std::optional<SettingsStore> store;
        QVERIFY(OddFiles::returnsWithoutWaiting(
            pipe, [&] { store.emplace(u"Purlex"_s, temp.folder()); }));
        QCOMPARE(store->readProblem(),
            u"The settings file '%1' cannot be read (it is not a regular file); the built-in "
            u"defaults are used."_s.arg(file));
        QCOMPARE(store->get(u"Path", u"C"_s), u"C"_s);
        // A faulty save would replace what the link leads to: never risk a device.
        if (kind == u"zero")
            return;
        Status saved = Status::success();
        QVERIFY(
            OddFiles::returnsWithoutWaiting(pipe, [&] { saved = store->save(u"Path", u"x"_s); }));
        QVERIFY(!saved.ok() && saved.failure().number != 0);
        QCOMPARE(saved.failure().description.section(u'\'', 0, 1),
            u"Cannot save the setting Path to '"_s + file);
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }

    void removalListParse_data()
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

    void removalListParse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Lines, expected);
        const Lines lines = RemovalList::parse(bytes);
        QCOMPARE(lines.items, expected.items);
        QCOMPARE(lines.notTextLines, expected.notTextLines); // the first few, by number
        QCOMPARE(lines.notTextCount, expected.notTextCount);
    }

    void removalListRefused_data()
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

    void removalListRefused()
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

    void removalListLargestIsRead()
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

    void removalListMissingBesideExecutable()
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

    void removalListPlace_data()
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

    void removalListPlace()
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

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
