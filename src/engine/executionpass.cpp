#include "executionpass.h"

#include "enginetexts.h"
#include "filename.h"
#include "foldernames.h"
#include "journal.h"
#include "journalingfilesystem.h"
#include "namebytes.h"
#include "namecleaner.h"
#include "passhost.h"
#include "textconversions.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The numbering counter stays within what the name's digits were always
// meant to hold; a name still taken then is reported, not looped over.
constexpr int HighestNumber = 32767;

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

ExecutionPass::ExecutionPass(FileSystem &fileSystem, PassHost &host, JournalWriter *journal)
    : m_fileSystem(fileSystem)
    , m_host(host)
    , m_journal(journal)
{ }

ExecutionPass::~ExecutionPass() = default;

void ExecutionPass::execute()
{
    const QString maxLengthText = m_host.maxLengthText();
    if (TextConversions::leadingNumberAfterZero(maxLengthText) == 0) {
        m_host.showInputError(EngineTexts::maxLengthRange());
        return;
    }
    const QString start = m_host.startFolder();
    m_includeSubfolders = m_host.includeSubfolders();
    if (!m_host.approveStart(start, m_includeSubfolders))
        return;

    // A journal that cannot be written is said once: OK goes on without
    // one, Cancel starts nothing.
    std::optional<JournalingFileSystem> journaling;
    m_walked = &m_fileSystem;
    if (m_journal) {
        if (const Status begun = m_journal->begin(); !begun.ok()) {
            if (!m_host.continueAfter(begun.failure()))
                return;
        } else {
            m_walked = &journaling.emplace(m_fileSystem, *m_journal);
        }
    }

    m_host.setBusy(true);
    m_host.setPanelText(EngineTexts::ReadPanel, QString());
    m_host.setPanelText(EngineTexts::FixedPanel, QString());
    m_host.setPanelText(EngineTexts::CurrentPanel, EngineTexts::navigating());
    gTryCnt = 0;
    gCurCnt = 0;

    m_cleaner = std::make_unique<NameCleaner>(m_host.cleaningRules());
    m_limit = TextConversions::leadingNumber(m_host.limitText());
    m_maxLength = TextConversions::leadingNumber(maxLengthText);
    m_overrideReadOnly = m_host.overrideReadOnly();
    m_noSafeRenameReported = false;

    ProcessFolder(nullptr, start, {});
    // The changes stand either way; the user learns that they may not be
    // taken back after a power loss.
    if (journaling) {
        if (const Status finished = m_journal->finish(); !finished.ok())
            m_host.continueAfter(finished.failure());
    }

    m_host.refreshFileList();
    m_host.setBusy(false);
    m_host.setPanelText(EngineTexts::CurrentPanel, EngineTexts::completed());
}

ExecutionPass::Flow ExecutionPass::report(const Failure &failure)
{
    return m_host.continueAfter(failure) ? Flow::Continue : Flow::Abort;
}

