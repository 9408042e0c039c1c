#include "checkvalue.h"

#include <QCheckBox>

namespace CheckValue {

int fromState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return Ticked;
    case Qt::PartiallyChecked:
        return Greyed;
    case Qt::Unchecked:
        break;
    }
    return Clear;
}

Qt::CheckState toState(int value)
{
    switch (value) {
    case Ticked:
        return Qt::Checked;
    case Greyed:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

int value(const QCheckBox &box)
{
    return fromState(box.checkState());
}

void setValue(QCheckBox &box, int value)
{
    const Qt::CheckState state = toState(value);
    // A greyed state is only kept by a box that allows three states.
    if (state == Qt::PartiallyChecked)
        box.setTristate(true);
    box.setCheckState(state);
}

bool isOn(const QCheckBox &box)
{
    return value(box) == Ticked;
}

} // namespace CheckValue
