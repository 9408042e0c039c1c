#include "textconversions.h"

#include "range.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace TextConversions {
namespace {

bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < radix ? value : -1;
}

// Walks a text while skipping the blanks that the leading-number reading
// ignores, so that the grammar below never has to think about them.
class BlankSkippingCursor
{
public:
    explicit BlankSkippingCursor(QStringView text)
        : m_text(text)
    {
        skip();
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkippedBlank(m_text[m_pos]))
            ++m_pos;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

// The decimal exponent of the literal's leading significant digit, used only
// to tell an overflow from an underflow when the value is out of range.
long long magnitudeOf(std::string_view literal)
{
    const auto e = literal.find_first_of("eE");
    const std::string_view mantissa = literal.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        const std::string_view digits = literal.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        for (char c :
            digits.substr(!digits.empty() && (digits.front() == '-' || digits.front() == '+')))
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const auto firstSignificant = whole.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos)
        return exponent + static_cast<long long>(whole.size() - firstSignificant);
    if (point == std::string_view::npos)
        return exponent;
    const std::string_view fraction = mantissa.substr(point + 1);
    const auto leadingZeros = fraction.find_first_not_of('0');
    return exponent
        - static_cast<long long>(leadingZeros == std::string_view::npos ? 0 : leadingZeros);
}

// Parses a literal made only of an optional sign, digits, one point and an
// optional exponent, without regard to the process locale.
double parseDecimal(std::string_view literal)
{
    if (literal.empty())
        return 0.0;
    const bool negative = literal.front() == '-';
    if (literal.front() == '+' || literal.front() == '-')
        literal.remove_prefix(1);
    double value = 0.0;
    const auto [end, error]
        = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (error == std::errc::result_out_of_range)
        value = magnitudeOf(literal) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

double readRadixNumber(BlankSkippingCursor &cursor, int radix)
{
    double value = 0.0;
    for (int d = digitValue(cursor.peek(), radix); !cursor.atEnd() && d >= 0;
         d = digitValue(cursor.peek(), radix)) {
        value = value * radix + d;
        cursor.advance();
    }
    return value;
}

double readLeadingNumber(BlankSkippingCursor cursor)
{
    if (cursor.peek() == u'&') {
        cursor.advance();
        const QChar kind = cursor.peek().toUpper();
        if (kind == u'H' || kind == u'O') {
            cursor.advance();
            return readRadixNumber(cursor, kind == u'H' ? 16 : 8);
        }
        return 0.0;
    }

    std::string literal;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        literal += char(cursor.peek().unicode());
        cursor.advance();
    }
    bool anyDigit = false;
    bool point = false;
    for (; !cursor.atEnd(); cursor.advance()) {
        const QChar c = cursor.peek();
        if (isDigit(c)) {
            anyDigit = true;
            literal += char(c.unicode());
        } else if (c == u'.' && !point) {
            point = true;
            literal += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;

    const QChar e = cursor.peek().toUpper();
    if (e == u'E' || e == u'D') {
        std::string exponent = "e";
        cursor.advance();
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            exponent += char(cursor.peek().unicode());
            cursor.advance();
        }
        bool exponentDigits = false;
        for (; !cursor.atEnd() && isDigit(cursor.peek()); cursor.advance()) {
            exponentDigits = true;
            exponent += char(cursor.peek().unicode());
        }
        if (exponentDigits)
            literal += exponent;
    }
    return parseDecimal(literal);
}

// Parses the strict form that isNumeric accepts; the value of a text that
// is not a whole number is std::nullopt.
std::optional<double> parseWholeNumber(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    if (text.size() >= 3 && text[0] == u'&') {
        const QChar kind = text[1].toUpper();
        const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (radix == 0)
            return std::nullopt;
        double value = 0.0;
        for (QChar c : text.mid(2)) {
            const int d = digitValue(c, radix);
            if (d < 0)
                return std::nullopt;
            value = value * radix + d;
        }
        return value;
    }

    const QString localePoint = QLocale().decimalPoint();
    std::string literal;
    qsizetype i = 0;
    if (text[i] == u'+' || text[i] == u'-')
        literal += char(text[i++].unicode());
    bool mantissaDigits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            mantissaDigits = true;
            literal += char(c.unicode());
        } else if (!point && (c == u'.' || text.mid(i, 1) == localePoint)) {
            point = true;
            literal += '.';
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return std::nullopt;
    if (i < text.size()) {
        const QChar e = text[i].toUpper();
        if (e != u'E' && e != u'D')
            return std::nullopt;
        literal += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            literal += char(text[i++].unicode());
        if (i >= text.size())
            return std::nullopt;
        for (; i < text.size(); ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            literal += char(text[i].unicode());
        }
    }
    return parseDecimal(literal);
}

} // namespace

double leadingNumber(QStringView text)
{
    return readLeadingNumber(BlankSkippingCursor(text));
}

double leadingNumberAfterZero(QStringView text)
{
    // A "0" in front changes the value only when the text itself does not
    // start with a digit or a point: then the reading stops after that "0".
    BlankSkippingCursor cursor(text);
    if (isDigit(cursor.peek()) || cursor.peek() == u'.')
        return readLeadingNumber(cursor);
    return 0.0;
}

bool isNumeric(QStringView text)
{
    return parseWholeNumber(text).has_value();
}

std::optional<qint16> toInt16(QStringView text)
{
    const std::optional<double> value = parseWholeNumber(text);
    return value ? roundedToInt16(*value) : std::nullopt;
}

std::optional<qint16> roundedToInt16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!Limits::WholeNumber16.contains(rounded))
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<bool> toBoolean(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> value = parseWholeNumber(trimmed))
        return *value != 0.0;
    return std::nullopt;
}

QString numberText(qint64 value)
{
    return QString::number(value);
}

} // namespace TextConversions
