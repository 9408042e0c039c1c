#include "drivepaths.h"
#include "drives_linux.h"
#include "mountinfo_linux.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A mountinfo line for a source, a mount point (escaped as the kernel
// does) and a file system type.
QByteArray line(const QByteArray &source, const QByteArray &mountPoint, const QByteArray &type)
{
    return "30 1 8:1 / " + mountPoint + " rw,relatime shared:1 - " + type + ' ' + source + " rw\n";
}

QStringList lettered(const QList<DriveInfo> &drives)
{
    QStringList texts;
    for (const DriveInfo &drive : drives)
        texts.append(QString(drive.letter) + u'=' + drive.mountPoint);
    return texts;
}

const QList<DriveInfo> sampleDrives = {
    {u'C', u"/"_s},
    {u'D', u"/boot"_s},
    {u'E', u"/media/usb"_s},
    {u'F', u"/media/usb/inner"_s},
};

} // namespace

class TestLinuxDrives : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void letters_data();
    void letters();
    void lettersStopAtZ();
    void fileMountPointIsNoDrive();
    void localPath_data();
    void localPath();
    void exists_data();
    void exists();
    void driveOf_data();
    void driveOf();
    void readyAndMissingFromTable();
    void unreadableTableStillHasC();
    void realTable();
};

void TestLinuxDrives::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected"); // device|mountPoint|type

    QTest::newRow("kernel example with optional field") << QByteArray(
        "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root "
        "rw,errors=continue\n") << QStringList{u"/dev/root|/mnt/parent|ext3"_s};
    QTest::newRow("no optional fields")
        << QByteArray("27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n")
        << QStringList{u"/dev/vda|/|ext4"_s};
    QTest::newRow("several optional fields") << QByteArray(
        "40 27 8:17 / /data rw shared:5 master:2 propagate_from:1 - xfs /dev/sdb1 rw\n")
                                             << QStringList{u"/dev/sdb1|/data|xfs"_s};
    QTest::newRow("escaped blank, tab and backslash")
        << QByteArray("41 27 8:33 / /media/My\\040Disk\\011x\\134y rw - vfat /dev/sdc1 rw\n")
        << QStringList{u"/dev/sdc1|/media/My Disk\tx\\y|vfat"_s};
    QTest::newRow("escaped blank in source")
        << QByteArray("42 27 0:50 / /mnt/n rw - fuse.x my\\040src rw\n")
        << QStringList{u"my src|/mnt/n|fuse.x"_s};
    QTest::newRow("UTF-8 mount point")
        << QByteArray("43 27 8:34 / /media/M\xC3\xBAsica rw - ext4 /dev/sdc2 rw\n")
        << QStringList{u"/dev/sdc2|/media/Música|ext4"_s};
    QTest::newRow("broken lines left out") << QByteArray(
        "garbage\n36 35 98:0 / /x rw master:1\n\n27 1 254:0 / / rw - ext4 /dev/vda rw")
                                           << QStringList{u"/dev/vda|/|ext4"_s};
}

void TestLinuxDrives::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    QStringList actual;
    for (const MountEntry &entry : MountInfo::parse(text))
        actual.append(entry.device + u'|' + entry.mountPoint + u'|' + entry.fileSystem);
    QCOMPARE(actual, expected);
}

void TestLinuxDrives::letters_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("expected");

    const QByteArray root = line("/dev/vda", "/", "ext4");
    QTest::newRow("root only") << root << QStringList{u"C=/"_s};
    QTest::newRow("no root line, C is still /") << QByteArray() << QStringList{u"C=/"_s};
    QTest::newRow("pseudo and memory file systems left out") << root + line("proc", "/proc", "proc")
            + line("tmpfs", "/run", "tmpfs") + line("udev", "/dev", "devtmpfs")
            + line("/dev/shm", "/dev/shm", "tmpfs") + line("/dev/loop3", "/snap/core/1", "squashfs")
            + line("/dev/sdb1", "/data", "ext4") << QStringList{u"C=/"_s, u"D=/data"_s};
    QTest::newRow("sources outside /dev left out")
        << root + line("server:/export", "/net", "nfs4") + line("sshfs", "/remote", "fuse.sshfs")
        << QStringList{u"C=/"_s};
    QTest::newRow("ordered by mount point, not by table")
        << root + line("/dev/sdc1", "/mnt/b", "ext4") + line("/dev/sdb1", "/media/a", "vfat")
            + line("/dev/sdd1", "/boot", "ext2")
        << QStringList{u"C=/"_s, u"D=/boot"_s, u"E=/media/a"_s, u"F=/mnt/b"_s};
    QTest::newRow("one letter per device, first mount point wins") << root
            + line("/dev/sdb1", "/media/usb", "vfat") + line("/dev/sdb1", "/srv/again", "vfat")
            + line("/dev/sdb1", "/aaa", "vfat") << QStringList{u"C=/"_s, u"D=/media/usb"_s};
    QTest::newRow("root device mounted again is still C")
        << line("/dev/sdb1", "/home/alt", "ext4") + root + line("/dev/vda", "/srv/root", "ext4")
        << QStringList{u"C=/"_s, u"D=/home/alt"_s};
    QTest::newRow("escaped blank in mount point")
        << root + line("/dev/sdb1", "/media/My\\040Disk", "exfat")
        << QStringList{u"C=/"_s, u"D=/media/My Disk"_s};
}

