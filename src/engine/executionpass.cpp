#include "executionpass.h"

#include "enginetexts.h"
#include "filename.h"
#include "foldernames.h"
#include "journal.h"
#include "journalingfilesystem.h"
#include "namebytes.h"
#include "namecleaner.h"
#include "passhost.h"
#include "range.h"
#include "textconversions.h"

#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 SkippedAttributes = FileAttribute::Alias | FileAttribute::Directory
    | FileAttribute::Hidden | FileAttribute::System | FileAttribute::VolumeLabel;

// Number `number` of a cleaned name: the digits go between base and
// extension, and the base gives way when the maximum length is short.
QString numberedName(const FileName &cleaned, int number, double maxLength)
{
    const QString digits = TextConversions::numberText(number);
    const qsizetype needed = cleaned.base.size() + digits.size() + cleaned.extension.size();
    const QString base = maxLength >= double(needed)
        ? cleaned.base
        : leftWhole(cleaned.base, cleaned.base.size() - digits.size());
    return base + digits + cleaned.extension;
}

} // namespace

ExecutionPass::ExecutionPass(
    FileSystem &fileSystem, PassHost &host, PassSettings settings, JournalWriter *journal)
    : m_fileSystem(fileSystem)
    , m_host(host)
    , m_settings(std::move(settings))
    , m_journal(journal)
{ }

ExecutionPass::~ExecutionPass() = default;

PassSummary ExecutionPass::execute()
{
    m_summary = PassSummary();
    if (m_settings.refusal())
        return m_summary;
    const QString &start = m_settings.startFolder;
    if (m_settings.includeSubfolders && m_settings.limit > 0 && startsAtMountRoot()
        && !m_host.startOnWholeDrive(start))
        return m_summary;

    // A journal that cannot be written is asked about once: yes goes on
    // without one, no starts nothing.
    std::optional<JournalingFileSystem> journaling;
    m_walked = &m_fileSystem;
    if (m_journal) {
        if (const Status begun = m_journal->begin(); !begun.ok()) {
            if (!m_host.goOnWithoutJournal(begun.failure()))
                return m_summary;
        } else {
            m_walked = &journaling.emplace(m_fileSystem, *m_journal);
        }
    }

    m_host.passStarted();
    m_cleaner = std::make_unique<NameCleaner>(m_settings.rules);
    m_noSafeRenameReported = false;
    m_noModesReported = false;

    const Flow flow = ProcessFolder(nullptr, start, {});
    m_summary.end = flow == Flow::Abort ? PassSummary::End::Stopped : PassSummary::End::Completed;
    // The changes stand either way; the user learns that they may not be
    // taken back after a power loss.
    if (journaling) {
        if (const Status finished = m_journal->finish(); !finished.ok())
            m_host.continueAfter(finished.failure());
    }

    m_host.passEnded();
    return m_summary;
}

bool ExecutionPass::startsAtMountRoot()
{
    // Asked before anything is touched; a folder that cannot be opened is
    // reported by the walk.
    const Result<FolderPtr> start = m_fileSystem.openFolder(m_settings.startFolder);
    return start.ok() && start.value() && start.value()->isMountRoot();
}

ExecutionPass::Flow ExecutionPass::report(const Failure &failure)
{
    return m_host.continueAfter(failure) ? Flow::Continue : Flow::Abort;
}

ExecutionPass::Flow ExecutionPass::reportOnce(const Failure &failure, bool *said)
{
    return std::exchange(*said, true) ? Flow::Continue : report(failure);
}

Result<Folder *> ExecutionPass::folderOf(OpenLevel &level)
{
    if (level.folder || level.lost)
        return level.folder.get();
    // Closed to stay within the budget: opened again the way it was first
    // reached, never through a link, and only while it is the same folder.
    Result<FolderPtr> opened = FolderPtr();
    if (level.parent) {
        const Result<Folder *> parent = folderOf(*level.parent);
        if (!parent.ok() || !parent.value()) {
            level.lost = true;
            return parent;
        }
        opened = parent.value()->openSubFolder(level.name);
    } else {
        opened = m_walked->openFolder(level.path);
    }
    const Result<EntryIdentity> now = opened.ok() && opened.value()
        ? opened.value()->identity(".")
        : Result<EntryIdentity>(EntryIdentity());
    if (!opened.ok() || !opened.value() || !now.ok() || !now.value().sameEntry(level.identity)) {
        // Said once: the folders below it are lost with it, silently.
        level.lost = true;
        return Failure{ENOTDIR, EngineTexts::folderReplaced(level.path)};
    }
    level.folder = std::move(opened.value());
    keepWithinBudget(level);
    return level.folder.get();
}

