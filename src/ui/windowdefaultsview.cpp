#include "windowdefaultsview.h"

#include "checkvalue.h"
#include "drivelist.h"
#include "drives.h"
#include "folderlist.h"
#include "limitbox.h"
#include "panelstatusbar.h"
#include "settingstexts.h"
#include "uitexts.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <cerrno>

Status WindowDefaultsView::selectDrive(const QString &drive)
{
    if (drive.isEmpty() || !m_controls.drives.exists(drive))
        return Failure{ENODEV, SettingsTexts::doesNotExist()};
    {
        const QSignalBlocker blocker(&m_controls.driveList);
        if (!m_controls.driveList.selectLetter(drive.front()))
            return Failure{ENODEV, SettingsTexts::doesNotExist()};
    }
    return m_controls.followDrive();
}

Status WindowDefaultsView::setFolder(const QString &driveFolder)
{
    const std::optional<QString> local = m_controls.drives.localPath(driveFolder);
    if (!local)
        return Failure{ENOENT, UiTexts::folderMissing(driveFolder)};
    return m_controls.folderList.setPath(*local);
}

void WindowDefaultsView::setMaxLengthText(const QString &text)
{
    m_controls.maxLength.setText(text);
}

void WindowDefaultsView::setLimitText(const QString &text)
{
    m_controls.limit.setText(text);
}

void WindowDefaultsView::setSwitchTicked(SwitchId id, bool ticked)
{
    CheckValue::setValue(m_controls.checkBox(id), ticked ? CheckValue::Ticked : CheckValue::Clear);
}

bool WindowDefaultsView::isMenuChecked(SwitchId id) const
{
    return m_controls.menuItem(id).isChecked();
}

void WindowDefaultsView::setMenuChecked(SwitchId id, bool checked)
{
    m_controls.menuItem(id).setChecked(checked);
}

void WindowDefaultsView::setPanelText(const QString &key, const QString &text)
{
    m_controls.panels.setPanelText(key, text);
}

void WindowDefaultsView::addRemovalRow(const QString &item)
{
    m_controls.removals.addItem(item);
}
