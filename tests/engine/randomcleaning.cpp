#include "randomcleaning.h"

#include "textconversions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// Letters that fold to one another, or look as if they should and do not
// (İ and ı fold to themselves; ẞ folds to ß only in simple folding): with the
// Kelvin, Ohm and Angstrom signs, Deseret and Adlam letters, a note of no
// case, a Hangul syllable and its jamo, marks in either order, the mark that
// folds to a letter, and two starters that compose.
const QList<QStringList> Families = {{u"σ"_s, u"ς"_s, u"Σ"_s}, {u"k"_s, u"K"_s, u"\u212A"_s},
    {u"µ"_s, u"μ"_s, u"Μ"_s}, {u"ß"_s, u"ẞ"_s, u"ss"_s}, {u"ä"_s, u"Ä"_s},
    {u"é"_s, u"É"_s, u"e\u0301"_s, u"E\u0301"_s}, {u"i"_s, u"I"_s, u"İ"_s, u"ı"_s},
    {u"ω"_s, u"Ω"_s, u"\u2126"_s}, {u"å"_s, u"Å"_s, u"\u212B"_s, u"a\u030A"_s},
    {u"ǆ"_s, u"ǅ"_s, u"Ǆ"_s}, {u"\U00010428"_s, u"\U00010400"_s},
    {u"\U0001E922"_s, u"\U0001E900"_s}, {u"\U0001F3B5"_s}, {u"\uD55C"_s, u"\u1112\u1161\u11AB"_s},
    {u"\u1E69"_s, u"\u1E68"_s, u"s\u0323\u0307"_s, u"S\u0307\u0323"_s},
    {u"\u1FB4"_s, u"\u03B1\u0301\u0345"_s, u"\u0386\u0345"_s}, {u"\u0B4B"_s, u"\u0B47\u0B3E"_s},
    {u"c"_s, u"C"_s}, {u"z"_s, u"Z"_s}, {u"ﬀ"_s, u"FF"_s, u"ff"_s}};

// Units that join the one before or after into one user-perceived
// character: combining marks, a joiner, a skin tone, an emoji, a regional
// indicator, Hangul vowels and finals, a Devanagari letter and virama, a
// prepended sign, CR and LF.
const QStringList Joining = {u"\u0301"_s, u"\u0323"_s, u"\u0345"_s, u"\u200D"_s, u"\U0001F3FD"_s,
    u"\U0001F469"_s, u"\U0001F1E9"_s, u"\u1161"_s, u"\u11AB"_s, u"\u0915"_s, u"\u094D"_s,
    u"\u0600"_s, u"\r"_s, u"\n"_s};

const QString Specials = u"-_<>!@#$^&*%"_s;
const QString Brackets = u"()[]{}<>"_s;
const QString Alphanumerics = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"_s;
const QChar LoneUnits[]
    = {QChar(0xd800), QChar(0xd801), QChar(0xd802), QChar(0xdc00), QChar(0xdc28)};
const QString LoneSurrogates(LoneUnits, std::size(LoneUnits));

constexpr QStringView SwitchLetters = u"ucspebn";
template <typename Rules> auto switchesOf(Rules &rules)
{
    return std::array{&rules.underline, &rules.copy, &rules.multSpecial, &rules.multSpace,
        &rules.empty, &rules.starting, &rules.ending};
}

} // namespace

CleaningRules rulesFrom(
    const QString &switches, const QString &maxLength, const QStringList &removals)
{
    CleaningRules rules;
    for (int i = 0; i < 7; ++i)
        *switchesOf(rules)[i] = switches == u"all"_s || switches.contains(SwitchLetters[i]);
    rules.maxLength = TextConversions::leadingNumberAfterZero(maxLength);
    rules.removals = removals;
    return rules;
}

QString RandomCleaning::atom()
{
    const int kind = below(100);
    return kind < 18 ? u" "_s
        : kind < 32  ? QString(oneOf(Specials))
        : kind < 44  ? QString(oneOf(Brackets))
        : kind < 48  ? u"."_s
        : kind < 72  ? QString(oneOf(Alphanumerics))
        : kind < 88  ? oneOf(oneOf(Families))
        : kind < 95  ? oneOf(Joining)
                     : QString(oneOf(LoneSurrogates));
}

QString RandomCleaning::atoms(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += atom();
    return text;
}

