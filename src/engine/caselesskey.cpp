#include "caselesskey.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr char32_t FirstHangulSyllable = 0xac00;
constexpr char32_t LastHangulSyllable = 0xd7a3;

bool isHangulSyllable(char32_t c)
{
    return c >= FirstHangulSyllable && c <= LastHangulSyllable;
}

bool decomposes(char32_t c)
{
    return isHangulSyllable(c) || QChar::decompositionTag(c) == QChar::Canonical;
}

// A lone surrogate stays itself.
QString fromCodePoint(char32_t c)
{
    if (!QChar::requiresSurrogates(c))
        return QString(QChar(char16_t(c)));
    const QChar units[] = {QChar(QChar::highSurrogate(c)), QChar(QChar::lowSurrogate(c))};
    return QString(units, 2);
}

// Every code point that some decomposition puts after its first one: Hangul
// vowels and finals, and the marks and letters that compose with the one
// before. Sorted.
const std::vector<char32_t> &followers()
{
    static const std::vector<char32_t> list = [] {
        std::vector<char32_t> found;
        for (char32_t c = 0x1161; c <= 0x1175; ++c)
            found.push_back(c);
        for (char32_t c = 0x11a8; c <= 0x11c2; ++c)
            found.push_back(c);
        const auto scan = [&](char32_t first, char32_t last) {
            for (char32_t c = first; c <= last; ++c) {
                if (isHangulSyllable(c) || QChar::decompositionTag(c) != QChar::Canonical)
                    continue;
                const QList<uint> parts
                    = fromCodePoint(c).normalized(QString::NormalizationForm_D).toUcs4();
                found.insert(found.end(), parts.begin() + 1, parts.end());
            }
        };
        // Where Unicode has characters that decompose: the first two planes
        // and the compatibility ideographs of the third.
        scan(0, 0x1ffff);
        scan(0x2f800, 0x2fa1f);
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }();
    return list;
}

// Whether the skeleton keeps a code point of a key. NUL never stands in a
// file name; leaving it out keeps 0 free to mean "nothing".
bool isKept(char32_t c)
{
    return c != 0 && QChar::combiningClass(c) == 0
        && !std::binary_search(followers().begin(), followers().end(), c);
}

// One 16-bit value per kept code point; those outside the basic plane share
// values, which only lets the filter look twice.
char16_t skeletonValue(char32_t c)
{
    return QChar::requiresSurrogates(c) ? char16_t(0xd800 | (c & 0x7ff)) : char16_t(c);
}

} // namespace

namespace CaselessKey {

QString of(QStringView text)
{
    // A lone code point that neither decomposes nor folds into one that
    // does is its own folding: no normalization needed.
    const bool pair = text.size() == 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate();
    if (text.size() == 1 || pair) {
        const char32_t c = pair ? QChar::surrogateToUcs4(text[0], text[1]) : text[0].unicode();
        const char32_t folded = QChar::toCaseFolded(c);
        if (!decomposes(c) && !decomposes(folded))
            return fromCodePoint(folded);
    }
    // Folded unit by unit, so that a lone surrogate stays itself.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        char32_t c = decomposed[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < decomposed.size()
            && decomposed[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), decomposed[++i].unicode());
        const char32_t fold = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(fold)) {
            folded += QChar(QChar::highSurrogate(fold));
            folded += QChar(QChar::lowSurrogate(fold));
        } else {
            folded += QChar(char16_t(fold));
        }
    }
    return folded.normalized(QString::NormalizationForm_D);
}

QStringView ofPlainUnit(char16_t unit)
{
    static const std::array<QString, 0x300> keys = [] {
        std::array<QString, 0x300> table;
        for (char16_t u = 0; u < 0x300; ++u)
            table[u] = of(QStringView(&u, 1));
        return table;
    }();
    return keys[unit];
}

int skeletonOf(char32_t codePoint, char16_t *out)
{
    // A syllable decomposes into its leading consonant and vowel and
    // final, of which only the consonant is kept.
    constexpr char32_t FirstLeadingConsonant = 0x1100;
    constexpr char32_t SyllablesPerConsonant = 21 * 28;
    if (isHangulSyllable(codePoint)) {
        out[0] = char16_t(
            FirstLeadingConsonant + (codePoint - FirstHangulSyllable) / SyllablesPerConsonant);
        return 1;
    }
    const char32_t folded = QChar::toCaseFolded(codePoint);
    if (!decomposes(codePoint) && !decomposes(folded)) {
        if (!isKept(folded))
            return 0;
        out[0] = skeletonValue(folded);
        return 1;
    }
    int count = 0;
    // The code point is whole and decomposes, so its key holds no lone
    // surrogate.
    const QList<uint> key = of(fromCodePoint(codePoint)).toUcs4();
    for (uint c : key) {
        if (isKept(char32_t(c)) && count < LongestSkeleton)
            out[count++] = skeletonValue(char32_t(c));
    }
    return count;
}

char16_t skeletonOfUnit(char16_t unit)
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> values(0x10000);
        for (char32_t u = 0; u < 0x10000; ++u) {
            char16_t out[LongestSkeleton];
            const int count = QChar::isSurrogate(u) ? 2 : skeletonOf(u, out);
            values[u] = count == 0                     ? NoSkeleton
                : count == 1 && out[0] != SeveralUnits ? out[0]
                                                       : SeveralUnits;
        }
        return values;
    }();
    return table[unit];
}

} // namespace CaselessKey
