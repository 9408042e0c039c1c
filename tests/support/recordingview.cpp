#include "recordingview.h"

#include <cerrno>

using namespace Qt::StringLiterals;

Status RecordingView::selectDrive(const QString &text)
{
    calls.append(u"drive "_s + text);
    if (refusedDrives.contains(text.left(1).toUpper()))
        return Failure{ENODEV, u"Drive %1 is not ready"_s.arg(text)};
    drive = text;
    return Status::success();
}

Status RecordingView::setFolder(const QString &driveFolder)
{
    calls.append(u"folder "_s + driveFolder);
    if (refusedFolders.contains(driveFolder))
        return Failure{ENOENT, u"Folder %1 cannot be shown"_s.arg(driveFolder)};
    folder = driveFolder;
    return Status::success();
}

void RecordingView::setMaxLengthText(const QString &text)
{
    calls.append(u"max "_s + text);
    maxLengthText = text;
}

void RecordingView::setLimitText(const QString &text)
{
    calls.append(u"limit "_s + text);
    limitText = text;
}

void RecordingView::setSwitchTicked(SwitchId id, bool value)
{
    calls.append(u"tick %1 %2"_s.arg(int(id)).arg(value));
    ticked.insert(id, value);
}

void RecordingView::setMenuChecked(SwitchId id, bool checked)
{
    calls.append(u"menu %1 %2"_s.arg(int(id)).arg(checked));
    menuChecked.insert(id, checked);
}

void RecordingView::setPanelText(const QString &key, const QString &text)
{
    calls.append(u"panel "_s + key);
    panels.insert(key, text);
}

void RecordingView::addRemovalRow(const QString &item)
{
    calls.append(u"row "_s + item);
    removalRows.append(item);
}
