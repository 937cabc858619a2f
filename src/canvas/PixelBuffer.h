#pragma once
// Pixel logic on a plain locked memory view: colour packing, addressing, spans, lines and fills.
// Works on any buffer of 16 (5-6-5) or 24 (8-8-8, bytes blue-green-red) bits per pixel; at any
// other depth PackColor gives 0 and every routine draws nothing.

#include <cstdint>

namespace kvx {

using PixelValue = std::uint32_t;

// Fixed-point bits of the line routine: positions advance in steps of 1/1024 pixel.
inline constexpr int LineFractionBits = 10;
inline constexpr std::int64_t LineOne = std::int64_t{1} << LineFractionBits;

// (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3) at 16 bits, r << 16 | g << 8 | b at 24, 0 otherwise.
inline PixelValue PackColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, int bitsPerPixel) {
    if (bitsPerPixel == 16)
        return (PixelValue{r} >> 3) << 11 | (PixelValue{g} >> 2) << 5 | (PixelValue{b} >> 3);
    if (bitsPerPixel == 24) return PixelValue{r} << 16 | PixelValue{g} << 8 | PixelValue{b};
    return 0;
}

struct PixelRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// A locked view of pixel memory. Row y starts at base + y * pitch.
struct PixelBuffer {
    std::uint8_t* base = nullptr;
    std::int32_t pitch = 0;  // bytes from one row to the next, may exceed width * bytes per pixel
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitsPerPixel = 0;

    bool Drawable() const {
        return base != nullptr && width > 0 && height > 0 &&
               (bitsPerPixel == 16 || bitsPerPixel == 24);
    }
    int BytesPerPixel() const { return bitsPerPixel / 8; }
    std::uint8_t* Address(std::int32_t x, std::int32_t y) const {
        return base + static_cast<std::ptrdiff_t>(y) * pitch +
               static_cast<std::ptrdiff_t>(x) * BytesPerPixel();
    }
    // Reads back a pixel value; 0 <= x < width, 0 <= y < height.
    PixelValue Get(std::int32_t x, std::int32_t y) const;
};

// Writes one pixel when it lies inside the buffer.
void SetPixel(const PixelBuffer& buffer, std::int32_t x, std::int32_t y, PixelValue c);

// x1..x2 inclusive on row y, in either order, clipped once to the buffer.
void HorizontalLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y, std::int32_t x2,
                    PixelValue c);

// y1..y2 inclusive on column x, in either order, clipped once to the buffer.
void VerticalLine(const PixelBuffer& buffer, std::int32_t x, std::int32_t y1, std::int32_t y2,
                  PixelValue c);

// Fixed-point DDA: n = max(|dx|, |dy|) positions from (x1, y1), the end point excluded. Column 0
// and row 0 are never written; at 16 bits neither are the last column and row. Requires distinct
// ends.
void Line(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
          std::int32_t y2, PixelValue c);

// The steps first .. last - 1 of Line's walk that land where it writes; step i is the pixel
// (X(i), Y(i)). Empty for equal ends or a buffer that cannot be drawn.
struct LineWalk {
    std::int64_t fx = 0, fy = 0, stepX = 0, stepY = 0, first = 0, last = 0;
    std::int32_t X(std::int64_t i) const {
        return static_cast<std::int32_t>((fx + i * stepX) / LineOne);
    }
    std::int32_t Y(std::int64_t i) const {
        return static_cast<std::int32_t>((fy + i * stepY) / LineOne);
    }
};
LineWalk PlanLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                  std::int32_t y2);
// The part of HorizontalLine's (VerticalLine's) span that it writes, ends put in order; false
// when it writes nothing.
bool ClipHorizontal(const PixelBuffer& buffer, std::int32_t& x1, std::int32_t y, std::int32_t& x2);
bool ClipVertical(const PixelBuffer& buffer, std::int32_t x, std::int32_t& y1, std::int32_t& y2);

