// Lines with ends of any size: the same pixels as DrawLine within the exact range, and beyond it
// the line that is there, to the pixel.

#include "canvas/LongLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BufferFixture.h"

namespace kvx {
namespace {

using test::TestBuffer;

// Every written pixel lies where DrawLine would put it for the line y = y0 + slope * (x - x0):
// within the pixel its rounding takes, and half a pixel for the cut; y = y0 + slope * (x - x0), and
// every column in [from, to] holds one.
void ExpectAlong(const TestBuffer& b, double x0, double y0, double slope, int from, int to) {
    std::set<int> columns;
    for (const auto& [x, y] : b.Written()) {
        EXPECT_LE(std::abs(y - (y0 + slope * (x - x0))), 1.5) << x << "," << y;
        columns.insert(x);
    }
    for (int x = from; x <= to; ++x)
        EXPECT_TRUE(columns.count(x)) << "column " << x;
}

TEST(LongLine, WithinTheExactRangeItIsDrawLine) {
    const double ends[][4] = {
        {3, 4, 40, 17}, {-500, 20, 600, 30}, {10, -1e6, 12, 1e6}, {-1e9, -1e9, 1e9, 1e9 - 7}};
    for (const auto& e : ends) {
        for (int bits : {16, 24}) {
            TestBuffer a(50, 40, bits), b(50, 40, bits);
            DrawLongLine(a.buffer(), {e[0], e[1]}, {e[2], e[3]}, 0x1234);
            DrawLine(b.buffer(), static_cast<std::int32_t>(e[0]), static_cast<std::int32_t>(e[1]),
                     static_cast<std::int32_t>(e[2]), static_cast<std::int32_t>(e[3]), 0x1234);
            EXPECT_EQ(a.Written(), b.Written());
            EXPECT_TRUE(a.GuardsIntact());
        }
    }
}

TEST(LongLine, AHorizontalLineFromFarAwayFillsItsRow) {
    TestBuffer b(50, 40, 24);
    DrawLongLine(b.buffer(), {-1e15, 7}, {3e20, 7}, 0x1234);
    std::set<std::pair<int, int>> row;
    for (int x = 0; x < 50; ++x)
        row.insert({x, 7});
    EXPECT_EQ(b.Written(), row);
}

TEST(LongLine, FarEndsKeepTheirDirection) {
    // Saturating these ends to 32 bits would turn the line to 45 degrees.
    TestBuffer b(250, 250, 24);
    DrawLongLine(b.buffer(), {125, 125}, {125 + 2e12, 125 + 1e12}, 0x1234);
    ExpectAlong(b, 125, 125, 0.5, 125, 248);
    EXPECT_TRUE(b.GuardsIntact());

    TestBuffer both(250, 250, 24);  // both ends far, the line through the middle
    DrawLongLine(both.buffer(), {125 - 4e13, 125 + 1e13}, {125 + 4e13, 125 - 1e13}, 0x1234);
    ExpectAlong(both, 125, 125, -0.25, 1, 248);

    TestBuffer shallow(250, 250, 24);  // from 10^10 pixels left to 3 * 10^9 right
    DrawLongLine(shallow.buffer(), {-1e10, 0}, {3e9, 300}, 0x1234);
    ExpectAlong(shallow, -1e10, 0, 300 / 1.3e10, 1, 248);
}

TEST(LongLine, RegressionALineFromBeyond1e39IsCutFromItsNearerEnd) {
    // Found by fuzzing: measured from the far end, both cuts rounded to that end itself and an
    // uncut position reached the 32-bit conversion.
    TestBuffer b(40, 40, 24);
    DrawLongLine(b.buffer(), {-6.7996627017774231e+39, -39}, {3399831418, 20}, 0x1234);
    std::set<std::pair<int, int>> row;
    for (int x = 0; x < 40; ++x)
        row.insert({x, 20});
    EXPECT_EQ(b.Written(), row);
    EXPECT_TRUE(b.GuardsIntact());
}

TEST(LongLine, ALineThatPassesByDrawsNothing) {
    TestBuffer b(250, 250, 16);
    // Its ends saturated to (-2^31, -200) and (2^31 - 1, 500) would cross the buffer near row
    // 150; the line itself passes below it, near row 338.
    DrawLongLine(b.buffer(), {-1e10, -200}, {3e9, 500}, 0xFFFF);
    DrawLongLine(b.buffer(), {-1e300, -1e300}, {-1e300, 1e300}, 0xFFFF);
    EXPECT_TRUE(b.Written().empty());
}

TEST(LongLine, PositionsThatAreNotFiniteDrawNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TestBuffer b(50, 40, 24);
    EXPECT_EQ(DrawLongLine(b.buffer(), {10, 10}, {inf, 10}, 0x1234), 0);
    EXPECT_EQ(DrawLongLine(b.buffer(), {nan, 10}, {20, 20}, 0x1234), 0);
    EXPECT_TRUE(b.Written().empty());
}

}  // namespace
}  // namespace kvx
