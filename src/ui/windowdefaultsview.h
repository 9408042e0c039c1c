#pragma once

#include "defaultsview.h"

#include <functional>
#include <utility>

class DriveList;
class Drives;
class FolderList;
class LimitBox;
class PanelStatusBar;
class QAction;
class QCheckBox;
class QListWidget;

// What start-up and the Settings commands change in the main window: the
// controls they set, and nothing else of it.
class WindowDefaultsView final : public DefaultsView
{
public:
    struct Controls
    {
        const Drives &drives;
        DriveList &driveList;
        FolderList &folderList;
        LimitBox &maxLength;
        LimitBox &limit;
        PanelStatusBar &panels;
        QListWidget &removals;
        std::function<QCheckBox &(SwitchId)> checkBox;
        std::function<QAction &(SwitchId)> menuItem;
        // Brings the folder list to the drive the drive list shows.
        std::function<Status()> followDrive;
    };

    explicit WindowDefaultsView(Controls controls)
        : m_controls(std::move(controls))
    { }
    WindowDefaultsView(const WindowDefaultsView &) = delete;
    WindowDefaultsView &operator=(const WindowDefaultsView &) = delete;

    Status selectDrive(const QString &drive) override;
    Status setFolder(const QString &driveFolder) override;
    void setMaxLengthText(const QString &text) override;
    void setLimitText(const QString &text) override;
    void setSwitchTicked(SwitchId id, bool ticked) override;
    bool isMenuChecked(SwitchId id) const override;
    void setMenuChecked(SwitchId id, bool checked) override;
    void setPanelText(const QString &key, const QString &text) override;
    void addRemovalRow(const QString &item) override;

private:
    Controls m_controls;
};
