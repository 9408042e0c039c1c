#include "drivepaths.h"
#include "drives_linux.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace Qt::StringLiterals;

namespace {

using PathRow = std::tuple<QString, QString, QString>;

// A mount table of "source mount-point type [device-number]" items as the
// kernel writes it, without optional fields; each file system has a number
// of its own unless an item gives one.
QByteArray table(const QByteArrayList &mounts)
{
    QByteArray text;
    for (const QByteArray &mount : mounts) {
        const QByteArrayList field = mount.split(' ');
        const QByteArray number = field.value(3, "0:" + QByteArray::number(20 + text.count('\n')));
        text += "30 1 " + number + " / " + field[1] + " rw,relatime - " + field[2] + ' ' + field[0]
            + " rw\n";
    }
    return text;
}

} // namespace

class TestLinuxDrives final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void letters_data()
    {
        QTest::addColumn<QByteArray>("mounts");
        QTest::addColumn<QString>("expected");

        QByteArrayList many{"/dev/vda / ext4", "nas:/x /net nfs4"};
        QString upToZ = u"C=/"_s;
        for (int i = 0; i < 24; ++i)
            many.append(u"/dev/sd%1 /m/%2 ext4"_s.arg(i).arg(i + 10).toUtf8());
        for (char16_t letter = u'D'; letter <= u'Z'; ++letter)
            upToZ += u" %1=/m/%2"_s.arg(QChar(letter)).arg(letter - u'D' + 10);
        upToZ += u" -=/m/33 -=/net[nfs4]"_s;
        // clang-format off
        QTest::newRow("nothing readable, C is still /") << QByteArray("garbage\n\n36 35 98:0 / /x rw master:1 - ext4\n") << u"C=/"_s;
        QTest::newRow("pseudo and memory file systems left out") << table({"/dev/vda / ext4", "proc /proc proc", "/dev/shm /dev/shm tmpfs", "/dev/loop3 /snap squashfs", "fusectl /sys/fs/fuse/connections fusectl", "lxcfs /var/lib/lxcfs fuse.lxcfs", "/dev/sdb1 /data ext4"}) << u"C=/ D=/data"_s;
        QTest::newRow("shares and FUSE mounts after the volumes on devices") << table({"/dev/vda / ext4", "nas:/x /net nfs4", "//srv/share /mnt/smb cifs", "u@h:/ /home/u/remote fuse.sshfs",
            "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse", "/dev/sdb1 /z fuseblk", "/dev/sdc1 /zz ext4"}) << u"C=/ D=/z E=/zz F=/home/u/remote[sshfs] G=/mnt/smb[cifs] H=/net[nfs4] I=/run/user/1000/gvfs[gvfsd-fuse]"_s;
        QTest::newRow("FUSE mounts of one source, each a drive but for a bind mount") << table({"/dev/vda / ext4", "fusefat /m/a fuse.fusefat", "fusefat /m/b fuse.fusefat", "fusefat /m/c fuse.fusefat 0:22", "fusefat /m/d fuse.fusefat 0:20"}) << u"C=/ D=/m/a[fusefat] E=/m/b[fusefat]"_s;
        QTest::newRow("in mount-point order, one letter per device") << table({"/dev/vda /srv/root ext4", "/dev/sdc1 /mnt/b ext4",
            "/dev/sdb1 /media/a vfat", "/dev/sdd1 /boot ext2", "/dev/sdb1 /aaa vfat", "/dev/vda / ext4"}) << u"C=/ D=/boot E=/media/a F=/mnt/b"_s;
        // /proc/self/exe is a file wherever the test runs.
        QTest::newRow("a file bound over a file is no drive") << table({"/dev/vda / ext4", "/dev/sdb1 /proc/self/exe ext4", "/dev/sdb1 /srv ext4"}) << u"C=/ D=/srv"_s;
        QTest::newRow("escapes undone, optional fields skipped") << QByteArray("40 27 8:17 / /media/M\xC3\xBAsica\\040\\134x rw shared:5 master:2 - xfs /dev/sdb1 rw\n") << u"C=/ D=/media/M\u00FAsica \\x"_s;
        QTest::newRow("letters stop at Z, the rest listed without") << table(many) << upToZ;
        // clang-format on
    }
    void letters()
    {
        QFETCH(QByteArray, mounts);
        QFETCH(QString, expected);
        QStringList lettered;
        for (const DriveInfo &drive : LinuxDrives::lettersFor(MountInfo::parse(mounts)))
            lettered.append((drive.letter.isNull() ? u"-"_s : QString(drive.letter)) + u'='
                + drive.mountPoint + (drive.kind.isEmpty() ? QString() : u'[' + drive.kind + u']'));
        QCOMPARE(lettered.join(u' '), expected);
    }

    void paths_data()
    {
        // The drive folder, its local path (empty: none), the drive that
        // holds that path
        QTest::addColumn<PathRow>("row");

        // clang-format off
        QTest::newRow("drive alone") << PathRow{u"e:"_s, u"/mnt/e"_s, u"E"_s};
        QTest::newRow("slashes, doubled and trailing separators") << PathRow{u"e:/Music\\\\Rock/"_s, u"/mnt/e/Music/Rock"_s, u"E"_s};
        QTest::newRow("dots resolved within the volume, blanks kept") << PathRow{u"E:\\a b\\.\\..\\..\\ x "_s, u"/mnt/e/ x "_s, u"E"_s};
        QTest::newRow("deepest mount point wins") << PathRow{u"E:\\f\\x"_s, u"/mnt/e/f/x"_s, u"F"_s};
        QTest::newRow("a mount without a letter holds no drive") << PathRow{u"E:\\g\\x"_s, u"/mnt/e/g/x"_s, u"E"_s};
        QTest::newRow("name prefix is no mount point") << PathRow{u"C:\\mnt\\ex"_s, u"/mnt/ex"_s, u"C"_s};
        QTest::newRow("no such drive") << PathRow{u"Q:\\Music"_s, QString(), QString()};
        QTest::newRow("no colon") << PathRow{u"e\\Music"_s, QString(), QString()};
        // clang-format on
    }
    void paths()
    {
        QFETCH(PathRow, row);
        const auto &[driveFolder, localPath, owner] = row;

        const QList<DriveInfo> drives{{u'C', u"/"_s}, {u'E', u"/mnt/e"_s}, {u'F', u"/mnt/e/f"_s},
            {QChar(), u"/mnt/e/g"_s, u"nfs4"_s}};
        QCOMPARE(DrivePaths::localPath(drives, driveFolder).value_or(QString()), localPath);
        const std::optional<DriveInfo> found = DrivePaths::driveOf(drives, localPath);
        QCOMPARE(found ? QString(found->letter) : QString(), owner);
    }

    void drivesFollowTheTable()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath(u"mountinfo"_s).toStdString();
        std::ofstream(path)
            << table({"/dev/a / ext4", "/dev/b /dev ext4", "/dev/c /gone ext4"}).data();

        const LinuxDrives drives(QString::fromStdString(path));
        // E cannot be read now, yet it exists.
        QVERIFY(drives.isReady(u'd') && !drives.isReady(u'E') && !drives.isReady(u'Q'));
        for (const QString &name : {u"c"_s, u"C:\\"_s, u"d"_s, u"e"_s})
            QVERIFY2(drives.exists(name), qPrintable(name));
        for (const QString &name : {u"q"_s, QString(), u" c"_s})
            QVERIFY2(!drives.exists(name), qPrintable(name));
        QCOMPARE(drives.localPath(u"d:\\Music"_s).value_or(QString()), u"/dev/Music"_s);

        // A volume that goes away takes its letter at once.
        std::ofstream(path) << table({"/dev/a / ext4"}).data();
        QVERIFY(!drives.exists(u"D"_s));
        QCOMPARE(LinuxDrives(u"/nonexistent"_s).list().size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestLinuxDrives)
#include "tst_drives_linux.moc"
