#include "limitcheck.h"

#include "textconversions.h"
#include "uitexts.h"

std::optional<QString> LimitCheck::refusal(const QString &text) const
{
    if (!TextConversions::isNumeric(text))
        return notNumericMessage;
    const double value = TextConversions::leadingNumberAfterZero(text);
    if (value < lowest || value > highest)
        return rangeMessage;
    return std::nullopt;
}

LimitCheck LimitCheck::maxLength()
{
    return {12, 99, UiTexts::lengthNotNumeric(), UiTexts::lengthRange()};
}

LimitCheck LimitCheck::maxCount()
{
    return {50, 2000, UiTexts::countNotNumeric(), UiTexts::countRange()};
}