ExecutionPass::Flow ExecutionPass::ProcessFolder(
    Folder *parent, const QString &path, QByteArrayView name)
{
    if (m_limit <= gCurCnt)
        return Flow::Continue;

    // A folder that cannot be opened or listed has nothing to go on with:
    // after OK the walk leaves it instead.
    Result<FolderPtr> opened = parent ? parent->openSubFolder(name) : m_walked->openFolder(path);
    if (!opened.ok())
        return report(opened.failure());
    if (!opened.value())
        return Flow::Continue; // a kernel's virtual file system: never walked
    Folder &folder = *opened.value();

    const Result<FolderListing> listing = folder.list();
    if (!listing.ok())
        return report(listing.failure());

    if (m_includeSubfolders) {
        for (const FolderListing::Entry &entry : listing.value().folders()) {
            const QByteArrayView bytes = listing.value().name(entry);
            const NameBytes::Decoded subFolder = NameBytes::decode(bytes);
            const QString subPath = joinedPath(path, subFolder.text);
            if (!subFolder.isText) {
                if (report({EngineTexts::NotTextNumber, EngineTexts::folderNameNotText(subPath)})
                    == Flow::Abort)
                    return Flow::Abort;
                continue;
            }
            if (ProcessFolder(&folder, subPath, bytes) == Flow::Abort)
                return Flow::Abort;
        }
    }

    FolderNames names(listing.value());
    for (const FolderListing::Entry &entry : listing.value().files()) {
        const Flow flow = processFile(folder, names, listing.value().name(entry));
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
    ++gTryCnt;
    const NameBytes::Decoded name = NameBytes::decode(bytes);
    m_host.fileRead(gTryCnt, folder.path(), name.text);

    if (!name.isText) {
        return report({EngineTexts::NotTextNumber,
            EngineTexts::fileNameNotText(joinedPath(folder.path(), name.text))});
    }

    // A test that cannot be made counts as passed once the user said OK:
    // the file is then processed as if it had no attributes.
    quint32 attributes = 0;
    if (const Result<quint32> read = folder.attributes(bytes); read.ok()) {
        attributes = read.value();
    } else if (report(read.failure()) == Flow::Abort) {
        return Flow::Abort;
    }

    if (attributes & SkippedAttributes)
        return Flow::Continue;
    const bool readOnly = attributes & FileAttribute::ReadOnly;
    if (readOnly && !m_overrideReadOnly)
        return Flow::Continue;

    // The bit is never set again, whether or not the name changes.
    if (readOnly) {
        const Status written
            = folder.setAttributes(bytes, attributes & ~quint32(FileAttribute::ReadOnly));
        if (!written.ok() && report(written.failure()) == Flow::Abort)
            return Flow::Abort;
    }

    const CleanResult cleaned = m_cleaner->clean(name.text);
    if (cleaned.failure && report(*cleaned.failure) == Flow::Abort)
        return Flow::Abort;

    QString newName = cleaned.name;
    if (newName == name.text)
        return Flow::Continue;

    bool numbered = false;
    bool keepName = false;
    if (freeName(folder, names, &newName, &numbered, &keepName) == Flow::Abort)
        return Flow::Abort;
    if (keepName)
        return Flow::Continue;

    const QByteArray newBytes = newName.toUtf8();
    if (const Status renamed = folder.rename(bytes, newBytes); renamed.ok()) {
        names.renamed(bytes, newBytes);
        m_host.fileRenamed({folder.path(), name.text, newName, numbered, readOnly});
    } else if (renamed.failure().number == EngineTexts::NoSafeRenameNumber) {
        // Every further rename would fail alike: said once, each file stays.
        if (m_noSafeRenameReported)
            return Flow::Continue;
        m_noSafeRenameReported = true;
        return report(renamed.failure());
    } else if (report(renamed.failure()) == Flow::Abort) {
        return Flow::Abort;
    }

    // A refused rename that the user acknowledged counts as fixed too.
    ++gCurCnt;
    if (m_limit < gCurCnt)
        return Flow::LeaveFolder;
    m_host.setPanelText(EngineTexts::FixedPanel, EngineTexts::fixedCount(gCurCnt));
    return Flow::Continue;
}

ExecutionPass::Flow ExecutionPass::freeName(
    Folder &folder, FolderNames &names, QString *name, bool *numbered, bool *keepName)
{
    const QString cleanedName = *name;
    const FileName cleaned = FileName::split(cleanedName);
    // Names taken by the listing and by this pass's own renames are known;
    // the file system is asked only about the name that looks free. The
    // no-replace rename still guards against anything that appears meanwhile.
    for (int number = names.firstCandidate(cleanedName);; ++number) {
        if (number > HighestNumber) {
            *keepName = true;
            return report({EngineTexts::OverflowNumber, EngineTexts::noFreeNumber(cleanedName)});
        }
        *name = number == 0 ? cleanedName : numberedName(cleaned, number, m_maxLength);
        *numbered = number > 0;
        const QByteArray candidate = name->toUtf8();
        if (names.isTaken(candidate)) {
            names.candidateTaken(cleanedName, number, candidate);
            continue;
        }
        const Result<bool> taken = folder.fileExists(candidate);
        if (!taken.ok()) {
            // The rename that follows never replaces anything, so going on
            // with the name as it stands is safe.
            return report(taken.failure());
        }
        if (!taken.value())
            return Flow::Continue;
        names.candidateTaken(cleanedName, number, candidate);
    }
}
