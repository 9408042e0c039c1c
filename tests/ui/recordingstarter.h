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
    void install(const QString &programPath) { m_installed.insert(programPath); }
    const QStringList &attempts() const { return m_attempts; }

    Status start(const QString &programPath) override
    {
        m_attempts.append(programPath);
        if (!m_installed.contains(programPath))
            return Failure{ENOENT, programPath};
        return Status::success();
    }

private:
    QSet<QString> m_installed;
    QStringList m_attempts;
};
