#include "undopass.h"

#include "namebytes.h"
#include "passhost.h"

#include <QFile>

namespace {

QByteArray keyOf(const QByteArray &folder, const QByteArray &name)
{
    return folder + '/' + name;
}

} // namespace

UndoPass::UndoPass(FileSystem &fileSystem, PassHost &host)
    : m_fileSystem(fileSystem)
    , m_host(host)
{ }

QList<JournalRecord> UndoPass::run(const QList<JournalRecord> &records)
{
    m_summary = PassSummary();
    m_host.passStarted();

    QList<bool> kept(records.size(), false);
    for (qsizetype i = records.size() - 1; i >= 0; --i) {
        const Flow flow = undo(records[i], i == records.size() - 1);
        if (flow == Flow::Abort) {
            m_summary.end = PassSummary::End::Stopped;
            // The record in hand and all before it stay for another try.
            for (qsizetype j = 0; j <= i; ++j)
                kept[j] = true;
            break;
        }
        kept[i] = flow == Flow::Kept;
    }
    m_folders.clear();
    if (m_summary.end == PassSummary::End::NotStarted)
        m_summary.end = PassSummary::End::Completed;

    m_host.passEnded();

    QList<JournalRecord> left;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (kept[i])
            left.append(records[i]);
    }
    return left;
}

UndoPass::Flow UndoPass::report(const Failure &failure)
{
    return m_host.continueAfter(failure) ? Flow::Kept : Flow::Abort;
}

Result<Folder *> UndoPass::folderOf(const QByteArray &path)
{
    if (const auto open = m_folders.find(path); open != m_folders.end())
        return open->second.get();
    Result<FolderPtr> opened = m_fileSystem.openFolder(QFile::decodeName(path));
    if (!opened.ok())
        return opened.failure();
    Folder *folder = opened.value().get();
    m_folders.emplace(path, std::move(opened.value()));
    return folder;
}

UndoPass::Flow UndoPass::undo(const JournalRecord &record, bool lastWritten)
{
    if (m_host.stopRequested())
        return Flow::Abort;
    ++m_summary.filesRead;
    m_host.fileRead(m_summary.filesRead, QFile::decodeName(record.folder),
        NameBytes::decode(record.newName).text);

    const bool rename = record.kind == JournalRecord::Kind::Rename;
    // The read-only bit of a file that stays under its new name belongs to
    // whatever now holds the old name.
    if (!rename && m_notBack.contains(keyOf(record.folder, record.oldName)))
        return Flow::Kept;

    const Result<Folder *> folder = folderOf(record.folder);
    Flow flow = Flow::Kept;
    if (!folder.ok())
        flow = report(folder.failure());
    else if (!folder.value())
        flow = Flow::Kept; // a folder nothing may be changed in
    else
        flow = rename ? undoRename(*folder.value(), record, lastWritten)
                      : undoReadOnly(*folder.value(), record);
    if (rename && flow != Flow::Done)
        m_notBack.insert(keyOf(record.folder, record.oldName));
    return flow;
}

UndoPass::Flow UndoPass::undoRename(Folder &folder, const JournalRecord &record, bool lastWritten)
{
    // A pass killed between writing its last record and renaming leaves a
    // record of a rename that never happened: nothing to take back.
    if (lastWritten) {
        const Result<bool> renamed = folder.fileExists(record.newName);
        const Result<bool> stayed = folder.fileExists(record.oldName);
        if (renamed.ok() && !renamed.value() && stayed.ok() && stayed.value())
            return Flow::Done;
    }
    if (const Status back = folder.rename(record.newName, record.oldName); !back.ok())
        return report(back.failure());
    m_host.fileFixed(++m_summary.filesFixed);
    return Flow::Done;
}

UndoPass::Flow UndoPass::undoReadOnly(Folder &folder, const JournalRecord &record)
{
    const Result<quint32> attributes = folder.attributes(record.oldName);
    if (!attributes.ok())
        return report(attributes.failure());
    const Status written
        = folder.setAttributes(record.oldName, attributes.value() | FileAttribute::ReadOnly);
    return written.ok() ? Flow::Done : report(written.failure());
}
