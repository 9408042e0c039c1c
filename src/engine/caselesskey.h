#pragma once

#include <QString>
#include <QStringView>

namespace CaselessKey {

// The form in which two texts are equal exactly when they are canonically
// equivalent (the same letters and accents, however the accents are
// encoded) and equal without regard to case: decomposed, every code point
// case folded on its own, decomposed again.
QString of(QStringView text);

// The key of a single unit below U+0300, from a table: one to three units.
QStringView ofPlainUnit(char16_t unit);

// A unit in the skeleton of a key: what the key keeps of a text once every
// combining mark and every letter that only ever follows another in a
// decomposition is left out, one 16-bit value per code point kept. The
// skeleton of a text is its code points' skeletons one after the other, so
// texts with the same key have the same skeleton, and a match of one text
// inside another shows as its skeleton inside the other's.
//
// skeletonOf() returns the number of values (0 to 4) written to `out`.
constexpr int LongestSkeleton = 4;
int skeletonOf(char32_t codePoint, char16_t *out);

// The same for a BMP unit, from a table: NoSkeleton when it has none, and
// SeveralUnits when skeletonOf() must be asked.
constexpr char16_t NoSkeleton = 0;
constexpr char16_t SeveralUnits = 0xffff;
char16_t skeletonOfUnit(char16_t unit);

} // namespace CaselessKey
