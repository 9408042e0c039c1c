#pragma once

#include <QByteArrayView>
#include <QString>

namespace NewName {

// Why a file system would refuse `name` as a new file name, before it is
// asked: empty, "." or "..", a "/" or a NUL inside, or longer than 255
// bytes. Empty when the name may be tried.
QString refusal(QByteArrayView name);

} // namespace NewName
