#pragma once

#include "userdialogs.h"

#include <QStringList>

// Dialogs whose input boxes answer from a script and whose messages are
// recorded, each as "title|text" for input boxes and the text for messages.
class ScriptedDialogs final : public UserDialogs
{
public:
    QStringList answers; // one per input box, in order
    QStringList prompts; // "prompt|title|default text" per input box
    QStringList errors; // inputError messages, in order
    QStringList warnings; // warn messages, in order
    // The log of everything shown, in order, to check the order of
    // prompts and messages together.
    QStringList shown;

    QString inputBox(
        const QString &prompt, const QString &title, const QString &defaultText) override;
    void inputError(const QString &message) override;
    void warn(const QString &message) override;
};
