#pragma once

#include <QString>

#include <optional>

// The check that a limit box makes when the focus leaves it: the text must be
// numeric, and the number it begins with must lie within the bounds (both
// allowed; a fraction is fine).
struct LimitCheck
{
    double lowest;
    double highest;
    QString notNumericMessage;
    QString rangeMessage;

    // The message to show, or nothing when the text passes.
    std::optional<QString> refusal(const QString &text) const;

    static LimitCheck maxLength(); // 12 to 99
    static LimitCheck maxCount(); // 50 to 2000
};
