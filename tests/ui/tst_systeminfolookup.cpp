#include "memoryregistry.h"
#include "recordingstarter.h"
#include "systeminfolookup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString ToolPathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString ToolFolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString Unavailable = u"System Information Is Unavailable At This Time"_s;
const QString RegisteredTool = u"/opt/sysinfo/tool"_s;
const QString LongTool = u"/"_s + QString(1022, u'a'); // with its NUL exactly 1024 bytes

QByteArray textBytes(const QString &text)
{
    return text.toLocal8Bit() + '\0';
}

// Stands for the folder that the second place names.
const QString Folder = u"<folder>"_s;

} // namespace

class TestSystemInfoLookup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startSysInfo_data();
    void startSysInfo();
    void getKeyValue_data();
    void getKeyValue();
    void zeroByteValueIsAFailure();
};

void TestSystemInfoLookup::startSysInfo_data()
{
    QTest::addColumn<quint32>("pathType");
    QTest::addColumn<QByteArray>("pathBytes"); // null: no such value
    QTest::addColumn<bool>("folderRegistered");
    QTest::addColumn<bool>("toolInFolder");
    QTest::addColumn<QStringList>("expectedStarts");
    QTest::addColumn<QStringList>("expectedKeys");
    QTest::addColumn<bool>("expectMessage");

    const quint32 text = Registry::TextType;
    const QStringList both{ToolPathKey, ToolFolderKey};
    const QString folderTool = Folder + u"/MSINFO32.EXE"_s;

    QTest::newRow("registered path wins over folder")
        << text << textBytes(RegisteredTool) << true << true << QStringList{RegisteredTool}
        << QStringList{ToolPathKey} << false;
    QTest::newRow("only folder, tool in it")
        << text << QByteArray() << true << true << QStringList{folderTool} << both << false;
    QTest::newRow("only folder, tool missing")
        << text << QByteArray() << true << false << QStringList{} << both << true;
    QTest::newRow("neither registered")
        << text << QByteArray() << false << false << QStringList{} << both << true;
    QTest::newRow("registered path names a missing program")
        << text << textBytes(u"/opt/gone/tool"_s) << true << true
        << QStringList{u"/opt/gone/tool"_s} << QStringList{ToolPathKey} << true;
    QTest::newRow("registered path stored with no bytes")
        << text << QByteArray("") << true << true << QStringList{} << QStringList{ToolPathKey}
        << true;
    QTest::newRow("registered path too long for the buffer")
        << text << textBytes(LongTool + u'b') << true << true << QStringList{folderTool} << both
        << false;
    QTest::newRow("registered path filling the buffer exactly")
        << text << textBytes(LongTool) << true << true << QStringList{LongTool}
        << QStringList{ToolPathKey} << false;
    QTest::newRow("registered path of another type leaves nothing to start")
        << quint32(3) << RegisteredTool.toLocal8Bit() << true << true << QStringList{QString()}
        << QStringList{ToolPathKey} << true;
}

void TestSystemInfoLookup::startSysInfo()
{
    QFETCH(quint32, pathType);
    QFETCH(QByteArray, pathBytes);
    QFETCH(bool, folderRegistered);
    QFETCH(bool, toolInFolder);
    QFETCH(QStringList, expectedStarts);
    QFETCH(QStringList, expectedKeys);
    QFETCH(bool, expectMessage);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString folderTool = folder.path() + u"/MSINFO32.EXE"_s;
    if (toolInFolder) {
        QFile tool(folderTool);
        QVERIFY(tool.open(QIODevice::WriteOnly));
    }

    MemoryRegistry registry;
    if (!pathBytes.isNull())
        registry.setValue(ToolPathKey, u"PATH"_s, pathType, pathBytes);
    if (folderRegistered)
        registry.setText(ToolFolderKey, u"MSINFO"_s, folder.path());

    // Both programs count as installed, so that only the lookup decides.
    RecordingStarter starter;
    starter.install(RegisteredTool);
    starter.install(LongTool);
    starter.install(folderTool);

    QStringList messages;
    SystemInfoLookup lookup(
        registry, starter, [&messages](const QString &message) { messages.append(message); });
    lookup.StartSysInfo();

    expectedStarts.replaceInStrings(Folder, folder.path());
    QCOMPARE(starter.attempts(), expectedStarts);
    QCOMPARE(registry.askedKeys(), expectedKeys);
    QCOMPARE(messages, expectMessage ? QStringList{Unavailable} : QStringList{});
    QCOMPARE(registry.openKeyCount(), 0);
}

