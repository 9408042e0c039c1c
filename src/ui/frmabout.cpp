#include "frmabout.h"

#include "buildinfo.h"
#include "programicon.h"
#include "systeminfoprogram.h"
#include "twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

// Line thickness and the icon are given in pixels at 96 dots per inch.
constexpr int ReferenceDpi = 96;

// A small face so that every text fits the label sized for it, the title a
// larger one.
constexpr qreal TextPointSize = 8;
constexpr qreal TitlePointSize = 12;

const QString SystemInfoUnavailable
    = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_starter(createProgramStarter())
{
    createControls();
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    setObjectName(u"frmAbout"_s);
    QFont textFont = font();
    textFont.setPointSizeF(TextPointSize);
    setFont(textFont);

    const auto pixels = [this](TwipsRect twips) {
        return Twips::toPixels(twips.left, twips.top, twips.width, twips.height, this);
    };

    // Placed as a whole, client area first, so the window system neither
    // centres it nor lets it be resized.
    const QRect client = pixels({2340, 1935, 5730, 3555});
    setGeometry(client);
    setFixedSize(client.size());

    const auto addLabel = [&](const QString &name, TwipsRect twips, bool wraps) {
        auto *label = new QLabel(this);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(wraps);
        label->setGeometry(pixels(twips));
        return label;
    };

    picIcon = addLabel(u"picIcon"_s, {240, 240, 540, 540}, false);
    // The icon is drawn at its 32-pixel size, scaled with the screen.
    const int iconSide = qRound(32.0 * logicalDpiX() / ReferenceDpi);
    picIcon->setPixmap(programIcon().pixmap(iconSide, iconSide));
    picIcon->resize(picIcon->pixmap().size() / picIcon->pixmap().devicePixelRatio());

    lblTitle = addLabel(u"lblTitle"_s, {1050, 240, 3885, 480}, false);
    QFont titleFont = textFont;
    titleFont.setPointSizeF(TitlePointSize);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = addLabel(u"lblVersion"_s, {1050, 780, 3885, 225}, false);
    lblDescription = addLabel(u"lblDescription"_s, {1050, 1125, 3885, 1170}, true);

    // An etched rule: a shadow line with a light one just below it, in the
    // palette's colours so that it shows on a dark theme too.
    const auto addLine = [&](const QString &name, TwipsRect twips, int pixelsThick,
                             QPalette::ColorRole colour) {
        auto *line = new QFrame(this);
        line->setObjectName(name);
        QRect place = pixels(twips);
        place.setHeight(std::max(1, qRound(qreal(pixelsThick) * logicalDpiY() / ReferenceDpi)));
        line->setGeometry(place);
        line->setBackgroundRole(colour);
        line->setAutoFillBackground(true);
        return line;
    };
    Line1[1] = addLine(u"Line1_1"_s, {90, 2445, 5654 - 90, 0}, 1, QPalette::Mid);
    Line1[0] = addLine(u"Line1_0"_s, {105, 2460, 5654 - 105, 0}, 2, QPalette::Light);

    lblDisclaimer = addLabel(u"lblDisclaimer"_s, {255, 2625, 3870, 825}, true);

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setGeometry(pixels({4245, 2625, 1260, 345}));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    cmdSysInfo->setGeometry(pixels({4260, 3075, 1245, 345}));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    // Only the two buttons take the focus; OK has it first.
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About %1").arg(BuildInfo::Title));
    lblVersion->setText(tr("Version %1.%2.%3")
                            .arg(BuildInfo::Major)
                            .arg(BuildInfo::Minor)
                            .arg(BuildInfo::Revision));
    lblTitle->setText(BuildInfo::Title);
    lblDescription->setText(BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments);
    lblDisclaimer->setText(BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright);
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // Esc presses OK, just as Enter does, so that both run its handler.
    if (event->matches(QKeySequence::Cancel)) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    // Looked for at each press, so that a program installed meanwhile counts.
    const QString program = findSystemInfoProgram();
    if (!program.isEmpty() && m_starter->start(program).ok())
        return;
    QMessageBox box(
        QMessageBox::NoIcon, BuildInfo::Title, SystemInfoUnavailable, QMessageBox::Ok, this);
    box.exec();
}
