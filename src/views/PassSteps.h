#pragma once
// Steps the drawing passes share: a world point's exact pixel position in a view, a line between
// two exact positions, and a position known to lie within ExactPixelRange as a pixel.

#include <cstdint>

#include "canvas/Canvas.h"
#include "canvas/LongLine.h"
#include "views/ViewProjection.h"

namespace kvx::passes {

inline PixelPosition Project(double x, double y, double z, const ViewState& state, ViewId view) {
    return ProjectPosition(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                           state, view);
}

inline void Segment(Canvas& canvas, PixelPosition a, PixelPosition b, PixelValue c) {
    DrawLongLine(canvas.Locked(), a, b, c);
}

inline PixelPoint Whole(PixelPosition p) {
    return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)};
}

}  // namespace kvx::passes
