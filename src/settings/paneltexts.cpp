#include "paneltexts.h"

#include "filename.h"
#include "textconversions.h"

using namespace Qt::StringLiterals;

namespace PanelTexts {

QString readCount(qint64 count)
{
    return u" Read: "_s + TextConversions::numberText(count);
}

QString fixedCount(qint64 count)
{
    return u" Fixed: "_s + TextConversions::numberText(count);
}

QString currentFile(const QString &folder, const QString &name)
{
    return u' ' + joinedPath(folder, name);
}

QString ready()
{
    return u"Ready..."_s;
}

QString navigating()
{
    return u"Navigating..."_s;
}

QString completed()
{
    return u"Completed"_s;
}

} // namespace PanelTexts
