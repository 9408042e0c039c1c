#include "filename.h"

#include <QTextBoundaryFinder>

#include <algorithm>

FileName FileName::split(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

namespace {

// No combining mark, joiner, prepended sign, Hangul jamo or surrogate lies
// below U+0300, so between two such units the only cluster that does not
// break is CR LF.
bool isPlainBoundary(char16_t before, char16_t after)
{
    return before < 0x300 && after < 0x300 && !(before == u'\r' && after == u'\n');
}

} // namespace

bool splitsSurrogatePair(QStringView text, qsizetype position)
{
    return position > 0 && position < text.size() && text[position - 1].isHighSurrogate()
        && text[position].isLowSurrogate();
}

qsizetype wholeCharacterCut(QStringView text, qsizetype count)
{
    if (count <= 0)
        return 0;
    if (count >= text.size())
        return text.size();
    if (isPlainBoundary(text[count - 1].unicode(), text[count].unicode()))
        return count;
    // Qt's clusters depend on the script of the text around them (a virama
    // after "&" joins it or not), so the finder sees the whole text. Before
    // an Indic letter it may also break inside a surrogate pair, which is
    // never a boundary.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData(), text.size());
    finder.setPosition(count);
    qsizetype cut = count;
    while (cut > 0 && (!finder.isAtBoundary() || splitsSurrogatePair(text, cut)))
        cut = finder.toPreviousBoundary();
    return std::max<qsizetype>(0, cut);
}

QString leftWhole(const QString &text, qsizetype count)
{
    return text.left(wholeCharacterCut(text, count));
}

bool wouldHide(QStringView oldName, QStringView newName)
{
    return isHiddenName(newName) && !isHiddenName(oldName);
}

QString joinedPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
