#pragma once
// The pictures of the sixteen view cursors: 32 x 32 pixels each, with a hot spot.

#include <array>
#include <string_view>

namespace kvx::resources {

inline constexpr int CursorSize = 32;

struct CursorImage {
    std::string_view name;                          // the cursor table's name, e.g. "CROSS"
    int hotX, hotY;                                 // hot spot in the image
    std::array<std::string_view, CursorSize> rows;  // '#' black, 'o' white, '.' transparent
};

// The sixteen cursors in the order of CursorNames (Cursors.h), index 0..15. Any other index gives
// entry 0, the ordinary arrow.
const CursorImage& CursorImageAt(int index);

}  // namespace kvx::resources
