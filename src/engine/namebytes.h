#pragma once

#include <QByteArrayView>
#include <QString>

// File names as the file system holds them, bytes, turned into text.
namespace NameBytes {

struct Decoded
{
    QString text;
    bool isText = true;
};

// A name as text when its bytes are well-formed UTF-8, so that the text
// encodes back to the very same bytes. Otherwise the valid parts as text and
// every other byte as \xHH, with isText false: a form for showing only.
Decoded decode(const char *bytes, qsizetype size);
inline Decoded decode(QByteArrayView bytes)
{
    return decode(bytes.data(), bytes.size());
}

} // namespace NameBytes
