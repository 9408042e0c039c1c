#pragma once

#include "defaultsview.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// The window as start-up and the Settings commands see it: every change is
// kept for a test to read back, and drives or folders can be refused.
class RecordingView final : public DefaultsView
{
public:
    QString drive;
    QString folder;
    QString maxLengthText;
    QString limitText;
    QHash<SwitchId, bool> ticked;
    QHash<SwitchId, bool> menuChecked;
    QHash<QString, QString> panels;
    QStringList removalRows;
    QStringList calls; // "row X", "drive X", "folder Y", "max", "limit", ... in order

    QSet<QString> refusedDrives; // upper-case letters
    QSet<QString> refusedFolders; // drive folder texts

    Status selectDrive(const QString &drive) override;
    Status setFolder(const QString &driveFolder) override;
    void setMaxLengthText(const QString &text) override;
    void setLimitText(const QString &text) override;
    void setSwitchTicked(SwitchId id, bool ticked) override;
    bool isMenuChecked(SwitchId id) const override { return menuChecked.value(id); }
    void setMenuChecked(SwitchId id, bool checked) override;
    void setPanelText(const QString &key, const QString &text) override;
    void addRemovalRow(const QString &item) override;
};
