#pragma once

#include <QPushButton>

// A push button whose access key clicks it at once, as a mouse click does,
// instead of pressing it down for a moment first: the command has run by
// the time the key press has been handled.
class AccessKeyButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccessKeyButton)

public:
    explicit AccessKeyButton(const QString &caption, QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
};
