#include "qtuserdialogs.h"

#include "uitexts.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

QString QtUserDialogs::inputBox(
    const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString answer
        = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? answer : QString();
}

void QtUserDialogs::inputError(const QString &message)
{
    QMessageBox::critical(m_parent, UiTexts::inputErrorTitle(), message, QMessageBox::Ok);
}

void QtUserDialogs::warn(const QString &message)
{
    QMessageBox::warning(
        m_parent, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok);
}
