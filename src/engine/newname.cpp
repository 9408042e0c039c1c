#include "newname.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype LongestName = 255; // bytes, as Linux's file systems allow

} // namespace

namespace NewName {

QString refusal(QByteArrayView name)
{
    if (name.isEmpty())
        return u"A file name cannot be empty"_s;
    if (name == "." || name == "..")
        return u"The names '.' and '..' are reserved"_s;
    if (name.contains('/'))
        return u"A file name cannot contain '/'"_s;
    if (name.contains('\0'))
        return u"A file name cannot contain a NUL character"_s;
    if (name.size() > LongestName)
        return u"A file name cannot be longer than %1 bytes"_s.arg(LongestName);
    return {};
}

} // namespace NewName
