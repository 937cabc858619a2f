#include <gtest/gtest.h>

#include "BufferFixture.h"
#include "canvas/PixelBuffer.h"

namespace kvx {
namespace {

using test::TestBuffer;
using Points = std::set<std::pair<int, int>>;

TEST(Line, VisitsNPositionsWithoutTheEndPointOrRowAndColumnZero) {
    for (int bpp : {16, 24}) {
        TestBuffer t(20, 20, bpp);
        Line(t.buffer(), 0, 0, 10, 5, 1);
        // (0,0) and (1,0) are visited but lie on row 0; (10,5) is never visited.
        EXPECT_EQ(t.Written(),
                  (Points{{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}, {8, 4}, {9, 4}}));
    }
}

TEST(Line, WalksBackwardsWithTruncatedSteps) {
    TestBuffer t(12, 12, 24);
    Line(t.buffer(), 9, 9, 1, 5, 1);
    EXPECT_EQ(t.Written(),
              (Points{{9, 9}, {8, 8}, {7, 8}, {6, 7}, {5, 7}, {4, 6}, {3, 6}, {2, 5}}));
}

TEST(Line, SteepLineStepsOnePixelInY) {
    TestBuffer t(12, 12, 24);
    Line(t.buffer(), 2, 1, 4, 9, 1);
    EXPECT_EQ(t.Written(),
              (Points{{2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 5}, {3, 6}, {3, 7}, {3, 8}}));
}

TEST(Line, LastRowAndColumnAreFreeOnlyAtSixteenBits) {
    const int w = 30, h = 20;
    TestBuffer sixteen(w, h, 16), twentyFour(w, h, 24);
    Line(sixteen.buffer(), w - 3, h - 3, w + 3, h + 3, 1);
    Line(twentyFour.buffer(), w - 3, h - 3, w + 3, h + 3, 1);
    EXPECT_EQ(sixteen.Written(), (Points{{w - 3, h - 3}, {w - 2, h - 2}}));
    EXPECT_EQ(twentyFour.Written(), (Points{{w - 3, h - 3}, {w - 2, h - 2}, {w - 1, h - 1}}));
    EXPECT_TRUE(sixteen.GuardsIntact());
    EXPECT_TRUE(twentyFour.GuardsIntact());
}

TEST(Line, NegativePositionsTruncateTowardZero) {
    TestBuffer t(12, 12, 24);
    Line(t.buffer(), -3, -3, 3, 3, 1);
    EXPECT_EQ(t.Written(), (Points{{1, 1}, {2, 2}}));
}

TEST(Line, FarOutsideEndsAreExactAndCheap) {
    // Ends far beyond the fixed-point range of a 32-bit walk: only the visible steps are visited.
    TestBuffer t(20, 10, 24);
    Line(t.buffer(), -3000000, 5, 3000000, 6, 1);
    Points expected;
    for (int x = 1; x < 20; ++x)
        expected.insert({x, 5});
    EXPECT_EQ(t.Written(), expected);
    TestBuffer u(20, 10, 16);
    Line(u.buffer(), 5, -2000000000, 6, 2000000000, 1);
    EXPECT_TRUE(u.GuardsIntact());
    for (auto [x, y] : u.Written())
        EXPECT_TRUE(x == 5 && y > 0 && y < 9);
}

TEST(DrawLine, ChoosesTheRoutineByItsEnds) {
    for (int bpp : {16, 24}) {
        TestBuffer t(10, 10, bpp);
        EXPECT_EQ(DrawLine(t.buffer(), 4, 4, 4, 4, 1), 0);
        EXPECT_TRUE(t.Written().empty());

        // A vertical or horizontal line includes both ends and row or column 0.
        EXPECT_EQ(DrawLine(t.buffer(), 0, 0, 0, 3, 1), 1);
        EXPECT_EQ(t.Written(), (Points{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
        TestBuffer h(10, 10, bpp);
        EXPECT_EQ(DrawLine(h.buffer(), 3, 0, 0, 0, 1), 1);
        EXPECT_EQ(h.Written(), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));

        TestBuffer d(10, 10, bpp);
        EXPECT_EQ(DrawLine(d.buffer(), 1, 1, 4, 4, 1), 1);
        EXPECT_EQ(d.Written(), (Points{{1, 1}, {2, 2}, {3, 3}}));
    }
}

}  // namespace
}  // namespace kvx

namespace kvx {
namespace {

// The short edges DrawEdge handles itself write exactly what DrawLine writes, at and beyond every
// border, at both depths, and never outside the buffer.
TEST(DrawEdge, ShortEdgesWriteWhatDrawLineWrites) {
    const int w = 9, h = 7;
    const int positions[] = {-2, -1, 0, 1, 2, 5, 6, 7, 8, 9, 10};
    for (int bpp : {16, 24})
        for (int x : positions)
            for (int y : positions)
                for (int dx = -2; dx <= 2; ++dx)
                    for (int dy = -2; dy <= 2; ++dy) {
                        test::TestBuffer edge(w, h, bpp), line(w, h, bpp);
                        DrawEdge(edge.buffer(), x, y, x + dx, y + dy, 7);
                        DrawLine(line.buffer(), x, y, x + dx, y + dy, 7);
                        ASSERT_EQ(edge.Written(), line.Written())
                            << bpp << " bits from (" << x << ", " << y << ") by (" << dx << ", "
                            << dy << ")";
                        ASSERT_TRUE(edge.GuardsIntact());
                    }
}

}  // namespace
}  // namespace kvx
