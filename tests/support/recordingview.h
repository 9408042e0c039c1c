#pragma once

#include "defaultsview.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <cerrno>

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
    QStringList calls; // "row X", "drive X", "folder Y", "max", "limit", ... in order

    QSet<QString> refusedDrives; // upper-case letters
    QSet<QString> refusedFolders; // drive folder texts

    Status selectDrive(const QString &text) override
    {
        if (!record(u"drive ", text, drive, refusedDrives.contains(text.left(1).toUpper())))
            return Failure{ENODEV, QStringLiteral("Drive %1 is not ready").arg(text)};
        return Status::success();
    }
    Status setFolder(const QString &driveFolder) override
    {
        if (!record(u"folder ", driveFolder, folder, refusedFolders.contains(driveFolder)))
            return Failure{ENOENT, QStringLiteral("Folder %1 cannot be shown").arg(driveFolder)};
        return Status::success();
    }
    void setMaxLengthText(const QString &text) override { record(u"max ", text, maxLengthText); }
    void setLimitText(const QString &text) override { record(u"limit ", text, limitText); }
    void setSwitchTicked(SwitchId id, bool value) override { mark(u"tick", ticked, id, value); }
    bool isMenuChecked(SwitchId id) const override { return menuChecked.value(id); }
    void setMenuChecked(SwitchId id, bool value) override { mark(u"menu", menuChecked, id, value); }
    void setPanelText(const QString &key, const QString &text) override
    {
        calls.append(QStringLiteral("panel ") + key);
        panels.insert(key, text);
    }
    void addRemovalRow(const QString &item) override
    {
        calls.append(QStringLiteral("row ") + item);
    }

private:
    bool record(QStringView call, const QString &text, QString &shown, bool refused = false)
    {
        calls.append(call.toString() + text);
        if (!refused)
            shown = text;
        return !refused;
    }
    void mark(QStringView call, QHash<SwitchId, bool> &marks, SwitchId id, bool value)
    {
        calls.append(QStringLiteral("%1 %2 %3").arg(call).arg(int(id)).arg(value));
        marks.insert(id, value);
    }
};
