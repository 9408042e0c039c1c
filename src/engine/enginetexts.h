#pragma once

#include "failure.h"

#include <QString>

// Every text of the cleaning engine that the user sees.
namespace EngineTexts {

inline constexpr int InvalidArgumentNumber = 5;
inline constexpr int OverflowNumber = 6;

QString errorDialogTitle();
// "Error: <number>\r\n<description>\r\nClick OK to continue or Cancel to abort"
QString errorDialogPrompt(const Failure &failure);

QString cutBelowZero(const QString &name, double maxLength);

} // namespace EngineTexts
