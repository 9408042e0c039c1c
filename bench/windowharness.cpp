#include "windowharness.h"

#include "drivepaths.h"
#include "drives.h"
#include "frmmain.h"
#include "panelstatusbar.h"
#include "qtuserdialogs.h"
#include "settingkeys.h"
#include "settingsstore.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// One drive, C, on the folder that holds the benchmark's tree.
class OneDrive final : public Drives
{
public:
    explicit OneDrive(QString mountPoint)
        : m_drives{{u'C', std::move(mountPoint)}}
    { }
    QList<DriveInfo> list() const override { return m_drives; }
    bool exists(const QString &name) const override { return DrivePaths::letterOf(name) == u'C'; }
    bool isReady(QChar) const override { return true; }
    std::optional<QString> localPath(const QString &driveFolder) const override
    {
        return DrivePaths::localPath(m_drives, driveFolder);
    }

private:
    QList<DriveInfo> m_drives;
};

} // namespace

struct WindowHarness::Parts
{
    OneDrive drives;
    SettingsStore store;
    QtUserDialogs dialogs;
    frmMain window;

    Parts(FileSystem &fileSystem, const QString &folder, const QString &settings)
        : drives(QFileInfo(folder).absolutePath())
        , store(u"bench_pass"_s, settings)
        , window(fileSystem, drives, store, dialogs)
    { }
};

WindowHarness::WindowHarness(
    FileSystem &fileSystem, const QString &folder, const QStringList &removals)
{
    {
        SettingsStore store(u"bench_pass"_s, m_settings.path());
        (void)store.save(SettingKeys::Drive, u"C"_s);
        (void)store.save(SettingKeys::Path, QFileInfo(folder).fileName());
        (void)store.save(SettingKeys::MaxCount, u"32767"_s);
    }
    QFile list(m_settings.filePath(u"Purlex.txt"_s));
    if (list.open(QIODevice::WriteOnly))
        list.write(removals.join(u'\n').toUtf8() + '\n');
    list.close();

    m_parts = std::make_unique<Parts>(fileSystem, folder, m_settings.path());
    m_parts->dialogs.setParent(&m_parts->window);
    m_parts->window.setRemovalListFolder(m_settings.path());
    m_parts->window.setJournalPath(m_settings.filePath(u"undo history"_s));
    m_parts->window.Form_Load();
    m_parts->window.show();
}

WindowHarness::~WindowHarness() = default;

double WindowHarness::execute()
{
    auto *execute = m_parts->window.findChild<QPushButton *>(u"cmdExecute"_s);
    QElapsedTimer timer;
    timer.start();
    execute->click();
    return double(timer.nsecsElapsed()) / 1e9;
}

void WindowHarness::preview()
{
    m_parts->window.findChild<QAction *>(u"mnuFilePreview"_s)->trigger();
}

QString WindowHarness::panel(const QString &key) const
{
    return m_parts->window.findChild<PanelStatusBar *>()->panelText(key);
}
