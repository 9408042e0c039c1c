#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The number and Boolean readings that the program applies to the texts of
// its boxes, its stored settings and its prompts. They are deliberately
// lenient in some places (a leading number) and strict in others (a whole
// text that must convert), and each caller picks the one it is documented to
// use.
namespace TextConversions {

// The number that the text begins with. Blanks, tabs and line feeds are
// skipped wherever they stand ("6 0" reads 60); an optional sign, digits with
// at most one decimal point and an exponent with E or D follow; "&H" and "&O"
// start a hexadecimal or octal whole number. Reading stops at the first
// character that cannot continue the number; nothing readable gives 0.
double leadingNumber(QStringView text);

// The same reading with the digit "0" put in front of the text, so that an
// empty text or one that starts with a sign, a letter or "&" reads as 0.
double leadingNumberAfterZero(QStringView text);

// True when the whole text, blanks around it aside, is one number: decimal
// with an optional sign, fraction (point or the locale's decimal separator)
// and exponent, or an "&H"/"&O" whole number. An empty text is not numeric.
bool isNumeric(QStringView text);

// Converts a numeric text to a signed 16-bit integer, halves going to the
// even neighbour. Empty text, a non-number and a value outside
// -32768..32767 give no value.
std::optional<qint16> toInt16(QStringView text);
// `value` rounded, halves going to the even neighbour, when that fits in a
// signed 16-bit integer.
std::optional<qint16> roundedToInt16(double value);

// "True" and "False" in any letter case; a numeric text is true unless it is
// zero. Anything else gives no value.
std::optional<bool> toBoolean(QStringView text);

// Plain decimal digits, a minus sign when negative, no padding.
QString numberText(qint64 value);

} // namespace TextConversions
