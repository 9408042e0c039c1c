#pragma once

#include "drives.h"

#include <QSet>

// Drives whose letters map to folders a test chooses (usually temporary
// ones), some of which can be "not ready".
class FakeDrives final : public Drives
{
public:
    void add(QChar letter, const QString &mountPoint, bool ready = true);

    QList<DriveInfo> list() const override { return m_drives; }
    bool exists(const QString &name) const override;
    bool isReady(QChar letter) const override { return !m_notReady.contains(letter.toUpper()); }
    std::optional<QString> localPath(const QString &driveFolder) const override;

private:
    QList<DriveInfo> m_drives;
    QSet<QChar> m_notReady;
};
