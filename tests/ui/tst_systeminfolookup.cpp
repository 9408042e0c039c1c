#include "memoryregistry.h"
#include "recordingstarter.h"
#include "systeminfolookup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString PathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString FolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString Tool = u"/opt/sysinfo/tool"_s;
const QString LongTool = u"/"_s + QString(1022, u'a'); // with its NUL exactly 1024 bytes
const QString FolderTool = u"<folder>/MSINFO32.EXE"_s;

QByteArray withNul(const QString &text)
{
    return text.toLocal8Bit() + '\0';
}

} // namespace

class TestSystemInfoLookup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startSysInfo_data();
    void startSysInfo();
    void getKeyValue_data();
    void getKeyValue();
};

void TestSystemInfoLookup::startSysInfo_data()
{
    QTest::addColumn<quint32>("pathType");
    QTest::addColumn<QByteArray>("pathBytes"); // null: no such value
    QTest::addColumn<bool>("folderRegistered");
    QTest::addColumn<bool>("toolInFolder");
    QTest::addColumn<QStringList>("expectedStarts");
    QTest::addColumn<bool>("triesFolder");
    QTest::addColumn<bool>("tellsUser");

    const quint32 text = Registry::TextType;
    QTest::newRow("registered path wins over folder")
        << text << withNul(Tool) << true << true << QStringList{Tool} << false << false;
    QTest::newRow("only folder, tool in it")
        << text << QByteArray() << true << true << QStringList{FolderTool} << true << false;
    QTest::newRow("only folder, tool missing")
        << text << QByteArray() << true << false << QStringList{} << true << true;
    QTest::newRow("neither registered")
        << text << QByteArray() << false << false << QStringList{} << true << true;
    QTest::newRow("registered path names a missing program")
        << text << withNul(u"/opt/gone"_s) << true << true << QStringList{u"/opt/gone"_s} << false
        << true;
    QTest::newRow("registered path stored with no bytes")
        << text << QByteArray("") << true << true << QStringList{} << false << true;
    QTest::newRow("registered path too long for the buffer")
        << text << withNul(LongTool + u'b') << true << true << QStringList{FolderTool} << true
        << false;
    QTest::newRow("registered path filling the buffer exactly")
        << text << withNul(LongTool) << true << true << QStringList{LongTool} << false << false;
    QTest::newRow("registered path of another type leaves nothing to start")
        << quint32(3) << Tool.toLocal8Bit() << true << true << QStringList{QString()} << false
        << true;
}

void TestSystemInfoLookup::startSysInfo()
{
    QFETCH(quint32, pathType);
    QFETCH(QByteArray, pathBytes);
    QFETCH(bool, folderRegistered);
    QFETCH(bool, toolInFolder);
    QFETCH(QStringList, expectedStarts);
    QFETCH(bool, triesFolder);
    QFETCH(bool, tellsUser);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString folderTool = QString(FolderTool).replace(u"<folder>"_s, folder.path());
    QFile tool(folderTool);
    QVERIFY(!toolInFolder || tool.open(QIODevice::WriteOnly));

    MemoryRegistry registry;
    if (!pathBytes.isNull())
        registry.setValue(PathKey, u"PATH"_s, pathType, pathBytes);
    if (folderRegistered)
        registry.setText(FolderKey, u"MSINFO"_s, folder.path());
    // Every candidate counts as installed, so that only the lookup decides.
    RecordingStarter starter;
    for (const QString &program : {Tool, LongTool, folderTool})
        starter.install(program);
    QStringList messages;
    SystemInfoLookup lookup(registry, starter, [&](const QString &text) { messages.append(text); });

    lookup.StartSysInfo();

    QCOMPARE(starter.attempts(), expectedStarts.replaceInStrings(u"<folder>"_s, folder.path()));
    const QStringList asked = triesFolder ? QStringList{PathKey, FolderKey} : QStringList{PathKey};
    QCOMPARE(registry.askedKeys(), asked);
    QCOMPARE(messages,
        tellsUser ? QStringList{u"System Information Is Unavailable At This Time"_s}
                  : QStringList{});
    QCOMPARE(registry.openKeyCount(), 0);
}

void TestSystemInfoLookup::getKeyValue_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("bytes"); // null: no such value
    QTest::addColumn<bool>("expectedFound");
    QTest::addColumn<QString>("expectedValue"); // the value held "kept" before

    const quint32 text = Registry::TextType;
    const quint32 dword = Registry::DwordType;
    QTest::newRow("text with its NUL")
        << text << QByteArray("C:\\x.exe", 9) << true << u"C:\\x.exe"_s;
    QTest::newRow("text without a NUL")
        << text << QByteArray("C:\\x.exe") << true << u"C:\\x.exe"_s;
    QTest::newRow("number") << dword << QByteArray("\x2A\x00\x00\x00", 4) << true << u"42"_s;
    QTest::newRow("number with a zero digit inside")
        << dword << QByteArray("\x0A\x01\x00\x00", 4) << true << u"266"_s;
    QTest::newRow("largest number")
        << dword << QByteArray("\xFF\xFF\xFF\xFF", 4) << true << u"4294967295"_s;
    QTest::newRow("other type leaves the value")
        << quint32(3) << QByteArray("\x01", 1) << true << u"kept"_s;
    QTest::newRow("missing value empties it") << text << QByteArray() << false << QString();
}

void TestSystemInfoLookup::getKeyValue()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expectedFound);
    QFETCH(QString, expectedValue);

    MemoryRegistry registry;
    registry.setText(PathKey, u"Other"_s, u"x"_s);
    if (!bytes.isNull())
        registry.setValue(PathKey, u"PATH"_s, type, bytes);
    RecordingStarter starter;
    SystemInfoLookup lookup(registry, starter, [](const QString &) {});

    QString value = u"kept"_s;
    const Result<bool> found
        = lookup.GetKeyValue(Registry::LocalMachine, PathKey, u"path"_s, value);
    QVERIFY(found.ok());
    QCOMPARE(found.value(), expectedFound);
    QCOMPARE(value, expectedValue);
}

QTEST_APPLESS_MAIN(TestSystemInfoLookup)

#include "tst_systeminfolookup.moc"
