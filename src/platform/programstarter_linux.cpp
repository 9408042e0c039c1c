#include "programstarter.h"

#include "oserror.h"

#include <QFileInfo>
#include <QProcess>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

class DetachedProgramStarter final : public ProgramStarter
{
public:
    Status start(const QString &programPath) override
    {
        const QString attempted = u"Cannot start '%1'"_s.arg(programPath);
        // The checks name the reason the system would otherwise hide behind a
        // bare refusal; the absolute path keeps a bare name from being looked
        // up on the search path instead of where the check found it.
        const QFileInfo program(programPath);
        if (programPath.isEmpty() || !program.exists())
            return systemFailure(ENOENT, attempted);
        if (!program.isFile() || !program.isExecutable())
            return systemFailure(EACCES, attempted);

        QProcess process;
        process.setProgram(program.absoluteFilePath());
        if (!process.startDetached())
            return Failure{ENOEXEC, attempted + u": "_s + process.errorString()};
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ProgramStarter> createProgramStarter()
{
    return std::make_unique<DetachedProgramStarter>();
}
