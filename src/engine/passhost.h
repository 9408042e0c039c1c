#pragma once

#include "cleaningrules.h"
#include "failure.h"

#include <QString>

// What the execution pass needs of the window that runs it. Values are read
// afresh at every use, never cached by the pass.
class PassHost
{
public:
    virtual ~PassHost() = default;

    // Panels addressed by the keys of EngineTexts ("Read", "Fixed", "Current").
    virtual void setPanelText(const QString &key, const QString &text) = 0;
    virtual void setBusy(bool busy) = 0;
    // The error dialog. True for OK; false for Cancel or any other answer.
    virtual bool continueAfter(const Failure &failure) = 0;
    // A message box titled "Input Error" with an exclamation icon and OK.
    virtual void showInputError(const QString &message) = 0;
    virtual void refreshFileList() = 0;

    virtual QString startFolder() const = 0; // the folder the file list shows
    virtual QString maxLengthText() const = 0; // the maximum-length box
    virtual QString limitText() const = 0; // the files-per-execution box
    virtual bool includeSubfolders() const = 0;
    virtual bool overrideReadOnly() const = 0;
    // The seven switches, the maximum-length text and the removal list.
    virtual CleaningRules cleaningRules() const = 0;
};
