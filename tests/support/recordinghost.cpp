#include "recordinghost.h"

#include "filename.h"

using namespace Qt::StringLiterals;

RecordingHost::RecordingHost()
{
    settings.startFolder = u"/r"_s;
    settings.includeSubfolders = true;
    settings.overrideReadOnly = true;
    settings.limit = 1000;
    settings.rules.maxLength = 60;
}

QList<int> RecordingHost::failureNumbers() const
{
    QList<int> numbers;
    for (const Failure &failure : failures)
        numbers.append(failure.number);
    return numbers;
}

void RecordingHost::fileRead(qint32 filesRead, const QString &folder, const QString &name)
{
    lastRead = filesRead;
    events.append(u"read %1 %2"_s.arg(filesRead).arg(joinedPath(folder, name)));
}

void RecordingHost::fileRenamed(const RenamedFile &file)
{
    renamed.append(file);
    if (onRenamed)
        onRenamed(file);
}

void RecordingHost::fileFixed(qint32 filesFixed)
{
    lastFixed = filesFixed;
    events.append(u"fixed %1"_s.arg(filesFixed));
    if (onFixed)
        onFixed(filesFixed);
}

void RecordingHost::readOnlyCleared(const QString &folder, const QString &name)
{
    keptReadOnlyCleared.append({folder, name, QString(), false, true});
}
