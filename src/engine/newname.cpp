#include "newname.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype LongestName = 255; // bytes, as Linux's file systems allow

} // namespace

namespace NewName {

QString refusal(QByteArrayView name)
{
    if (name.isEmpty())
        return QCoreApplication::translate("NewName", "A file name cannot be empty");
    if (name == "." || name == "..")
        return QCoreApplication::translate("NewName", "The names '.' and '..' are reserved");
    if (name.contains('/'))
        return QCoreApplication::translate("NewName", "A file name cannot contain '/'");
    if (name.contains('\0'))
        return QCoreApplication::translate("NewName", "A file name cannot contain a NUL character");
    if (name.size() > LongestName)
        return QCoreApplication::translate("NewName", "A file name cannot be longer than %1 bytes")
            .arg(LongestName);
    return {};
}

} // namespace NewName
