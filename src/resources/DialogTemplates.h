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

// "Position des vertex...": the boxes of row r (0..2) and axis a (0 x, 1 y, 2 z) are
// IdPlacementBox + 3 * r + a. One vertex: a position row; several: a move, a turn (degrees) and
// a scale row.
inline constexpr std::uint32_t IdPlacementBox = 1200;
const platform::DialogTemplate& VertexPositionDialogTemplate();
const platform::DialogTemplate& SelectionPlacementDialogTemplate();

}  // namespace kvx::resources
