#pragma once
// What the orthographic views' mouse tools leave for the overlays of the redraw: the button, the
// running drags, the rubber band's start and the mirror anchor, and the cursor shown in the views.

#include <cstdint>

#include "resources/Cursors.h"
#include "views/ViewProjection.h"

namespace kvx {

struct ToolState {
    std::int32_t leftButtonDown = 0;
    std::int32_t fenceDragActive = 0;
    std::int32_t loupeDragActive = 0;
    PixelPoint rubberBandStart;
    double mirrorAnchor[3] = {0, 0, 0};
    std::int32_t cursorIndex = resources::InitialCursorIndex;
};

// The mirror tool.
inline constexpr std::int32_t ToolMirror = 16;
inline constexpr std::int32_t ToolMoveXY = 2;

// The cursor a tool mode shows while idle (indices into the cursor table).
inline constexpr std::int32_t ToolCursorIndex(std::int32_t toolMode) {
    constexpr std::int32_t table[17] = {5, 5, 6, 8, 7, 9, 1, 2, 10, 11, 12, 5, 5, 5, 5, 5, 15};
    return toolMode >= 1 && toolMode <= 16 ? table[toolMode] : 5;
}

}  // namespace kvx
