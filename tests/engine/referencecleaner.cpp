#include "referencecleaner.h"

#include "enginetexts.h"
#include "filename.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// In the order in which their doubles are collapsed.
constexpr QStringView SpecialCharacters = u"-_<>!@#$^&*";

// In the order in which they are removed: the spaced form of each pair goes
// before the bare one.
const QStringList EmptyPairs
    = {u"( )"_s, u"()"_s, u"[ ]"_s, u"[]"_s, u"{ }"_s, u"{}"_s, u"< >"_s, u"<>"_s};

// Each step runs again as long as it changes the text. QString::replace
// never looks again at what it wrote: "---" becomes "--" in one run.
template <typename Step> void untilSettled(QString &text, Step step)
{
    for (QString before; before != text;) {
        before = text;
        step(text);
    }
}

void dropDelimiters(QString &text, QStringView delimiters, bool atEnd)
{
    while (!text.isEmpty() && delimiters.contains(atEnd ? text.back() : text.front()))
        text.remove(atEnd ? text.size() - 1 : 0, 1);
}

bool isCopyTag(const QString &base)
{
    if (base.size() < 3 || base[2] != u' ')
        return false;
    const QChar first = base[0].toUpper();
    return (first == u'C' || first == u'Z') && base[1].toUpper() == first;
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
        untilSettled(base, [](QString &text) {
            for (QChar c : SpecialCharacters)
                text.replace(QString(2, c), QString(c));
        });
    }
    if (rules.multSpace)
        untilSettled(base, [](QString &text) { text.replace(u"  "_s, u" "_s); });
    if (rules.empty) {
        untilSettled(base, [](QString &text) {
            for (const QString &pair : EmptyPairs)
                text.remove(pair);
        });
    }
    if (rules.starting)
        dropDelimiters(base, u" -)]}>", false);
    if (rules.ending)
        dropDelimiters(base, u" -([{<", true);

    const double maxLength = rules.maxLength;
    if (maxLength < double(base.size() + extension.size() + 1)) {
        const double keep = std::nearbyint(maxLength - double(extension.size()));
        if (keep < 0) {
            return {base + extension,
                Failure::of(
                    ProgramFault::CutBelowZero, EngineTexts::cutBelowZero(name, maxLength))};
        }
        // The last cluster boundary that the kept length reaches.
        const QList<qsizetype> bounds = clustersOf(base).bounds;
        base.truncate(*std::prev(std::upper_bound(bounds.begin(), bounds.end(), qsizetype(keep))));
    }

    return {base + extension, std::nullopt};
}