void TestLinuxDrives::letters()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, expected);
    QCOMPARE(lettered(LinuxDrives::lettersFor(MountInfo::parse(table))), expected);
}

void TestLinuxDrives::lettersStopAtZ()
{
    QByteArray table = line("/dev/vda", "/", "ext4");
    for (int i = 0; i < 30; ++i)
        table
            += line("/dev/sd" + QByteArray::number(i), "/m/" + QByteArray::number(100 + i), "ext4");
    const QList<DriveInfo> drives = LinuxDrives::lettersFor(MountInfo::parse(table));
    QCOMPARE(drives.size(), 24); // C to Z
    QCOMPARE(drives.last().letter, QChar(u'Z'));
    QCOMPARE(drives.last().mountPoint, u"/m/122"_s);
}

void TestLinuxDrives::fileMountPointIsNoDrive()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"hosts"_s);
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    const QByteArray table = line("/dev/vda", "/", "ext4")
        + line("/dev/sdb1", file.toUtf8(), "ext4") + line("/dev/sdb1", dir.path().toUtf8(), "ext4");
    QCOMPARE(lettered(LinuxDrives::lettersFor(MountInfo::parse(table))),
        (QStringList{u"C=/"_s, u"D="_s + dir.path()}));
}

void TestLinuxDrives::localPath_data()
{
    QTest::addColumn<QString>("driveFolder");
    QTest::addColumn<QString>("expected"); // empty: none

    QTest::newRow("C root") << u"C:\\"_s << u"/"_s;
    QTest::newRow("lower-case c root") << u"c:\\"_s << u"/"_s;
    QTest::newRow("drive without separator") << u"C:"_s << u"/"_s;
    QTest::newRow("folder on C") << u"C:\\home\\user"_s << u"/home/user"_s;
    QTest::newRow("lower-case e with Music\\Rock")
        << u"e:\\Music\\Rock"_s << u"/media/usb/Music/Rock"_s;
    QTest::newRow("slashes and trailing separator") << u"E:/Music/"_s << u"/media/usb/Music"_s;
    QTest::newRow("doubled separators") << u"E:\\\\Music\\\\Rock"_s << u"/media/usb/Music/Rock"_s;
    QTest::newRow("dot parts") << u"E:\\a\\.\\b\\..\\c"_s << u"/media/usb/a/c"_s;
    QTest::newRow(".. stops at the volume") << u"E:\\..\\..\\etc"_s << u"/media/usb/etc"_s;
    QTest::newRow("blanks in names") << u"E:\\My Music\\ x "_s << u"/media/usb/My Music/ x "_s;
    QTest::newRow("no such drive") << u"Q:\\Music"_s << QString();
    QTest::newRow("no colon") << u"e\\Music"_s << QString();
    QTest::newRow("letter alone") << u"e"_s << QString();
    QTest::newRow("not a letter") << u"12"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestLinuxDrives::localPath()
{
    QFETCH(QString, driveFolder);
    QFETCH(QString, expected);
    QCOMPARE(DrivePaths::localPath(sampleDrives, driveFolder).value_or(QString()), expected);
}

void TestLinuxDrives::exists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("c") << u"c"_s << true;
    QTest::newRow("C") << u"C"_s << true;
    QTest::newRow("c:") << u"c:"_s << true;
    QTest::newRow("c:\\") << u"c:\\"_s << true;
    QTest::newRow("d, not ready") << u"d"_s << true;
    QTest::newRow("e") << u"e"_s << false;
    QTest::newRow("q") << u"q"_s << false;
    QTest::newRow("12") << u"12"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("leading blank") << u" c"_s << false;
    QTest::newRow("accented letter") << u"\u00e7"_s << false;
}

