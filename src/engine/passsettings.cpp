#include "passsettings.h"

#include "enginetexts.h"

std::optional<QString> PassSettings::refusal() const
{
    // Any other maximum, even one outside the box's range, lets a pass run.
    if (rules.maxLength == 0)
        return EngineTexts::maxLengthRange();
    return std::nullopt;
}
