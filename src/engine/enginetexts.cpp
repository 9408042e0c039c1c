#include "enginetexts.h"

#include "textconversions.h"

using namespace Qt::StringLiterals;

namespace EngineTexts {

QString errorDialogTitle()
{
    return u"Runtime Error"_s;
}

QString errorDialogPrompt(const Failure &failure)
{
    return u"Error: "_s + TextConversions::numberText(failure.number) + u"\r\n"_s
        + failure.description + u"\r\n"_s + u"Click OK to continue or Cancel to abort"_s;
}

QString cutBelowZero(const QString &name, double maxLength)
{
    return u"Cannot cut '%1' to the maximum length %2: its extension alone is longer"_s.arg(
        name, QString::number(maxLength));
}

} // namespace EngineTexts
