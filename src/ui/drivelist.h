#pragma once

#include "drives.h"

#include <QComboBox>
#include <QHash>

#include <optional>

// The drop-down of the computer's drives, each shown as its letter and mount
// point ("C: /"), a network or FUSE mount with its kind. `drive()` is the
// text of the selected entry, whose first letter is the drive letter. The
// list remembers the last folder shown on each drive, which is where
// selecting the drive again leads.
class DriveList final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveList)

public:
    explicit DriveList(const Drives &drives, QWidget *parent = nullptr);

    QString drive() const { return currentText(); }
    std::optional<QChar> letter() const;
    // Selects the drive named by the text's first letter, without any check
    // of readiness. False when no drive has that letter.
    bool selectLetter(QChar letter);

    // The drive whose volume holds `path`.
    std::optional<QChar> driveOf(const QString &path) const;
    void rememberFolder(const QString &path);
    QString mountPoint(QChar letter) const;
    // The folder to show when the drive is selected; its mount point at first.
    QString currentFolder(QChar letter) const;

    void showPopup() override;

private:
    void fill();

    const Drives &m_drives;
    QList<DriveInfo> m_list;
    QHash<QChar, QString> m_folders;
};
