#include "executionpass.h"

#include "enginetexts.h"
#include "filename.h"
#include "filesystem.h"
#include "namecleaner.h"
#include "passhost.h"
#include "textconversions.h"

using namespace Qt::StringLiterals;

namespace {

// The numbering counter stays within what the name's digits were always
// meant to hold; a name still taken then is reported, not looped over.
constexpr int HighestNumber = 32767;

constexpr quint32 SkippedAttributes = FileAttribute::Alias | FileAttribute::Directory
    | FileAttribute::Hidden | FileAttribute::System | FileAttribute::VolumeLabel;

} // namespace

ExecutionPass::ExecutionPass(FileSystem &fileSystem, PassHost &host)
    : m_fileSystem(fileSystem)
    , m_host(host)
{ }

void ExecutionPass::execute()
{
    if (TextConversions::leadingNumberAfterZero(m_host.maxLengthText()) == 0) {
        m_host.showInputError(EngineTexts::maxLengthRange());
        return;
    }

    if (!m_host.approveStart(m_host.startFolder(), m_host.includeSubfolders()))
        return;

    m_host.setBusy(true);
    m_host.setPanelText(EngineTexts::ReadPanel, QString());
    m_host.setPanelText(EngineTexts::FixedPanel, QString());
    m_host.setPanelText(EngineTexts::CurrentPanel, EngineTexts::navigating());
    gTryCnt = 0;
    gCurCnt = 0;

    ProcessFolder(m_host.startFolder());

    m_host.refreshFileList();
    m_host.setBusy(false);
    m_host.setPanelText(EngineTexts::CurrentPanel, EngineTexts::completed());
}

double ExecutionPass::limit() const
{
    return TextConversions::leadingNumber(m_host.limitText());
}

ExecutionPass::Flow ExecutionPass::report(const Failure &failure)
{
    return m_host.continueAfter(failure) ? Flow::Continue : Flow::Abort;
}

ExecutionPass::Flow ExecutionPass::ProcessFolder(const QString &path)
{
    if (limit() <= gCurCnt)
        return Flow::Continue;

    // A folder that cannot be opened or listed has nothing to go on with:
    // after OK the walk leaves it (or its subfolder loop) instead.
    if (const Status opened = m_fileSystem.openFolder(path); !opened.ok())
        return report(opened.failure());

    if (m_host.includeSubfolders()) {
        const Result<QList<FolderEntry>> subFolders = m_fileSystem.subFolders(path);
        if (!subFolders.ok()) {
            if (report(subFolders.failure()) == Flow::Abort)
                return Flow::Abort;
        } else {
            for (const FolderEntry &subFolder : subFolders.value()) {
                if (!subFolder.nameIsText) {
                    if (report({EngineTexts::NotTextNumber,
                            EngineTexts::folderNameNotText(subFolder.path)})
                        == Flow::Abort)
                        return Flow::Abort;
                    continue;
                }
                if (ProcessFolder(subFolder.path) == Flow::Abort)
                    return Flow::Abort;
            }
        }
    }

    const Result<QList<FolderEntry>> files = m_fileSystem.files(path);
    if (!files.ok())
        return report(files.failure());

    for (const FolderEntry &file : files.value()) {
        bool leaveFolder = false;
        if (processFile(path, file, &leaveFolder) == Flow::Abort)
            return Flow::Abort;
        if (leaveFolder)
            break;
    }
    return Flow::Continue;
}

ExecutionPass::Flow ExecutionPass::processFile(
    const QString &folder, const FolderEntry &file, bool *leaveFolder)
{
    ++gTryCnt;
    m_host.setPanelText(EngineTexts::ReadPanel, EngineTexts::readCount(gTryCnt));
    m_host.setPanelText(EngineTexts::CurrentPanel, u' ' + file.path);

    if (!file.nameIsText)
        return report({EngineTexts::NotTextNumber, EngineTexts::fileNameNotText(file.path)});

    // A test that cannot be made counts as passed once the user said OK:
    // the file is then processed as if it had no attributes.
    quint32 attributes = 0;
    if (const Result<quint32> read = m_fileSystem.attributes(file.path); read.ok()) {
        attributes = read.value();
    } else if (report(read.failure()) == Flow::Abort) {
        return Flow::Abort;
    }

    if (attributes & SkippedAttributes)
        return Flow::Continue;
    const bool readOnly = attributes & FileAttribute::ReadOnly;
    if (readOnly && !m_host.overrideReadOnly())
        return Flow::Continue;

    // The bit is never set again, whether or not the name changes.
    if (readOnly) {
        const Status written
            = m_fileSystem.setAttributes(file.path, attributes & ~quint32(FileAttribute::ReadOnly));
        if (!written.ok() && report(written.failure()) == Flow::Abort)
            return Flow::Abort;
    }

    const CleanResult cleaned = CleanFileName(file.name, m_host.cleaningRules());
    if (cleaned.failure && report(*cleaned.failure) == Flow::Abort)
        return Flow::Abort;

    QString newName = cleaned.name;
    if (newName == file.name)
        return Flow::Continue;

    bool keepName = false;
    if (freeName(folder, &newName, &keepName) == Flow::Abort)
        return Flow::Abort;
    if (keepName)
        return Flow::Continue;

    if (const Status renamed = m_fileSystem.rename(file.path, newName);
        !renamed.ok() && report(renamed.failure()) == Flow::Abort)
        return Flow::Abort;

    // A refused rename that the user acknowledged counts as fixed too.
    ++gCurCnt;
    if (limit() < gCurCnt) {
        *leaveFolder = true;
        return Flow::Continue;
    }
    m_host.setPanelText(EngineTexts::FixedPanel, EngineTexts::fixedCount(gCurCnt));
    return Flow::Continue;
}

ExecutionPass::Flow ExecutionPass::freeName(const QString &folder, QString *name, bool *keepName)
{
    const FileName cleaned = FileName::split(*name);
    for (int counter = 1;; ++counter) {
        const Result<bool> taken = m_fileSystem.fileExists(m_fileSystem.join(folder, *name));
        if (!taken.ok()) {
            // The rename that follows never replaces anything, so going on
            // with the name as it stands is safe.
            return report(taken.failure());
        }
        if (!taken.value())
            return Flow::Continue;

        if (counter > HighestNumber) {
            *keepName = true;
            return report(
                {EngineTexts::OverflowNumber, EngineTexts::noFreeNumber(cleaned.joined())});
        }
        const QString digits = TextConversions::numberText(counter);
        const qsizetype needed = cleaned.base.size() + digits.size() + cleaned.extension.size();
        const double maxLength = TextConversions::leadingNumber(m_host.maxLengthText());
        const QString base = maxLength >= double(needed)
            ? cleaned.base
            : leftWhole(cleaned.base, cleaned.base.size() - digits.size());
        *name = base + digits + cleaned.extension;
    }
}
