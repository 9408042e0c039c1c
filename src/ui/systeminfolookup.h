#pragma once

#include "programstarter.h"
#include "registry.h"
#include "result.h"

#include <QString>

#include <functional>

// Finds the machine's system-information tool through the two registry
// places where it may be registered, and starts it. Everything that goes
// wrong ends in one message to the user; the caller decides how to show it.
class SystemInfoLookup final
{
public:
    using TellUser = std::function<void(const QString &message)>;

    SystemInfoLookup(Registry &registry, ProgramStarter &starter, TellUser tellUser);

    // Starts the tool from the path registered in the first place, or from
    // "MSINFO32.EXE" in the folder registered in the second place when the
    // first holds nothing. Tells the user when neither leads to a program
    // that starts.
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal:
    // a text as it is, without its closing NUL; a number in decimal; a value
    // of any other type leaves KeyVal as it was. True when the value was
    // read; false, with KeyVal emptied, when the key or value is missing or
    // does not fit into 1024 bytes. A value stored with no bytes at all is a
    // failure, which ends the search rather than trying elsewhere.
    Result<bool> GetKeyValue(
        quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

private:
    // The program to start, or nothing when the user has to be told.
    std::optional<QString> registeredTool();

    Registry &m_registry;
    ProgramStarter &m_starter;
    TellUser m_tellUser;
};
