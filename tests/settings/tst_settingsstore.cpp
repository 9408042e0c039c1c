#include "settingsstore.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void plainTextUnderExecutableName();
    void handTypedFile();
    void unwritable();
};

void TestSettingsStore::plainTextUnderExecutableName()
{
    TempStore temp;
    SettingsStore store;
    QCOMPARE(store.location(), temp.filePath(u"tst_settingsstore"_s));
    // Text the native format would otherwise read as a list or a variant.
    const QString odd = u"@Variant(x), Música\\Rock "_s;
    QVERIFY(store.save(u"MaxLength", u"240"_s).ok() && store.save(u"Copy", u"False"_s).ok());
    QCOMPARE(temp.read(u"tst_settingsstore"_s), "[Defaults]\nCopy=False\nMaxLength=240\n");
    QVERIFY(store.save(u"Drive", odd).ok() && store.save(u"Path", QString()).ok());
    const SettingsStore again;
    QCOMPARE(again.get(u"Drive", u"C"_s), odd);
    QCOMPARE(again.get(u"Path", u"C"_s), QString());
}

void TestSettingsStore::handTypedFile()
{
    TempStore temp;
    QVERIFY(temp.write(u"Purlex"_s, "[Defaults]\nPath=Rock, Pop\n"));
    QCOMPARE(SettingsStore(u"Purlex"_s).get(u"Path", u"C"_s), u"Rock, Pop"_s);

    QVERIFY(temp.write(u"Purlex"_s, "[Defaults]\nPath=x\na broken line\n"));
    SettingsStore store(u"Purlex"_s);
    QCOMPARE(store.readProblem().section(u'\'', 1, 1), store.location());
    QCOMPARE(store.get(u"Path", u"C"_s), u"C"_s);
    // Saving mends the file.
    QVERIFY(store.save(u"Copy", u"False"_s).ok());
    QCOMPARE(SettingsStore(u"Purlex"_s).readProblem(), QString());
}

void TestSettingsStore::unwritable()
{
    // Permission bits would not stop a test run as root; these do.
    TempStore temp;
    SettingsStore store(u"Purlex"_s);
    const QString folder = temp.folder() + u"/Purlex"_s;
    QVERIFY(QFile(folder).open(QIODevice::WriteOnly)); // a file in place of the store's folder
    const Status blocked = store.save(u"MaxLength", u"61"_s);
    QVERIFY(QFile::remove(folder) && QDir().mkpath(store.location())); // a folder in place of it
    for (const Status &saved : {blocked, store.save(u"MaxLength", u"61"_s)}) {
        QVERIFY(!saved.ok() && saved.failure().number != 0);
        QCOMPARE(saved.failure().description.section(u'\'', 0, 1),
            u"Cannot save the setting MaxLength to '"_s + store.location());
    }
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
