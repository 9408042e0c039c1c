#include "defaultsreader.h"
#include "defaultstable.h"
#include "settingsstore.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using StoredTexts = QMap<QString, QString>;

// Found by QCOMPARE through argument-dependent lookup.
char *toString(const SavedDefaults &d)
{
    QString switches;
    for (bool on : {d.gIncSub, d.gReadOnly, d.gUnderline, d.gMultSpecial, d.gMultSpace, d.gEmpty,
             d.gCopy, d.gStarting, d.gEnding})
        switches += on ? u'1' : u'0';
    return qstrdup(qPrintable(u"Drive=%1 Path=%2 MaxLen=%3 MaxCnt=%4 switches=%5"_s.arg(
        d.gDrive, d.gPath, QString::number(d.gMaxLen), QString::number(d.gMaxCnt), switches)));
}

namespace {

SavedDefaults with(auto change)
{
    SavedDefaults d;
    change(d);
    return d;
}

} // namespace

class TestDefaultsReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tableMatchesBuiltInDefaults();
    void tableOrderAndKeys();
    void storedTexts_data();
    void storedTexts();
    void read_data();
    void read();
};

void TestDefaultsReader::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

// The table's default texts are what an empty store reads as; they must
// come out as the struct's built-in values, or a first run would differ
// from a default-constructed SavedDefaults.
void TestDefaultsReader::tableMatchesBuiltInDefaults()
{
    TempStore temp;
    const DefaultsReading reading = DefaultsReader::read(SettingsStore(u"Purlex"_s));
    QCOMPARE(reading.values, SavedDefaults());
    QCOMPARE(reading.problems, QStringList());
    for (const DefaultSetting &setting : DefaultsTable::all())
        QCOMPARE(DefaultsTable::storedText(SavedDefaults(), setting), setting.defaultText);
}

void TestDefaultsReader::tableOrderAndKeys()
{
    QStringList keys;
    for (const DefaultSetting &setting : DefaultsTable::all())
        keys.append(setting.key.toString());
    QCOMPARE(keys,
        QStringList({u"Drive"_s, u"Path"_s, u"MaxLength"_s, u"IncSubDirs"_s, u"MaxCount"_s,
            u"ReadOnly"_s, u"Underline"_s, u"MultSpecial"_s, u"MultSpace"_s, u"Empty"_s, u"Copy"_s,
            u"Starting"_s, u"Ending"_s}));

    // Each switch reaches its own member: turning one off changes only it.
    const QList<std::pair<SwitchId, bool SavedDefaults::*>> members = {
        {SwitchId::IncludeSubdirs, &SavedDefaults::gIncSub},
        {SwitchId::ReadOnly, &SavedDefaults::gReadOnly},
        {SwitchId::MultSpace, &SavedDefaults::gMultSpace},
        {SwitchId::MultSpecial, &SavedDefaults::gMultSpecial},
        {SwitchId::Empty, &SavedDefaults::gEmpty},
        {SwitchId::Underline, &SavedDefaults::gUnderline},
        {SwitchId::Copy, &SavedDefaults::gCopy},
        {SwitchId::Starting, &SavedDefaults::gStarting},
        {SwitchId::Ending, &SavedDefaults::gEnding},
    };
    for (const auto &[id, member] : members) {
        SavedDefaults d;
        DefaultsTable::switchValue(d, id) = false;
        SavedDefaults expected;
        expected.*member = false;
        QCOMPARE(d, expected);
    }
    QCOMPARE(DefaultsTable::forSwitch(SwitchId::Underline).key, u"Underline");
    QCOMPARE(DefaultsTable::forKey(u"MaxCount")->defaultText, u"1000");
    QCOMPARE(DefaultsTable::forKey(u"maxcount"), nullptr);
}

void TestDefaultsReader::storedTexts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<SavedDefaults>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("switch off") << u"Copy"_s << with([](auto &d) { d.gCopy = false; })
                                << u"False"_s;
    QTest::newRow("switch on") << u"Ending"_s << SavedDefaults() << u"True"_s;
    QTest::newRow("number") << u"MaxLength"_s << with([](auto &d) { d.gMaxLen = 240; }) << u"240"_s;
    QTest::newRow("negative number")
        << u"MaxCount"_s << with([](auto &d) { d.gMaxCnt = -5; }) << u"-5"_s;
    QTest::newRow("drive as entered")
        << u"Drive"_s << with([](auto &d) { d.gDrive = u"e"_s; }) << u"e"_s;
    QTest::newRow("path as entered")
        << u"Path"_s << with([](auto &d) { d.gPath = u"Music\\Rock"_s; }) << u"Music\\Rock"_s;
}

void TestDefaultsReader::storedTexts()
{
    QFETCH(QString, key);
    QFETCH(SavedDefaults, values);
    QFETCH(QString, expected);
    QCOMPARE(DefaultsTable::storedText(values, *DefaultsTable::forKey(key)), expected);
}

