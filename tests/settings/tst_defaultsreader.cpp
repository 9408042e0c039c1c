#include "defaultsreader.h"
#include "settingsstore.h"
#include "settingstexts.h"
#include "tempstore.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using StoredTexts = QMap<QString, QString>;

class TestDefaultsReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void read_data();
    void read();
};

void TestDefaultsReader::read_data()
{
    QTest::addColumn<StoredTexts>("stored");
    // Drive|Path|MaxLength|MaxCount|IncSubDirs ReadOnly Underline MultSpecial
    // MultSpace Empty Copy Starting Ending
    QTest::addColumn<QString>("values");
    QTest::addColumn<QStringList>("problems");
    using namespace SettingsTexts;
    // clang-format off
    QTest::newRow("empty store") << StoredTexts{} << u"C||60|1000|111111111"_s << QStringList();
    QTest::newRow("Booleans in any case, numbers as Booleans") << StoredTexts{{u"Copy"_s, u"False"_s}, {u"IncSubDirs"_s, u"false"_s}, {u"Empty"_s, u"0"_s}, {u"Ending"_s, u"-1"_s}} << u"C||60|1000|011110011"_s << QStringList();
    QTest::newRow("texts as stored, no range") << StoredTexts{{u"Drive"_s, u"e"_s}, {u"Path"_s, u"Music\\Rock"_s}, {u"MaxLength"_s, u"250"_s}, {u"MaxCount"_s, u"75 files"_s}} << u"e|Music\\Rock|250|75|111111111"_s << QStringList();
    QTest::newRow("halves to even") << StoredTexts{{u"MaxLength"_s, u"60.5"_s}, {u"MaxCount"_s, u"61.5"_s}} << u"C||60|62|111111111"_s << QStringList();
    QTest::newRow("no number reads 0") << StoredTexts{{u"MaxLength"_s, u""_s}, {u"MaxCount"_s, u"abc"_s}} << u"C||0|0|111111111"_s << QStringList();
    QTest::newRow("16-bit edges") << StoredTexts{{u"MaxLength"_s, u"32767"_s}, {u"MaxCount"_s, u"-32768.4"_s}} << u"C||32767|-32768|111111111"_s << QStringList();
    QTest::newRow("unusable values keep the built-in ones") << StoredTexts{{u"Starting"_s, u"maybe"_s}, {u"MaxLength"_s, u"99999"_s}, {u"MaxCount"_s, u"32767.5"_s}, {u"Copy"_s, u"False"_s}} << u"C||60|1000|111111011"_s
        << QStringList{numberOutOfRange(u"MaxLength", u"99999"_s, u"60"_s), numberOutOfRange(u"MaxCount", u"32767.5"_s, u"1000"_s), notBoolean(u"Starting", u"maybe"_s, u"True"_s)};
    const QString sixty(60, u'y');
    const QString note = u"', which is neither True, False nor a number; True is used instead."_s;
    QTest::newRow("long values quoted in part") << StoredTexts{{u"Copy"_s, sixty}, {u"Starting"_s, sixty + u'z'}, {u"Ending"_s, sixty.first(59) + u"\U0001F3B5"_s}} << u"C||60|1000|111111111"_s
        << QStringList{u"The stored setting Copy is '"_s + sixty + note, u"The stored setting Starting is '"_s + sixty + u"..."_s + note, u"The stored setting Ending is '"_s + sixty.first(59) + u"..."_s + note};
    // clang-format on
}

void TestDefaultsReader::read()
{
    QFETCH(StoredTexts, stored);
    QFETCH(QString, values);
    QFETCH(QStringList, problems);
    TempStore temp;
    SettingsStore store(u"Purlex"_s, temp.folder());
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        QVERIFY(store.save(it.key(), it.value()).ok());

    const DefaultsReading reading = DefaultsReader::read(store);
    const SavedDefaults &d = reading.values;
    QString read = u"%1|%2|%3|%4|"_s.arg(d.gDrive, d.gPath).arg(d.gMaxLen).arg(d.gMaxCnt);
    for (bool on : {d.gIncSub, d.gReadOnly, d.gUnderline, d.gMultSpecial, d.gMultSpace, d.gEmpty,
             d.gCopy, d.gStarting, d.gEnding})
        read += on ? u'1' : u'0';
    QCOMPARE(read, values);
    QCOMPARE(reading.problems, problems);
}

QTEST_GUILESS_MAIN(TestDefaultsReader)
#include "tst_defaultsreader.moc"
