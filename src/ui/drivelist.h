#pragma once

#include "drives.h"

#include <QComboBox>
#include <QHash>

#include <optional>

// The drop-down of the computer's drives, each shown as its letter and mount
// point ("C: /"), a network or FUSE mount with its kind. The list remembers
// the last folder shown on each drive, which is where selecting the drive
// again leads.
class DriveList final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveList)

public:
    explicit DriveList(const Drives &drives, QWidget *parent = nullptr);

    // The selected entry; nullptr when the list is empty.
    const DriveInfo *selected() const;
    // The selected drive's letter; nothing for a mount without one.
    std::optional<QChar> letter() const;
    // Selects the drive named by the text's first letter, without any check
    // of readiness. False when no drive has that letter.
    bool selectLetter(QChar letter);
    // Selects the entry, lettered or not, whose volume holds `path`.
    void selectDriveOf(const QString &path);

    void rememberFolder(const QString &path);
    // The folder to show for the selected entry: the last one shown on it,
    // its mount point at first.
    QString currentFolder() const;

    void showPopup() override;

private:
    void fill();

    const Drives &m_drives;
    QList<DriveInfo> m_list;
    QHash<QString, QString> m_folders; // by mount point
};
