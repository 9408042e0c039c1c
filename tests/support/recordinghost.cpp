#include "recordinghost.h"

void RecordingHost::setPanelText(const QString &key, const QString &text)
{
    panels.insert(key, text);
    panelWrites.append(key + u'=' + text);
}

bool RecordingHost::continueAfter(const Failure &failure)
{
    failures.append(failure);
    return answers.isEmpty() ? true : answers.takeFirst();
}

CleaningRules RecordingHost::cleaningRules() const
{
    CleaningRules current = rules;
    current.maxLength = maxLength;
    return current;
}
