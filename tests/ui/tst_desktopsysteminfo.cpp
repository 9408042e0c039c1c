#include "programstarter.h"
#include "recordingstarter.h"
#include "registry.h"
#include "systeminfolookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &content, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    return file.setPermissions(permissions);
}

} // namespace

// The desktop's stand-ins for the registry and the program launcher.
class TestDesktopSystemInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void toolOnSearchPath_data();
    void toolOnSearchPath();
    void startRefuses_data();
    void startRefuses();
    void startRunsProgramWithoutArguments();

private:
    QByteArray m_searchPath;
};

void TestDesktopSystemInfo::init()
{
    m_searchPath = qgetenv("PATH");
}

void TestDesktopSystemInfo::cleanup()
{
    qputenv("PATH", m_searchPath);
}

void TestDesktopSystemInfo::toolOnSearchPath_data()
{
    QTest::addColumn<QStringList>("executables");
    QTest::addColumn<QStringList>("plainFiles");
    QTest::addColumn<QString>("expected"); // empty: the user is told

    QTest::newRow("none installed") << QStringList{} << QStringList{} << QString();
    QTest::newRow("only the monitor")
        << QStringList{u"gnome-system-monitor"_s} << QStringList{} << u"gnome-system-monitor"_s;
    QTest::newRow("hardware report before the monitor")
        << QStringList{u"gnome-system-monitor"_s, u"hardinfo"_s} << QStringList{} << u"hardinfo"_s;
    QTest::newRow("info center first")
        << QStringList{u"gnome-system-monitor"_s, u"hardinfo"_s, u"kinfocenter"_s} << QStringList{}
        << u"kinfocenter"_s;
    QTest::newRow("a file that cannot run is skipped")
        << QStringList{u"hardinfo"_s} << QStringList{u"kinfocenter"_s} << u"hardinfo"_s;
    QTest::newRow("other programs do not count")
        << QStringList{u"msinfo32"_s, u"MSINFO32.EXE"_s} << QStringList{} << QString();
}

void TestDesktopSystemInfo::toolOnSearchPath()
{
    QFETCH(QStringList, executables);
    QFETCH(QStringList, plainFiles);
    QFETCH(QString, expected);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    for (const QString &name : std::as_const(executables))
        QVERIFY(writeFile(bin.filePath(name), "#!/bin/sh\n", true));
    for (const QString &name : std::as_const(plainFiles))
        QVERIFY(writeFile(bin.filePath(name), "#!/bin/sh\n", false));
    qputenv("PATH", QFile::encodeName(bin.path()));

    const std::unique_ptr<Registry> registry = createSystemRegistry();
    RecordingStarter starter;
    starter.install(bin.filePath(expected));
    QStringList messages;
    SystemInfoLookup lookup(
        *registry, starter, [&messages](const QString &message) { messages.append(message); });
    lookup.StartSysInfo();

    if (expected.isEmpty()) {
        QCOMPARE(starter.attempts(), QStringList{});
        QCOMPARE(messages, QStringList{u"System Information Is Unavailable At This Time"_s});
    } else {
        QCOMPARE(starter.attempts(), QStringList{bin.filePath(expected)});
        QCOMPARE(messages, QStringList{});
    }
}

void TestDesktopSystemInfo::startRefuses_data()
{
    QTest::addColumn<QString>("name"); // inside a temporary folder; empty: an empty path
    QTest::addColumn<int>("expectedNumber");

    QTest::newRow("empty path") << QString() << ENOENT;
    QTest::newRow("missing file") << u"gone"_s << ENOENT;
    QTest::newRow("file without execute permission") << u"plain"_s << EACCES;
    QTest::newRow("folder") << u"folder"_s << EACCES;
}

void TestDesktopSystemInfo::startRefuses()
{
    QFETCH(QString, name);
    QFETCH(int, expectedNumber);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath(u"plain"_s), "#!/bin/sh\n", false));
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    const QString path = name.isEmpty() ? QString() : dir.filePath(name);

    const Status started = createProgramStarter()->start(path);
    QVERIFY(!started.ok());
    QCOMPARE(started.failure().number, expectedNumber);
    QVERIFY2(started.failure().description.contains(u"'%1'"_s.arg(path)),
        qPrintable(started.failure().description));
}

void TestDesktopSystemInfo::startRunsProgramWithoutArguments()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A name a shell would split and expand: only a direct start runs it.
    const QString program = dir.filePath(u"system info $HOME"_s);
    const QString report = dir.filePath(u"report"_s);
    QVERIFY(writeFile(program,
        "#!/bin/sh\necho \"$#\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + QFile::encodeName(report)
            + "\"\n",
        true));

    const Status started = createProgramStarter()->start(program);
    QVERIFY2(started.ok(), qPrintable(started.failure().description));

    QTRY_VERIFY(QFile::exists(report));
    QFile argumentCount(report);
    QVERIFY(argumentCount.open(QIODevice::ReadOnly));
    QCOMPARE(argumentCount.readAll(), QByteArray("0\n"));
}

QTEST_GUILESS_MAIN(TestDesktopSystemInfo)

#include "tst_desktopsysteminfo.moc"
