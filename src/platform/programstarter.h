#pragma once

#include "result.h"

#include <QString>

#include <memory>

// Starts another program beside this one, without waiting for it.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;

    // Runs the program file at the path with no arguments and no shell. A
    // missing or non-executable file, or one the system refuses to run, is a
    // failure naming the path.
    virtual Status start(const QString &programPath) = 0;
};

std::unique_ptr<ProgramStarter> createProgramStarter();
