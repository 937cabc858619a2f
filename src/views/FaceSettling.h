#pragma once
// One face of a grouped pass in one view: its pixels that are not settled yet written and
// settled. Used by the grouped passes only.

#include <array>
#include <cstdint>
#include <cstring>

#include "canvas/PixelBuffer.h"
#include "views/GroupedFaces.h"
#include "views/SettledPixels.h"

namespace kvx::settling {

// A line longer than a step, each pixel written only when not yet settled.
template <int Bits>
[[gnu::noinline]] void SettleLongLine(const PixelBuffer& buffer, SettledPixels& settled,
                                      std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                      std::int32_t y2, PixelValue c) {
    ForEachLinePixel(buffer, x1, y1, x2, y2, [&](std::int32_t x, std::int32_t y) {
        if (settled.Settle(x, y)) StorePixel<Bits>(buffer, x, y, c);
    });
}

// The pixels an edge of at most one step lights within a 2 x 2 block, its ends given as places
// 2 * row + column: a straight edge both its ends, a diagonal one its start, a point nothing.
constexpr unsigned BlockEdge(unsigned from, unsigned to) {
    if (from == to) return 0;
    const bool straight = (from & 1) == (to & 1) || (from >> 1) == (to >> 1);
    return straight ? 1u << from | 1u << to : 1u << from;
}

// The pixels a triangle lights within a 2 x 2 block, by the places of its corners (two bits
// each, the first corner lowest), with its edges in the order and direction of its pass.
template <FacePass Pass>
constexpr std::array<std::uint8_t, 64> TriangleBlock = [] {
    std::array<std::uint8_t, 64> masks{};
    for (unsigned code = 0; code < 64; ++code) {
        const unsigned c0 = code & 3, c1 = code >> 2 & 3, c2 = code >> 4 & 3;
        const unsigned mask = Pass == FacePass::Outlines
                                  ? BlockEdge(c0, c2) | BlockEdge(c1, c0) | BlockEdge(c2, c1)
                                  : BlockEdge(c0, c2) | BlockEdge(c0, c1) | BlockEdge(c1, c2);
        masks[code] = static_cast<std::uint8_t>(mask);
    }
    return masks;
}();

// Corner k of a face in a member's view.
KVX_HOT_INLINE PixelPoint CornerIn(const GroupMember& m, const std::int32_t* const* at,
                                   std::int32_t k) {
    const std::int32_t* row = at[static_cast<std::size_t>(k)];
    return PixelPoint{row[m.x], row[m.y]};
}

// Whether a face whose corners span x0 .. x1 and y0 .. y1 takes the block path: most faces of a
// big model seen whole lie within two pixels each way. Every edge is then at most one step: a
// straight one lights both its ends, a diagonal one its start, and away from the buffer's first
// and last rows and columns nothing is clipped. The face's pixels are then found as four bits
// and settled together (SettleBlockPixels).
KVX_HOT_INLINE bool BlockFace(const PixelBuffer& buffer, std::int32_t x0, std::int32_t y0,
                              std::int32_t x1, std::int32_t y1) {
    return x1 - x0 <= 1 && y1 - y0 <= 1 && x0 >= 1 && y0 >= 1 && x0 + 2 < buffer.width &&
           y0 + 2 < buffer.height && (x0 & 63) != 63;
}

// The pixels of mask (bit 2 * row + column) in the 2 x 2 block at (x0, y0) not settled yet,
// written and settled.
template <int Bits>
KVX_HOT_INLINE void SettleBlockPixels(const GroupMember& m, std::int32_t x0, std::int32_t y0,
                                      unsigned mask, PixelValue c) {
    const PixelBuffer& buffer = m.buffer;
    for (unsigned fresh = m.settled->SettleBlock(x0, y0, mask); fresh != 0; fresh &= fresh - 1) {
        const int b = __builtin_ctz(fresh);
        StorePixel<Bits>(buffer, x0 + (b & 1), y0 + (b >> 1), c);
    }
}

// The pixels of a face's edges in one view not settled yet, written and settled, edge by edge.
template <int Bits, FacePass Pass>
[[gnu::noinline]] void SettleEdges(const GroupMember& m, const std::int32_t* const* at,
                                   std::int32_t n, PixelValue c) {
    const PixelBuffer& buffer = m.buffer;
    SettledPixels& settled = *m.settled;
    const auto put = [&](std::int32_t x, std::int32_t y) {
        if (settled.Settle(x, y)) StorePixel<Bits>(buffer, x, y, c);
    };
    const auto longer = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        SettleLongLine<Bits>(buffer, settled, x1, y1, x2, y2, c);
    };
    const PixelPoint first = CornerIn(m, at, 0), last = CornerIn(m, at, n - 1);
    EdgePixels<Bits>(buffer, first.x, first.y, last.x, last.y, put, longer);
    for (std::int32_t i = 1; i < n; ++i) {
        const PixelPoint p = CornerIn(m, at, i), q = CornerIn(m, at, i - 1);
        if constexpr (Pass == FacePass::Outlines) {
            EdgePixels<Bits>(buffer, p.x, p.y, q.x, q.y, put, longer);
        } else {
            EdgePixels<Bits>(buffer, q.x, q.y, p.x, p.y, put, longer);
        }
    }
}

