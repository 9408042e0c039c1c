#include "namecleaner.h"

#include "caselesskey.h"
#include "enginetexts.h"
#include "filename.h"
#include "textconversions.h"

#include <QChar>
#include <QStringView>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// The base while it is cleaned. Every step keeps it or makes it shorter, so
// it never grows; a base of a usual length lives on the stack, and cleaning
// allocates nothing but the result.
class Units final
{
public:
    explicit Units(QStringView text)
        : m_size(text.size())
    {
        if (m_size > qsizetype(std::size(m_inline))) {
            m_heap = std::make_unique_for_overwrite<char16_t[]>(std::size_t(m_size));
            m_data = m_heap.get();
        }
        // A null text has no units to copy, and no pointer to copy from.
        if (m_size > 0)
            std::memcpy(m_data, text.utf16(), sizeof(char16_t) * std::size_t(m_size));
    }
    Q_DISABLE_COPY_MOVE(Units)

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    QStringView view() const { return QStringView(m_data, m_size); }
    char16_t *data() { return m_data; }
    const char16_t *constData() const { return m_data; }
    char16_t operator[](qsizetype i) const { return m_data[i]; }
    char16_t *begin() { return m_data; }
    char16_t *end() { return m_data + m_size; }
    void truncate(qsizetype size) { m_size = size; }
    // Drops the first `count` units.
    void dropFront(qsizetype count)
    {
        std::memmove(m_data, m_data + count, sizeof(char16_t) * std::size_t(m_size - count));
        m_size -= count;
    }

private:
    char16_t m_inline[256];
    std::unique_ptr<char16_t[]> m_heap;
    char16_t *m_data = m_inline;
    qsizetype m_size;
};

// Below U+0300 every unit is a character of its own, but for CR LF.
bool isPlain(QStringView text)
{
    return std::all_of(
        text.begin(), text.end(), [](QChar u) { return u.unicode() < 0x300 && u != u'\r'; });
}

// A base cut into user-perceived characters (grapheme clusters), each with
// its caseless key. An entry matches whole characters whose keys, one after
// the other, spell the entry's key: a removal never takes a letter without
// its accents, nor half of a syllable or an emoji sequence.
class Characters final
{
public:
    explicit Characters(QStringView text);

    qsizetype count() const { return qsizetype(m_unitStart.size()) - 1; }
    qsizetype unitStart(qsizetype i) const { return m_unitStart[std::size_t(i)]; }
    // The characters from `first` on that spell `key`: the index after the
    // last of them, or -1 when they do not.
    qsizetype matchEnd(qsizetype first, QStringView key) const;

private:
    QStringView keyOf(qsizetype i) const
    {
        const qsizetype start = m_keyStart[std::size_t(i)];
        return QStringView(m_keys).sliced(start, m_keyStart[std::size_t(i) + 1] - start);
    }

    // One entry per character and one past the last.
    std::vector<qsizetype> m_unitStart;
    std::vector<qsizetype> m_keyStart;
    QString m_keys;
};

Characters::Characters(QStringView text)
{
    m_unitStart.reserve(std::size_t(text.size()) + 1);
    m_keyStart.reserve(std::size_t(text.size()) + 1);
    m_keys.reserve(text.size());
    const auto add = [this](QStringView character, qsizetype start) {
        m_unitStart.push_back(start);
        m_keyStart.push_back(m_keys.size());
        if (character.size() == 1 && character[0].unicode() < 0x300)
            m_keys += CaselessKey::ofPlainUnit(character[0].unicode());
        else
            m_keys += CaselessKey::of(character);
    };
    if (isPlain(text)) {
        for (qsizetype i = 0; i < text.size(); ++i)
            add(text.sliced(i, 1), i);
    } else {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData(), text.size());
        qsizetype start = 0;
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
            // Qt may break inside a pair before an Indic letter.
            if (splitsSurrogatePair(text, end))
                continue;
            add(text.sliced(start, end - start), start);
            start = end;
        }
    }
    m_unitStart.push_back(text.size());
    m_keyStart.push_back(m_keys.size());
}

// Whether `part` is what follows the first `matched` units of `key`; if
// so, counts it as matched.
bool spellsOn(QStringView key, qsizetype &matched, QStringView part)
{
    if (part.size() > key.size() - matched || part != key.sliced(matched, part.size()))
        return false;
    matched += part.size();
    return true;
}

