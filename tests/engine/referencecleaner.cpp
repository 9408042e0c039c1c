#include "referencecleaner.h"

#include "enginetexts.h"
#include "filename.h"
#include "textconversions.h"

#include <QStringView>
#include <QTextBoundaryFinder>

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

// The longest start of `text` of at most `count` units that ends between
// two grapheme clusters.
qsizetype wholeCut(const QString &text, qsizetype count)
{
    if (count <= 0)
        return 0;
    if (count >= text.size())
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(count);
    qsizetype cut = count;
    while (cut > 0 && (!finder.isAtBoundary() || splitsSurrogatePair(text, cut)))
        cut = finder.toPreviousBoundary();
    return cut;
}

// Decomposed, every code point folded on its own, decomposed again: equal
// for texts that are canonically equivalent without regard to case.
QString caselessKey(const QString &text)
{
    if (text.size() == 1 && text[0].unicode() < 0x80)
        return text.toLower();
    // A lone surrogate stays itself, and apart from any other.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const bool pair = decomposed[i].isHighSurrogate() && i + 1 < decomposed.size()
            && decomposed[i + 1].isLowSurrogate();
        folded += decomposed.sliced(i, pair ? 2 : 1).toCaseFolded();
        i += pair ? 1 : 0;
    }
    return folded.normalized(QString::NormalizationForm_D);
}

// The text's grapheme clusters, each with its caseless key.
struct Clusters
{
    QList<qsizetype> bounds; // the first 0, the last the text's size
    QStringList keys;
};

Clusters clustersOf(const QString &text)
{
    Clusters clusters{{0}, {}};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        if (splitsSurrogatePair(text, end))
            continue;
        clusters.keys.append(
            caselessKey(text.sliced(clusters.bounds.back(), end - clusters.bounds.back())));
        clusters.bounds.append(end);
    }
    return clusters;
}

// Drops every run of whole clusters whose keys spell the entry's key, in one
// scan from the left; true when it dropped any.
bool removeEquivalent(QString &base, const Clusters &clusters, const QString &entry)
{
    const QString key = caselessKey(entry);
    QString kept;
    for (qsizetype i = 0; i < clusters.keys.size();) {
        QString spelled;
        qsizetype end = i;
        while (end < clusters.keys.size() && spelled.size() < key.size())
            spelled += clusters.keys[end++];
        if (spelled == key) {
            i = end;
            continue;
        }
        kept += base.sliced(clusters.bounds[i], clusters.bounds[i + 1] - clusters.bounds[i]);
        ++i;
    }
    const bool removed = kept.size() != base.size();
    base = kept;
    return removed;
}

} // namespace

CleanResult referenceCleanFileName(const QString &name, const CleaningRules &rules)
{
    auto [base, extension] = FileName::split(name);

    if (rules.underline)
        base.replace(u'_', u' ');

    Clusters clusters = clustersOf(base);
    for (const QString &entry : rules.removals) {
        if (!entry.isEmpty() && removeEquivalent(base, clusters, entry))
            clusters = clustersOf(base);
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
        base.truncate(wholeCut(base, qsizetype(keep)));
    }

    return {base + extension, std::nullopt};
}
