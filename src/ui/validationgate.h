#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

// Runs a box's validation when the focus is about to move from it to another
// control of the same window by Tab, Shift+Tab, a mouse click or an access
// key. When the validation cancels, the focus stays in the box and the key,
// click or access key that would have moved it is not carried out. Menus,
// other windows and closing the window do not validate.
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
    // The widget that a click on `widget` would give the focus to.
    static QWidget *clickFocusTarget(QWidget *widget);
    // Runs the validation; true when it cancelled, with the focus back in the box.
    bool cancels(const Guarded &guarded);
    void validateLeftBox();

    QWidget *m_window;
    std::vector<Guarded> m_guarded;
    // A box that a click took the focus from; it is validated when the click
    // itself arrives, before any widget acts on it.
    QPointer<QWidget> m_leftByClick;
    bool m_swallowRelease = false;
};
