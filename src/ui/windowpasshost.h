#pragma once

#include "passhost.h"

class frmMain;

// The execution pass's view of the main window: its boxes and switches read
// afresh at every call, the status panels shown as the pass goes, the busy
// pointer and the error dialog.
class WindowPassHost final : public PassHost
{
public:
    explicit WindowPassHost(frmMain &window)
        : m_window(window)
    { }
    ~WindowPassHost() override;
    WindowPassHost(const WindowPassHost &) = delete;
    WindowPassHost &operator=(const WindowPassHost &) = delete;

    void setPanelText(const QString &key, const QString &text) override;
    void fileRead(qint32 count, const QString &folder, const QString &name) override;
    void setBusy(bool busy) override;
    bool continueAfter(const Failure &failure) override;
    void showInputError(const QString &message) override;
    bool approveStart(const QString &folder, bool includeSubfolders) override;
    void refreshFileList() override;

    QString startFolder() const override;
    QString maxLengthText() const override;
    QString limitText() const override;
    bool includeSubfolders() const override;
    bool overrideReadOnly() const override;
    CleaningRules cleaningRules() const override;

private:
    // Makes the texts of the last file read, for the panels to show.
    void keepLastRead();
    void paintIfDue();

    frmMain &m_window;
    bool m_busy = false;
    // The last file read during a pass, kept as parts until the bar paints.
    struct LastRead
    {
        qint32 count = 0;
        QString folder;
        QString name;
        bool pending = false;
    } m_lastRead;
};
