#pragma once

#include <QString>

// The modal boxes that start-up and the Settings commands show. The program
// uses real message and input boxes; tests script the answers.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // The entered text, or the empty text when the user cancels.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // Critical icon, OK, title "Input Error".
    virtual void inputError(const QString &message) = 0;
    // Something the user must know that asks no decision (a default that
    // could not be used or saved): warning icon, OK, the program's title.
    virtual void warn(const QString &message) = 0;
};