void ExecutionPass::keepWithinBudget(const OpenLevel &inUse)
{
    if (m_settings.openFolders <= 0)
        return;
    qsizetype open = std::count_if(m_levels.cbegin(), m_levels.cend(),
        [](const OpenLevel *level) { return level->folder != nullptr; });
    // The shallowest folders are the ones the walk needs again last.
    for (OpenLevel *level : m_levels) {
        if (open <= m_settings.openFolders)
            break;
        if (level == &inUse || level == inUse.parent || !level->folder)
            continue;
        // Known again by its identity when it is reopened; one that cannot
        // tell it stays open.
        const Result<EntryIdentity> identity = level->folder->identity(".");
        if (!identity.ok())
            continue;
        level->identity = identity.value();
        level->folder.reset();
        --open;
    }
}

ExecutionPass::Flow ExecutionPass::ProcessFolder(
    OpenLevel *parent, const QString &path, QByteArrayView name)
{
    if (m_settings.limit <= m_summary.filesFixed)
        return Flow::Continue;
    if (m_host.stopRequested())
        return Flow::Abort;

    // A folder that cannot be opened or listed has nothing to go on with:
    // after OK the walk leaves it instead.
    Result<FolderPtr> opened = FolderPtr();
    if (parent) {
        const Result<Folder *> parentFolder = folderOf(*parent);
        if (!parentFolder.ok())
            return report(parentFolder.failure());
        if (!parentFolder.value())
            return Flow::Continue; // lost, and said so
        opened = parentFolder.value()->openSubFolder(name);
    } else {
        opened = m_walked->openFolder(path);
    }
    if (!opened.ok())
        return report(opened.failure());
    if (!opened.value())
        return Flow::Continue; // a kernel's virtual file system: never walked

    OpenLevel level{parent, path, name, std::move(opened.value()), {}, false};
    m_levels.push_back(&level);
    const auto popLevel = qScopeGuard([this] { m_levels.pop_back(); });
    keepWithinBudget(level);

    const Result<FolderListing> listing = level.folder->list();
    if (!listing.ok())
        return report(listing.failure());

    if (m_settings.includeSubfolders) {
        for (const FolderListing::Entry &entry : listing.value().folders()) {
            const QByteArrayView bytes = listing.value().name(entry);
            const NameBytes::Decoded subFolder = NameBytes::decode(bytes);
            const QString subPath = joinedPath(path, subFolder.text);
            // Hidden folders (".git", ".config") belong to programs, not to
            // the user: never walked, like hidden files are never renamed.
            if (isHiddenName(bytes))
                continue;
            if (!subFolder.isText) {
                if (report(Failure::of(
                        ProgramFault::NameNotText, EngineTexts::folderNameNotText(subPath)))
                    == Flow::Abort)
                    return Flow::Abort;
                continue;
            }
            if (ProcessFolder(&level, subPath, bytes) == Flow::Abort)
                return Flow::Abort;
        }
    }

    const Result<Folder *> folder = folderOf(level);
    if (!folder.ok())
        return report(folder.failure());
    if (!folder.value())
        return Flow::Continue; // lost, and said so
    FolderNames names(listing.value());
    for (const FolderListing::Entry &entry : listing.value().files()) {
        const Flow flow = processFile(*folder.value(), names, listing.value().name(entry));
        if (flow == Flow::Abort)
            return Flow::Abort;
        if (flow == Flow::LeaveFolder)
            break;
    }
    return Flow::Continue;
}

