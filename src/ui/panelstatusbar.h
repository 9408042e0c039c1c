#pragma once

#include <QElapsedTimer>
#include <QStatusBar>

#include <memory>

class LockKeys;
class QLabel;
class QTimer;

// Seven panels: "Read", "Fixed" and "Current" (which takes the width the
// others leave) carry the program's texts; then the Caps Lock and Num Lock
// states, dimmed while off, and the date and time in the user's short
// formats, which the bar keeps current itself.
class PanelStatusBar final : public QStatusBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelStatusBar)

public:
    explicit PanelStatusBar(std::unique_ptr<LockKeys> lockKeys, QWidget *parent = nullptr);
    ~PanelStatusBar() override;

    // Sets the text of a keyed panel at once. False when no panel has the key.
    bool setPanelText(const QString &key, const QString &text);
    // Keeps the text for a keyed panel, which shows it at the next
    // showKeptTexts() or repaintThrottled(): work that sets a text for
    // every file pays for a string, not for a label's layout and redraw.
    bool keepPanelText(const QString &key, const QString &text);
    // What a keyed panel shows.
    QString panelText(const QString &key) const;
    // The seven panels, left to right.
    QList<QLabel *> panels() const { return m_panels; }

    void showKeptTexts();
    // True once repaintThrottled() would show the panels again.
    bool paintDue() const;
    // Shows the kept texts and the panels now, without taking any event, at
    // most every 50 ms; for work that keeps the event loop waiting.
    void repaintThrottled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *addPanel(const QString &text, int minimumTwips, int stretch);
    void tick();
    void showLockKeys();

    struct Keyed
    {
        QString key;
        QLabel *panel = nullptr;
        QString kept;
        bool changed = false;
    };
    Keyed *keyed(const QString &key);
    const Keyed *keyed(const QString &key) const;

    std::unique_ptr<LockKeys> m_lockKeys;
    QList<QLabel *> m_panels;
    // "Read", "Fixed" and "Current".
    Keyed m_keyed[3];
    QLabel *m_caps;
    QLabel *m_num;
    QLabel *m_date;
    QLabel *m_time;
    QTimer *m_clock;
    QElapsedTimer m_sinceRepaint;
};
