#pragma once

#include "saveddefaults.h"
#include "switchid.h"

#include <QStringView>

#include <optional>
#include <variant>

// One persisted default: its key in the store and the member of
// SavedDefaults that holds it. The kind of the member decides the text form:
// text as entered, a 16-bit number as decimal digits, a switch as "True" or
// "False".
struct DefaultSetting
{
    using Field
        = std::variant<QString SavedDefaults::*, qint16 SavedDefaults::*, bool SavedDefaults::*>;

    QStringView key;
    Field field;
    // Set for the nine on/off defaults, each a check box and a menu item.
    std::optional<SwitchId> switchId;
};
