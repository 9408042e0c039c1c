#pragma once

// A range of numbers, both ends allowed.
struct Range
{
    int low;
    int high;

    constexpr bool contains(double value) const { return value >= low && value <= high; }
};

// The ranges that the limits of a pass must lie in, each stated here only:
// the checks test against them and the messages that name them are formatted
// from them.
namespace Limits {

// The maximum name length that the window's box accepts; the Execute
// command names it when the box reads as 0.
inline constexpr Range MaxLength{12, 99};
// The maximum name length that Default Length saves as the default.
inline constexpr Range DefaultMaxLength{20, 240};
// The files per execution that the window's box accepts and that Limit
// saves as the default.
inline constexpr Range MaxFiles{50, 2000};
// What a stored number and a number typed into a Settings prompt must fit:
// a signed 16-bit whole number.
inline constexpr Range WholeNumber16{-32768, 32767};
// The highest number that a taken name gets before the pass gives up on it.
inline constexpr int HighestNameNumber = WholeNumber16.high;

} // namespace Limits
