#include "retained/Rasteriser.h"

#include <cstdlib>
#include <cstring>

namespace kvx::rm {
namespace {

// A channel value 0..255 as a byte, rounded, with the small over- and undershoot of
// interpolation at a triangle's rim clamped away.
inline std::uint32_t Channel(float v) {
    v = v > 0.0f ? v : 0.0f;  // written so that it compiles to min/max, not branches
    v = v < 255.0f ? v : 255.0f;
    return static_cast<std::uint32_t>(v + 0.5f);
}

// Stores a colour in the buffer's packing: 5-6-5 at 16 bits, bytes blue, green, red at 24.
template <int Bytes>
inline void Put(std::uint8_t* p, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    if constexpr (Bytes == 2) {
        const auto v = static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        std::memcpy(p, &v, 2);
    } else {
        p[0] = static_cast<std::uint8_t>(b);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(r);
    }
}

// An edge function p -> (q - p0) x (p - p0) stepped across the pixel grid; >= 0 inside.
struct Edge {
    std::int64_t row = 0;  // value at the current row's first pixel centre, bias included
    std::int64_t stepX = 0, stepY = 0;
};

Edge MakeEdge(const RasterVertex& p, const RasterVertex& q, std::int32_t left, std::int32_t top) {
    const std::int64_t dx = q.x - p.x, dy = q.y - p.y;
    return {EdgeAt(p.x, p.y, q.x, q.y, std::int64_t{left} * SubpixelOne + SubpixelHalf,
                   std::int64_t{top} * SubpixelOne + SubpixelHalf),
            -dy * SubpixelOne, dx * SubpixelOne};
}

// A value interpolated over the triangle: its value at the first pixel centre and its change
// per pixel across and down.
struct Plane {
    float row = 0, stepX = 0, stepY = 0;
};

Plane MakePlane(float v0, float v1, float v2, float fx1, float fy1, float fx2, float fy2,
                float perArea, float sx, float sy) {
    const float gx = ((v1 - v0) * fy2 - (v2 - v0) * fy1) * perArea;
    const float gy = ((v2 - v0) * fx1 - (v1 - v0) * fx2) * perArea;
    return {v0 + gx * sx + gy * sy, gx, gy};
}

template <int Bytes>
void Fill(const RasterTarget& t, const PixelRect& r, std::int64_t area, const RasterVertex& a,
          const RasterVertex& b, const RasterVertex& c) {
    Edge e0 = MakeEdge(a, b, r.left, r.top), e1 = MakeEdge(b, c, r.left, r.top),
         e2 = MakeEdge(c, a, r.left, r.top);

    // Planes in pixel units, measured from a to the first pixel centre.
    constexpr float Pixel = 1.0f / SubpixelOne;
    const float fx1 = static_cast<float>(b.x - a.x) * Pixel,
                fy1 = static_cast<float>(b.y - a.y) * Pixel;
    const float fx2 = static_cast<float>(c.x - a.x) * Pixel,
                fy2 = static_cast<float>(c.y - a.y) * Pixel;
    const float perArea = static_cast<float>(SubpixelOne * SubpixelOne) / static_cast<float>(area);
    const float sx = (static_cast<float>(r.left * SubpixelOne + SubpixelHalf - a.x)) * Pixel;
    const float sy = (static_cast<float>(r.top * SubpixelOne + SubpixelHalf - a.y)) * Pixel;
    Plane z = MakePlane(a.depth, b.depth, c.depth, fx1, fy1, fx2, fy2, perArea, sx, sy);
    Plane cr = MakePlane(a.color.x, b.color.x, c.color.x, fx1, fy1, fx2, fy2, perArea, sx, sy);
    Plane cg = MakePlane(a.color.y, b.color.y, c.color.y, fx1, fy1, fx2, fy2, perArea, sx, sy);
    Plane cb = MakePlane(a.color.z, b.color.z, c.color.z, fx1, fy1, fx2, fy2, perArea, sx, sy);

    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        std::int64_t w0 = e0.row, w1 = e1.row, w2 = e2.row;
        float zv = z.row, rv = cr.row, gv = cg.row, bv = cb.row;
        std::uint8_t* px = t.pixels.Address(r.left, y);
        float* zb = t.depth->Row(y) + r.left;
        bool entered = false;
        for (std::int32_t x = r.left; x < r.right; ++x) {
            if ((w0 | w1 | w2) >= 0) {
                entered = true;
                if (zv > *zb) {  // depth test: nearer than what is there
                    *zb = zv;
                    Put<Bytes>(px, Channel(rv), Channel(gv), Channel(bv));
                }
            } else if (entered) {
                break;  // a triangle is convex: past its right edge nothing more on this row
            }
            w0 += e0.stepX;
            w1 += e1.stepX;
            w2 += e2.stepX;
            zv += z.stepX;
            rv += cr.stepX;
            gv += cg.stepX;
            bv += cb.stepX;
            px += Bytes;
            ++zb;
        }
        e0.row += e0.stepY;
        e1.row += e1.stepY;
        e2.row += e2.stepY;
        z.row += z.stepY;
        cr.row += cr.stepY;
        cg.row += cg.stepY;
        cb.row += cb.stepY;
    }
}

}  // namespace

void RasteriseTriangle(const RasterTarget& target, const PixelRect& pixels, std::int64_t area,
                       const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
    if (area <= 0 || IsEmpty(pixels) || !target.depth) return;
    if (target.pixels.bitsPerPixel == 16) {
        Fill<2>(target, pixels, area, a, b, c);
    } else if (target.pixels.bitsPerPixel == 24) {
        Fill<3>(target, pixels, area, a, b, c);
    }
}

void DrawEdge(const RasterTarget& target, const RasterVertex& a, const RasterVertex& b,
              Vec3f color) {
    const int bytes = target.pixels.BytesPerPixel();
    if (target.pixels.bitsPerPixel != 16 && target.pixels.bitsPerPixel != 24) return;
    const std::uint32_t r = Channel(color.x), g = Channel(color.y), bl = Channel(color.z);
    // Bresenham between the pixels holding the two end points.
    std::int32_t x = a.x >> SubpixelBits, y = a.y >> SubpixelBits;
    const std::int32_t x1 = b.x >> SubpixelBits, y1 = b.y >> SubpixelBits;
    const std::int32_t dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
    const std::int32_t sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    std::int32_t err = dx + dy;
    const PixelRect& c = target.clip;
    for (;;) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
            if (bytes == 2) {
                Put<2>(target.pixels.Address(x, y), r, g, bl);
            } else {
                Put<3>(target.pixels.Address(x, y), r, g, bl);
            }
        }
        if (x == x1 && y == y1) break;
        const std::int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace kvx::rm
