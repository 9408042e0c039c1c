#include "mountinfo_linux.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <optional>

namespace MountInfo {
namespace {

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

// The kernel writes a blank, tab, line feed and backslash in a path as a
// backslash and three octal digits; the bytes are then the system's 8-bit
// text.
QString unescape(QByteArrayView field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1])
            && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            bytes.append(char(
                ((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            bytes.append(field[i]);
        }
    }
    return QString::fromLocal8Bit(bytes);
}

// "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw":
// six fixed fields, optional fields up to a lone "-", then the file system
// type, the source and the super-block options.
std::optional<MountEntry> parseLine(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    for (qsizetype start = 0; start <= line.size();) {
        qsizetype end = line.indexOf(' ', start);
        if (end < 0)
            end = line.size();
        if (end > start)
            fields.append(line.sliced(start, end - start));
        start = end + 1;
    }
    if (fields.size() < 6)
        return std::nullopt;
    qsizetype separator = 6;
    while (separator < fields.size() && fields[separator] != "-")
        ++separator;
    if (separator + 2 >= fields.size())
        return std::nullopt;
    return MountEntry{unescape(fields[separator + 2]), unescape(fields[4]),
        unescape(fields[separator + 1]), QString::fromLatin1(fields[2])};
}

} // namespace

QList<MountEntry> parse(QByteArrayView text)
{
    QList<MountEntry> entries;
    while (!text.isEmpty()) {
        qsizetype end = text.indexOf('\n');
        if (end < 0)
            end = text.size();
        if (const std::optional<MountEntry> entry = parseLine(text.first(end)))
            entries.append(*entry);
        text = text.sliced(std::min(end + 1, text.size()));
    }
    return entries;
}

} // namespace MountInfo
