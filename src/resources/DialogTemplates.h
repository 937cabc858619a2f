#pragma once
// The dialog templates "COLORDLG", "POINTLIGHTEDITDLG", "POSITIONDLG" and "ABOUTDLG": titles,
// fonts, sizes and controls in dialog units.

#include "platform/Dialogs.h"

namespace kvx::resources {

// Control identifiers the program addresses.
inline constexpr std::uint32_t IdLinearBox = 1018;
inline constexpr std::uint32_t IdConstantBox = 1019;
inline constexpr std::uint32_t IdQuadraticBox = 1020;
inline constexpr std::uint32_t IdUpdateButton = 1021;

const platform::DialogTemplate& ColorDialogTemplate();
const platform::DialogTemplate& PointLightDialogTemplate();
const platform::DialogTemplate& PositionDialogTemplate();
const platform::DialogTemplate& AboutDialogTemplate();

}  // namespace kvx::resources
