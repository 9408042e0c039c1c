#pragma once

#include "defaultsview.h"

class frmMain;

// What start-up and the Settings commands change in the main window.
class WindowDefaultsView final : public DefaultsView
{
public:
    explicit WindowDefaultsView(frmMain &window)
        : m_window(window)
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
    frmMain &m_window;
};
