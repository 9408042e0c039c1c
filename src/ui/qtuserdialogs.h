#pragma once

#include "userdialogs.h"

#include <QPointer>
#include <QWidget>

// The modal boxes of start-up and the Settings commands, shown over a window.
class QtUserDialogs final : public UserDialogs
{
public:
    explicit QtUserDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    { }

    void setParent(QWidget *parent) { m_parent = parent; }

    QString inputBox(
        const QString &prompt, const QString &title, const QString &defaultText) override;
    void inputError(const QString &message) override;
    void warn(const QString &message) override;

private:
    QPointer<QWidget> m_parent;
};