void TestLinuxDrives::exists()
{
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    QFile table(dir.filePath(u"mountinfo"_s));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write(line("/dev/vda", "/", "ext4") + line("/dev/sdb1", "/media/gone", "vfat"));
    table.close();
    // Drive D's mount point does not exist: it is not ready, but it exists.
    QCOMPARE(LinuxDrives(table.fileName()).exists(name), expected);
}

void TestLinuxDrives::driveOf_data()
{
    QTest::addColumn<QString>("localPath");
    QTest::addColumn<QString>("expected"); // drive folder text; empty: none

    QTest::newRow("root") << u"/"_s << u"C:\\"_s;
    QTest::newRow("folder on root") << u"/home/user"_s << u"C:\\home\\user"_s;
    QTest::newRow("mount point itself") << u"/media/usb"_s << u"E:\\"_s;
    QTest::newRow("inside a volume") << u"/media/usb/Music/Rock"_s << u"E:\\Music\\Rock"_s;
    QTest::newRow("deepest mount point wins") << u"/media/usb/inner/x"_s << u"F:\\x"_s;
    QTest::newRow("name prefix is not containment")
        << u"/media/usbstick"_s << u"C:\\media\\usbstick"_s;
    QTest::newRow("trailing separator") << u"/boot/"_s << u"D:\\"_s;
    QTest::newRow("relative path") << u"music"_s << QString();
}

void TestLinuxDrives::driveOf()
{
    QFETCH(QString, localPath);
    QFETCH(QString, expected);
    QCOMPARE(DrivePaths::driveFolderText(sampleDrives, localPath).value_or(QString()), expected);
    if (!expected.isEmpty()) {
        // And back again to the same folder.
        QCOMPARE(DrivePaths::localPath(sampleDrives, expected).value_or(QString()),
            QDir::cleanPath(localPath));
    }
}

void TestLinuxDrives::readyAndMissingFromTable()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"usb"_s));
    QFile table(dir.filePath(u"mountinfo"_s));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write(line("/dev/vda", "/", "ext4")
        + line("/dev/sdb1", dir.filePath(u"usb"_s).toUtf8(), "vfat")
        + line("/dev/sdc1", dir.filePath(u"zz-gone"_s).toUtf8(), "vfat"));
    table.close();

    const LinuxDrives drives(table.fileName());
    QCOMPARE(lettered(drives.list()),
        (QStringList{
            u"C=/"_s, u"D="_s + dir.filePath(u"usb"_s), u"E="_s + dir.filePath(u"zz-gone"_s)}));
    QVERIFY(drives.isReady(u'C'));
    QVERIFY(drives.isReady(u'd'));
    QVERIFY(!drives.isReady(u'E'));
    QVERIFY(drives.exists(u"E"_s));
    QVERIFY(!drives.isReady(u'Q'));
    QCOMPARE(drives.localPath(u"d:\\Music"_s).value_or(QString()), dir.filePath(u"usb/Music"_s));
    QCOMPARE(drives.driveOf(dir.filePath(u"usb/Music"_s))->letter, QChar(u'D'));

    // The table is read afresh: a volume that goes away takes its letter.
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    table.write(line("/dev/vda", "/", "ext4"));
    table.close();
    QVERIFY(!drives.exists(u"D"_s));
}

void TestLinuxDrives::unreadableTableStillHasC()
{
    const LinuxDrives drives(u"/nonexistent/mountinfo"_s);
    QCOMPARE(lettered(drives.list()), QStringList{u"C=/"_s});
    QVERIFY(drives.exists(u"c:\\"_s));
    QVERIFY(drives.isReady(u'C'));
}

void TestLinuxDrives::realTable()
{
    const LinuxDrives drives;
    const QList<DriveInfo> list = drives.list();
    QVERIFY(!list.isEmpty());
    QCOMPARE(list.front().letter, QChar(u'C'));
    QCOMPARE(list.front().mountPoint, u"/"_s);
    QVERIFY(drives.isReady(u'C'));
    QCOMPARE(drives.localPath(u"C:\\"_s).value_or(QString()), u"/"_s);
}

QTEST_APPLESS_MAIN(TestLinuxDrives)
#include "tst_drives_linux.moc"
