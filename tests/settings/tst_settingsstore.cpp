#include "settingsstore.h"
#include "tempstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void applicationNameIsExecutableName();
    void locationIsPerApplication();
    void absentKeyGivesDefault();
    void roundTrip_data();
    void roundTrip();
    void fileContentAfterSave();
    void handTypedCommasStayText();
    void malformedStore_data();
    void malformedStore();
    void unwritableStore_data();
    void unwritableStore();
    void writableAgainAfterFailure();
};

void TestSettingsStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettingsStore::applicationNameIsExecutableName()
{
    TempStore temp;
    const QString expected = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QCOMPARE(SettingsStore().applicationName(), expected);
    QCOMPARE(SettingsStore::executableName(), u"tst_settingsstore"_s);
}

void TestSettingsStore::locationIsPerApplication()
{
    TempStore temp;
    QCOMPARE(SettingsStore(u"Purlex"_s).location(), temp.filePath(u"Purlex"_s));
    QCOMPARE(SettingsStore(u"Copy of Purlex"_s).location(), temp.filePath(u"Copy of Purlex"_s));
}

void TestSettingsStore::absentKeyGivesDefault()
{
    TempStore temp;
    QVERIFY(temp.write(u"Purlex"_s, "[Defaults]\nDrive=e\n[Other]\nPath=elsewhere\n"));
    const SettingsStore store(u"Purlex"_s);
    QCOMPARE(store.readProblem(), QString());
    QCOMPARE(store.get(u"Drive", u"C"_s), u"e"_s);
    QCOMPARE(store.get(u"Path", u"fallback"_s), u"fallback"_s);
    QCOMPARE(store.get(u"MaxLength", u"60"_s), u"60"_s);
}

void TestSettingsStore::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty text is a value") << QString();
    QTest::newRow("lower-case drive") << u"e"_s;
    QTest::newRow("backslashes") << u"Music\\Rock"_s;
    QTest::newRow("blanks around") << u"  Old Songs  "_s;
    QTest::newRow("comma") << u"Rock, Pop"_s;
    QTest::newRow("equals and semicolon") << u"a=b;c"_s;
    QTest::newRow("quote and hash") << u"\"x\" #1"_s;
    QTest::newRow("starts with at sign") << u"@Variant(x)"_s;
    QTest::newRow("non-latin") << u"Música\\日本"_s;
}

void TestSettingsStore::roundTrip()
{
    QFETCH(QString, text);
    TempStore temp;
    {
        SettingsStore store(u"Purlex"_s);
        QVERIFY(store.save(u"Path", text).ok());
    }
    // A new store reads what the file holds, not what a cache remembers.
    QCOMPARE(SettingsStore(u"Purlex"_s).get(u"Path", u"absent"_s), text);
}

void TestSettingsStore::fileContentAfterSave()
{
    TempStore temp;
    SettingsStore store(u"Purlex"_s);
    QVERIFY(store.save(u"Copy", u"False"_s).ok());
    QVERIFY(store.save(u"MaxLength", u"240"_s).ok());
    QVERIFY(store.save(u"Drive", u"e"_s).ok());
    QVERIFY(store.save(u"Copy", u"True"_s).ok());

    const QByteArray content = temp.read(u"Purlex"_s);
    QVERIFY2(content.startsWith("[Defaults]\n"), content.constData());
    QVERIFY2(content.contains("\nCopy=True\n"), content.constData());
    QVERIFY2(content.contains("\nMaxLength=240\n"), content.constData());
    QVERIFY2(content.contains("\nDrive=e\n"), content.constData());
    QVERIFY2(!content.contains("False"), content.constData());
}

void TestSettingsStore::handTypedCommasStayText()
{
    TempStore temp;
    QVERIFY(temp.write(u"Purlex"_s, "[Defaults]\nPath=Rock, Pop\n"));
    QCOMPARE(SettingsStore(u"Purlex"_s).get(u"Path", QString()), u"Rock, Pop"_s);
}

void TestSettingsStore::malformedStore_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("line without equals sign") << QByteArray("[Defaults]\nDrive=e\ngarbage\n");
    QTest::newRow("unclosed section") << QByteArray("[Defaults\nDrive=e\n");
}

void TestSettingsStore::malformedStore()
{
    QFETCH(QByteArray, content);
    TempStore temp;
    QVERIFY(temp.write(u"Purlex"_s, content));

    SettingsStore store(u"Purlex"_s);
    QVERIFY(store.readProblem().contains(QDir::toNativeSeparators(store.location())));
    QCOMPARE(store.get(u"Drive", u"C"_s), u"C"_s);
    // Saving still works and leaves a file that reads cleanly.
    QVERIFY(store.save(u"Copy", u"False"_s).ok());
    const SettingsStore reread(u"Purlex"_s);
    QCOMPARE(reread.readProblem(), QString());
    QCOMPARE(reread.get(u"Copy", u"True"_s), u"False"_s);
}

void TestSettingsStore::unwritableStore_data()
{
    QTest::addColumn<QString>("blocker"); // below the settings folder
    QTest::addColumn<bool>("asFolder"); // else a regular file
    QTest::addColumn<QString>("reasonPart");

    // Things standing where the store must go: permission bits would not
    // stop a test that runs as root, these do.
    QTest::newRow("application folder is a file") << u"Purlex"_s << false << u"is a file"_s;
    QTest::newRow("settings folder is a file") << u"config"_s << false << u"is a file"_s;
    QTest::newRow("store file is a folder")
        << u"Purlex/Purlex.conf"_s << true << u"folder stands in place"_s;
}

void TestSettingsStore::unwritableStore()
{
    QFETCH(QString, blocker);
    QFETCH(bool, asFolder);
    QFETCH(QString, reasonPart);
    TempStore temp;
    const QString path = QDir(temp.folder()).filePath(blocker);
    if (blocker == u"config")
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    if (asFolder)
        QVERIFY(QDir().mkpath(path));
    else
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));

    SettingsStore store(u"Purlex"_s);
    const Status saved = store.save(u"MaxLength", u"61"_s);
    QVERIFY(!saved.ok());
    QVERIFY2(saved.failure().description.contains(QDir::toNativeSeparators(store.location())),
        qPrintable(saved.failure().description));
    QVERIFY2(saved.failure().description.contains(u"MaxLength"_s),
        qPrintable(saved.failure().description));
    QVERIFY2(
        saved.failure().description.contains(reasonPart), qPrintable(saved.failure().description));
    QVERIFY(saved.failure().number != 0);
}

void TestSettingsStore::writableAgainAfterFailure()
{
    TempStore temp;
    const QString blocker = temp.folder() + u"/Purlex"_s;
    QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
    SettingsStore store(u"Purlex"_s);
    QVERIFY(!store.save(u"Copy", u"False"_s).ok());

    // Once the user clears the way, the same store saves again.
    QVERIFY(QFile::remove(blocker));
    QVERIFY(store.save(u"Copy", u"False"_s).ok());
    QCOMPARE(SettingsStore(u"Purlex"_s).get(u"Copy", u"True"_s), u"False"_s);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
