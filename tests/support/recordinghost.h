#pragma once

#include "passhost.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

// A host for the pass whose settings a test sets and whose panels, dialogs
// and pointer a test reads back.
class RecordingHost final : public PassHost
{
public:
    QString folder = QStringLiteral("/r");
    QString maxLength = QStringLiteral("60");
    QString limit = QStringLiteral("1000");
    bool subfolders = true;
    bool readOnly = true;
    CleaningRules rules; // maxLength is filled in from `maxLength`

    // Answers of the error dialog in order; once they run out, OK.
    QList<bool> answers;
    // The answer to the question asked before a pass starts.
    bool startApproved = true;
    QStringList startQuestions; // the folders asked about

    QHash<QString, QString> panels;
    QStringList panelWrites; // "Key=text" in order
    QList<Failure> failures;
    QStringList inputErrors;
    QList<bool> busyChanges;
    int refreshes = 0;
    QList<RenamedFile> renamed;
    std::function<void(const RenamedFile &)> onRenamed;

    void setPanelText(const QString &key, const QString &text) override;
    void setBusy(bool busy) override { busyChanges.append(busy); }
    bool continueAfter(const Failure &failure) override;
    void showInputError(const QString &message) override { inputErrors.append(message); }
    bool approveStart(const QString &folder, bool includeSubfolders) override
    {
        if (includeSubfolders)
            startQuestions.append(folder);
        return startApproved;
    }
    void refreshFileList() override { ++refreshes; }
    void fileRenamed(const RenamedFile &file) override
    {
        renamed.append(file);
        if (onRenamed)
            onRenamed(file);
    }

    QString startFolder() const override { return folder; }
    QString maxLengthText() const override { return maxLength; }
    QString limitText() const override { return limit; }
    bool includeSubfolders() const override { return subfolders; }
    bool overrideReadOnly() const override { return readOnly; }
    CleaningRules cleaningRules() const override;
};
