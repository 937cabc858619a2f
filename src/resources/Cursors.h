#pragma once
// The cursor table: sixteen cursor resources by name, in the order the views index them.

#include <array>
#include <string_view>

namespace kvx::resources {

inline constexpr std::array<std::string_view, 16> CursorNames = {
    "NORMAL",       "MIRE",   "SELECTFACE", "CREATEVERTEX", "SHARE", "CROSS",
    "ALLDIRECTION", "UPDOWN", "RIGHTLEFT",  "PROFONDEUR",   "FENCE", "MAIN",
    "LOUPE",        "ROTATE", "SCALE",      "MIRROIR"};

// The cursor every view shows at start ("CROSS").
inline constexpr int InitialCursorIndex = 5;

}  // namespace kvx::resources
