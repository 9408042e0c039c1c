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

// How many of the first `count` UTF-16 units of `text` a cut keeps so that
// it never ends inside a user-perceived character (a grapheme cluster: a
// letter with its combining marks, a surrogate pair, a Hangul syllable in
// jamo, an emoji with its modifiers and joined emoji): `count` itself, or
// fewer when the cut would fall inside one. A count below 0 keeps nothing.
qsizetype wholeCharacterCut(QStringView text, qsizetype count);

// Whether `position` lies between the two halves of a surrogate pair.
bool splitsSurrogatePair(QStringView text, qsizetype position);

// The first wholeCharacterCut(text, count) units of `text`.
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

// Whether renaming a file from `oldName` to `newName` would hide it: on
// Linux a name that starts with "." is hidden, and a visible file must not
// vanish from view because its base was cleaned away. A name that was hidden
// already stays hidden, and an empty name hides nothing.
bool wouldHide(QStringView oldName, QStringView newName);

// The full path of `name` in `folder`, with one separator between them.
QString joinedPath(const QString &folder, const QString &name);
