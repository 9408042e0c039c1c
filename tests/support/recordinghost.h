#pragma once

#include "passhost.h"

#include <QHash>
#include <QList>

#include <functional>

// A host for the pass whose settings a test sets and whose panels, dialogs
// and renames a test reads back. Every start is approved.
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

    QHash<QString, QString> panels;
    QStringList panelWrites; // "Key=text" in order
    QList<Failure> failures;
    QStringList inputErrors;
    QList<bool> busyChanges;
    int refreshes = 0;
    QList<RenamedFile> renamed;
    std::function<void(const RenamedFile &)> onRenamed;

    // The error numbers of `failures`, in order.
    QList<int> failureNumbers() const;

    void setPanelText(const QString &key, const QString &text) override
    {
        panels.insert(key, text);
        panelWrites.append(key + u'=' + text);
    }
    void setBusy(bool busy) override { busyChanges.append(busy); }
    bool continueAfter(const Failure &failure) override
    {
        failures.append(failure);
        return answers.isEmpty() || answers.takeFirst();
    }
    void showInputError(const QString &message) override { inputErrors.append(message); }
    bool approveStart(const QString &, bool) override { return true; }
    void refreshFileList() override { ++refreshes; }
    void fileRenamed(const RenamedFile &file) override;

    QString startFolder() const override { return folder; }
    QString maxLengthText() const override { return maxLength; }
    QString limitText() const override { return limit; }
    bool includeSubfolders() const override { return subfolders; }
    bool overrideReadOnly() const override { return readOnly; }
    CleaningRules cleaningRules() const override;
};
