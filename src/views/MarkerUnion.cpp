#include "views/MarkerUnion.h"

#include <algorithm>

namespace kvx {
namespace {

using Bits = std::vector<std::uint64_t>;

// Each bit moved s places up (0 < s < 64), as a row of pixels moves s pixels right.
void ShiftUp(const std::uint64_t* from, std::size_t words, int s, std::uint64_t* to) {
    for (std::size_t i = words; i-- > 0;)
        to[i] = from[i] << s | (i > 0 ? from[i - 1] >> (64 - s) : 0);
}

// Each bit moved s places down, as a row of pixels moves s pixels left.
void ShiftDown(const std::uint64_t* from, std::size_t words, int s, std::uint64_t* to) {
    for (std::size_t i = 0; i < words; ++i)
        to[i] = from[i] >> s | (i + 1 < words ? from[i + 1] << (64 - s) : 0);
}

// to |= from moved s places up (s > 0) or down (s < 0).
void OrShifted(const std::uint64_t* from, std::size_t words, int s, std::uint64_t* scratch,
               std::uint64_t* to) {
    if (s > 0) {
        ShiftUp(from, words, s, scratch);
    } else {
        ShiftDown(from, words, -s, scratch);
    }
    for (std::size_t i = 0; i < words; ++i)
        to[i] |= scratch[i];
}

template <int Depth>
void WriteRow(const PixelBuffer& buffer, std::int32_t y, const std::uint64_t* covered,
              std::size_t words, std::int32_t reach, PixelValue c) {
    for (std::size_t w = 0; w < words; ++w)
        for (std::uint64_t bits = covered[w]; bits != 0; bits &= bits - 1) {
            const auto x = static_cast<std::int32_t>(64 * w) + __builtin_ctzll(bits) - reach;
            if (x < 0 || x >= buffer.width) continue;
            StorePixel<Depth>(buffer, x, y, c);
        }
}

}  // namespace

void MarkerUnion::Reset(std::int32_t width, std::int32_t height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    columns_ = width_ + 2 * Reach;
    rows_ = height_ + 2 * Reach;
    words_ = (static_cast<std::size_t>(columns_) + 63) / 64;
    centres_.assign(2 * static_cast<std::size_t>(rows_) * words_, 0);
}

bool MarkerUnion::AllMarked(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                            int kind) const {
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{x0} + Reach, 0);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{y0} + Reach, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x1} + Reach, columns_ - 1);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y1} + Reach, rows_ - 1);
    if (left > right || top > bottom) return true;  // every centre there is left out
    if ((right - left + 1) * (bottom - top + 1) > 16) return false;
    for (std::int64_t y = top; y <= bottom; ++y) {
        const std::uint64_t* row = Row(kind, static_cast<std::int32_t>(y));
        for (std::int64_t x = left; x <= right; ++x)
            if ((row[x >> 6] >> (x & 63) & 1u) == 0) return false;
    }
    return true;
}

void MarkerUnion::Draw(const PixelBuffer& buffer, PixelValue c) const {
    if (!buffer.Drawable() || buffer.width != width_ || buffer.height != height_) return;
    const std::size_t n = words_;
    Bits covered(n), edges(n), column(n), scratch(n);
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::int32_t at = y + Reach;  // the row of centres level with pixel row y
        // A plus sign: its centre, the pixels left and right of it, and those above and below.
        const std::uint64_t* plus = Row(Plus, at);
        for (std::size_t i = 0; i < n; ++i)
            covered[i] = plus[i] | Row(Plus, at - 1)[i] | Row(Plus, at + 1)[i];
        OrShifted(plus, n, 1, scratch.data(), covered.data());
        OrShifted(plus, n, -1, scratch.data(), covered.data());
        // A square: its dot; its top and bottom sides, for centres Reach rows below or above,
        // up to Reach pixels either way; its left and right sides, for centres up to Reach rows
        // away, Reach pixels to the left or right.
        const std::uint64_t* dot = Row(Square, at);
        for (std::size_t i = 0; i < n; ++i) {
            covered[i] |= dot[i];
            edges[i] = Row(Square, at - Reach)[i] | Row(Square, at + Reach)[i];
            column[i] = 0;
            for (std::int32_t d = -Reach; d <= Reach; ++d)
                column[i] |= Row(Square, at + d)[i];
        }
        for (std::size_t i = 0; i < n; ++i)
            covered[i] |= edges[i];
        for (int s = 1; s <= Reach; ++s) {
            OrShifted(edges.data(), n, s, scratch.data(), covered.data());
            OrShifted(edges.data(), n, -s, scratch.data(), covered.data());
        }
        OrShifted(column.data(), n, Reach, scratch.data(), covered.data());
        OrShifted(column.data(), n, -Reach, scratch.data(), covered.data());
        if (buffer.bitsPerPixel == 24) {
            WriteRow<24>(buffer, y, covered.data(), n, Reach, c);
        } else {
            WriteRow<16>(buffer, y, covered.data(), n, Reach, c);
        }
    }
}

}  // namespace kvx
