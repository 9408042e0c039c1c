#pragma once

#include <QObject>

#include <functional>

class QWidget;

// While a pass runs inside a window, the window keeps painting but takes no
// input: no second Execute, no menu, no change of folder. Escape is the one
// key it hears, and it asks the pass to stop. Dialogs the pass opens are
// windows of their own and take input as usual.
class PassInputGuard final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PassInputGuard)

public:
    PassInputGuard(QWidget &window, std::function<void()> stop);
    ~PassInputGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    std::function<void()> m_stop;
};
