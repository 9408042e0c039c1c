#pragma once

#include "cleaningrules.h"
#include "enginetexts.h"
#include "failure.h"

#include <QString>

// A rename that the pass carried out, as a preview or a record shows it.
struct RenamedFile
{
    QString folder; // full path
    QString oldName;
    QString newName;
    bool numbered = false; // the cleaned name was taken and got a number
    bool readOnlyCleared = false; // the pass cleared the file's read-only bit
};

// What the execution pass needs of the window that runs it. The settings
// are read once, when a pass starts: nothing can change them while it runs,
// because its dialogs are modal and the Settings commands never run then.
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
    // Asked once the maximum length has been accepted and before anything
    // is shown or touched; false starts nothing. A whole drive is asked
    // about here.
    virtual bool approveStart(const QString &folder, bool includeSubfolders) = 0;
    virtual void refreshFileList() = 0;
    // A file was read: "Read" shows the count and "Current" its path. A host
    // that shows the panels only now and then may keep the parts and make
    // the texts when it shows them.
    virtual void fileRead(qint32 count, const QString &folder, const QString &name)
    {
        setPanelText(EngineTexts::ReadPanel, EngineTexts::readCount(count));
        setPanelText(EngineTexts::CurrentPanel, EngineTexts::currentFile(folder, name));
    }
    // Told after every rename that was carried out.
    virtual void fileRenamed(const RenamedFile &file) { Q_UNUSED(file); }

    virtual QString startFolder() const = 0; // the folder the file list shows
    virtual QString maxLengthText() const = 0; // the maximum-length box
    virtual QString limitText() const = 0; // the files-per-execution box
    virtual bool includeSubfolders() const = 0;
    virtual bool overrideReadOnly() const = 0;
    // The seven switches, the maximum-length text and the removal list.
    virtual CleaningRules cleaningRules() const = 0;
};
