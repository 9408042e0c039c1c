#pragma once

#include "passhost.h"

class Drives;
class FileList;
class PanelStatusBar;
class QWidget;

// The main window as a pass sees it: the status panels show the pass's
// progress, its questions are message boxes over the window, and the file
// list shows the new names afterwards. The panels are painted now and then,
// not at every file, so that they cost a pass next to nothing.
class WindowPassHost final : public PassHost
{
public:
    WindowPassHost(QWidget &window, PanelStatusBar &panels, FileList &files, const Drives &drives)
        : m_window(window)
        , m_panels(panels)
        , m_files(files)
        , m_drives(drives)
    { }
    ~WindowPassHost() override;
    WindowPassHost(const WindowPassHost &) = delete;
    WindowPassHost &operator=(const WindowPassHost &) = delete;

    void passStarted() override;
    void fileRead(qint32 filesRead, const QString &folder, const QString &name) override;
    void fileFixed(qint32 filesFixed) override;
    void passEnded() override;
    bool continueAfter(const Failure &failure) override;
    bool startOnWholeDrive(const QString &folder) override;
    bool stopRequested() override { return m_stopRequested; }

    // The busy pointer, also for work that is no pass (Preview).
    void setBusy(bool busy);
    // Escape or closing the window: the pass stops before its next file.
    void requestStop() { m_stopRequested = true; }

private:
    // Makes the texts of the last file read, for the panels to show.
    void keepLastRead();
    void paintIfDue();

    QWidget &m_window;
    PanelStatusBar &m_panels;
    FileList &m_files;
    const Drives &m_drives;
    bool m_busy = false;
    bool m_stopRequested = false;
    // The last file read during a pass, kept as parts until the bar paints.
    struct LastRead
    {
        qint32 count = 0;
        QString folder;
        QString name;
        bool pending = false;
    } m_lastRead;
};
