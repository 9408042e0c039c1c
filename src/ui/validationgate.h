#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

class QWidget;

// Runs a box's validation when the focus is about to move from it to another
// control of the same window, by whatever route: Tab, Shift+Tab, a mouse
// click or wheel, an access key, also after the menu bar or a menu had the
// keyboard in between. When the validation cancels, the focus stays in the
// box and the key, click or access key that would have moved it is not
// carried out. Menus, other windows and closing the window do not validate.
class ValidationGate final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ValidationGate)

public:
    // Receives `Cancel`, false on entry; true keeps the focus in the box.
    using Validate = std::function<void(bool &cancel)>;

    explicit ValidationGate(QWidget *window);
    ~ValidationGate() override;

    void guard(QWidget *box, Validate validate);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Guarded
    {
        QWidget *box;
        Validate validate;
    };

    const Guarded *guardedFor(const QObject *object) const;
    bool inWindow(const QObject *object) const;
    void focusArrived(QWidget *widget);
    // The control that a click (or a turn of the wheel) on `widget` gives
    // the focus to.
    static QWidget *focusTarget(QWidget *widget, Qt::FocusPolicy policy);
    // Validates the box being left. False when it cancelled: the focus is
    // back in the box.
    bool letLeave();
    // The focus reached another control without a key, click or access key
    // that was validated first (a click validates when its press arrives,
    // just after the focus moved).
    void validateUnseenMove();

    QWidget *m_window;
    std::vector<Guarded> m_guarded;
    // The box that the user is in: it has the focus, or has lent it to the
    // menu bar, a menu or another window, or has just lost it by a move
    // whose validation is still due.
    QPointer<QWidget> m_box;
    // The validation passed and the focus is about to leave the box.
    bool m_leaveAllowed = false;
    bool m_validating = false;
    bool m_swallowRelease = false;
    QTimer m_unseenMove;
};
