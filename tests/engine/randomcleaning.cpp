#include "randomcleaning.h"

#include <QHash>

#include <iterator>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Letters that fold to one another, or look as if they should and do not
// (İ and ı fold to themselves; ẞ folds to ß only in simple folding).
const std::vector<QStringList> &caseFamilies()
{
    static const std::vector<QStringList> families = {
        {u"σ"_s, u"ς"_s, u"Σ"_s},
        {u"k"_s, u"K"_s, u"\u212A"_s}, // Kelvin sign
        {u"µ"_s, u"μ"_s, u"Μ"_s},
        {u"ß"_s, u"ẞ"_s, u"ss"_s},
        {u"ä"_s, u"Ä"_s},
        {u"é"_s, u"É"_s},
        {u"i"_s, u"I"_s, u"İ"_s, u"ı"_s},
        {u"ω"_s, u"Ω"_s, u"\u2126"_s}, // Ohm sign
        {u"å"_s, u"Å"_s, u"\u212B"_s}, // Angstrom sign
        {u"ǆ"_s, u"ǅ"_s, u"Ǆ"_s},
        {u"\U00010428"_s, u"\U00010400"_s}, // Deseret
        {u"\U0001E922"_s, u"\U0001E900"_s}, // Adlam
        {u"\U0001F3B5"_s}, // no case
        {u"c"_s, u"C"_s},
        {u"z"_s, u"Z"_s},
        {u"ﬀ"_s, u"FF"_s, u"ff"_s},
    };
    return families;
}

// The family of each one-character member.
const QHash<QStringView, int> &familyOf()
{
    static const QHash<QStringView, int> index = [] {
        QHash<QStringView, int> result;
        const std::vector<QStringList> &families = caseFamilies();
        for (std::size_t f = 0; f < families.size(); ++f)
            for (const QString &member : families[f])
                if (QStringView(member).toUcs4().size() == 1)
                    result.insert(QStringView(member), int(f));
        return result;
    }();
    return index;
}

const QString Blank = u" "_s;
const QString Dot = u"."_s;
const QString Specials = u"-_<>!@#$^&*%"_s;
const QString Brackets = u"()[]{}<>"_s;
const QString Letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
const QString Digits = u"0123456789"_s;
const QChar LoneHighUnits[] = {QChar(0xd800), QChar(0xd801), QChar(0xd802), QChar(0xd803)};
const QString LoneHighSurrogates(LoneHighUnits, std::size(LoneHighUnits));
const QChar LoneLowUnits[] = {QChar(0xdc00), QChar(0xdc28)};
const QString LoneLowSurrogates(LoneLowUnits, std::size(LoneLowUnits));

} // namespace

RandomCleaning::RandomCleaning(quint32 seed)
    : m_random(seed)
{ }

QStringView RandomCleaning::oneOf(const QString &units)
{
    return QStringView(units).sliced(below(int(units.size())), 1);
}

QStringView RandomCleaning::atom()
{
    const int kind = below(100);
    if (kind < 18)
        return Blank;
    if (kind < 32)
        return oneOf(Specials);
    if (kind < 44)
        return oneOf(Brackets);
    if (kind < 48)
        return Dot;
    if (kind < 70)
        return oneOf(Letters);
    if (kind < 74)
        return oneOf(Digits);
    if (kind < 94) {
        const QStringList &family = caseFamilies()[std::size_t(below(int(caseFamilies().size())))];
        return family[below(int(family.size()))];
    }
    if (kind < 97)
        return oneOf(LoneHighSurrogates);
    return oneOf(LoneLowSurrogates);
}

void RandomCleaning::appendAtoms(QString &text, int count)
{
    for (int i = 0; i < count; ++i)
        text += atom();
}

// Each letter turned into a random member of its family, so that the text
// still matches without regard to case, or (İ, ı, ẞ) seems to and does not.
void RandomCleaning::appendInOtherCase(QString &out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                               : 1;
        const QStringView unit = text.sliced(i, width);
        i += width - 1;
        if (!chance(50)) {
            out += unit;
            continue;
        }
        const auto family = familyOf().constFind(unit);
        if (family != familyOf().cend()) {
            const QStringList &members = caseFamilies()[std::size_t(*family)];
            out += members[below(int(members.size()))];
        } else if (width == 1) {
            out += chance(50) ? unit[0].toUpper() : unit[0].toLower();
        } else {
            out += unit;
        }
    }
}

