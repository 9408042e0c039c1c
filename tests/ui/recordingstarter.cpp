#include "recordingstarter.h"

#include <cerrno>

using namespace Qt::StringLiterals;

Status RecordingStarter::start(const QString &programPath)
{
    m_attempts.append(programPath);
    if (!m_installed.contains(programPath))
        return Failure{ENOENT, u"Cannot start '%1': No such file or directory"_s.arg(programPath)};
    return Status::success();
}
