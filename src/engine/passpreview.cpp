#include "passpreview.h"

#include "enginetexts.h"
#include "executionpass.h"
#include "passhost.h"
#include "previewfilesystem.h"

#include <algorithm>

namespace {

// The settings of the window, with every question answered OK and every
// failure and rename written down instead of shown.
class PreviewHost final : public PassHost
{
public:
    PreviewHost(const PassHost &settings, Preview &preview)
        : m_settings(settings)
        , m_preview(preview)
        , m_start(settings.startFolder())
    { }

    void setPanelText(const QString &, const QString &) override { }
    void setBusy(bool) override { }
    bool continueAfter(const Failure &failure) override
    {
        PreviewRow row;
        row.failure = failure.description;
        m_preview.rows.append(row);
        return true;
    }
    void showInputError(const QString &message) override { m_preview.inputError = message; }
    bool approveStart(const QString &, bool) override { return true; }
    void refreshFileList() override { }
    void fileRenamed(const RenamedFile &file) override
    {
        m_preview.rows.append({relative(file.folder), file.oldName, file.newName, file.numbered,
            file.readOnlyCleared, QString()});
    }

    QString startFolder() const override { return m_start; }
    QString maxLengthText() const override { return m_settings.maxLengthText(); }
    QString limitText() const override { return m_settings.limitText(); }
    bool includeSubfolders() const override { return m_settings.includeSubfolders(); }
    bool overrideReadOnly() const override { return m_settings.overrideReadOnly(); }
    CleaningRules cleaningRules() const override { return m_settings.cleaningRules(); }

private:
    QString relative(const QString &folder) const
    {
        if (folder == m_start)
            return QString();
        const qsizetype skip = m_start.size() + (m_start.endsWith(u'/') ? 0 : 1);
        return folder.startsWith(m_start) ? folder.mid(skip) : folder;
    }

    const PassHost &m_settings;
    Preview &m_preview;
    QString m_start;
};

} // namespace

Preview previewPass(FileSystem &fileSystem, const PassHost &settings)
{
    Preview preview;
    PreviewHost host(settings, preview);
    PreviewFileSystem layer(fileSystem);
    ExecutionPass pass(layer, host);
    pass.execute();
    preview.read = pass.gTryCnt;
    preview.renamed = qint32(std::count_if(preview.rows.cbegin(), preview.rows.cend(),
        [](const PreviewRow &row) { return row.failure.isEmpty(); }));
    return preview;
}