// The pixels of a face in one view that are not settled yet, written and settled; nothing when
// every corner lies on one pixel, since every edge is then a point. All of a face's pixels take
// its one colour, so the order of its edges does not show; their direction does.
template <int Bits, FacePass Pass>
KVX_HOT_INLINE void SettleFace(const GroupMember& m, const std::int32_t* const* at, std::int32_t n,
                               PixelValue c) {
    const auto point = [&](std::int32_t k) { return CornerIn(m, at, k); };
    const PixelPoint first = point(0);
    std::int32_t x0 = first.x, y0 = first.y, x1 = first.x, y1 = first.y;
    for (std::int32_t k = 1; k < n; ++k) {
        const PixelPoint p = point(k);
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    if (x0 == x1 && y0 == y1) return;
    if (!BlockFace(m.buffer, x0, y0, x1, y1)) {
        SettleEdges<Bits, Pass>(m, at, n, c);
        return;
    }
    const auto place = [&](PixelPoint p) {
        return static_cast<unsigned>(2 * (p.y - y0) + (p.x - x0));
    };
    unsigned mask = 0;
    if (n == 3) {  // most faces: their pixels looked up from where the corners lie
        mask = TriangleBlock<Pass>[place(first) | place(point(1)) << 2 | place(point(2)) << 4];
    } else {
        const auto edge = [&](PixelPoint from, PixelPoint to) {
            return BlockEdge(place(from), place(to));
        };
        mask = edge(first, point(n - 1));
        for (std::int32_t i = 1; i < n; ++i)
            mask |= Pass == FacePass::Outlines ? edge(point(i), point(i - 1))
                                               : edge(point(i - 1), point(i));
    }
    SettleBlockPixels<Bits>(m, x0, y0, mask, c);
}

// What the views of a group need of one triangle, for each of the first SpanNumbers numbers of
// a table row (an x or a y that some views show): the least of its corners' numbers, how far the
// greatest lies beyond it, and where the corners lie from the least, as corner 0 + 4 corner 1 +
// 16 corner 2. Found for all the numbers at once, each shared by the views that show it.
constexpr std::size_t SpanNumbers = 8;
struct TriangleSpan {
    std::array<std::int32_t, SpanNumbers> least;
    std::array<std::uint32_t, SpanNumbers> extent, code;
};

// The span of the triangle whose corners' table rows are at[0 .. 2], each followed by at least
// SpanNumbers numbers (the table's spare numbers past its last row).
KVX_HOT_INLINE void SpanOf(const std::int32_t* const* at, TriangleSpan& s) {
    using Numbers = std::int32_t __attribute__((vector_size(4 * SpanNumbers)));
    using Unsigned = std::uint32_t __attribute__((vector_size(4 * SpanNumbers)));
    Numbers a, b, c;
    std::memcpy(&a, at[0], sizeof a);
    std::memcpy(&b, at[1], sizeof b);
    std::memcpy(&c, at[2], sizeof c);
    // Vectors are not passed to helpers, whose way of taking them would depend on the processor.
    const Numbers ab = a < b;
    const Numbers low = (a & ab) | (b & ~ab), high = (b & ab) | (a & ~ab);
    const Numbers lowC = low < c, highC = high < c;
    const Numbers least = (low & lowC) | (c & ~lowC), most = (c & highC) | (high & ~highC);
    Unsigned ua, ub, uc, from, to;
    std::memcpy(&ua, &a, sizeof a);
    std::memcpy(&ub, &b, sizeof b);
    std::memcpy(&uc, &c, sizeof c);
    std::memcpy(&from, &least, sizeof least);
    std::memcpy(&to, &most, sizeof most);
    const Unsigned extent = to - from;
    const Unsigned code = (ua - from) + ((ub - from) << 2) + ((uc - from) << 4);
    std::memcpy(s.least.data(), &least, sizeof least);
    std::memcpy(s.extent.data(), &extent, sizeof extent);
    std::memcpy(s.code.data(), &code, sizeof code);
}

// SettleFace for a triangle, from its span.
template <int Bits, FacePass Pass>
KVX_HOT_INLINE void SettleTriangle(const GroupMember& m, const TriangleSpan& s,
                                   const std::int32_t* const* at, PixelValue c) {
    const std::uint32_t reach = s.extent[m.x] | s.extent[m.y];
    if (reach == 0) return;  // every corner on one pixel
    const std::int32_t x0 = s.least[m.x], y0 = s.least[m.y];
    if (reach == 1 && BlockFace(m.buffer, x0, y0, x0 + 1, y0 + 1)) {
        SettleBlockPixels<Bits>(m, x0, y0, TriangleBlock<Pass>[s.code[m.x] + 2 * s.code[m.y]], c);
    } else {
        SettleEdges<Bits, Pass>(m, at, 3, c);
    }
}

}  // namespace kvx::settling
