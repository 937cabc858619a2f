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
    // Marks the centre point(i) of the kind kind(i) for each i from `from` up to `to`; centres
    // too far outside to touch the view are left out.
    template <typename PointOf, typename KindOf>
    void MarkEach(std::size_t from, std::size_t to, PointOf point, KindOf kind) {
        // The sizes in locals: the marks written cannot change them.
        std::uint64_t* const centres = centres_.data();
        const std::int64_t columns = columns_, rows = rows_;
        const std::size_t words = words_;
        for (std::size_t i = from; i < to; ++i) {
            const PixelPoint p = point(i);
            const std::int64_t x = std::int64_t{p.x} + Reach, y = std::int64_t{p.y} + Reach;
            if (x < 0 || y < 0 || x >= columns || y >= rows) continue;
            const auto row = static_cast<std::size_t>(kind(i) * rows + y);
            centres[row * words + static_cast<std::size_t>(x >> 6)] |= std::uint64_t{1} << (x & 63);
        }
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
