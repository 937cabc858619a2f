#pragma once
// Triangle rasteriser and depth test. Vertices arrive snapped to subpixels; a pixel is drawn
// when its centre lies inside the triangle and it is nearer than what its depth holds.
//
// Fill rule (top-left): a centre exactly on an edge belongs to the triangle only when that edge
// is a top edge (horizontal, interior below) or a left edge (interior to its right). Triangles
// sharing an edge therefore never both draw a pixel and never leave one out between them.

#include <algorithm>
#include <cstdint>

#include "canvas/PixelBuffer.h"
#include "retained/DepthBuffer.h"
#include "retained/Math.h"
#include "retained/ViewMapping.h"

namespace kvx::rm {

// Added to an edge function for edges that are neither top nor left: a centre on such an edge
// (value 0) then falls outside.
inline constexpr std::int64_t NotTopLeftBias = -1;

struct RasterVertex {
    std::int32_t x = 0, y = 0;  // subpixels
    float depth = 0;            // 1/z
    Vec3f color;                // 0..255 per channel
};

// Where a frame is drawn: the pixels, their depths and the rectangle no pixel outside of which
// is written (within both buffers).
struct RasterTarget {
    PixelBuffer pixels;
    DepthBuffer* depth = nullptr;
    PixelRect clip;
};

// Twice the signed area of a, b, c in subpixels squared; positive when they run clockwise on
// the screen (y down).
inline std::int64_t ClockwiseArea(std::int32_t ax, std::int32_t ay, std::int32_t bx,
                                  std::int32_t by, std::int32_t cx, std::int32_t cy) {
    return static_cast<std::int64_t>(bx - ax) * (cy - ay) -
           static_cast<std::int64_t>(cx - ax) * (by - ay);
}

// The pixels within clip whose centres lie in [minX, maxX] x [minY, maxY] (subpixels); empty
// (right <= left or bottom <= top) when there are none.
inline PixelRect CentresWithin(std::int32_t minX, std::int32_t maxX, std::int32_t minY,
                               std::int32_t maxY, const PixelRect& clip) {
    // Centre of pixel p: p * SubpixelOne + SubpixelHalf. Arithmetic shifts floor negative values.
    const auto firstAtOrAbove = [](std::int32_t v) {
        return (v - SubpixelHalf + SubpixelOne - 1) >> SubpixelBits;
    };
    const auto lastAtOrBelow = [](std::int32_t v) { return (v - SubpixelHalf) >> SubpixelBits; };
    return {std::max(clip.left, firstAtOrAbove(minX)), std::max(clip.top, firstAtOrAbove(minY)),
            std::min(clip.right, lastAtOrBelow(maxX) + 1),
            std::min(clip.bottom, lastAtOrBelow(maxY) + 1)};
}

inline bool IsEmpty(const PixelRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The edge function of edge p -> q at subpixel point (x, y), with the fill rule's bias: >= 0
// when the point counts as inside that edge of a clockwise triangle.
inline std::int64_t EdgeAt(std::int32_t px, std::int32_t py, std::int32_t qx, std::int32_t qy,
                           std::int64_t x, std::int64_t y) {
    const std::int64_t dx = qx - px, dy = qy - py;
    const bool topLeft = (dy == 0 && dx > 0) || dy < 0;
    return dx * (y - py) - dy * (x - px) + (topLeft ? 0 : NotTopLeftBias);
}

// Bounds holding at most this many pixel centres have each centre tested before the triangle
// is set up; larger ones are taken to cover some.
inline constexpr std::int32_t CentreProbeLimit = 4;

// Whether clockwise triangle a, b, c covers the centre of a pixel of r (from CentresWithin its
// bounds, not empty). Exact for small bounds, which is what most triangles of a large mesh have.
inline bool CoversSomeCentre(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by,
                             std::int32_t cx, std::int32_t cy, const PixelRect& r) {
    if ((r.right - r.left) * (r.bottom - r.top) > CentreProbeLimit) return true;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        const std::int64_t sy = std::int64_t{y} * SubpixelOne + SubpixelHalf;
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const std::int64_t sx = std::int64_t{x} * SubpixelOne + SubpixelHalf;
            if ((EdgeAt(ax, ay, bx, by, sx, sy) | EdgeAt(bx, by, cx, cy, sx, sy) |
                 EdgeAt(cx, cy, ax, ay, sx, sy)) >= 0)
                return true;
        }
    }
    return false;
}

// Draws triangle a, b, c (clockwise, area = ClockwiseArea > 0) over the given pixels (from
// CentresWithin its bounds), with colours and depth interpolated linearly on the screen.
void RasteriseTriangle(const RasterTarget& target, const PixelRect& pixels, std::int64_t area,
                       const RasterVertex& a, const RasterVertex& b, const RasterVertex& c);

// Draws the line from a to b (the end included) in one colour, without depth, for wireframes.
void DrawEdge(const RasterTarget& target, const RasterVertex& a, const RasterVertex& b,
              Vec3f color);

}  // namespace kvx::rm
