#pragma once
// One bit per pixel of a view, for passes that write each pixel at most once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvx {

// Which pixels of a view already hold what a pass leaves there, one bit each. The outlines are
// drawn from the last face back to the first, each pixel written only by the first face to reach
// it, which is the face that writes it last in the usual order; the selected faces all write the
// one value, so there too a pixel once written is done. A run of faces whose corners lie in a
// rectangle where every pixel is done then writes nothing and is passed over: a face only writes
// pixels between its corners. On a big model seen whole most faces are smaller than a pixel, each
// pixel is written by many faces, and most runs are passed over.
class SettledPixels {
  public:
    void Reset(std::int32_t width, std::int32_t height) {
        width_ = width;
        height_ = height;
        stride_ = (static_cast<std::size_t>(width) + 63) / 64;
        bits_.assign(stride_ * static_cast<std::size_t>(height), 0);
    }
    // Marks (x, y), which lies inside; returns whether it was not marked yet.
    bool Settle(std::int32_t x, std::int32_t y) {
        std::uint64_t& word =
            bits_[static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x >> 6)];
        const std::uint64_t bit = std::uint64_t{1} << (x & 63);
        const bool fresh = (word & bit) == 0;
        word |= bit;
        return fresh;
    }
    // Whether every pixel of the rectangle (inclusive) that lies inside is marked.
    bool AllSettled(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const {
        x0 = std::max(x0, 0);
        y0 = std::max(y0, 0);
        x1 = std::min(x1, width_ - 1);
        y1 = std::min(y1, height_ - 1);
        if (x0 > x1 || y0 > y1) return true;
        const std::size_t w0 = static_cast<std::size_t>(x0 >> 6);
        const std::size_t w1 = static_cast<std::size_t>(x1 >> 6);
        const std::uint64_t first = ~std::uint64_t{0} << (x0 & 63);
        const std::uint64_t last = ~std::uint64_t{0} >> (63 - (x1 & 63));
        for (std::int32_t y = y0; y <= y1; ++y) {
            const std::uint64_t* row = bits_.data() + static_cast<std::size_t>(y) * stride_;
            for (std::size_t w = w0; w <= w1; ++w) {
                const std::uint64_t need =
                    (w == w0 ? first : ~std::uint64_t{0}) & (w == w1 ? last : ~std::uint64_t{0});
                if ((row[w] & need) != need) return false;
            }
        }
        return true;
    }

    // Marks the pixels of mask in the 2 x 2 block whose top-left pixel is (x, y), bit 2 * row +
    // column; returns those that were not marked yet. The block lies inside and within one word.
    unsigned SettleBlock(std::int32_t x, std::int32_t y, unsigned mask) {
        std::uint64_t* top =
            bits_.data() + static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x >> 6);
        std::uint64_t* bottom = top + stride_;
        const int shift = x & 63;
        const unsigned was =
            static_cast<unsigned>((*top >> shift & 3u) | (*bottom >> shift & 3u) << 2);
        const unsigned fresh = mask & ~was;
        *top |= std::uint64_t{fresh & 3u} << shift;
        *bottom |= std::uint64_t{fresh >> 2} << shift;
        return fresh;
    }

    // The marks of row y, 64 pixels to a word.
    const std::uint64_t* Row(std::int32_t y) const {
        return bits_.data() + static_cast<std::size_t>(y) * stride_;
    }
    std::size_t WordsPerRow() const { return stride_; }

  private:
    std::vector<std::uint64_t> bits_;
    std::size_t stride_ = 0;
    std::int32_t width_ = 0, height_ = 0;
};

}  // namespace kvx
