#pragma once
// The vertex markers of one view when every marker has the one usual value: then only the set of
// pixels they cover counts, not their order. The markers' centres are marked per kind, and the
// covered pixels are found afterwards as the union of the marker shapes round them, 64 pixels of
// a row at a time, each pixel written once.

#include <cstdint>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "views/ViewProjection.h"

namespace kvx {

class MarkerUnion {
  public:
    static constexpr int Plus = 0;    // a plus sign one pixel each way
    static constexpr int Square = 1;  // the outline of a square five pixels each way, and a dot
    // How far outside the view a centre may lie and its marker still reach in.
    static constexpr std::int32_t Reach = 5;

    // No centre marked, for a view of this size.
    void Reset(std::int32_t width, std::int32_t height);
    // Marks a centre of the kind; centres too far outside to touch the view are left out.
    void Mark(PixelPoint p, int kind) {
        const std::int64_t x = std::int64_t{p.x} + Reach, y = std::int64_t{p.y} + Reach;
        if (x < 0 || y < 0 || x >= columns_ || y >= rows_) return;
        Row(kind, static_cast<std::int32_t>(y))[x >> 6] |= std::uint64_t{1} << (x & 63);
    }
    // Whether every centre within the rectangle (inclusive) that could touch the view is marked
    // of the kind already; a rectangle of more than a few pixels is not looked at.
    bool AllMarked(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                   int kind) const;
    // Writes c to every pixel of the view that some marked centre's marker covers.
    void Draw(const PixelBuffer& buffer, PixelValue c) const;

  private:
    std::uint64_t* Row(int kind, std::int32_t y) {
        return centres_.data() + (static_cast<std::size_t>(kind) * static_cast<std::size_t>(rows_) +
                                  static_cast<std::size_t>(y)) *
                                     words_;
    }
    const std::uint64_t* Row(int kind, std::int32_t y) const {
        return const_cast<MarkerUnion*>(this)->Row(kind, y);
    }

    std::vector<std::uint64_t> centres_;  // per kind, per row, bit x + Reach: a centre at x
    std::size_t words_ = 0;               // per row
    std::int32_t width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
};

}  // namespace kvx
