#include "systeminfolookup.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The desktop's registry names a system tool found on the search path, and
// the starter runs it directly: a folder name that a shell would split and
// expand does not stop it.
class TestDesktopSystemInfo final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsToolFromSearchPath()
    {
        QTemporaryDir bin(QDir::tempPath() + u"/system info $HOME-XXXXXX"_s);
        QFile tool(bin.filePath(u"hardinfo"_s));
        QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/bin/sh\necho >\"$0.ran\"\n"));
        QVERIFY(tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        tool.close();
        qputenv("PATH", QFile::encodeName(bin.path()));
        const auto starter = createProgramStarter();
        const auto fail = [](const QString &told) { QFAIL(qPrintable(told)); };
        SystemInfoLookup(*createSystemRegistry(), *starter, fail).StartSysInfo();
        QTRY_VERIFY(QFile::exists(tool.fileName() + u".ran"_s));
        QVERIFY(!starter->start(bin.filePath(u"gone"_s)).ok() && !starter->start(bin.path()).ok());
    }
};

QTEST_GUILESS_MAIN(TestDesktopSystemInfo)
#include "tst_desktopsysteminfo.moc"
