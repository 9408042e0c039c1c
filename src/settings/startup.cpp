#include "startup.h"

#include "defaultsreader.h"
#include "defaultstable.h"
#include "defaultsview.h"
#include "drivepaths.h"
#include "drives.h"
#include "enginetexts.h"
#include "paneltexts.h"
#include "removallist.h"
#include "removallistplace.h"
#include "settingsstore.h"
#include "settingstexts.h"
#include "textconversions.h"
#include "userdialogs.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

QString rootOf(const QString &drive)
{
    return drive + u":\\"_s;
}

} // namespace

// A drive folder that start-up chose, as the system names it: the texts
// that echo the stored default keep the stored drive-letter form, but a
// folder shown instead is one the program found.
QString Startup::systemPath(const QString &driveFolder) const
{
    const std::optional<QString> local = m_drives.localPath(driveFolder);
    return local ? QDir::toNativeSeparators(*local) : driveFolder;
}

Startup::Startup(
    DefaultsView &view, UserDialogs &dialogs, const Drives &drives, const SettingsStore &store)
    : m_view(view)
    , m_dialogs(dialogs)
    , m_drives(drives)
    , m_store(store)
{ }

void Startup::run(SavedDefaults &defaults, QStringList &colJnk)
{
    m_problems.clear();

    if (!m_store.readProblem().isEmpty())
        m_problems.append(m_store.readProblem());
    DefaultsReading reading = DefaultsReader::read(m_store);
    defaults = reading.values;
    m_problems.append(reading.problems);

    loadRemovalList(colJnk);
    selectDrive(defaults);
    selectFolder(defaults);
    showDefaults(defaults);

    if (!m_problems.isEmpty())
        m_dialogs.warn(m_problems.join(u'\n'));
}

void Startup::loadRemovalList(QStringList &colJnk)
{
    const QString folder
        = m_removalListFolder.isEmpty() ? RemovalListPlace::standard().folder() : m_removalListFolder;
    const Result<RemovalList::Lines> list = RemovalList::load(folder);
    if (!list.ok()) {
        // The cleaner works with an empty list, so start-up goes on.
        m_problems.append(SettingsTexts::noStringsRemoved(list.failure().description));
        return;
    }
    const RemovalList::Lines &lines = list.value();
    for (const QString &item : lines.items) {
        colJnk.append(item);
        m_view.addRemovalRow(colJnk.last());
    }
    if (lines.notTextCount > 0)
        m_problems.append(SettingsTexts::removalLinesNotText(
            RemovalList::filePath(folder), lines.notTextLines, lines.notTextCount));
}

// A drive that is missing, not ready or refused gives way to the built-in
// drive's root for this run; the stored default stays, so the drive is
// tried again next time (a removable one may be back by then). The default
// folder belonged to the other drive, so it goes too.
void Startup::selectDrive(SavedDefaults &defaults)
{
    const QString builtIn = SavedDefaults{}.gDrive;
    const QString drive = defaults.gDrive;
    const std::optional<QChar> letter = DrivePaths::letterOf(drive);

    QString reason;
    if (!m_drives.exists(drive)) {
        reason = SettingsTexts::doesNotExist();
    } else if (!letter || !m_drives.isReady(*letter)) {
        reason = SettingsTexts::notReady();
    } else {
        const Status selected = m_view.selectDrive(drive);
        if (selected.ok())
            return;
        reason = selected.failure().description;
    }

    if (letter && letter == DrivePaths::letterOf(builtIn)) {
        // The drive that would replace it is the one that failed.
        m_problems.append(SettingsTexts::driveFailed(drive, reason));
        return;
    }
    m_problems.append(SettingsTexts::driveNotUsable(drive, reason, systemPath(rootOf(builtIn))));
    defaults.gDrive = builtIn;
    defaults.gPath.clear();
    const Status fallback = m_view.selectDrive(builtIn);
    if (!fallback.ok())
        m_problems.append(SettingsTexts::driveFailed(builtIn, fallback.failure().description));
}

// A default folder that is gone gives way to its drive's root for this run.
void Startup::selectFolder(SavedDefaults &defaults)
{
    const QString root = rootOf(defaults.gDrive);
    const QString folder = root + defaults.gPath;
    if (defaults.gPath.isEmpty()) {
        const Status shown = m_view.setFolder(folder);
        if (!shown.ok())
            m_problems.append(SettingsTexts::folderFailed(folder, shown.failure().description));
        return;
    }

    QString reason;
    if (!DrivePaths::folderExists(m_drives, folder)) {
        reason = SettingsTexts::doesNotExist();
    } else {
        const Status shown = m_view.setFolder(folder);
        if (shown.ok())
            return;
        reason = shown.failure().description;
    }
    m_problems.append(SettingsTexts::folderNotUsable(folder, reason, systemPath(root)));
    defaults.gPath.clear();
    const Status fallback = m_view.setFolder(root);
    if (!fallback.ok())
        m_problems.append(
            SettingsTexts::folderFailed(systemPath(root), fallback.failure().description));
}

void Startup::showDefaults(const SavedDefaults &defaults)
{
    m_view.setMaxLengthText(TextConversions::numberText(defaults.gMaxLen));
    m_view.setMenuChecked(SwitchId::IncludeSubdirs, defaults.gIncSub);
    m_view.setSwitchTicked(SwitchId::IncludeSubdirs, defaults.gIncSub);
    m_view.setLimitText(TextConversions::numberText(defaults.gMaxCnt));

    // The other eight switches in table order: ReadOnly, Underline,
    // MultSpecial, MultSpace, Empty, Copy, Starting, Ending.
    for (const DefaultSetting &setting : DefaultsTable::all()) {
        if (!setting.switchId || *setting.switchId == SwitchId::IncludeSubdirs)
            continue;
        const bool on = DefaultsTable::switchValue(defaults, *setting.switchId);
        m_view.setSwitchTicked(*setting.switchId, on);
        m_view.setMenuChecked(*setting.switchId, on);
    }

    m_view.setPanelText(PanelTexts::ReadPanel, PanelTexts::readCount(0));
    m_view.setPanelText(PanelTexts::FixedPanel, PanelTexts::fixedCount(0));
    m_view.setPanelText(PanelTexts::CurrentPanel, PanelTexts::ready());
}
