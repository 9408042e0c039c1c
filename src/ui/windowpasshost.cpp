#include "windowpasshost.h"

#include "checkvalue.h"
#include "drivepaths.h"
#include "enginetexts.h"
#include "filelist.h"
#include "frmmain.h"
#include "limitbox.h"
#include "panelstatusbar.h"
#include "uitexts.h"

#include <QApplication>
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

void WindowPassHost::setPanelText(const QString &key, const QString &text)
{
    // While a pass runs, the bar shows the latest texts when it paints.
    if (!m_busy) {
        m_window.StatusBar1->setPanelText(key, text);
        return;
    }
    m_window.StatusBar1->keepPanelText(key, text);
    paintIfDue();
}

void WindowPassHost::paintIfDue()
{
    if (!m_window.StatusBar1->paintDue())
        return;
    keepLastRead();
    m_window.StatusBar1->repaintThrottled();
}

void WindowPassHost::fileRead(qint32 count, const QString &folder, const QString &name)
{
    if (!m_busy) {
        PassHost::fileRead(count, folder, name);
        return;
    }
    m_lastRead = {count, folder, name, true};
    paintIfDue();
}

void WindowPassHost::keepLastRead()
{
    if (!m_lastRead.pending)
        return;
    m_lastRead.pending = false;
    m_window.StatusBar1->keepPanelText(
        EngineTexts::ReadPanel, EngineTexts::readCount(m_lastRead.count));
    m_window.StatusBar1->keepPanelText(EngineTexts::CurrentPanel,
        EngineTexts::currentFile(m_lastRead.folder, m_lastRead.name));
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
        m_window.StatusBar1->showKeptTexts();
    }
}

bool WindowPassHost::continueAfter(const Failure &failure)
{
    // The panels name the file that failed while the user decides.
    keepLastRead();
    m_window.StatusBar1->showKeptTexts();
    const ArrowWhileAsking arrow(m_busy);
    QMessageBox box(QMessageBox::Critical, EngineTexts::errorDialogTitle(),
        EngineTexts::errorDialogPrompt(failure), QMessageBox::Ok | QMessageBox::Cancel, &m_window);
    return box.exec() == QMessageBox::Ok;
}

void WindowPassHost::showInputError(const QString &message)
{
    const ArrowWhileAsking arrow(m_busy);
    QMessageBox::warning(&m_window, EngineTexts::inputErrorTitle(), message, QMessageBox::Ok);
}

bool WindowPassHost::approveStart(const QString &folder, bool includeSubfolders)
{
    if (!includeSubfolders)
        return true;
    const std::optional<DriveInfo> drive = DrivePaths::driveOf(m_window.m_drives.list(), folder);
    if (!drive || QDir::cleanPath(drive->mountPoint) != QDir::cleanPath(folder))
        return true;
    const ArrowWhileAsking arrow(m_busy);
    QMessageBox box(QMessageBox::Warning, UiTexts::wholeDriveTitle(),
        UiTexts::wholeDriveQuestion(drive->letter, folder), QMessageBox::Ok | QMessageBox::Cancel,
        &m_window);
    // Enter, like Escape, starts nothing: the whole drive takes a deliberate OK.
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void WindowPassHost::refreshFileList()
{
    m_window.FilMain->refresh();
}

QString WindowPassHost::startFolder() const
{
    return m_window.FilMain->path();
}

QString WindowPassHost::maxLengthText() const
{
    return m_window.txtMax->text();
}

QString WindowPassHost::limitText() const
{
    return m_window.txtCount->text();
}

bool WindowPassHost::includeSubfolders() const
{
    return CheckValue::isOn(*m_window.chkSubdirs);
}

bool WindowPassHost::overrideReadOnly() const
{
    return CheckValue::isOn(*m_window.chkReadOnly);
}

CleaningRules WindowPassHost::cleaningRules() const
{
    CleaningRules rules;
    for (const frmMain::Switch &row : frmMain::switches()) {
        if (row.rule)
            rules.*row.rule = CheckValue::isOn(*(m_window.*row.checkBox));
    }
    rules.maxLength = m_window.txtMax->text();
    rules.removals = m_window.colJnk;
    return rules;
}
