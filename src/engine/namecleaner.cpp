#include "namecleaner.h"

#include "enginetexts.h"
#include "textconversions.h"

#include <QChar>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
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

bool isHighSurrogate(char16_t u)
{
    return (u & 0xfc00) == 0xd800;
}

bool isLowSurrogate(char16_t u)
{
    return (u & 0xfc00) == 0xdc00;
}

bool isSurrogate(char16_t u)
{
    return (u & 0xf800) == 0xd800;
}

// The case folding of one UTF-16 unit on its own, as QChar::toCaseFolded
// gives it; inline for ASCII, where it only lowers A to Z.
char32_t foldUnit(char16_t u)
{
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? char32_t(u + (u'a' - u'A')) : char32_t(u);
    return QChar::toCaseFolded(char32_t(u));
}

// The value that Qt's case-insensitive comparison folds the unit at `i` of
// `text` to when the comparison started before it: a low surrogate right
// after a high one stands for the whole code point and folds as that; any
// other unit folds on its own.
char32_t foldAfter(const char16_t *text, qsizetype i)
{
    const char16_t u = text[i];
    if (isLowSurrogate(u) && isHighSurrogate(text[i - 1]))
        return QChar::toCaseFolded(QChar::surrogateToUcs4(text[i - 1], u));
    return foldUnit(u);
}

// What the gram filter compares: the unit folded on its own, every surrogate
// as one value. A surrogate only ever matches a surrogate and any other unit
// only a unit that folds the same, so at every position of a match these
// values are equal, and a gram that differs rules the match out.
char16_t filterUnit(char16_t u)
{
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
    if (isSurrogate(u))
        return 0xd800;
    return char16_t(QChar::toCaseFolded(char32_t(u)));
}

// QString::remove(entry, Qt::CaseInsensitive) finds its matches with
// QString::indexOf, which (Qt 6.4, QtPrivate::findString) tests a position
// with a rolling hash of the folded units and then a case-insensitive
// comparison. Both must agree:
// - a one-unit entry matches a unit that folds on its own to the same value;
// - otherwise the comparison starts at `at` without looking back, so the
//   first unit folds on its own and every later one as foldAfter() says;
// - the hash folds the first unit as foldAfter() does, looking back at the
//   unit before `at`. When `at` splits a surrogate pair the two disagree,
//   and the match stands only when the hash, which shifts the first unit's
//   term left by `size - 1` bits, has shifted the difference out of its 64
//   bits: for entries of some 55 units and more, 62 after half of U+10400.
// Haystacks of more than 500 units are searched with Boyer-Moore instead;
// Removals::removeFrom leaves those to QString.
bool matchesAt(const char16_t *text, qsizetype at, const char32_t *folded, qsizetype size)
{
    if (foldUnit(text[at]) != folded[0])
        return false;
    if (size == 1)
        return true;
    if (at > 0 && isLowSurrogate(text[at]) && isHighSurrogate(text[at - 1])
        && size - 1 < std::numeric_limits<quint64>::digits) {
        const quint64 difference = quint64(foldAfter(text, at)) - quint64(folded[0]);
        if ((difference << (size - 1)) != 0)
            return false;
    }
    for (qsizetype i = 1; i < size; ++i) {
        if (foldAfter(text, at + i) != folded[i])
            return false;
    }
    return true;
}

// One left-to-right scan that drops every non-overlapping match, the way
// QString::remove does, starting at the first match, `first`. Matching looks
// at the unit before a position, which the in-place copy has not overwritten
// yet: it writes behind the position that it reads, and after a match at
// least one unit behind.
void removeEvery(Units &text, qsizetype first, const char32_t *folded, qsizetype size)
{
    char16_t *data = text.data();
    const qsizetype n = text.size();
    qsizetype out = first;
    for (qsizetype in = first; in < n;) {
        // The first two units decide most positions without a call.
        if (in + size <= n && foldUnit(data[in]) == folded[0]
            && (size == 1 || foldAfter(data, in + 1) == folded[1])
            && matchesAt(data, in, folded, size)) {
            in += size;
            continue;
        }
        data[out++] = data[in++];
    }
    text.truncate(out);
}

// Above this many units QString's search switches to Boyer-Moore (for
// entries longer than 5 units), which matches differently at a split
// surrogate pair; the prepared search leaves such bases to QString.
constexpr qsizetype LongestHashedHaystack = 500;

// Grams of up to four filter units, packed into one number.
constexpr int LongestGram = 4;

} // namespace

// The non-empty removal entries, folded once, and a filter of their first
// units that tells at one glance whether a position of the base may start a
// match.
struct NameCleaner::Removals
{
    struct Entry
    {
        qsizetype start; // of its folded units in `folded`
        qsizetype size;
    };
    struct Gram
    {
        quint64 gram;
        qsizetype entry; // index in `entries`, which is list order
        bool operator<(const Gram &other) const
        {
            return gram != other.gram ? gram < other.gram : entry < other.entry;
        }
    };

    QStringList list; // as given, for bases that QString searches itself
    std::vector<char32_t> folded;
    std::vector<Entry> entries;
    std::vector<Gram> grams; // sorted
    std::vector<quint64> filter; // one bit per hashed gram
    int filterShift = 0;
    int gramLength = LongestGram;
    quint64 gramMask = 0;
    qsizetype longest = 0; // units of the longest entry

    explicit Removals(const QStringList &removals);

    bool filterHas(quint64 gram) const
    {
        const quint64 bit = (gram * 0x9e3779b97f4a7c15ULL) >> filterShift;
        return (filter[bit >> 6] >> (bit & 63)) & 1;
    }

