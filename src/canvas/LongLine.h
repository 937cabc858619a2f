#pragma once
// Lines between whole-pixel positions of any size. The integer line routines take 32-bit
// positions; a view may project a point billions of pixels away (a far vertex, or a deep zoom).
// Within ExactPixelRange of the origin a position is passed to DrawLine as it is, so the pixels are
// exactly DrawLine's; a line with an end further out (the routines' arithmetic would overflow) is
// first cut, in double precision, where it enters and leaves the buffer widened by LongLineMargin,
// and the cut line is drawn. An end inside the widened buffer is never moved; a cut point is
// rounded to the nearest pixel, so the pixels drawn lie within half a pixel more of the true line
// than DrawLine's own rounding puts them.

#include <cmath>
#include <cstdint>

#include "canvas/PixelBuffer.h"

namespace kvx {

// A whole-pixel position (already truncated) that may lie anywhere.
struct PixelPosition {
    double x = 0, y = 0;
};

// Positions within this distance on both axes fit DrawLine's arithmetic with room to spare: two of
// them are less than 2^31 apart, and a marker of a few pixels around one stays in range.
inline constexpr double ExactPixelRange = 1 << 30;
// Pixels the cut points lie outside the buffer, so that a cut end never writes a pixel.
inline constexpr double LongLineMargin = 2.0;

inline bool InExactRange(PixelPosition p) {
    return std::fabs(p.x) < ExactPixelRange && std::fabs(p.y) < ExactPixelRange;  // not NaN
}

// DrawLine from a to b (a written, b left out, as DrawLine does). Positions that are not finite
// draw nothing. Returns what DrawLine returns for the line drawn, 0 when nothing was.
int DrawLongLine(const PixelBuffer& buffer, PixelPosition a, PixelPosition b, PixelValue c);

}  // namespace kvx
