#pragma once

#include <QString>

// The status panels the pass and start-up write: their keys and texts.
namespace PanelTexts {

inline const QString ReadPanel = QStringLiteral("Read");
inline const QString FixedPanel = QStringLiteral("Fixed");
inline const QString CurrentPanel = QStringLiteral("Current");

QString readCount(qint64 count); // " Read: 12"
QString fixedCount(qint64 count); // " Fixed: 3"
// Panel "Current" while a file is read: a blank and its full path.
QString currentFile(const QString &folder, const QString &name);
QString ready(); // "Ready...", after start-up
QString navigating();
QString completed();

} // namespace PanelTexts
