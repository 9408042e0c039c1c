#include "oserror.h"

#include <cstring>

using namespace Qt::StringLiterals;

Failure systemFailure(int errorNumber, const QString &attempted)
{
    return {errorNumber, attempted + u": "_s + systemReason(errorNumber)};
}

QString systemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