void TestSystemInfoLookup::getKeyValue_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("bytes"); // null: no such value
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("expectedFound");
    QTest::addColumn<QString>("expectedValue");

    const quint32 text = Registry::TextType;
    const quint32 dword = Registry::DwordType;

    QTest::newRow("text with its NUL") << text << QByteArray("C:\\Tools\\info.exe", 18) << QString()
                                       << true << u"C:\\Tools\\info.exe"_s;
    QTest::newRow("text without a NUL") << text << QByteArray("C:\\Tools\\info.exe") << QString()
                                        << true << u"C:\\Tools\\info.exe"_s;
    QTest::newRow("empty text") << text << QByteArray("", 1) << u"stale"_s << true << QString();
    QTest::newRow("text over 1024 bytes")
        << text << QByteArray(1025, 'x') << u"stale"_s << false << QString();
    QTest::newRow("text of 1024 bytes")
        << text << QByteArray(1024, 'x') << QString() << true << QString(1024, u'x');
    QTest::newRow("number") << dword << QByteArray("\x2A\x00\x00\x00", 4) << QString() << true
                            << u"42"_s;
    QTest::newRow("number with a zero digit inside")
        << dword << QByteArray("\x0A\x01\x00\x00", 4) << QString() << true << u"266"_s;
    QTest::newRow("number with its high byte set")
        << dword << QByteArray("\x00\x00\x00\x80", 4) << QString() << true << u"2147483648"_s;
    QTest::newRow("largest number")
        << dword << QByteArray("\xFF\xFF\xFF\xFF", 4) << QString() << true << u"4294967295"_s;
    QTest::newRow("other type leaves the value")
        << quint32(3) << QByteArray("\x01\x02", 2) << u"kept"_s << true << u"kept"_s;
    QTest::newRow("missing value") << text << QByteArray() << u"stale"_s << false << QString();
}

void TestSystemInfoLookup::getKeyValue()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, before);
    QFETCH(bool, expectedFound);
    QFETCH(QString, expectedValue);

    MemoryRegistry registry;
    registry.setValue(ToolPathKey, u"Other"_s, Registry::TextType, textBytes(u"x"_s));
    if (!bytes.isNull())
        registry.setValue(ToolPathKey, u"PATH"_s, type, bytes);
    RecordingStarter starter;
    SystemInfoLookup lookup(registry, starter, [](const QString &) {});

    QString value = before;
    const Result<bool> found
        = lookup.GetKeyValue(Registry::LocalMachine, ToolPathKey, u"path"_s, value);
    QVERIFY(found.ok());
    QCOMPARE(found.value(), expectedFound);
    QCOMPARE(value, expectedValue);
    QCOMPARE(registry.openKeyCount(), 0);
}

void TestSystemInfoLookup::zeroByteValueIsAFailure()
{
    MemoryRegistry registry;
    registry.setValue(ToolPathKey, u"PATH"_s, Registry::TextType, QByteArray(""));
    RecordingStarter starter;
    SystemInfoLookup lookup(registry, starter, [](const QString &) {});

    QString value;
    const Result<bool> found
        = lookup.GetKeyValue(Registry::LocalMachine, ToolPathKey, u"PATH"_s, value);
    QVERIFY(!found.ok());
    QCOMPARE(registry.openKeyCount(), 0);
}

QTEST_APPLESS_MAIN(TestSystemInfoLookup)

#include "tst_systeminfolookup.moc"
