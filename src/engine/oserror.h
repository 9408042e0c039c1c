#pragma once

#include "failure.h"

#include <QString>

// A failure of an operating-system call: errno as the number, and a
// description made of what was attempted and the system's reason, such as
// "Cannot rename 'a.txt' to 'b.txt': Permission denied".
Failure systemFailure(int errorNumber, const QString &attempted);

// The system's reason for errno, such as "Permission denied".
QString systemReason(int errorNumber);