ExecutionPass::Flow ExecutionPass::processFile(
    Folder &folder, FolderNames &names, QByteArrayView bytes)
{
    if (m_host.stopRequested())
        return Flow::Abort;
    ++m_summary.filesRead;
    const NameBytes::Decoded name = NameBytes::decode(bytes);
    m_host.fileRead(m_summary.filesRead, folder.path(), name.text);

    if (!name.isText) {
        return report(Failure::of(ProgramFault::NameNotText,
            EngineTexts::fileNameNotText(joinedPath(folder.path(), name.text))));
    }

    // A test that cannot be made counts as passed once the user said OK:
    // the file is then processed as if it had no attributes.
    quint32 attributes = 0;
    if (const Result<EntryAttributes> read = folder.attributes(bytes); read.ok()) {
        attributes = read.value().bits;
    } else if (report(read.failure()) == Flow::Abort) {
        return Flow::Abort;
    }

    if (attributes & SkippedAttributes)
        return Flow::Continue;
    const bool readOnly = attributes & FileAttribute::ReadOnly;
    if (readOnly && !m_settings.overrideReadOnly)
        return Flow::Continue;

    // The bit is never set again, whether or not the name changes.
    bool cleared = false;
    if (readOnly) {
        const Status written
            = folder.setAttributes(bytes, attributes & ~quint32(FileAttribute::ReadOnly));
        cleared = written.ok();
        // A volume that keeps no modes refuses every file alike: said once,
        // and the pass goes on renaming.
        if (!written.ok()
            && (written.failure().is(ProgramFault::NoModes)
                       ? reportOnce(written.failure(), &m_noModesReported)
                       : report(written.failure()))
                == Flow::Abort)
            return Flow::Abort;
    }

    bool renamed = false;
    const Flow flow = renameIfChanged(folder, names, bytes, name.text, cleared, &renamed);
    if (cleared && !renamed)
        m_host.readOnlyCleared(folder.path(), name.text);
    return flow;
}

ExecutionPass::Flow ExecutionPass::renameIfChanged(Folder &folder, FolderNames &names,
    QByteArrayView bytes, const QString &name, bool readOnlyCleared, bool *renamed)
{
    const CleanResult cleaned = m_cleaner->clean(name);
    if (cleaned.failure && report(*cleaned.failure) == Flow::Abort)
        return Flow::Abort;
    if (cleaned.name == name)
        return Flow::Continue;

    Status outcome = Status::success();
    if (wouldHide(name, cleaned.name)) {
        // Hidden files are skipped before they are cleaned, so this one was
        // visible: a name that hides it, or a number in front of its
        // extension alone, would lose it to the user.
        outcome = Failure::of(ProgramFault::NewNameHides,
            EngineTexts::newNameHides(joinedPath(folder.path(), name), cleaned.name));
    } else {
        for (;;) {
            Candidate free;
            if (freeName(names, cleaned.name, &free) == Flow::Abort)
                return Flow::Abort;
            if (free.number < 0)
                return Flow::Continue; // no number left: the file keeps its name
            outcome = folder.rename(bytes, free.bytes);
            if (outcome.ok()) {
                *renamed = true;
                names.renamed(bytes, free.bytes);
                m_host.fileRenamed(
                    {folder.path(), name, free.name, free.number > 0, readOnlyCleared});
                break;
            }
            // The rename never replaces, so it is what tells whether a name
            // the listing did not hold is taken: by a file made since, or by
            // one whose name differs in letter case alone where the volume
            // ignores case. Such a file is numbered past like a listed one;
            // a folder is reported.
            if (outcome.failure().number != EEXIST)
                break;
            const Result<bool> file = folder.fileExists(free.bytes);
            if (!file.ok() || !file.value())
                break;
            names.candidateTaken(cleaned.name, free.number, free.bytes);
        }
    }

    if (!outcome.ok() && outcome.failure().is(ProgramFault::NoSafeRename)) {
        // Every further rename would fail alike: said once, each file stays.
        return reportOnce(outcome.failure(), &m_noSafeRenameReported);
    }
    if (!outcome.ok() && report(outcome.failure()) == Flow::Abort)
        return Flow::Abort;

    // A refused rename that the user acknowledged counts as fixed too.
    ++m_summary.filesFixed;
    if (m_settings.limit < m_summary.filesFixed)
        return Flow::LeaveFolder;
    m_host.fileFixed(m_summary.filesFixed);
    return Flow::Continue;
}

ExecutionPass::Flow ExecutionPass::freeName(
    FolderNames &names, const QString &cleanedName, Candidate *free)
{
    const FileName cleaned = FileName::split(cleanedName);
    for (int number = names.firstCandidate(cleanedName);; ++number) {
        // The numbering counter stays within what the name's digits were always
        // meant to hold; a name still taken then is reported, not looped over.
        if (number > Limits::HighestNameNumber) {
            free->number = -1;
            return report(
                Failure::of(ProgramFault::NoFreeNumber, EngineTexts::noFreeNumber(cleanedName)));
        }
        free->name
            = number == 0 ? cleanedName : numberedName(cleaned, number, m_settings.rules.maxLength);
        free->bytes = free->name.toUtf8();
        if (!names.isTaken(free->bytes)) {
            free->number = number;
            return Flow::Continue;
        }
        names.candidateTaken(cleanedName, number, free->bytes);
    }
}
