#pragma once

#include "range.h"

#include <QString>

#include <optional>

// The check that a limit box makes when the focus leaves it: the text must be
// numeric, and the number it begins with must lie within the range (both
// ends allowed; a fraction is fine).
struct LimitCheck
{
    Range range;
    QString notNumericMessage;
    QString rangeMessage;

    // The message to show, or nothing when the text passes.
    std::optional<QString> refusal(const QString &text) const;

    static LimitCheck maxLength(); // Limits::MaxLength
    static LimitCheck maxCount(); // Limits::MaxFiles
};
