#include "folderdrop.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

std::optional<QString> droppedFolder(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QFileInfo folder(urls.front().toLocalFile());
    if (!folder.isDir())
        return std::nullopt;
    return QDir::cleanPath(folder.absoluteFilePath());
}
