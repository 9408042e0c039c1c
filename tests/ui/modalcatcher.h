#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the message boxes that the code under test shows modally: each
// one found is recorded and closed with the chosen button, and a callback
// may act while it is up.
class ModalCatcher final : public QObject
{
public:
    struct Shown
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    explicit ModalCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, &ModalCatcher::poll);
        m_timer.start();
    }
    Q_DISABLE_COPY_MOVE(ModalCatcher)

    QList<Shown> shown;
    std::function<void()> whileShown;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last)
            return;
        m_last = box;
        shown.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        if (whileShown)
            whileShown();
        box->button(m_answer) ? box->button(m_answer)->click() : box->reject();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QPointer<QMessageBox> m_last;
};
