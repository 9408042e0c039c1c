#include "recordinghost.h"

QList<int> RecordingHost::failureNumbers() const
{
    QList<int> numbers;
    for (const Failure &failure : failures)
        numbers.append(failure.number);
    return numbers;
}

void RecordingHost::fileRenamed(const RenamedFile &file)
{
    renamed.append(file);
    if (onRenamed)
        onRenamed(file);
}

CleaningRules RecordingHost::cleaningRules() const
{
    CleaningRules current = rules;
    current.maxLength = maxLength;
    return current;
}
