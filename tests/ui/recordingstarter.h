#pragma once

#include "programstarter.h"

#include <QSet>
#include <QStringList>

#include <cerrno>

// Starts nothing: records each start and succeeds only for the programs it
// was told are installed.
class RecordingStarter final : public ProgramStarter
{
public:
    QSet<QString> installed;
    QStringList attempts;

    Status start(const QString &programPath) override
    {
        attempts.append(programPath);
        return installed.contains(programPath) ? Status::success() : Failure{ENOENT, programPath};
    }
};
