#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

// The text of the settings store: the INI form that the store's writer
// produces (sections in brackets, "key=value" lines, ";" comments, values
// with quotes, backslash escapes and comma-separated lists), read the way
// that writer reads it back, but strictly. Whatever the writer would never
// write and would silently skip or misread makes the whole text unusable:
// bytes that are not UTF-8, control characters other than tab and line
// ends, a line that is neither a section, a key with "=", a comment nor
// blank, text after a section's "]", an empty key, a quote that never ends.
// Section names and keys are compared as written, with regard to case.
namespace StoreText {

// The values of `section` by key (the last of a repeated key counts); a
// list of texts reads as its items joined by ", ". Nothing when the text is
// not in the expected form, wherever the fault stands. Time and memory are
// proportional to the text's size.
std::optional<QHash<QString, QString>> section(QByteArrayView text, QStringView section);

} // namespace StoreText