qsizetype Characters::matchEnd(qsizetype first, QStringView key) const
{
    qsizetype matched = 0;
    for (qsizetype i = first; i < count(); ++i) {
        if (!spellsOn(key, matched, keyOf(i)))
            return -1;
        if (matched == key.size())
            return i + 1;
    }
    return -1;
}

// The case folding of an ASCII unit.
char16_t foldAscii(char16_t u)
{
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

// Characters::matchEnd() for a plain base, whose units are its characters,
// without building them.
qsizetype plainMatchEnd(QStringView text, qsizetype first, QStringView key)
{
    qsizetype matched = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            if (key[matched].unicode() != foldAscii(u))
                return -1;
            ++matched;
        } else if (!spellsOn(key, matched, CaselessKey::ofPlainUnit(u))) {
            return -1;
        }
        if (matched == key.size())
            return i + 1;
    }
    return -1;
}

// One left-to-right scan over the `count` characters of `text` that drops
// every non-overlapping run that spells the entry, the way QString::remove
// does; true when it dropped any. `matchEnd(i)` tells where a run from
// character i ends (or -1), `unitStart(i)` where character i starts. The
// copy writes behind the characters that it reads.
template <typename MatchEnd, typename UnitStart>
bool removeEvery(Units &text, qsizetype count, MatchEnd matchEnd, UnitStart unitStart)
{
    char16_t *data = text.data();
    qsizetype out = 0;
    for (qsizetype i = 0; i < count;) {
        const qsizetype end = matchEnd(i);
        if (end > 0) {
            i = end;
            continue;
        }
        for (qsizetype u = unitStart(i); u < unitStart(i + 1); ++u)
            data[out++] = data[u];
        ++i;
    }
    const bool removed = out != text.size();
    text.truncate(out);
    return removed;
}

// Calls `visit` with every value of the caseless skeleton of `text` until
// it returns true; true when it did.
template <typename Visit> bool visitSkeleton(QStringView text, Visit visit)
{
    const char16_t *data = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = data[i];
        if (u < 0x80) {
            // As the table has it: letters lowered, NUL left out.
            if (u != 0 && visit(foldAscii(u)))
                return true;
            continue;
        }
        const char16_t value = CaselessKey::skeletonOfUnit(u);
        if (value == CaselessKey::NoSkeleton)
            continue;
        if (value != CaselessKey::SeveralUnits) {
            if (visit(value))
                return true;
            continue;
        }
        char32_t codePoint = u;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(data[i + 1]))
            codePoint = QChar::surrogateToUcs4(u, data[++i]);
        char16_t values[CaselessKey::LongestSkeleton];
        const int count = CaselessKey::skeletonOf(codePoint, values);
        for (int k = 0; k < count; ++k) {
            if (visit(values[k]))
                return true;
        }
    }
    return false;
}

// Grams of up to four skeleton values, packed into one number.
constexpr int LongestGram = 4;

} // namespace

// The non-empty removal entries as caseless keys, and a filter of the first
// values of their skeletons that tells at one glance whether an entry may
// occur in a base.
struct NameCleaner::Removals
{
    struct Gram
    {
        quint64 gram;
        qsizetype entry; // index in `keys`, which is list order
        bool operator<(const Gram &other) const
        {
            return gram != other.gram ? gram < other.gram : entry < other.entry;
        }
    };

    std::vector<QString> keys;
    std::vector<Gram> grams; // sorted
    std::vector<quint64> filter; // one bit per hashed gram
    // Entries of combining marks alone have no skeleton: the filter cannot
    // rule them out.
    std::vector<qsizetype> unfiltered; // sorted
    int filterShift = 0;
    int gramLength = LongestGram;
    quint64 gramMask = 0;

    explicit Removals(const QStringList &removals);

    quint64 filterBit(quint64 gram) const { return (gram * 0x9e3779b97f4a7c15ULL) >> filterShift; }
    bool filterHas(quint64 gram) const
    {
        const quint64 bit = filterBit(gram);
        return (filter[bit >> 6] >> (bit & 63)) & 1;
    }

    // The first entry after `after` in list order that the filter does not
    // rule out in `text`; -1 when there is none.
    qsizetype firstCandidate(QStringView text, qsizetype after) const;
    bool mayOccur(QStringView text) const { return firstCandidate(text, -1) >= 0; }

    // Applies every entry, from the first to the last, to `text`; true when
    // anything was removed.
    bool removeFrom(Units &text) const;
};

