#include "windowpasshost.h"

#include "drivepaths.h"
#include "drives.h"
#include "enginetexts.h"
#include "filelist.h"
#include "panelstatusbar.h"
#include "paneltexts.h"
#include "uitexts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

namespace {

// A question is answered with the ordinary pointer, even in a busy pass.
class ArrowWhileAsking final
{
public:
    explicit ArrowWhileAsking(bool busy)
        : m_busy(busy)
    {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking &) = delete;
    ArrowWhileAsking &operator=(const ArrowWhileAsking &) = delete;

private:
    bool m_busy;
};

} // namespace

WindowPassHost::~WindowPassHost()
{
    setBusy(false);
}

void WindowPassHost::passStarted()
{
    m_stopRequested = false;
    setBusy(true);
    m_panels.keepPanelText(PanelTexts::ReadPanel, QString());
    m_panels.keepPanelText(PanelTexts::FixedPanel, QString());
    m_panels.keepPanelText(PanelTexts::CurrentPanel, PanelTexts::navigating());
    m_panels.showKeptTexts();
}

void WindowPassHost::paintIfDue()
{
    if (!m_panels.paintDue())
        return;
    keepLastRead();
    m_panels.repaintThrottled();
    // The window repaints, and hears Escape and its close box, while the
    // pass runs; everything else of it ignores input meanwhile.
    QCoreApplication::processEvents();
}

void WindowPassHost::fileRead(qint32 filesRead, const QString &folder, const QString &name)
{
    m_lastRead = {filesRead, folder, name, true};
    paintIfDue();
}

void WindowPassHost::fileFixed(qint32 filesFixed)
{
    m_panels.keepPanelText(PanelTexts::FixedPanel, PanelTexts::fixedCount(filesFixed));
    paintIfDue();
}

void WindowPassHost::passEnded()
{
    m_files.refresh();
    setBusy(false);
    m_panels.setPanelText(PanelTexts::CurrentPanel, PanelTexts::completed());
}

void WindowPassHost::keepLastRead()
{
    if (!m_lastRead.pending)
        return;
    m_lastRead.pending = false;
    m_panels.keepPanelText(PanelTexts::ReadPanel, PanelTexts::readCount(m_lastRead.count));
    m_panels.keepPanelText(
        PanelTexts::CurrentPanel, PanelTexts::currentFile(m_lastRead.folder, m_lastRead.name));
}

void WindowPassHost::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QApplication::restoreOverrideCursor();
        keepLastRead();
        m_panels.showKeptTexts();
    }
}

bool WindowPassHost::continueAfter(const Failure &failure)
{
    // The panels name the file that failed while the user decides.
    keepLastRead();
    m_panels.showKeptTexts();
    const ArrowWhileAsking arrow(m_busy);
    QMessageBox box(QMessageBox::Critical, EngineTexts::errorDialogTitle(),
        EngineTexts::errorDialogPrompt(failure), QMessageBox::Ok | QMessageBox::Cancel, &m_window);
    return box.exec() == QMessageBox::Ok;
}

bool WindowPassHost::startOnWholeDrive(const QString &folder)
{
    // A lettered drive is named by its letter, any other mount by its folder.
    const std::optional<DriveInfo> drive = DrivePaths::driveOf(m_drives.list(), folder);
    const bool lettered = drive && QDir::cleanPath(drive->mountPoint) == QDir::cleanPath(folder);
    const ArrowWhileAsking arrow(m_busy);
    QMessageBox box(QMessageBox::Warning, UiTexts::wholeDriveTitle(),
        lettered ? UiTexts::wholeDriveQuestion(drive->letter, folder)
                 : UiTexts::wholeMountQuestion(folder),
        QMessageBox::Ok | QMessageBox::Cancel, &m_window);
    // Enter, like Escape, starts nothing: the whole drive takes a deliberate OK.
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}
