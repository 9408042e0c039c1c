#include "windowdefaultsview.h"

#include "checkvalue.h"
#include "drivelist.h"
#include "drives.h"
#include "folderlist.h"
#include "frmmain.h"
#include "limitbox.h"
#include "panelstatusbar.h"
#include "uitexts.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <cerrno>

Status WindowDefaultsView::selectDrive(const QString &drive)
{
    if (drive.isEmpty() || !m_window.m_drives.exists(drive))
        return Failure{ENODEV, UiTexts::driveMissing(drive)};
    {
        const QSignalBlocker blocker(m_window.drvMain);
        if (!m_window.drvMain->selectLetter(drive.front()))
            return Failure{ENODEV, UiTexts::driveMissing(drive)};
    }
    return m_window.followDrive();
}

Status WindowDefaultsView::setFolder(const QString &driveFolder)
{
    const std::optional<QString> local = m_window.m_drives.localPath(driveFolder);
    if (!local)
        return Failure{ENOENT, UiTexts::folderMissing(driveFolder)};
    return m_window.dirMain->setPath(*local);
}

void WindowDefaultsView::setMaxLengthText(const QString &text)
{
    m_window.txtMax->setText(text);
}

void WindowDefaultsView::setLimitText(const QString &text)
{
    m_window.txtCount->setText(text);
}

void WindowDefaultsView::setSwitchTicked(SwitchId id, bool ticked)
{
    CheckValue::setValue(
        *m_window.checkBoxFor(id), ticked ? CheckValue::Ticked : CheckValue::Clear);
}

bool WindowDefaultsView::isMenuChecked(SwitchId id) const
{
    return m_window.menuItemFor(id)->isChecked();
}

void WindowDefaultsView::setMenuChecked(SwitchId id, bool checked)
{
    m_window.menuItemFor(id)->setChecked(checked);
}

void WindowDefaultsView::setPanelText(const QString &key, const QString &text)
{
    m_window.StatusBar1->setPanelText(key, text);
}

void WindowDefaultsView::addRemovalRow(const QString &item)
{
    m_window.lstJnk->addItem(item);
}