NameCleaner::Removals::Removals(const QStringList &removals)
{
    std::vector<std::vector<char16_t>> skeletons;
    for (const QString &entry : removals) {
        if (entry.isEmpty())
            continue;
        std::vector<char16_t> skeleton;
        visitSkeleton(entry, [&](char16_t value) {
            skeleton.push_back(value);
            return skeleton.size() == LongestGram;
        });
        if (skeleton.empty())
            unfiltered.push_back(qsizetype(keys.size()));
        else
            gramLength = std::min(gramLength, int(skeleton.size()));
        keys.push_back(CaselessKey::of(entry));
        skeletons.push_back(std::move(skeleton));
    }
    gramMask = gramLength == LongestGram ? ~quint64(0) : (quint64(1) << (16 * gramLength)) - 1;

    // About one bit in sixteen set, at least 4096 bits.
    int bits = 12;
    while (bits < 24 && (qsizetype(1) << bits) < 16 * qsizetype(keys.size()))
        ++bits;
    filter.assign(std::size_t(1) << (bits - 6), 0);
    filterShift = 64 - bits;

    for (std::size_t index = 0; index < skeletons.size(); ++index) {
        const std::vector<char16_t> &skeleton = skeletons[index];
        if (skeleton.empty())
            continue;
        quint64 gram = 0;
        for (int i = 0; i < gramLength; ++i)
            gram = gram << 16 | skeleton[std::size_t(i)];
        grams.push_back({gram, qsizetype(index)});
        const quint64 bit = filterBit(gram);
        filter[bit >> 6] |= quint64(1) << (bit & 63);
    }
    std::sort(grams.begin(), grams.end());
}

// Scanning left to right, the first entry after `after` is ruled in at its
// first position: until `best` drops to it, every entry below `best` is
// looked for everywhere.
qsizetype NameCleaner::Removals::firstCandidate(QStringView text, qsizetype after) const
{
    qsizetype best = std::numeric_limits<qsizetype>::max();
    const auto unfilteredAfter = std::upper_bound(unfiltered.begin(), unfiltered.end(), after);
    if (unfilteredAfter != unfiltered.end())
        best = *unfilteredAfter;
    if (!grams.empty() && best > after + 1) {
        quint64 gram = 0;
        int seen = 0;
        visitSkeleton(text, [&](char16_t value) {
            gram = (gram << 16 | value) & gramMask;
            if (++seen < gramLength || !filterHas(gram))
                return false;
            const auto it = std::lower_bound(grams.begin(), grams.end(), Gram{gram, after + 1});
            if (it != grams.end() && it->gram == gram)
                best = std::min(best, it->entry);
            return best == after + 1;
        });
    }
    return best == std::numeric_limits<qsizetype>::max() ? -1 : best;
}

bool NameCleaner::Removals::removeFrom(Units &text) const
{
    // An entry that does not occur leaves the base as it is, so only the
    // entries that the filter lets through for the base as the entries
    // before them left it are tried, in list order. Removals keep a plain
    // base plain.
    const bool plain = isPlain(text.view());
    bool removed = false;
    std::optional<Characters> characters;
    for (qsizetype entry = firstCandidate(text.view(), -1); entry >= 0;
         entry = firstCandidate(text.view(), entry)) {
        const QStringView key = keys[std::size_t(entry)];
        if (plain) {
            const QStringView units = text.view();
            removed |= removeEvery(
                text, units.size(), [&](qsizetype i) { return plainMatchEnd(units, i, key); },
                [](qsizetype i) { return i; });
            continue;
        }
        if (!characters)
            characters.emplace(text.view());
        const Characters &known = *characters;
        if (removeEvery(
                text, known.count(), [&](qsizetype i) { return known.matchEnd(i, key); },
                [&](qsizetype i) { return known.unitStart(i); })) {
            removed = true;
            characters.reset();
        }
    }
    return removed;
}

