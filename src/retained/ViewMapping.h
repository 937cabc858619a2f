#pragma once
// Viewport mapping: the perspective projection from view space (the camera looks along +z with
// +y up) to the device's pixels, with the screen's y running down.

#include <cstdint>

namespace kvx::rm {

// Front and back clipping planes, in view-space z.
inline constexpr float FrontClip = 1.0f;
inline constexpr float BackClip = 100.0f;
// Half the viewport's height at distance 1: a 250-pixel view maps y/z = 0.5 to its edge.
inline constexpr float Field = 0.5f;

// Screen positions are snapped to 1/SubpixelOne of a pixel.
inline constexpr int SubpixelBits = 4;
inline constexpr std::int32_t SubpixelOne = 1 << SubpixelBits;
inline constexpr std::int32_t SubpixelHalf = SubpixelOne / 2;

// Geometry further than this from the viewport's centre goes through the clipper, which keeps
// snapped positions and the rasteriser's edge products far from overflowing.
inline constexpr float GuardBandPixels = 4096.0f;

// A rectangle of device pixels.
struct ViewRect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
};

struct ViewMapping {
    float centreX = 0, centreY = 0;  // the viewport's centre, in subpixels
    float scale = 0;                 // subpixels per unit of x/z or y/z
    float guard = 0;                 // the guard band as a slope: |x| and |y| up to guard * z

    static ViewMapping For(const ViewRect& rect) {
        ViewMapping m;
        m.centreX =
            (static_cast<float>(rect.x) + static_cast<float>(rect.width) * 0.5f) * SubpixelOne;
        m.centreY =
            (static_cast<float>(rect.y) + static_cast<float>(rect.height) * 0.5f) * SubpixelOne;
        const float pixelsPerSlope = static_cast<float>(rect.height) * 0.5f / Field;
        m.scale = pixelsPerSlope * SubpixelOne;
        m.guard = pixelsPerSlope > 0 ? GuardBandPixels / pixelsPerSlope : 0.0f;
        return m;
    }
};

}  // namespace kvx::rm
