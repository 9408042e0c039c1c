#include "scripteddialogs.h"

#include <QTest>

using namespace Qt::StringLiterals;

QString ScriptedDialogs::inputBox(
    const QString &prompt, const QString &title, const QString &defaultText)
{
    prompts.append(prompt + u'|' + title + u'|' + defaultText);
    // A command that asks more often than the script foresaw would loop for
    // ever; fail the test instead.
    if (answers.isEmpty()) {
        QTest::qFail(
            "an input box was shown that the script has no answer for", __FILE__, __LINE__);
        throw std::runtime_error("script exhausted");
    }
    return answers.takeFirst();
}
