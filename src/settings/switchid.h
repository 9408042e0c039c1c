#pragma once

// The nine on/off defaults, each a check box and a Settings menu item.
enum class SwitchId {
    IncludeSubdirs,
    ReadOnly,
    MultSpace,
    MultSpecial,
    Empty,
    Underline,
    Copy,
    Starting,
    Ending,
};
