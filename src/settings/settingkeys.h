#pragma once

#include <QStringView>

// Where the defaults live in the per-user store: one section, one key each.
namespace SettingKeys {

inline constexpr QStringView Section = u"Defaults";

inline constexpr QStringView Drive = u"Drive";
inline constexpr QStringView Path = u"Path";
inline constexpr QStringView MaxLength = u"MaxLength";
inline constexpr QStringView IncSubDirs = u"IncSubDirs";
inline constexpr QStringView MaxCount = u"MaxCount";
inline constexpr QStringView ReadOnly = u"ReadOnly";
inline constexpr QStringView Underline = u"Underline";
inline constexpr QStringView MultSpecial = u"MultSpecial";
inline constexpr QStringView MultSpace = u"MultSpace";
inline constexpr QStringView Empty = u"Empty";
inline constexpr QStringView Copy = u"Copy";
inline constexpr QStringView Starting = u"Starting";
inline constexpr QStringView Ending = u"Ending";

} // namespace SettingKeys