namespace {

constexpr bool isSpecial(char16_t u)
{
    switch (u) {
    case u'-':
    case u'_':
    case u'<':
    case u'>':
    case u'!':
    case u'@':
    case u'#':
    case u'$':
    case u'^':
    case u'&':
    case u'*':
        return true;
    default:
        return false;
    }
}

// One bit per special ASCII character, for the scan.
constexpr std::array<quint64, 2> SpecialMask = [] {
    std::array<quint64, 2> mask{};
    for (char16_t u = 0; u < 128; ++u)
        if (isSpecial(u))
            mask[u >> 6] |= quint64(1) << (u & 63);
    return mask;
}();

bool isSpecialUnit(char16_t u)
{
    return u < 128 && ((SpecialMask[u >> 6] >> (u & 63)) & 1);
}

bool isBlank(char16_t u)
{
    return u == u' ';
}

// What the one scan of NameCleaner::leavesAlone looks for in an ASCII unit.
enum UnitKind : quint8 { Underscore = 1, Special = 2, Blank = 4, Opener = 8 };

constexpr std::array<quint8, 128> UnitKinds = [] {
    std::array<quint8, 128> kinds{};
    for (char16_t u = 0; u < 128; ++u) {
        kinds[u] = quint8((u == u'_' ? Underscore : 0) | (isSpecial(u) ? Special : 0)
            | (u == u' ' ? Blank : 0)
            | (u == u'(' || u == u'[' || u == u'{' || u == u'<' ? Opener : 0));
    }
    return kinds;
}();

bool replaceUnderscores(Units &text)
{
    bool changed = false;
    for (char16_t &u : text) {
        if (u == u'_') {
            u = u' ';
            changed = true;
        }
    }
    return changed;
}

// Collapses every run of one character that `counts` to that one character.
// This is what the cleaner's repeated one-scan halving of each doubled
// character comes to: halving keeps a run a run of at least one, so the
// repetition ends with every run at one.
template <typename Counts> bool collapseRuns(Units &text, Counts counts)
{
    char16_t *data = text.data();
    const qsizetype n = text.size();
    qsizetype i = 1;
    while (i < n && !(data[i] == data[i - 1] && counts(data[i])))
        ++i;
    if (i >= n)
        return false;
    qsizetype out = i;
    for (++i; i < n; ++i) {
        if (!(data[i] == data[out - 1] && counts(data[i])))
            data[out++] = data[i];
    }
    text.truncate(out);
    return true;
}

char16_t closingBracket(char16_t u)
{
    switch (u) {
    case u'(':
        return u')';
    case u'[':
        return u']';
    case u'{':
        return u'}';
    case u'<':
        return u'>';
    default:
        return 0;
    }
}

// In the order in which they are removed: the spaced form of each pair goes
// before the bare one.
constexpr std::array<std::u16string_view, 8> EmptyPairs
    = {u"( )", u"()", u"[ ]", u"[]", u"{ }", u"{}", u"< >", u"<>"};

// Whether an empty pair starts at `i`.
bool opensEmptyPair(const char16_t *data, qsizetype n, qsizetype i)
{
    const char16_t closing = closingBracket(data[i]);
    return closing && i + 1 < n
        && (data[i + 1] == closing || (data[i + 1] == u' ' && i + 2 < n && data[i + 2] == closing));
}

bool hasEmptyPair(const Units &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (opensEmptyPair(text.constData(), text.size(), i))
            return true;
    }
    return false;
}

// One left-to-right scan that drops every non-overlapping occurrence.
void removeEvery(Units &text, std::u16string_view pair)
{
    char16_t *data = text.data();
    const qsizetype n = text.size();
    const auto size = qsizetype(pair.size());
    qsizetype out = 0;
    for (qsizetype in = 0; in < n;) {
        if (in + size <= n && std::equal(pair.begin(), pair.end(), data + in)) {
            in += size;
            continue;
        }
        data[out++] = data[in++];
    }
    text.truncate(out);
}

// Nested pairs vanish from the inside out, one layer per repetition, exactly
// as the step describes. Only names that hold an empty pair get here.
bool removeEmptyPairs(Units &text)
{
    if (!hasEmptyPair(text))
        return false;
    do {
        for (std::u16string_view pair : EmptyPairs)
            removeEvery(text, pair);
    } while (hasEmptyPair(text));
    return true;
}

constexpr std::u16string_view LeadingDelimiters = u" -)]}>";
constexpr std::u16string_view TrailingDelimiters = u" -([{<";

bool dropLeading(Units &text)
{
    qsizetype n = 0;
    while (n < text.size() && LeadingDelimiters.find(text[n]) != std::u16string_view::npos)
        ++n;
    if (n == 0)
        return false;
    text.dropFront(n);
    return true;
}

bool dropTrailing(Units &text)
{
    qsizetype n = text.size();
    while (n > 0 && TrailingDelimiters.find(text[n - 1]) != std::u16string_view::npos)
        --n;
    if (n == text.size())
        return false;
    text.truncate(n);
    return true;
}

bool isCopyTag(QStringView base)
{
    if (base.size() < 3 || base[2] != u' ')
        return false;
    const QChar first = QChar(base[0]).toUpper();
    return (first == u'C' || first == u'Z') && QChar(base[1]).toUpper() == first;
}

