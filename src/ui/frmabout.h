#pragma once

#include "programstarter.h"

#include <QDialog>

#include <array>
#include <memory>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

// The About window: the program's title, version and version texts, OK to
// close it and System Info to start the machine's system-information tool.
// Each Help, About builds a new one and shows it modally.
class frmAbout final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)

public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system-information program, or tells the user that there
    // is none that starts.
    void StartSysInfo();

    std::unique_ptr<ProgramStarter> m_starter;

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    std::array<QFrame *, 2> Line1{};
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};
