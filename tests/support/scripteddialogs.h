#pragma once

#include "userdialogs.h"

#include <QStringList>
#include <QTest>

#include <stdexcept>

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
        const QString &prompt, const QString &title, const QString &defaultText) override
    {
        prompts.append(prompt + u'|' + title + u'|' + defaultText);
        // A command that asks more often than the script foresaw would loop
        // for ever; fail the test instead.
        if (answers.isEmpty()) {
            QTest::qFail(
                "an input box was shown that the script has no answer for", __FILE__, __LINE__);
            throw std::runtime_error("script exhausted");
        }
        return answers.takeFirst();
    }
    void inputError(const QString &message) override { errors.append(message); }
    void warn(const QString &message) override { warnings.append(message); }
};
