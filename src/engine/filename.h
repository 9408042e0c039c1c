#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A file name split at its last ".": the extension is that "." and all after
// it; the base is everything before. A name without a dot is all base.
struct FileName
{
    QString base;
    QString extension;

    static FileName split(const QString &name);
    QString joined() const { return base + extension; }
};

// The first `count` UTF-16 units of `text`, one fewer when the cut would fall
// between the two halves of a surrogate pair: a cut never leaves half a
// character behind. A count below 0 gives the empty text.
QString leftWhole(const QString &text, qsizetype count);

// A name that starts with "." is hidden: file managers do not show it, and
// a pass leaves it alone.
inline bool isHiddenName(QStringView name)
{
    return name.startsWith(u'.');
}
inline bool isHiddenName(QByteArrayView name)
{
    return name.startsWith('.');
}

// The full path of `name` in `folder`, with one separator between them.
QString joinedPath(const QString &folder, const QString &name);