// Calls visit(x, y) for every pixel DrawLine writes, in the order it writes them, for passes
// that decide pixel by pixel whether to write.
template <typename Visit>
void ForEachLinePixel(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                      std::int32_t y2, Visit visit) {
    if (x1 == x2 && y1 == y2) return;
    if (x1 == x2) {
        if (ClipVertical(buffer, x1, y1, y2))
            for (std::int32_t y = y1; y <= y2; ++y)
                visit(x1, y);
    } else if (y1 == y2) {
        if (ClipHorizontal(buffer, x1, y1, x2))
            for (std::int32_t x = x1; x <= x2; ++x)
                visit(x, y1);
    } else {
        const LineWalk walk = PlanLine(buffer, x1, y1, x2, y2);
        for (std::int64_t i = walk.first; i < walk.last; ++i)
            visit(walk.X(i), walk.Y(i));
    }
}

// Chooses the routine: nothing (returns 0) for equal ends, else vertical, horizontal or Line (1).
int DrawLine(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
             std::int32_t y2, PixelValue c);

// DrawLine with the lines of a big model's edges, most of them a pixel long or none, handled
// here: the same pixels, without the call. The buffer must be drawable.
#if defined(__GNUC__)
#define KVX_HOT_INLINE [[gnu::always_inline]] inline
#else
#define KVX_HOT_INLINE inline
#endif
// The pixels DrawLine writes for a line of at most one step each way, handed to put(x, y) in its
// order, for a buffer of Bits bits per pixel known where it is called; a longer line is handed to
// longer(x1, y1, x2, y2) as it is.
template <int Bits, typename Put, typename Longer>
KVX_HOT_INLINE void EdgePixels(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1,
                               std::int32_t x2, std::int32_t y2, Put put, Longer longer) {
    const std::int32_t dx = x2 - x1, dy = y2 - y1;
    if ((dx | dy) == 0) return;  // a point draws nothing
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        const auto inside = [&](std::int32_t x, std::int32_t y) {
            return x >= 0 && y >= 0 && x < buffer.width && y < buffer.height;
        };
        if (dx == 0 || dy == 0) {  // a span of two pixels, each clipped on its own
            if (inside(x1, y1)) put(x1, y1);
            if (inside(x2, y2)) put(x2, y2);
        } else {  // one diagonal step: only the start, never on row or column 0
            const std::int32_t limitX = Bits == 16 ? buffer.width - 1 : buffer.width;
            const std::int32_t limitY = Bits == 16 ? buffer.height - 1 : buffer.height;
            if (x1 >= 1 && y1 >= 1 && x1 < limitX && y1 < limitY) put(x1, y1);
        }
        return;
    }
    longer(x1, y1, x2, y2);
}

// Writes c at (x, y) of a buffer of Bits bits per pixel.
template <int Bits>
KVX_HOT_INLINE void StorePixel(const PixelBuffer& buffer, std::int32_t x, std::int32_t y,
                               PixelValue c) {
    std::uint8_t* p = buffer.base + static_cast<std::ptrdiff_t>(y) * buffer.pitch +
                      static_cast<std::ptrdiff_t>(x) * (Bits / 8);
    p[0] = static_cast<std::uint8_t>(c);
    p[1] = static_cast<std::uint8_t>(c >> 8);
    if constexpr (Bits == 24) p[2] = static_cast<std::uint8_t>(c >> 16);
}

// DrawEdge for a buffer of Bits bits per pixel, known where it is called.
template <int Bits>
KVX_HOT_INLINE void DrawEdgeAt(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1,
                               std::int32_t x2, std::int32_t y2, PixelValue c) {
    EdgePixels<Bits>(
        buffer, x1, y1, x2, y2,
        [&](std::int32_t x, std::int32_t y) { StorePixel<Bits>(buffer, x, y, c); },
        [&](std::int32_t a, std::int32_t b, std::int32_t p, std::int32_t q) {
            DrawLine(buffer, a, b, p, q, c);
        });
}

KVX_HOT_INLINE void DrawEdge(const PixelBuffer& buffer, std::int32_t x1, std::int32_t y1,
                             std::int32_t x2, std::int32_t y2, PixelValue c) {
    if (buffer.bitsPerPixel == 24) {
        DrawEdgeAt<24>(buffer, x1, y1, x2, y2, c);
    } else {
        DrawEdgeAt<16>(buffer, x1, y1, x2, y2, c);
    }
}

// Writes c to every pixel of the rectangle, clipped to the buffer.
void Fill(const PixelBuffer& buffer, const PixelRect& rect, PixelValue c);

}  // namespace kvx
