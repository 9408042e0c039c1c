#include "namebytes.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// The length of the well-formed UTF-8 sequence at `p`, or 0 when the bytes
// there are not one: overlong forms, surrogates and code points past
// U+10FFFF are refused, so that a name read as text encodes back to the
// very bytes the file system holds.
qsizetype sequenceLength(const unsigned char *p, qsizetype left)
{
    const auto continuation = [](unsigned char c) { return c >= 0x80 && c <= 0xBF; };
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return left >= 2 && continuation(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !continuation(p[2]))
            return 0;
        const unsigned char low = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = c == 0xED ? 0x9F : 0xBF;
        return p[1] >= low && p[1] <= high ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !continuation(p[2]) || !continuation(p[3]))
            return 0;
        const unsigned char low = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = c == 0xF4 ? 0x8F : 0xBF;
        return p[1] >= low && p[1] <= high ? 4 : 0;
    }
    return 0;
}

// UTF-8 that is known to be well formed, as text, byte order marks kept:
// QString::fromUtf8 drops a leading one, and the name would then be another
// file's.
QString fromWellFormed(const char *bytes, qsizetype size)
{
    QString text;
    while (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
        text += QChar(0xFEFF);
        bytes += 3;
        size -= 3;
    }
    return text.isEmpty() ? QString::fromUtf8(bytes, size) : text + QString::fromUtf8(bytes, size);
}

} // namespace

namespace NameBytes {

Decoded decode(const char *bytes, qsizetype size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    qsizetype i = 0;
    while (i < size) {
        const qsizetype n = sequenceLength(p + i, size - i);
        if (n == 0)
            break;
        i += n;
    }
    if (i == size)
        return {fromWellFormed(bytes, size), true};

    QString shown = fromWellFormed(bytes, i);
    while (i < size) {
        const qsizetype n = sequenceLength(p + i, size - i);
        if (n == 0) {
            constexpr char16_t HexDigits[] = u"0123456789ABCDEF";
            shown += u"\\x"_s;
            shown += QChar(HexDigits[p[i] >> 4]);
            shown += QChar(HexDigits[p[i] & 0xF]);
            ++i;
        } else {
            shown += fromWellFormed(bytes + i, n);
            i += n;
        }
    }
    return {shown, false};
}

} // namespace NameBytes
