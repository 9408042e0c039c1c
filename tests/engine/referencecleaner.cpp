#include "referencecleaner.h"

#include "enginetexts.h"
#include "filename.h"
#include "textconversions.h"

#include <QStringView>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// In the order in which their doubles are collapsed.
constexpr std::array<char16_t, 11> SpecialCharacters
    = {u'-', u'_', u'<', u'>', u'!', u'@', u'#', u'$', u'^', u'&', u'*'};

// In the order in which they are removed: the spaced form of each pair goes
// before the bare one.
constexpr std::array<QLatin1StringView, 8> EmptyPairs
    = {QLatin1StringView("( )"), QLatin1StringView("()"), QLatin1StringView("[ ]"),
        QLatin1StringView("[]"), QLatin1StringView("{ }"), QLatin1StringView("{}"),
        QLatin1StringView("< >"), QLatin1StringView("<>")};

constexpr std::u16string_view LeadingDelimiters = u" -)]}>";
constexpr std::u16string_view TrailingDelimiters = u" -([{<";

bool isSpecial(QChar c)
{
    for (char16_t s : SpecialCharacters)
        if (c == s)
            return true;
    return false;
}

bool hasDoubled(const QString &text, bool (*counts)(QChar))
{
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text[i] == text[i - 1] && counts(text[i]))
            return true;
    return false;
}

// One left-to-right scan that turns each non-overlapping "cc" into "c" and
// never looks again at what it wrote: "---" becomes "--".
void collapseDoubles(QString &text, QChar c)
{
    qsizetype out = 0;
    for (qsizetype in = 0; in < text.size(); ++out) {
        text[out] = text[in];
        in += (text[in] == c && in + 1 < text.size() && text[in + 1] == c) ? 2 : 1;
    }
    text.truncate(out);
}

bool hasEmptyPair(const QString &text)
{
    for (QLatin1StringView pair : EmptyPairs)
        if (text.contains(pair))
            return true;
    return false;
}

void dropLeading(QString &text, std::u16string_view delimiters)
{
    qsizetype n = 0;
    while (n < text.size() && delimiters.find(text[n].unicode()) != std::u16string_view::npos)
        ++n;
    text.remove(0, n);
}

void dropTrailing(QString &text, std::u16string_view delimiters)
{
    qsizetype n = text.size();
    while (n > 0 && delimiters.find(text[n - 1].unicode()) != std::u16string_view::npos)
        --n;
    text.truncate(n);
}

bool isCopyTag(const QString &base)
{
    if (base.size() < 3 || base[2] != u' ')
        return false;
    const QChar first = base[0].toUpper();
    return (first == u'C' || first == u'Z') && base[1].toUpper() == first;
}

} // namespace

CleanResult referenceCleanFileName(const QString &name, const CleaningRules &rules)
{
    auto [base, extension] = FileName::split(name);

    if (rules.underline)
        base.replace(u'_', u' ');

    for (const QString &entry : rules.removals) {
        if (!entry.isEmpty())
            base.remove(entry, Qt::CaseInsensitive);
    }

    if (rules.copy && isCopyTag(base))
        base.remove(0, 3);

    if (rules.multSpecial) {
        while (hasDoubled(base, isSpecial)) {
            for (char16_t c : SpecialCharacters)
                collapseDoubles(base, c);
        }
    }

    if (rules.multSpace) {
        while (base.contains(u"  "_s))
            collapseDoubles(base, u' ');
    }

    if (rules.empty) {
        while (hasEmptyPair(base)) {
            for (QLatin1StringView pair : EmptyPairs)
                base.remove(pair);
        }
    }

    if (rules.starting)
        dropLeading(base, LeadingDelimiters);
    if (rules.ending)
        dropTrailing(base, TrailingDelimiters);

    const double maxLength = rules.maxLength;
    if (maxLength < double(base.size() + extension.size() + 1)) {
        const double keep = std::nearbyint(maxLength - double(extension.size()));
        if (keep < 0) {
            return {base + extension,
                Failure::of(
                    ProgramFault::CutBelowZero, EngineTexts::cutBelowZero(name, maxLength))};
        }
        base = leftWhole(base, qsizetype(keep));
    }

    return {base + extension, std::nullopt};
}