QString RandomCleaning::entry(const QStringList &before)
{
    const int kind = below(100);
    if (kind < 8)
        return QString();
    if (kind < 16 && !before.isEmpty())
        return before[below(int(before.size()))]; // a duplicate
    if (kind < 30 && !before.isEmpty()) {
        // Overlapping an earlier entry: a piece of it, or it with more.
        const QString &other = before[below(int(before.size()))];
        switch (below(4)) {
        case 0:
            return other.mid(1);
        case 1:
            return other.left(qMax<qsizetype>(1, other.size() - 1));
        case 2:
            return other + atom().toString();
        default:
            return atom().toString() + other;
        }
    }
    if (kind < 32) {
        // Starts with a lone low surrogate and is long enough for the hash
        // of Qt's search to forget its first unit (62 units and more).
        QString text(QChar(char16_t(chance(50) ? 0xdc00 : 0xdc28)));
        const int rest = 58 + below(8);
        for (int i = 0; i < rest; ++i)
            text += QChar(char16_t(u'a' + below(3)));
        return text;
    }
    if (kind < 35) {
        // Starts with the second half of a character outside the basic plane.
        const QString pair = chance(50) ? u"\U00010400"_s : u"\U0001F3B5"_s;
        QString text = pair.mid(1);
        appendAtoms(text, below(4));
        return text;
    }
    QString text;
    appendAtoms(text, 1 + below(chance(20) ? 12 : 5));
    return text;
}

QString RandomCleaning::maxLength()
{
    const int kind = below(100);
    if (kind < 25)
        return u"60"_s;
    if (kind < 55)
        return QString::number(below(90));
    if (kind < 65)
        return QString::number(below(12));
    if (kind < 75)
        return QString::number(below(60)) + u'.' + QString::number(below(100));
    if (kind < 80)
        return QString::number(below(40)) + u".5"_s;
    if (kind < 85)
        return QString::number(200 + below(700));
    static const QStringList odd = {u""_s, u" 1 6"_s, u"-5"_s, u"abc"_s, u"1e1"_s, u"&H10"_s,
        u".5e2"_s, u"16px"_s, u"\t12"_s, u"3.4"_s, u"1.6D1"_s, u"+20"_s, u"0.4"_s, u"1e999"_s};
    return odd[below(int(odd.size()))];
}

CleaningRules RandomCleaning::rules()
{
    CleaningRules rules;
    rules.underline = chance(50);
    rules.copy = chance(50);
    rules.multSpecial = chance(50);
    rules.multSpace = chance(50);
    rules.empty = chance(50);
    rules.starting = chance(50);
    rules.ending = chance(50);
    rules.maxLength = maxLength();
    const int kind = below(100);
    const int count = kind < 15 ? 0 : kind < 55 ? 1 + below(4) : kind < 90 ? 5 + below(11) : 50;
    for (int i = 0; i < count; ++i)
        rules.removals.append(entry(rules.removals));
    return rules;
}

QString RandomCleaning::name(const QStringList &removals)
{
    static const QStringList tags = {u"CC "_s, u"ZZ "_s, u"cc "_s, u"zZ "_s, u"Cc"_s, u" CC "_s};
    QString name;
    name.reserve(640);
    if (chance(15))
        name += tags[below(int(tags.size()))];
    const int length = below(1000) < 3 ? 500 + below(60) : chance(10) ? 30 + below(60) : below(30);
    while (name.size() < length) {
        if (!removals.isEmpty() && chance(15)) {
            // A high surrogate in front can join an entry's leading low one.
            if (chance(10))
                name += QChar(char16_t(0xd801));
            appendInOtherCase(name, removals[below(int(removals.size()))]);
        } else if (chance(5)) {
            // A run of one character, to collapse or to halve.
            const QStringView unit = atom();
            const int times = 2 + below(5);
            for (int i = 0; i < times; ++i)
                name += unit;
        } else {
            name += atom();
        }
    }
    if (chance(70)) {
        name += u'.';
        appendAtoms(name, chance(10) ? 10 + below(20) : below(5));
    }
    return name;
}

QString RandomCleaning::escaped(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            result += c;
        else
            result += u"\\u"_s + QString::number(c.unicode(), 16).rightJustified(4, u'0');
    }
    return result;
}

QString RandomCleaning::describe(const CleaningRules &rules)
{
    QString text = u"switches "_s;
    text += rules.underline ? u'u' : u'-';
    text += rules.copy ? u'c' : u'-';
    text += rules.multSpecial ? u's' : u'-';
    text += rules.multSpace ? u'p' : u'-';
    text += rules.empty ? u'e' : u'-';
    text += rules.starting ? u'b' : u'-';
    text += rules.ending ? u'n' : u'-';
    text += u", maximum \""_s + escaped(rules.maxLength) + u"\", entries"_s;
    for (const QString &entry : rules.removals)
        text += u" \""_s + escaped(entry) + u'"';
    return text;
}
