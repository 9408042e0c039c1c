#include "passpreview.h"

#include "executionpass.h"
#include "passhost.h"
#include "previewfilesystem.h"

#include <utility>

namespace {

// Every question answered yes, and every failure and rename written down
// instead of shown.
class PreviewHost final : public PassHost
{
public:
    PreviewHost(QString start, Preview &preview, PassHost *progress)
        : m_start(std::move(start))
        , m_preview(preview)
        , m_progress(progress)
    { }

    void fileRead(qint32 filesRead, const QString &folder, const QString &name) override
    {
        if (m_progress)
            m_progress->fileRead(filesRead, folder, name);
    }
    bool continueAfter(const Failure &failure) override
    {
        PreviewRow row;
        row.failure = failure.description;
        m_preview.rows.append(row);
        return true;
    }
    bool startOnWholeDrive(const QString &) override { return true; }
    bool stopRequested() override { return m_progress && m_progress->stopRequested(); }
    void readOnlyCleared(const QString &folder, const QString &name) override
    {
        m_preview.rows.append({relative(folder), name, QString(), false, true, QString()});
    }
    void fileRenamed(const RenamedFile &file) override
    {
        m_preview.rows.append({relative(file.folder), file.oldName, file.newName, file.numbered,
            file.readOnlyCleared, QString()});
    }

private:
    QString relative(const QString &folder) const
    {
        if (folder == m_start)
            return QString();
        const qsizetype skip = m_start.size() + (m_start.endsWith(u'/') ? 0 : 1);
        return folder.startsWith(m_start) ? folder.mid(skip) : folder;
    }

    QString m_start;
    Preview &m_preview;
    PassHost *m_progress;
};

} // namespace

Preview previewPass(FileSystem &fileSystem, const PassSettings &settings, PassHost *progress)
{
    Preview preview;
    if (const std::optional<QString> refusal = settings.refusal()) {
        preview.inputError = *refusal;
        return preview;
    }
    PreviewHost host(settings.startFolder, preview, progress);
    PreviewFileSystem layer(fileSystem);
    ExecutionPass pass(layer, host, settings);
    const PassSummary summary = pass.execute();
    preview.read = summary.filesRead;
    preview.stopped = summary.end == PassSummary::End::Stopped;
    for (const PreviewRow &row : std::as_const(preview.rows)) {
        if (!row.newName.isEmpty())
            ++preview.renamed;
        else if (row.failure.isEmpty())
            ++preview.readOnlyCleared;
    }
    return preview;
}