// Cuts to the first `count` units, or fewer so as to keep the last
// user-perceived character whole (as leftWhole does); true when that
// shortens.
bool cutWhole(Units &text, qsizetype count)
{
    const qsizetype kept = wholeCharacterCut(text.view(), count);
    if (kept == text.size())
        return false;
    text.truncate(kept);
    return true;
}

QString joined(const Units &base, QStringView extension)
{
    QString result(base.size() + extension.size(), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(result.data());
    std::memcpy(out, base.constData(), sizeof(char16_t) * std::size_t(base.size()));
    std::memcpy(
        out + base.size(), extension.utf16(), sizeof(char16_t) * std::size_t(extension.size()));
    return result;
}

} // namespace

NameCleaner::NameCleaner(const CleaningRules &rules)
    : m_underline(rules.underline)
    , m_copy(rules.copy)
    , m_multSpecial(rules.multSpecial)
    , m_multSpace(rules.multSpace)
    , m_empty(rules.empty)
    , m_starting(rules.starting)
    , m_ending(rules.ending)
    , m_maxLength(rules.maxLength)
{
    const auto removes = [](const QString &entry) { return !entry.isEmpty(); };
    if (std::any_of(rules.removals.begin(), rules.removals.end(), removes))
        m_removals = std::make_shared<Removals>(rules.removals);
}

// Whether a name with this base and length stays as it is: no step finds
// anything to do in the base as given. Steps 2 to 4 leave it alone when they
// find nothing, so steps 5 to 9 see it as given too; step 10 looks at the
// length alone. Only the removal search scans the base again, and only
// when nothing else calls for the full path.
bool NameCleaner::leavesAlone(QStringView base, qsizetype nameSize) const
{
    if (m_maxLength < double(nameSize + 1))
        return false;
    if (m_copy && isCopyTag(base))
        return false;
    if (!base.isEmpty()) {
        if (m_starting
            && LeadingDelimiters.find(base.front().unicode()) != std::u16string_view::npos)
            return false;
        if (m_ending && TrailingDelimiters.find(base.back().unicode()) != std::u16string_view::npos)
            return false;
    }

    // One scan for steps 2, 5, 6 and 7.
    const quint8 looked = (m_underline ? Underscore : 0) | (m_multSpecial ? Special : 0)
        | (m_multSpace ? Blank : 0) | (m_empty ? Opener : 0);
    if (looked) {
        const quint8 doubled = looked & (Special | Blank);
        const char16_t *data = base.utf16();
        const qsizetype n = base.size();
        char16_t previous = 0;
        for (qsizetype i = 0; i < n; previous = data[i], ++i) {
            const char16_t u = data[i];
            const quint8 kind = u < 128 ? UnitKinds[u] & looked : 0;
            if (!kind)
                continue;
            if ((kind & Underscore) || (u == previous && (kind & doubled))
                || ((kind & Opener) && opensEmptyPair(data, n, i)))
                return false;
        }
    }

    return !m_removals || !m_removals->mayOccur(base);
}

CleanResult NameCleaner::clean(const QString &name) const
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype baseSize = dot < 0 ? name.size() : dot;
    if (leavesAlone(QStringView(name).first(baseSize), name.size()))
        return {name, std::nullopt};

    const QStringView extension = QStringView(name).sliced(baseSize);
    Units base(QStringView(name).first(baseSize));

    bool changed = false;
    if (m_underline)
        changed |= replaceUnderscores(base);
    if (m_removals)
        changed |= m_removals->removeFrom(base);
    if (m_copy && isCopyTag(base.view())) {
        base.dropFront(3);
        changed = true;
    }
    if (m_multSpecial)
        changed |= collapseRuns(base, isSpecialUnit);
    if (m_multSpace)
        changed |= collapseRuns(base, isBlank);
    if (m_empty)
        changed |= removeEmptyPairs(base);
    if (m_starting)
        changed |= dropLeading(base);
    if (m_ending)
        changed |= dropTrailing(base);

    if (m_maxLength < double(base.size() + extension.size() + 1)) {
        const double keep = std::nearbyint(m_maxLength - double(extension.size()));
        if (keep < 0) {
            return {joined(base, extension),
                Failure::of(
                    ProgramFault::CutBelowZero, EngineTexts::cutBelowZero(name, m_maxLength))};
        }
        changed |= cutWhole(base, qsizetype(keep));
    }

    if (!changed)
        return {name, std::nullopt};
    return {joined(base, extension), std::nullopt};
}

CleanResult CleanFileName(const QString &name, const CleaningRules &rules)
{
    return NameCleaner(rules).clean(name);
}
