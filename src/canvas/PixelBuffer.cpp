#include "canvas/PixelBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kvx {
namespace {

inline void Store(std::uint8_t* p, PixelValue c, int bitsPerPixel) {
    p[0] = static_cast<std::uint8_t>(c);
    p[1] = static_cast<std::uint8_t>(c >> 8);
    if (bitsPerPixel == 24) p[2] = static_cast<std::uint8_t>(c >> 16);
}

// Floor and ceiling of a / b for b > 0.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

// Narrows [first, last) to the steps i for which lo <= start + i * step < hi.
void KeepStepsInside(std::int64_t start, std::int64_t step, std::int64_t lo, std::int64_t hi,
                     std::int64_t& first, std::int64_t& last) {
    if (step == 0) {
        if (start < lo || start >= hi) last = first;
        return;
    }
    if (step > 0) {
        first = std::max(first, CeilDiv(lo - start, step));
        last = std::min(last, CeilDiv(hi - start, step));
    } else {
        const std::int64_t s = -step;
        last = std::min(last, FloorDiv(start - lo, s) + 1);
        first = std::max(first, FloorDiv(start - hi, s) + 1);
    }
}

}  // namespace

PixelValue PixelBuffer::Get(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* p = Address(x, y);
    PixelValue v = PixelValue{p[0]} | PixelValue{p[1]} << 8;
    if (bitsPerPixel == 24) v |= PixelValue{p[2]} << 16;
    return v;
}

void SetPixel(const PixelBuffer& buffer, std::int32_t x, std::int32_t y, PixelValue c) {
    if (!buffer.Drawable() || x < 0 || y < 0 || x >= buffer.width || y >= buffer.height) return;
    Store(buffer.Address(x, y), c, buffer.bitsPerPixel);
}

bool ClipHorizontal(const PixelBuffer& buffer, std::int32_t& x1, std::int32_t y, std::int32_t& x2) {
    if (!buffer.Drawable()) return false;
    const std::int32_t right = buffer.width - 1;
    if ((x1 < 0 && x2 < 0) || (x1 > right && x2 > right) || y < 0 || y > buffer.height - 1)
        return false;
    if (x1 > x2) std::swap(x1, x2);
    x1 = std::max(x1, 0);
    x2 = std::min(x2, right);
    return true;
}

bool ClipVertical(const PixelBuffer& buffer, std::int32_t x, std::int32_t& y1, std::int32_t& y2) {
    if (!buffer.Drawable()) return false;
    const std::int32_t bottom = buffer.height - 1;
    if (x < 0 || x > buffer.width - 1 || (y1 < 0 && y2 < 0) || (y1 > bottom && y2 > bottom))
        return false;
    if (y1 > y2) std::swap(y1, y2);
    y1 = std::max(y1, 0);
    y2 = std::min(y2, bottom);
    return true;
}

LineWalk PlanLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                  std::int32_t y2) {
    LineWalk walk;
    if (!buffer.Drawable()) return walk;
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    std::int64_t n = std::llabs(dx);
    if (std::llabs(dy) > n) n = std::llabs(dy);
    if (n == 0) return walk;
    walk.stepX = dx * LineOne / n;  // truncates toward zero
    walk.stepY = dy * LineOne / n;
    walk.fx = std::int64_t{x1} * LineOne;
    walk.fy = std::int64_t{y1} * LineOne;

    // A position is written when 0 < px < limit (px = f / 1024 truncated), that is when
    // 1024 <= f < limit * 1024. The last column and row stay free at 16 bits.
    const std::int64_t limitX = buffer.bitsPerPixel == 16 ? buffer.width - 1 : buffer.width;
    const std::int64_t limitY = buffer.bitsPerPixel == 16 ? buffer.height - 1 : buffer.height;

    // Only the steps that land inside are visited, so a line far outside costs nothing; the
    // positions written are exactly those of the plain n-step walk.
    walk.first = 0;
    walk.last = n;
    KeepStepsInside(walk.fx, walk.stepX, LineOne, limitX * LineOne, walk.first, walk.last);
    KeepStepsInside(walk.fy, walk.stepY, LineOne, limitY * LineOne, walk.first, walk.last);
    return walk;
}

void HorizontalLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y, std::int32_t x2,
                    PixelValue c) {
    if (!ClipHorizontal(buffer, x1, y, x2)) return;
    const int bpp = buffer.bitsPerPixel;
    const int step = buffer.BytesPerPixel();
    std::uint8_t* p = buffer.Address(x1, y);
    for (std::int32_t x = x1; x <= x2; ++x, p += step)
        Store(p, c, bpp);
}

void VerticalLine(const PixelBuffer& buffer, std::int32_t x, std::int32_t y1, std::int32_t y2,
                  PixelValue c) {
    if (!ClipVertical(buffer, x, y1, y2)) return;
    const int bpp = buffer.bitsPerPixel;
    std::uint8_t* p = buffer.Address(x, y1);
    for (std::int32_t y = y1; y <= y2; ++y, p += buffer.pitch)
        Store(p, c, bpp);
}

void Line(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
          std::int32_t y2, PixelValue c) {
    const LineWalk walk = PlanLine(buffer, x1, y1, x2, y2);
    const int bpp = buffer.bitsPerPixel;
    for (std::int64_t i = walk.first; i < walk.last; ++i)
        Store(buffer.Address(walk.X(i), walk.Y(i)), c, bpp);
}

int DrawLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
             std::int32_t y2, PixelValue c) {
    if (x1 == x2 && y1 == y2) return 0;
    if (x1 == x2) {
        VerticalLine(buffer, x1, y1, y2, c);
    } else if (y1 == y2) {
        HorizontalLine(buffer, x1, y1, x2, c);
    } else {
        Line(buffer, x1, y1, x2, y2, c);
    }
    return 1;
}

void Fill(const PixelBuffer& buffer, const PixelRect& rect, PixelValue c) {
    if (!buffer.Drawable()) return;
    const std::int32_t left = std::max(rect.left, 0), right = std::min(rect.right, buffer.width);
    const std::int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, buffer.height);
    if (left >= right || top >= bottom) return;
    // The first row pixel by pixel, then copies of it.
    HorizontalLine(buffer, left, top, right - 1, c);
    const std::uint8_t* first = buffer.Address(left, top);
    const auto bytes = static_cast<std::size_t>(right - left) * buffer.BytesPerPixel();
    for (std::int32_t y = top + 1; y < bottom; ++y)
        std::memcpy(buffer.Address(left, y), first, bytes);
}

}  // namespace kvx
