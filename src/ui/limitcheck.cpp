#include "limitcheck.h"

#include "textconversions.h"
#include "uitexts.h"

std::optional<QString> LimitCheck::refusal(const QString &text) const
{
    if (!TextConversions::isNumeric(text))
        return notNumericMessage;
    const double value = TextConversions::leadingNumberAfterZero(text);
    if (!range.contains(value))
        return rangeMessage;
    return std::nullopt;
}

LimitCheck LimitCheck::maxLength()
{
    return {Limits::MaxLength, UiTexts::lengthNotNumeric(), UiTexts::lengthRange()};
}

LimitCheck LimitCheck::maxCount()
{
    return {Limits::MaxFiles, UiTexts::countNotNumeric(), UiTexts::countRange()};
}