void TestDefaultsReader::read_data()
{
    QTest::addColumn<StoredTexts>("stored");
    QTest::addColumn<SavedDefaults>("expected");
    QTest::addColumn<QStringList>("problemParts"); // one row per expected problem

    QTest::newRow("empty store") << StoredTexts{} << SavedDefaults() << QStringList();
    QTest::newRow("Copy False") << StoredTexts{{u"Copy"_s, u"False"_s}}
                                << with([](auto &d) { d.gCopy = false; }) << QStringList();
    QTest::newRow("IncSubDirs lower-case false")
        << StoredTexts{{u"IncSubDirs"_s, u"false"_s}} << with([](auto &d) { d.gIncSub = false; })
        << QStringList();
    QTest::newRow("Boolean number zero")
        << StoredTexts{{u"Empty"_s, u"0"_s}} << with([](auto &d) { d.gEmpty = false; })
        << QStringList();
    QTest::newRow("Boolean number nonzero")
        << StoredTexts{{u"Empty"_s, u"-1"_s}} << SavedDefaults() << QStringList();
    QTest::newRow("drive and path as stored") << StoredTexts{{u"Drive"_s, u"e"_s},
        {u"Path"_s, u"Music\\Rock"_s}} << with([](auto &d) {
        d.gDrive = u"e"_s;
        d.gPath = u"Music\\Rock"_s;
    }) << QStringList();
    QTest::newRow("MaxLength 250 has no range")
        << StoredTexts{{u"MaxLength"_s, u"250"_s}} << with([](auto &d) { d.gMaxLen = 250; })
        << QStringList();
    QTest::newRow("60.5 rounds to even 60")
        << StoredTexts{{u"MaxLength"_s, u"60.5"_s}} << with([](auto &d) { d.gMaxLen = 60; })
        << QStringList();
    QTest::newRow("61.5 rounds to even 62")
        << StoredTexts{{u"MaxLength"_s, u"61.5"_s}} << with([](auto &d) { d.gMaxLen = 62; })
        << QStringList();
    QTest::newRow("MaxCount abc reads 0") << StoredTexts{{u"MaxCount"_s, u"abc"_s}}
                                          << with([](auto &d) { d.gMaxCnt = 0; }) << QStringList();
    QTest::newRow("MaxCount empty reads 0")
        << StoredTexts{{u"MaxCount"_s, u""_s}} << with([](auto &d) { d.gMaxCnt = 0; })
        << QStringList();
    QTest::newRow("leading number with letters")
        << StoredTexts{{u"MaxCount"_s, u"75 files"_s}} << with([](auto &d) { d.gMaxCnt = 75; })
        << QStringList();
    QTest::newRow("16-bit edges") << StoredTexts{{u"MaxLength"_s, u"32767"_s},
        {u"MaxCount"_s, u"-32768.4"_s}}
                                  << with([](auto &d) {
                                         d.gMaxLen = 32767;
                                         d.gMaxCnt = -32768;
                                     })
                                  << QStringList();
    QTest::newRow("Boolean maybe keeps True") << StoredTexts{{u"Starting"_s, u"maybe"_s}}
                                              << SavedDefaults() << QStringList{u"Starting"_s};
    QTest::newRow("99999 keeps 60") << StoredTexts{{u"MaxLength"_s, u"99999"_s}} << SavedDefaults()
                                    << QStringList{u"MaxLength"_s};
    QTest::newRow("32767.5 rounds out of range") << StoredTexts{{u"MaxCount"_s, u"32767.5"_s}}
                                                 << SavedDefaults() << QStringList{u"MaxCount"_s};
    QTest::newRow("both bad, others read")
        << StoredTexts{{u"Copy"_s, u"False"_s}, {u"Ending"_s, u"yes"_s},
               {u"MaxCount"_s, u"-40000"_s}}
        << with([](auto &d) { d.gCopy = false; }) << QStringList{u"MaxCount"_s, u"Ending"_s};
}

void TestDefaultsReader::read()
{
    QFETCH(StoredTexts, stored);
    QFETCH(SavedDefaults, expected);
    QFETCH(QStringList, problemParts);
    TempStore temp;
    SettingsStore store(u"Purlex"_s);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        QVERIFY(store.save(it.key(), it.value()).ok());

    const DefaultsReading reading = DefaultsReader::read(SettingsStore(u"Purlex"_s));
    QCOMPARE(reading.values, expected);
    QCOMPARE(reading.problems.size(), problemParts.size());
    for (qsizetype i = 0; i < problemParts.size(); ++i) {
        QVERIFY2(reading.problems[i].contains(problemParts[i]), qPrintable(reading.problems[i]));
        // Each names the stored text and what is used instead.
        QVERIFY2(reading.problems[i].contains(stored.value(problemParts[i])),
            qPrintable(reading.problems[i]));
        QVERIFY2(reading.problems[i].contains(
                     DefaultsTable::forKey(problemParts[i])->defaultText.toString()
                     + u" is used instead"_s),
            qPrintable(reading.problems[i]));
    }
}

QTEST_GUILESS_MAIN(TestDefaultsReader)
#include "tst_defaultsreader.moc"
