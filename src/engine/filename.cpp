#include "filename.h"

FileName FileName::split(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString leftWhole(const QString &text, qsizetype count)
{
    if (count <= 0)
        return QString();
    if (count >= text.size())
        return text;
    if (text[count - 1].isHighSurrogate() && text[count].isLowSurrogate())
        --count;
    return text.left(count);
}

QString joinedPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
