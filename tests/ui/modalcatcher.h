#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers each dialog that the code under test shows modally, leaving alone
// one that was up before the catcher was made. A message box is recorded as
// entry() and answered with the chosen button; any other dialog is recorded
// by its object name and rejected. A callback may act while it is up, and
// may answer it itself.
class ModalCatcher final : public QObject
{
public:
    explicit ModalCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer)
        , m_before(qobject_cast<QDialog *>(QApplication::activeModalWidget()))
    {
        QObject::connect(&m_timer, &QTimer::timeout, this, &ModalCatcher::poll);
        m_timer.start(10);
    }
    Q_DISABLE_COPY_MOVE(ModalCatcher)

    static QString entry(QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
        const QString &title, const QString &text)
    {
        return QStringLiteral("%1|%2|%3|%4").arg(int(icon)).arg(buttons.toInt()).arg(title, text);
    }

    QStringList shown;
    std::function<void(QDialog *)> whileShown;

private:
    void poll()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_before)
            return;
        auto *box = qobject_cast<QMessageBox *>(dialog);
        shown.append(box
                ? entry(box->icon(), box->standardButtons(), box->windowTitle(), box->text())
                : dialog->objectName());
        if (whileShown)
            whileShown(dialog);
        if (!dialog->isVisible()) // answered by the callback
            return;
        if (box && box->button(m_answer))
            box->button(m_answer)->click();
        else
            dialog->reject();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QPointer<QDialog> m_before;
};
