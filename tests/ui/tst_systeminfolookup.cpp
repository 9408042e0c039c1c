#include "memoryregistry.h"
#include "recordingstarter.h"
#include "systeminfolookup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Tool = u"/opt/sysinfo/tool"_s;
const QString LongTool = u"/"_s + QString(1022, u'a'); // with its NUL exactly 1024 bytes
const QString FolderTool = u"<folder>/MSINFO32.EXE"_s;
const QString Told = u"System Information Is Unavailable At This Time"_s;

} // namespace

class TestSystemInfoLookup final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startSysInfo_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("path"); // registered in try 1; null: none
        QTest::addColumn<int>("folder"); // try 2: 0 none, 1 registered, 2 holding the tool
        QTest::addColumn<QStringList>("outcome"); // programs started, then messages
        const quint32 text = Registry::TextType;
        const auto withNul = [](const QString &path) { return path.toLocal8Bit() + '\0'; };
        // clang-format off
        QTest::newRow("try 1 wins over try 2") << text << withNul(Tool) << 2 << QStringList{Tool};
        QTest::newRow("try 1 without its NUL") << text << Tool.toLocal8Bit() << 2 << QStringList{Tool};
        QTest::newRow("try 1 filling the buffer") << text << withNul(LongTool) << 2 << QStringList{LongTool};
        QTest::newRow("try 1 over 1024 bytes") << text << withNul(LongTool + u'b') << 2 << QStringList{FolderTool};
        QTest::newRow("try 1 names a missing program") << text << withNul(u"/opt/gone"_s) << 2 << QStringList{u"/opt/gone"_s, Told};
        QTest::newRow("try 1 of zero bytes") << text << QByteArray("") << 2 << QStringList{Told};
        QTest::newRow("try 1 a number") << Registry::DwordType << QByteArray("\x0A\x01\x00\x80", 4) << 2 << QStringList{u"2147483914"_s, Told};
        QTest::newRow("try 1 of another type") << quint32(3) << Tool.toLocal8Bit() << 2 << QStringList{QString(), Told};
        QTest::newRow("try 2 holding the tool") << text << QByteArray() << 2 << QStringList{FolderTool};
        QTest::newRow("try 2 without the tool") << text << QByteArray() << 1 << QStringList{Told};
        QTest::newRow("neither") << text << QByteArray() << 0 << QStringList{Told};
        // clang-format on
    }

    void startSysInfo()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, path);
        QFETCH(int, folder);
        QFETCH(QStringList, outcome);
        QTemporaryDir dir;
        const QString folderTool = QString(FolderTool).replace(u"<folder>"_s, dir.path());
        QVERIFY(folder < 2 || QFile(folderTool).open(QIODevice::WriteOnly));
        MemoryRegistry registry;
        registry.keys[u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s][u"PATH"_s] = {type, path};
        if (folder > 0)
            registry.keys[u"SOFTWARE\\Microsoft\\Shared Tools Location"_s][u"MSINFO"_s]
                = {Registry::TextType, dir.path().toLocal8Bit() + '\0'};
        // Every candidate counts as installed, so that only the lookup decides.
        RecordingStarter starter;
        starter.installed = {Tool, LongTool, folderTool};
        SystemInfoLookup(registry, starter, [&](const QString &told) {
            starter.attempts << told;
        }).StartSysInfo();

        QCOMPARE(starter.attempts, outcome.replaceInStrings(u"<folder>"_s, dir.path()));
        QVERIFY(registry.openKeys.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestSystemInfoLookup)
#include "tst_systeminfolookup.moc"
