#include "paneltexts.h"

#include "filename.h"
#include "textconversions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace PanelTexts {

QString readCount(qint64 count)
{
    return QCoreApplication::translate("PanelTexts", " Read: ")
        + TextConversions::numberText(count);
}

QString fixedCount(qint64 count)
{
    return QCoreApplication::translate("PanelTexts", " Fixed: ")
        + TextConversions::numberText(count);
}

QString currentFile(const QString &folder, const QString &name)
{
    return u' ' + joinedPath(folder, name);
}

QString ready()
{
    return QCoreApplication::translate("PanelTexts", "Ready...");
}

QString navigating()
{
    return QCoreApplication::translate("PanelTexts", "Navigating...");
}

QString completed()
{
    return QCoreApplication::translate("PanelTexts", "Completed");
}

} // namespace PanelTexts
