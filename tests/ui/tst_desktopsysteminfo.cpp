#include "programstarter.h"
#include "registry.h"
#include "systeminfolookup.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The desktop's registry names the most preferred system tool on the search
// path that can run, and the starter runs it directly: a folder name that a
// shell would split and expand does not stop it.
class TestDesktopSystemInfo final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsPreferredTool()
    {
        QTemporaryDir bin(QDir::tempPath() + u"/system info $HOME-XXXXXX"_s);
        for (const QString &name : {u"kinfocenter"_s, u"hardinfo"_s, u"gnome-system-monitor"_s}) {
            QFile tool(bin.filePath(name));
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\necho >\"$0.ran\"\n")
                && tool.setPermissions(QFile::ReadOwner
                    | (name == u"kinfocenter"_s ? QFile::Permissions() : QFile::ExeOwner)));
        }
        const QByteArray searchPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const auto registry = createSystemRegistry();
        const auto starter = createProgramStarter();
        SystemInfoLookup(*registry, *starter, [](const QString &told) {
            QFAIL(qPrintable(told));
        }).StartSysInfo();
        qputenv("PATH", searchPath);
        QTRY_VERIFY(QFile::exists(bin.filePath(u"hardinfo.ran"_s)));
        QVERIFY(!starter->start(bin.filePath(u"kinfocenter"_s)).ok());
        QVERIFY(!starter->start(bin.filePath(u"gone"_s)).ok() && !starter->start(bin.path()).ok());
    }
};

QTEST_GUILESS_MAIN(TestDesktopSystemInfo)
#include "tst_desktopsysteminfo.moc"
