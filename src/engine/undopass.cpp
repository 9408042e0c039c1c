#include "undopass.h"

#include "enginetexts.h"
#include "filename.h"
#include "namebytes.h"
#include "passhost.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

UndoPass::UndoPass(FileSystem &fileSystem, PassHost &host, int openFolders)
    : m_fileSystem(fileSystem)
    , m_host(host)
    , m_openLimit(std::size_t(std::max(openFolders, 2)))
{ }

UndoPass::~UndoPass() = default;

Journal UndoPass::run(const Journal &journal)
{
    m_journal = &journal;
    m_summary = PassSummary();
    m_host.passStarted();

    const QList<JournalRecord> &records = journal.records;
    QList<bool> kept(records.size(), false);
    for (qsizetype i = records.size() - 1; i >= 0; --i) {
        const Flow flow = undo(records[i]);
        if (flow == Flow::Abort) {
            m_summary.end = PassSummary::End::Stopped;
            // The record in hand and all before it stay for another try.
            std::fill(kept.begin(), kept.begin() + i + 1, true);
            break;
        }
        kept[i] = flow == Flow::Kept;
    }
    m_open.clear();
    if (m_summary.end == PassSummary::End::NotStarted)
        m_summary.end = PassSummary::End::Completed;

    m_host.passEnded();

    Journal left{journal.madeAt, journal.folders, {}};
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (kept[i])
            left.records.append(records[i]);
    }
    m_journal = nullptr;
    return left;
}

UndoPass::Flow UndoPass::report(const Failure &failure)
{
    return m_host.continueAfter(failure) ? Flow::Kept : Flow::Abort;
}

Folder *UndoPass::keepOpen(qint32 index, FolderPtr folder)
{
    if (m_open.size() >= m_openLimit) {
        const auto oldest = std::min_element(m_open.begin(), m_open.end(),
            [](const auto &a, const auto &b) { return a.second.lastUse < b.second.lastUse; });
        m_open.erase(oldest);
    }
    Folder *kept = folder.get();
    m_open.insert_or_assign(index, OpenFolder{std::move(folder), ++m_uses});
    return kept;
}

Result<Folder *> UndoPass::reach(qint32 index)
{
    // Up to the nearest folder still open, or to the start folder.
    QList<qint32> chain;
    Folder *folder = nullptr;
    for (qint32 at = index; at >= 0; at = m_journal->folders[at].parent) {
        if (m_unreachable.contains(at))
            return static_cast<Folder *>(nullptr);
        if (const auto open = m_open.find(at); open != m_open.end()) {
            open->second.lastUse = ++m_uses;
            folder = open->second.folder.get();
            break;
        }
        chain.append(at);
    }
    // Then down, one name at a time: a link is never followed, and a folder
    // that is no longer the one the pass worked in stops the way.
    for (auto at = chain.crbegin(); at != chain.crend(); ++at) {
        const JournalFolder &wanted = m_journal->folders[*at];
        Result<FolderPtr> opened = folder ? folder->openSubFolder(wanted.name)
                                          : m_fileSystem.openFolder(QFile::decodeName(wanted.name));
        m_unreachable.insert(*at);
        if (!opened.ok())
            return opened.failure();
        if (!opened.value())
            return static_cast<Folder *>(nullptr); // a folder nothing may be changed in
        const Result<EntryIdentity> identity = opened.value()->identity(".");
        if (!identity.ok())
            return identity.failure();
        if (!identity.value().sameEntry(wanted.identity))
            return Failure{ESTALE, EngineTexts::folderReplaced(opened.value()->path())};
        m_unreachable.remove(*at);
        folder = keepOpen(*at, std::move(opened.value()));
    }
    return folder;
}

UndoPass::Flow UndoPass::undo(const JournalRecord &record)
{
    if (m_host.stopRequested())
        return Flow::Abort;
    ++m_summary.filesRead;
    if (record.folder != m_shownFolder) {
        m_shownFolder = record.folder;
        m_shownPath = QFile::decodeName(m_journal->pathOf(record.folder));
    }
    m_host.fileRead(m_summary.filesRead, m_shownPath, NameBytes::decode(record.newName).text);

    const bool rename = record.kind == JournalRecord::Kind::Rename;
    // The mode of a file that stays under its new name belongs to whatever
    // now holds the old name.
    const std::pair<qint32, QByteArray> key{record.folder, record.oldName};
    if (!rename && m_notBack.contains(key))
        return Flow::Kept;

    const Result<Folder *> folder = reach(record.folder);
    Flow flow = Flow::Kept;
    if (!folder.ok())
        flow = report(folder.failure());
    else if (folder.value())
        flow = rename ? undoRename(*folder.value(), record) : undoReadOnly(*folder.value(), record);
    if (rename && flow != Flow::Done)
        m_notBack.insert(key);
    return flow;
}

UndoPass::Flow UndoPass::undoRename(Folder &folder, const JournalRecord &record)
{
    // Already back: an Undo killed after this rename, or a pass killed
    // between writing the record and renaming.
    if (const Result<EntryIdentity> old = folder.identity(record.oldName);
        old.ok() && old.value().sameEntry(record.file))
        return Flow::Done;
    if (const Result<EntryIdentity> now = sameFile(folder, record.newName, record.file); !now.ok())
        return report(now.failure());
    if (const Status back = folder.rename(record.newName, record.oldName); !back.ok())
        return report(back.failure());
    m_host.fileFixed(++m_summary.filesFixed);
    return Flow::Done;
}

Result<EntryIdentity> UndoPass::sameFile(
    Folder &folder, QByteArrayView name, const EntryIdentity &recorded)
{
    const Result<EntryIdentity> now = folder.identity(name);
    if (now.ok() && !now.value().sameEntry(recorded)) {
        return Failure{ESTALE,
            EngineTexts::fileReplaced(joinedPath(folder.path(), NameBytes::decode(name).text))};
    }
    return now;
}

UndoPass::Flow UndoPass::undoReadOnly(Folder &folder, const JournalRecord &record)
{
    constexpr quint32 PermissionBits = 07777;
    const Result<EntryIdentity> now = sameFile(folder, record.oldName, record.file);
    if (!now.ok())
        return report(now.failure());
    if ((now.value().mode & PermissionBits) == (record.file.mode & PermissionBits))
        return Flow::Done;
    const Status written = folder.setMode(record.oldName, record.file.mode & PermissionBits);
    return written.ok() ? Flow::Done : report(written.failure());
}
