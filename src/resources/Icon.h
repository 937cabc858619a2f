#pragma once
// The program's icon "ICON1": a 16 x 16 wireframe cube. '.' is transparent, '#' the outline,
// 'o' a shaded face.

#include <array>
#include <string_view>

namespace kvx::resources {

inline constexpr std::array<std::string_view, 16> Icon1 = {
    "................", ".....##########.", "....#ooooooooo#.", "...#ooooooooo##.",
    "..#ooooooooo#o#.", ".###########oo#.", ".#.........#oo#.", ".#.........#oo#.",
    ".#.........#oo#.", ".#.........#oo#.", ".#.........#oo#.", ".#.........#o#..",
    ".#.........##...", ".#.........#....", ".###########....", "................",
};

}  // namespace kvx::resources
