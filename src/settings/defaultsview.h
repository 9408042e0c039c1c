#pragma once

#include "result.h"
#include "switchid.h"

#include <QString>

// What start-up and the Settings commands change in the main window.
class DefaultsView
{
public:
    virtual ~DefaultsView() = default;

    // Selects the drive named by the text's first letter; the folder and
    // file lists follow it. Fails for a drive that is missing or not ready.
    virtual Status selectDrive(const QString &drive) = 0;
    // Moves the folder list (and with it the file list) to a drive folder
    // text such as "C:\Music". Fails when that folder cannot be shown.
    virtual Status setFolder(const QString &driveFolder) = 0;
    virtual void setMaxLengthText(const QString &text) = 0;
    virtual void setLimitText(const QString &text) = 0;
    virtual void setSwitchTicked(SwitchId id, bool ticked) = 0;
    virtual bool isMenuChecked(SwitchId id) const = 0;
    virtual void setMenuChecked(SwitchId id, bool checked) = 0;
    virtual void setPanelText(const QString &key, const QString &text) = 0;
    virtual void addRemovalRow(const QString &item) = 0;
};
