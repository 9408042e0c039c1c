#include "panelstatusbar.h"

#include "lockkeys.h"
#include "paneltexts.h"
#include "twips.h"
#include "uitexts.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int RepaintIntervalMs = 50;

} // namespace

PanelStatusBar::PanelStatusBar(std::unique_ptr<LockKeys> lockKeys, QWidget *parent)
    : QStatusBar(parent)
    , m_lockKeys(std::move(lockKeys))
    , m_clock(new QTimer(this))
{
    setSizeGripEnabled(false);
    m_keyed[0] = {PanelTexts::ReadPanel, addPanel(UiTexts::readBeforeStart(), 720, 0), {}, false};
    m_keyed[1] = {PanelTexts::FixedPanel, addPanel(UiTexts::fixedBeforeStart(), 720, 0), {}, false};
    m_keyed[2] = {PanelTexts::CurrentPanel, addPanel(UiTexts::ready(), 1440, 1), {}, false};
    m_caps = addPanel(UiTexts::capsLock(), 360, 0);
    m_num = addPanel(UiTexts::numLock(), 360, 0);
    m_date = addPanel(QString(), 720, 0);
    m_time = addPanel(QString(), 720, 0);

    connect(m_clock, &QTimer::timeout, this, &PanelStatusBar::tick);
    m_clock->start(1000);
    tick();
    qApp->installEventFilter(this);
    m_sinceRepaint.start();
}

PanelStatusBar::~PanelStatusBar()
{
    qApp->removeEventFilter(this);
}

QLabel *PanelStatusBar::addPanel(const QString &text, int minimumTwips, int stretch)
{
    auto *panel = new QLabel(text, this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(Twips::toPixelsX(minimumTwips, this));
    panel->setTextFormat(Qt::PlainText);
    // A long path must not widen the window; it is cut at the panel's edge.
    if (stretch > 0)
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addPermanentWidget(panel, stretch);
    m_panels.append(panel);
    return panel;
}

PanelStatusBar::Keyed *PanelStatusBar::keyed(const QString &key)
{
    for (Keyed &keyed : m_keyed) {
        if (keyed.key == key)
            return &keyed;
    }
    return nullptr;
}

const PanelStatusBar::Keyed *PanelStatusBar::keyed(const QString &key) const
{
    return const_cast<PanelStatusBar *>(this)->keyed(key);
}

bool PanelStatusBar::setPanelText(const QString &key, const QString &text)
{
    Keyed *panel = keyed(key);
    if (!panel)
        return false;
    panel->changed = false;
    panel->panel->setText(text);
    return true;
}

bool PanelStatusBar::keepPanelText(const QString &key, const QString &text)
{
    Keyed *panel = keyed(key);
    if (!panel)
        return false;
    panel->kept = text;
    panel->changed = true;
    return true;
}

QString PanelStatusBar::panelText(const QString &key) const
{
    const Keyed *panel = keyed(key);
    return panel ? panel->panel->text() : QString();
}

void PanelStatusBar::showKeptTexts()
{
    for (Keyed &panel : m_keyed) {
        if (panel.changed) {
            panel.changed = false;
            panel.panel->setText(panel.kept);
        }
    }
}

bool PanelStatusBar::paintDue() const
{
    return m_sinceRepaint.elapsed() >= RepaintIntervalMs;
}

void PanelStatusBar::repaintThrottled()
{
    if (m_sinceRepaint.elapsed() < RepaintIntervalMs)
        return;
    m_sinceRepaint.restart();
    showKeptTexts();
    // The layout would otherwise wait for an event to fit the new texts.
    if (layout())
        layout()->activate();
    repaint();
}

void PanelStatusBar::tick()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(locale.toString(now.time(), QLocale::ShortFormat));
    showLockKeys();
}

void PanelStatusBar::showLockKeys()
{
    const LockKeyState state = m_lockKeys->state();
    m_caps->setEnabled(state.capsLock);
    m_num->setEnabled(state.numLock);
}

bool PanelStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Shown once the key has been taken in, whoever follows it.
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock)
            QTimer::singleShot(0, this, &PanelStatusBar::showLockKeys);
    }
    return QStatusBar::eventFilter(watched, event);
}