    struct Occurrence
    {
        qsizetype entry; // -1 when none
        qsizetype at; // the first position where it occurs
        bool alone; // no other entry after `after` starts before `at`
    };
    // The first entry after `after` in list order that occurs in `text`,
    // given that none occurs before `from`.
    Occurrence firstOccurring(QStringView text, qsizetype after, qsizetype from) const;

    // Applies every entry, from the first to the last, to `text`; true when
    // anything was removed.
    bool removeFrom(Units &text) const;
};

NameCleaner::Removals::Removals(const QStringList &removals)
    : list(removals)
{
    for (const QString &entry : removals) {
        if (entry.isEmpty())
            continue;
        const auto *units = reinterpret_cast<const char16_t *>(entry.utf16());
        entries.push_back({qsizetype(folded.size()), entry.size()});
        folded.push_back(foldUnit(units[0]));
        for (qsizetype i = 1; i < entry.size(); ++i)
            folded.push_back(foldAfter(units, i));
        gramLength = std::min<int>(gramLength, int(entry.size()));
        longest = std::max(longest, entry.size());
    }
    gramMask = gramLength == LongestGram ? ~quint64(0) : (quint64(1) << (16 * gramLength)) - 1;

    // About one bit in sixteen set, at least 4096 bits.
    int bits = 12;
    while (bits < 24 && (qsizetype(1) << bits) < 16 * qsizetype(entries.size()))
        ++bits;
    filter.assign(std::size_t(1) << (bits - 6), 0);
    filterShift = 64 - bits;

    qsizetype index = 0;
    for (const QString &entry : removals) {
        if (entry.isEmpty())
            continue;
        quint64 gram = 0;
        for (int i = 0; i < gramLength; ++i)
            gram = gram << 16 | filterUnit(entry.utf16()[i]);
        grams.push_back({gram, index++});
        const quint64 bit = (gram * 0x9e3779b97f4a7c15ULL) >> filterShift;
        filter[bit >> 6] |= quint64(1) << (bit & 63);
    }
    std::sort(grams.begin(), grams.end());
}

// Scanning left to right, an entry is found first at its first position:
// until `best` drops to it, every entry below `best` is tried everywhere.
NameCleaner::Removals::Occurrence NameCleaner::Removals::firstOccurring(
    QStringView text, qsizetype after, qsizetype from) const
{
    const char16_t *data = text.utf16();
    const qsizetype n = text.size();
    qsizetype best = std::numeric_limits<qsizetype>::max();
    qsizetype bestAt = 0;
    bool alone = true;
    quint64 gram = 0;
    for (qsizetype i = from; i < n; ++i) {
        gram = (gram << 16 | filterUnit(data[i])) & gramMask;
        if (i + 1 - from < gramLength || !filterHas(gram))
            continue;
        const qsizetype at = i + 1 - gramLength;
        auto it = std::lower_bound(grams.begin(), grams.end(), Gram{gram, after + 1});
        for (; it != grams.end() && it->gram == gram && it->entry < best; ++it) {
            const Entry &entry = entries[std::size_t(it->entry)];
            if (at + entry.size <= n
                && matchesAt(data, at, &folded[std::size_t(entry.start)], entry.size)) {
                alone = best == std::numeric_limits<qsizetype>::max();
                best = it->entry;
                bestAt = at;
                break;
            }
        }
        if (best == after + 1)
            break;
    }
    if (best == std::numeric_limits<qsizetype>::max())
        return {-1, 0, true};
    return {best, bestAt, alone};
}

bool NameCleaner::Removals::removeFrom(Units &text) const
{
    if (text.size() > LongestHashedHaystack) {
        QString base(reinterpret_cast<const QChar *>(text.constData()), text.size());
        for (const QString &entry : list) {
            if (!entry.isEmpty())
                base.remove(entry, Qt::CaseInsensitive);
        }
        if (base.size() == text.size())
            return false;
        std::memcpy(text.data(), base.utf16(), sizeof(char16_t) * std::size_t(base.size()));
        text.truncate(base.size());
        return true;
    }

    // An entry that does not occur leaves the base as it is, so only the
    // entries that occur in the base as the entries before them left it need
    // applying, in list order. When the entry just applied was the first one
    // that its search found, no later entry starts before its first match;
    // the removal keeps the units before that match, so a later entry can
    // start there only where it reaches the match, at most `longest - 1`
    // units before it. The next search starts there.
    bool removed = false;
    qsizetype from = 0;
    for (qsizetype after = -1;;) {
        const Occurrence next = firstOccurring(text.view(), after, from);
        if (next.entry < 0)
            return removed;
        const Entry &entry = entries[std::size_t(next.entry)];
        removeEvery(text, next.at, &folded[std::size_t(entry.start)], entry.size);
        removed = true;
        after = next.entry;
        from = next.alone ? std::max<qsizetype>(0, next.at - (longest - 1)) : 0;
    }
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

// The first `count` units, one fewer when the cut would fall between the two
// halves of a surrogate pair (as leftWhole does); true when that shortens.
bool cutWhole(Units &text, qsizetype count)
{
    if (count <= 0) {
        const bool changed = !text.isEmpty();
        text.truncate(0);
        return changed;
    }
    if (count >= text.size())
        return false;
    if (isHighSurrogate(text[count - 1]) && isLowSurrogate(text[count]))
        --count;
    text.truncate(count);
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

    if (!m_removals)
        return true;
    return base.size() <= LongestHashedHaystack
        && m_removals->firstOccurring(base, -1, 0).entry < 0;
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
