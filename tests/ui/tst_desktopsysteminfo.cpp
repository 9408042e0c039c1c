#include "programstarter.h"
#include "recordingstarter.h"
#include "registry.h"
#include "systeminfolookup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool writeScript(const QString &path, const QByteArray &body, bool executable)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + body) > 0
        && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner
            | (executable ? QFile::ExeOwner : QFile::Permissions()));
}

} // namespace

// The desktop's stand-ins for the registry and the program launcher.
class TestDesktopSystemInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toolOnSearchPath_data();
    void toolOnSearchPath();
    void startRefusesWhatCannotRun();
    void startRunsProgramDirectly();
};

void TestDesktopSystemInfo::toolOnSearchPath_data()
{
    QTest::addColumn<QStringList>("executables");
    QTest::addColumn<QString>("expected"); // empty: the user is told

    QTest::newRow("none installed") << QStringList{u"MSINFO32.EXE"_s} << QString();
    QTest::newRow("only the monitor")
        << QStringList{u"gnome-system-monitor"_s} << u"gnome-system-monitor"_s;
    QTest::newRow("hardware report before the monitor")
        << QStringList{u"gnome-system-monitor"_s, u"hardinfo"_s} << u"hardinfo"_s;
    QTest::newRow("info center first") << QStringList{u"gnome-system-monitor"_s, u"hardinfo"_s,
        u"kinfocenter"_s} << u"kinfocenter"_s;
}

void TestDesktopSystemInfo::toolOnSearchPath()
{
    QFETCH(QStringList, executables);
    QFETCH(QString, expected);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    for (const QString &name : std::as_const(executables))
        QVERIFY(writeScript(bin.filePath(name), {}, true));
    // A first match that cannot run is passed over.
    QVERIFY(writeScript(bin.filePath(u"kinfocenter"_s), {}, expected == u"kinfocenter"_s));
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));

    const std::unique_ptr<Registry> registry = createSystemRegistry();
    RecordingStarter starter;
    starter.install(bin.filePath(expected));
    QStringList messages;
    SystemInfoLookup lookup(
        *registry, starter, [&](const QString &text) { messages.append(text); });
    lookup.StartSysInfo();
    qputenv("PATH", searchPath);

    QCOMPARE(starter.attempts(),
        expected.isEmpty() ? QStringList{} : QStringList{bin.filePath(expected)});
    QCOMPARE(messages.size(), expected.isEmpty() ? 1 : 0);
}

void TestDesktopSystemInfo::startRefusesWhatCannotRun()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString plain = dir.filePath(u"plain"_s);
    QVERIFY(writeScript(plain, {}, false));
    const std::unique_ptr<ProgramStarter> starter = createProgramStarter();

    const Status missing = starter->start(dir.filePath(u"gone"_s));
    QVERIFY(!missing.ok());
    QCOMPARE(missing.failure().number, ENOENT);
    const Status notExecutable = starter->start(plain);
    QVERIFY(!notExecutable.ok());
    QCOMPARE(notExecutable.failure().number, EACCES);
    QVERIFY(notExecutable.failure().description.contains(plain));
    QVERIFY(!starter->start(dir.path()).ok());
    QVERIFY(!starter->start(QString()).ok());
}

void TestDesktopSystemInfo::startRunsProgramDirectly()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A name that a shell would split and expand: only a direct start runs it.
    const QString program = dir.filePath(u"system info $HOME"_s);
    const QString report = dir.filePath(u"report"_s);
    QVERIFY(writeScript(program,
        "echo \"$#\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + QFile::encodeName(report) + "\"\n", true));

    const Status started = createProgramStarter()->start(program);
    QVERIFY2(started.ok(), qPrintable(started.failure().description));

    QTRY_VERIFY(QFile::exists(report));
    QFile argumentCount(report);
    QVERIFY(argumentCount.open(QIODevice::ReadOnly));
    QCOMPARE(argumentCount.readAll(), QByteArray("0\n"));
}

QTEST_GUILESS_MAIN(TestDesktopSystemInfo)

#include "tst_desktopsysteminfo.moc"
