#include "defaultstable.h"
#include "defaultsview.h"
#include "drivepaths.h"
#include "drives.h"
#include "settingsstore.h"
#include "startup.h"
#include "tempstore.h"
#include "userdialogs.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using StoredTexts = QMap<QString, QString>;

namespace {

QString switchName(SwitchId id)
{
    return DefaultsTable::forSwitch(id).key.toString();
}

QString onOff(bool on)
{
    return on ? u"on"_s : u"off"_s;
}

// Writes down every change start-up makes to the window, in order.
class RecordingView final : public DefaultsView
{
public:
    QStringList calls;
    QSet<QString> refusedDrives; // texts as passed
    QSet<QString> refusedFolders; // texts as passed

    Status selectDrive(const QString &drive) override
    {
        calls.append(u"drive "_s + drive);
        if (refusedDrives.contains(drive))
            return Failure{5, u"device busy"_s};
        return Status::success();
    }
    Status setFolder(const QString &driveFolder) override
    {
        calls.append(u"folder "_s + driveFolder);
        if (refusedFolders.contains(driveFolder))
            return Failure{13, u"permission denied"_s};
        return Status::success();
    }
    void setMaxLengthText(const QString &text) override { calls.append(u"max "_s + text); }
    void setLimitText(const QString &text) override { calls.append(u"limit "_s + text); }
    void setSwitchTicked(SwitchId id, bool ticked) override
    {
        calls.append(u"tick %1 %2"_s.arg(switchName(id), onOff(ticked)));
    }
    bool isMenuChecked(SwitchId id) const override { return m_checked.value(id); }
    void setMenuChecked(SwitchId id, bool checked) override
    {
        m_checked[id] = checked;
        calls.append(u"menu %1 %2"_s.arg(switchName(id), onOff(checked)));
    }
    void setPanelText(const QString &key, const QString &text) override
    {
        calls.append(u"panel %1=%2"_s.arg(key, text));
    }
    void addRemovalRow(const QString &item) override { calls.append(u"row "_s + item); }

    QStringList callsStartingWith(const QString &prefix) const
    {
        QStringList found;
        for (const QString &call : calls) {
            if (call.startsWith(prefix))
                found.append(call);
        }
        return found;
    }

private:
    QHash<SwitchId, bool> m_checked;
};

class RecordingDialogs final : public UserDialogs
{
public:
    QStringList warnings;

    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void inputError(const QString &message) override
    {
        warnings.append(u"input error "_s + message);
    }
    void warn(const QString &message) override { warnings.append(message); }
};

// Drives over folders of a temporary tree.
class FolderDrives final : public Drives
{
public:
    QList<DriveInfo> drives;
    QSet<QChar> notReady;

    QList<DriveInfo> list() const override { return drives; }
    bool exists(const QString &name) const override
    {
        const std::optional<QChar> letter = DrivePaths::letterOf(name);
        return letter && DrivePaths::find(drives, *letter);
    }
    bool isReady(QChar letter) const override
    {
        return DrivePaths::find(drives, letter) && !notReady.contains(letter.toUpper());
    }
    std::optional<QString> localPath(const QString &driveFolder) const override
    {
        return DrivePaths::localPath(drives, driveFolder);
    }
};

// One start-up over a store, a drive tree (C, E with Music\Rock, F not
// ready) and a removal list written for it.
class StartupRig
{
public:
    StartupRig()
    {
        QDir root(m_tree.path());
        root.mkpath(u"c/Music"_s);
        root.mkpath(u"e/Music/Rock"_s);
        root.mkpath(u"f"_s);
        QFile(root.filePath(u"c/notafolder"_s)).open(QIODevice::WriteOnly);
        drives.drives = {{u'C', root.filePath(u"c"_s)}, {u'E', root.filePath(u"e"_s)},
            {u'F', root.filePath(u"f"_s)}};
        drives.notReady = {u'F'};
        writeRemovalList("abc\r\n\r\nabc\r\n");
    }

