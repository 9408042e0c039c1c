#pragma once

#include "userdialogs.h"

#include <QStringList>

// Dialogs whose input boxes answer from a script and whose messages are
// recorded.
class ScriptedDialogs final : public UserDialogs
{
public:
    QStringList answers; // one per input box, in order
    QStringList prompts; // "prompt|title|default text" per input box
    QStringList errors; // inputError messages, in order
    QStringList warnings; // warn messages, in order

    QString inputBox(
        const QString &prompt, const QString &title, const QString &defaultText) override;
    void inputError(const QString &message) override { errors.append(message); }
    void warn(const QString &message) override { warnings.append(message); }
};