// Half of the characters turned into another member of their family, or
// into the other letter case, so that the text still matches without regard
// to case and to how its accents are encoded, or (İ, ı, ẞ) seems to and
// does not.
QString RandomCleaning::inOtherCase(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        QStringView unit = text.sliced(i, pair ? 2 : 1);
        const QStringList *family = nullptr;
        for (const QStringList &members : Families) {
            for (const QString &member : members) {
                if (member.size() >= unit.size() && text.sliced(i).startsWith(member)) {
                    unit = text.sliced(i, member.size());
                    family = &members;
                }
            }
        }
        i += unit.size();
        out += chance(50) ? unit.toString()
            : family      ? oneOf(*family)
            : chance(50)  ? unit.toString().toUpper()
                          : unit.toString().toLower();
    }
    return out;
}

QString RandomCleaning::entry(const QStringList &before)
{
    const int kind = below(100);
    if (kind < 8)
        return QString();
    if (kind < 16 && !before.isEmpty())
        return oneOf(before); // a duplicate
    if (kind < 30 && !before.isEmpty()) {
        // Overlapping an earlier entry: a piece of it, or it with more.
        const QString other = oneOf(before);
        const int way = below(4);
        return way == 0 ? other.mid(1)
            : way == 1  ? other.left(qMax<qsizetype>(1, other.size() - 1))
            : way == 2  ? other + atom()
                        : atom() + other;
    }
    if (kind < 32) {
        // A lone low surrogate, which must not match the second half of a
        // pair, then letters.
        QString text(QChar(chance(50) ? 0xdc00 : 0xdc28));
        for (int i = 1 + below(8); i > 0; --i)
            text += QChar(u'a' + below(3));
        return text;
    }
    if (kind < 35) // the second half of a character outside the basic plane first
        return (chance(50) ? u"\U00010400"_s : u"\U0001F3B5"_s).mid(1) + atoms(below(4));
    return atoms(1 + below(chance(20) ? 12 : 5));
}

CleaningRules RandomCleaning::rules()
{
    QString switches;
    for (QChar letter : SwitchLetters)
        switches += chance(50) ? letter : u'-';
    static const QStringList odd = {u""_s, u" 1 6"_s, u"-5"_s, u"abc"_s, u"1e1"_s, u"&H10"_s,
        u".5e2"_s, u"16px"_s, u"\t12"_s, u"3.4"_s, u"1.6D1"_s, u"+20"_s, u"0.4"_s, u"1e999"_s};
    const int length = below(100);
    const QString maxLength = length < 25 ? u"60"_s
        : length < 55                     ? QString::number(below(90))
        : length < 65                     ? QString::number(below(12))
        : length < 75                     ? u"%1.%2"_s.arg(below(60)).arg(below(100))
        : length < 80                     ? u"%1.5"_s.arg(below(40))
        : length < 85                     ? QString::number(200 + below(700))
                                          : oneOf(odd);
    CleaningRules rules = rulesFrom(switches, maxLength);

    const int entries = below(100);
    const int count = entries < 15 ? 0
        : entries < 55             ? 1 + below(4)
        : entries < 90             ? 5 + below(11)
                                   : 50;
    for (int i = 0; i < count; ++i)
        rules.removals.append(entry(rules.removals));
    return rules;
}

QString RandomCleaning::name(const QStringList &removals)
{
    static const QStringList tags = {u"CC "_s, u"ZZ "_s, u"cc "_s, u"zZ "_s, u"Cc"_s, u" CC "_s};
    QString name;
    name.reserve(640); // never null: no file name is
    if (chance(15))
        name += oneOf(tags);
    // Mostly short; a few longer than the cleaner keeps on the stack.
    const int length = below(1000) < 3 ? 500 + below(60) : chance(10) ? 30 + below(60) : below(30);
    while (name.size() < length) {
        if (!removals.isEmpty() && chance(15)) {
            // A high surrogate in front can join an entry's leading low one.
            if (chance(10))
                name += QChar(0xd801);
            name += inOtherCase(oneOf(removals));
        } else if (chance(5)) {
            name += atom().repeated(2 + below(5)); // a run, to collapse or to halve
        } else {
            name += atom();
        }
    }
    if (chance(70))
        name += u'.' + atoms(chance(10) ? 10 + below(20) : below(5));
    return name;
}

QString RandomCleaning::escaped(const QString &text)
{
    QString result;
    for (QChar c : text)
        result += c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\'
            ? QString(c)
            : u"\\u%1"_s.arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return result;
}

QString RandomCleaning::describe(const CleaningRules &rules)
{
    QString text = u"switches "_s;
    for (int i = 0; i < 7; ++i)
        text += *switchesOf(rules)[i] ? SwitchLetters[i] : u'-';
    text += u", maximum %1, entries"_s.arg(rules.maxLength);
    for (const QString &entry : rules.removals)
        text += u" \"%1\""_s.arg(escaped(entry));
    return text;
}