    bool store(const StoredTexts &texts)
    {
        SettingsStore settings(u"Purlex"_s);
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            if (!settings.save(it.key(), it.value()).ok())
                return false;
        }
        return true;
    }
    bool writeRemovalList(const QByteArray &bytes)
    {
        QFile file(removalListPath());
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QString removalListPath() const { return m_listFolder.filePath(u"Purlex.txt"_s); }

    void run()
    {
        const SettingsStore settings(u"Purlex"_s);
        Startup startup(view, dialogs, drives, settings);
        startup.setRemovalListFolder(m_listFolder.path());
        startup.run(defaults, colJnk);
    }

    TempStore temp;
    RecordingView view;
    RecordingDialogs dialogs;
    FolderDrives drives;
    SavedDefaults defaults;
    QStringList colJnk;

private:
    QTemporaryDir m_tree;
    QTemporaryDir m_listFolder;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void firstRunInDocumentedOrder();
    void storedValuesShown();
    void driveAndFolder_data();
    void driveAndFolder();
    void badStoredValuesFallBack();
    void malformedStore();
    void removalList();
    void missingRemovalList();
    void everyProblemInOneWarning();
};

void TestStartup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestStartup::firstRunInDocumentedOrder()
{
    StartupRig rig;
    rig.run();

    QCOMPARE(rig.view.calls,
        QStringList({
            u"row abc"_s,
            u"row "_s,
            u"row abc"_s,
            u"drive C"_s,
            u"folder C:\\"_s,
            u"max 60"_s,
            u"menu IncSubDirs on"_s,
            u"tick IncSubDirs on"_s,
            u"limit 1000"_s,
            u"tick ReadOnly on"_s,
            u"menu ReadOnly on"_s,
            u"tick Underline on"_s,
            u"menu Underline on"_s,
            u"tick MultSpecial on"_s,
            u"menu MultSpecial on"_s,
            u"tick MultSpace on"_s,
            u"menu MultSpace on"_s,
            u"tick Empty on"_s,
            u"menu Empty on"_s,
            u"tick Copy on"_s,
            u"menu Copy on"_s,
            u"tick Starting on"_s,
            u"menu Starting on"_s,
            u"tick Ending on"_s,
            u"menu Ending on"_s,
            u"panel Read= Read: 0"_s,
            u"panel Fixed= Fixed: 0"_s,
            u"panel Current=Ready..."_s,
        }));
    QCOMPARE(rig.defaults, SavedDefaults());
    QCOMPARE(rig.dialogs.warnings, QStringList());
}

void TestStartup::storedValuesShown()
{
    StartupRig rig;
    QVERIFY(rig.store({{u"Copy"_s, u"False"_s}, {u"IncSubDirs"_s, u"false"_s},
        {u"MaxLength"_s, u"61.5"_s}, {u"MaxCount"_s, u"abc"_s}}));
    rig.run();

    QCOMPARE(rig.view.callsStartingWith(u"max "_s), QStringList{u"max 62"_s});
    QCOMPARE(rig.view.callsStartingWith(u"limit "_s), QStringList{u"limit 0"_s});
    QCOMPARE(rig.dialogs.warnings, QStringList());

    QVERIFY(!rig.defaults.gCopy);
    QVERIFY(!rig.defaults.gIncSub);
    QVERIFY(rig.defaults.gEnding);
    QCOMPARE(rig.view.callsStartingWith(u"tick "_s),
        QStringList({u"tick IncSubDirs off"_s, u"tick ReadOnly on"_s, u"tick Underline on"_s,
            u"tick MultSpecial on"_s, u"tick MultSpace on"_s, u"tick Empty on"_s,
            u"tick Copy off"_s, u"tick Starting on"_s, u"tick Ending on"_s}));
    QCOMPARE(rig.view.callsStartingWith(u"menu "_s),
        QStringList({u"menu IncSubDirs off"_s, u"menu ReadOnly on"_s, u"menu Underline on"_s,
            u"menu MultSpecial on"_s, u"menu MultSpace on"_s, u"menu Empty on"_s,
            u"menu Copy off"_s, u"menu Starting on"_s, u"menu Ending on"_s}));
    QVERIFY(rig.view.isMenuChecked(SwitchId::Ending));
    QVERIFY(!rig.view.isMenuChecked(SwitchId::Copy));
}

void TestStartup::driveAndFolder_data()
{
    QTest::addColumn<StoredTexts>("stored");
    QTest::addColumn<QString>("refused"); // a drive or folder text the window refuses
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::addColumn<QString>("expectedDrive");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QStringList>("warningParts"); // empty: no warning

    QTest::newRow("lower-case e with Music\\Rock")
        << StoredTexts{{u"Drive"_s, u"e"_s}, {u"Path"_s, u"Music\\Rock"_s}} << QString()
        << QStringList{u"drive e"_s, u"folder e:\\Music\\Rock"_s} << u"e"_s << u"Music\\Rock"_s
        << QStringList();
    QTest::newRow("folder on C") << StoredTexts{{u"Path"_s, u"Music"_s}} << QString()
                                 << QStringList{u"drive C"_s, u"folder C:\\Music"_s} << u"C"_s
                                 << u"Music"_s << QStringList();
    QTest::newRow("missing drive")
        << StoredTexts{{u"Drive"_s, u"q"_s}, {u"Path"_s, u"Music"_s}} << QString()
        << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'q'"_s, u"does not exist"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("drive that is not ready")
        << StoredTexts{{u"Drive"_s, u"F"_s}} << QString()
        << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'F'"_s, u"not ready"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("drive text that is no letter")
        << StoredTexts{{u"Drive"_s, u"12"_s}} << QString()
        << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'12'"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("empty drive text")
        << StoredTexts{{u"Drive"_s, u""_s}} << QString()
        << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"''"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("window refuses the drive")
        << StoredTexts{{u"Drive"_s, u"e"_s}, {u"Path"_s, u"Music\\Rock"_s}} << u"e"_s
        << QStringList{u"drive e"_s, u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'e'"_s, u"device busy"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("missing folder")
        << StoredTexts{{u"Drive"_s, u"e"_s}, {u"Path"_s, u"Music\\Jazz"_s}} << QString()
        << QStringList{u"drive e"_s, u"folder e:\\"_s} << u"e"_s << QString()
        << QStringList{u"'e:\\Music\\Jazz'"_s, u"does not exist"_s, u"e:\\ is shown instead"_s};
    QTest::newRow("path names a file")
        << StoredTexts{{u"Path"_s, u"notafolder"_s}} << QString()
        << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'C:\\notafolder'"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("window refuses the folder")
        << StoredTexts{{u"Path"_s, u"Music"_s}} << u"C:\\Music"_s
        << QStringList{u"drive C"_s, u"folder C:\\Music"_s, u"folder C:\\"_s} << u"C"_s << QString()
        << QStringList{u"'C:\\Music'"_s, u"permission denied"_s, u"C:\\ is shown instead"_s};
    QTest::newRow("window refuses even the root")
        << StoredTexts{} << u"C:\\"_s << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s
        << QString() << QStringList{u"'C:\\'"_s, u"permission denied"_s};
    QTest::newRow("window refuses drive C itself")
        << StoredTexts{} << u"C"_s << QStringList{u"drive C"_s, u"folder C:\\"_s} << u"C"_s
        << QString() << QStringList{u"'C'"_s, u"device busy"_s};
}

void TestStartup::driveAndFolder()
{
    QFETCH(StoredTexts, stored);
    QFETCH(QString, refused);
    QFETCH(QStringList, expectedCalls);
    QFETCH(QString, expectedDrive);
    QFETCH(QString, expectedPath);
    QFETCH(QStringList, warningParts);

    StartupRig rig;
    QVERIFY(rig.store(stored));
    rig.view.refusedDrives = {refused};
    rig.view.refusedFolders = {refused};
    rig.run();

    QStringList placement = rig.view.callsStartingWith(u"drive "_s);
    placement += rig.view.callsStartingWith(u"folder "_s);
    QCOMPARE(placement, expectedCalls);
    QCOMPARE(rig.defaults.gDrive, expectedDrive);
    QCOMPARE(rig.defaults.gPath, expectedPath);
    // The fallback is for this run only: the store keeps what was saved.
    const SettingsStore settings(u"Purlex"_s);
    QCOMPARE(settings.get(u"Drive", u"C"_s), stored.value(u"Drive"_s, u"C"_s));
    QCOMPARE(settings.get(u"Path", QString()), stored.value(u"Path"_s));

    if (warningParts.isEmpty()) {
        QCOMPARE(rig.dialogs.warnings, QStringList());
        return;
    }
    QCOMPARE(rig.dialogs.warnings.size(), 1);
    for (const QString &part : std::as_const(warningParts))
        QVERIFY2(
            rig.dialogs.warnings.front().contains(part), qPrintable(rig.dialogs.warnings.front()));
    // The rest of start-up still ran.
    QCOMPARE(rig.view.calls.last(), u"panel Current=Ready..."_s);
}

void TestStartup::badStoredValuesFallBack()
{
    StartupRig rig;
    QVERIFY(rig.store({{u"Copy"_s, u"maybe"_s}, {u"MaxLength"_s, u"99999"_s}}));
    rig.run();

    QVERIFY(rig.defaults.gCopy);
    QCOMPARE(rig.defaults.gMaxLen, qint16(60));
    QVERIFY(rig.view.calls.contains(u"tick Copy on"_s));
    QVERIFY(rig.view.calls.contains(u"max 60"_s));
    QCOMPARE(rig.dialogs.warnings.size(), 1);
    const QString warning = rig.dialogs.warnings.front();
    QVERIFY2(warning.contains(u"Copy"_s) && warning.contains(u"'maybe'"_s)
            && warning.contains(u"True is used instead"_s),
        qPrintable(warning));
    QVERIFY2(warning.contains(u"MaxLength"_s) && warning.contains(u"'99999'"_s)
            && warning.contains(u"60 is used instead"_s),
        qPrintable(warning));
}

void TestStartup::malformedStore()
{
    StartupRig rig;
    QVERIFY(rig.temp.write(u"Purlex"_s, "[Defaults]\nCopy=False\nDrive=e\nthis line is broken\n"));
    rig.run();

    QCOMPARE(rig.defaults, SavedDefaults());
    QVERIFY(rig.view.calls.contains(u"folder C:\\"_s));
    QCOMPARE(rig.dialogs.warnings.size(), 1);
    QVERIFY2(rig.dialogs.warnings.front().contains(rig.temp.filePath(u"Purlex"_s)),
        qPrintable(rig.dialogs.warnings.front()));
}

void TestStartup::removalList()
{
    StartupRig rig;
    QVERIFY(rig.writeRemovalList("  www.site.example \r\n[ads]\r\n[ads]"));
    rig.colJnk = QStringList();
    rig.run();

    const QStringList expected{u"  www.site.example "_s, u"[ads]"_s, u"[ads]"_s};
    QCOMPARE(rig.colJnk, expected);
    // One row per item, in order, before the drive is selected.
    QCOMPARE(rig.view.calls.mid(0, 4),
        QStringList({u"row   www.site.example "_s, u"row [ads]"_s, u"row [ads]"_s, u"drive C"_s}));
}

void TestStartup::missingRemovalList()
{
    StartupRig rig;
    QVERIFY(QFile::remove(rig.removalListPath()));
    rig.run();

    QCOMPARE(rig.colJnk, QStringList());
    QCOMPARE(rig.view.callsStartingWith(u"row"_s), QStringList());
    QCOMPARE(rig.dialogs.warnings.size(), 1);
    QVERIFY2(rig.dialogs.warnings.front().contains(rig.removalListPath()),
        qPrintable(rig.dialogs.warnings.front()));
    QCOMPARE(rig.defaults, SavedDefaults());
    QCOMPARE(rig.view.calls.last(), u"panel Current=Ready..."_s);
}

void TestStartup::everyProblemInOneWarning()
{
    StartupRig rig;
    QVERIFY(
        rig.store({{u"Drive"_s, u"q"_s}, {u"Ending"_s, u"perhaps"_s}, {u"MaxCount"_s, u"1e9"_s}}));
    QVERIFY(QFile::remove(rig.removalListPath()));
    rig.run();

    QCOMPARE(rig.dialogs.warnings.size(), 1);
    const QString warning = rig.dialogs.warnings.front();
    for (const QString &part : {u"'q'"_s, u"'perhaps'"_s, u"'1e9'"_s, rig.removalListPath()})
        QVERIFY2(warning.contains(part), qPrintable(warning));
    QCOMPARE(warning.count(u'\n'), 3);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
