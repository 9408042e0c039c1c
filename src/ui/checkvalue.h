#pragma once

#include <Qt>

class QCheckBox;

// A check box's value as the rest of the program knows it: 0 clear, 1 ticked,
// 2 greyed. Qt numbers the last two the other way round, so every reading
// and writing of a box's state goes through here.
namespace CheckValue {

inline constexpr int Clear = 0;
inline constexpr int Ticked = 1;
inline constexpr int Greyed = 2;

int fromState(Qt::CheckState state);
Qt::CheckState toState(int value);

int value(const QCheckBox &box);
void setValue(QCheckBox &box, int value);

// A switch is on only when its box is ticked; greyed counts as off.
bool isOn(const QCheckBox &box);

} // namespace CheckValue
