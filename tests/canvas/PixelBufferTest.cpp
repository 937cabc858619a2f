#include <gtest/gtest.h>

#include "BufferFixture.h"
#include "canvas/PixelBuffer.h"

namespace kvx {
namespace {

using test::TestBuffer;

TEST(PackColor, PacksFiveSixFiveAndEightEightEight) {
    EXPECT_EQ(PackColor(255, 255, 255, 16), 65535u);
    EXPECT_EQ(PackColor(0, 0, 0, 16), 0u);
    EXPECT_EQ(PackColor(0, 0, 255, 16), 31u);
    EXPECT_EQ(PackColor(155, 155, 155, 16), 0x9CD3u);
    EXPECT_EQ(PackColor(255, 0, 0, 16), 0xF800u);
    EXPECT_EQ(PackColor(0, 255, 0, 16), 0x07E0u);
    EXPECT_EQ(PackColor(0, 0, 255, 24), 255u);
    EXPECT_EQ(PackColor(0x12, 0x34, 0x56, 24), 0x123456u);
    EXPECT_EQ(PackColor(255, 255, 255, 8), 0u);
    EXPECT_EQ(PackColor(255, 255, 255, 32), 0u);
}

// 24-bit pixels lie blue, green, red; 16-bit ones are two little-endian bytes.
TEST(PixelBuffer, PixelsLieInMemoryByteByByte) {
    TestBuffer t(8, 4, 24);
    HorizontalLine(t.buffer(), 0, 1, 7, 0x123456);
    const std::uint8_t* row = t.buffer().Address(0, 1);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(row[3 * x], 0x56);
        EXPECT_EQ(row[3 * x + 1], 0x34);
        EXPECT_EQ(row[3 * x + 2], 0x12);
    }
    EXPECT_TRUE(t.GuardsIntact());
    TestBuffer s(4, 4, 16);
    SetPixel(s.buffer(), 2, 3, 0x9CD3);
    EXPECT_EQ(s.buffer().Address(2, 3)[0], 0xD3);
    EXPECT_EQ(s.buffer().Address(2, 3)[1], 0x9C);
    EXPECT_EQ(s.Written().size(), 1u);
}

TEST(PixelBuffer, SetPixelOutsideWritesNothing) {
    for (int bpp : {16, 24}) {
        TestBuffer t(5, 5, bpp);
        for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {5, 0}, {0, 5}, {5, 5}})
            SetPixel(t.buffer(), x, y, 0xFFFF);
        EXPECT_TRUE(t.Written().empty());
        EXPECT_TRUE(t.GuardsIntact());
    }
}

TEST(HorizontalLine, ClipsOnceToTheBuffer) {
    for (int bpp : {16, 24}) {
        const int w = 20, h = 10;
        TestBuffer a(w, h, bpp), b(w, h, bpp);
        HorizontalLine(a.buffer(), -10, 3, 5, 1);
        HorizontalLine(b.buffer(), 5, 3, -10, 1);
        std::set<std::pair<int, int>> expected;
        for (int x = 0; x <= 5; ++x)
            expected.insert({x, 3});
        EXPECT_EQ(a.Written(), expected);
        EXPECT_EQ(b.Written(), expected);

        TestBuffer c(w, h, bpp);
        HorizontalLine(c.buffer(), w, 2, w + 9, 1);
        HorizontalLine(c.buffer(), -9, 2, -1, 1);
        HorizontalLine(c.buffer(), 0, -1, w - 1, 1);
        HorizontalLine(c.buffer(), 0, h, w - 1, 1);
        EXPECT_TRUE(c.Written().empty());

        TestBuffer d(w, h, bpp);
        HorizontalLine(d.buffer(), -100, h - 1, 100, 1);
        EXPECT_EQ(d.Written().size(), static_cast<std::size_t>(w));
        EXPECT_TRUE(d.GuardsIntact());
    }
}

TEST(VerticalLine, ClipsOnceToTheBuffer) {
    for (int bpp : {16, 24}) {
        const int w = 12, h = 9;
        TestBuffer t(w, h, bpp);
        VerticalLine(t.buffer(), w - 1, -5, h + 5, 7);
        std::set<std::pair<int, int>> expected;
        for (int y = 0; y < h; ++y)
            expected.insert({w - 1, y});
        EXPECT_EQ(t.Written(), expected);
        VerticalLine(t.buffer(), w, 0, h - 1, 7);
        VerticalLine(t.buffer(), -1, 0, h - 1, 7);
        VerticalLine(t.buffer(), 3, h, h + 4, 7);
        VerticalLine(t.buffer(), 3, -4, -1, 7);
        EXPECT_EQ(t.Written(), expected);
        EXPECT_TRUE(t.GuardsIntact());
    }
}

TEST(Fill, CoversTheRectangleClipped) {
    for (int bpp : {16, 24}) {
        TestBuffer t(10, 8, bpp);
        Fill(t.buffer(), {-3, 2, 4, 100}, 5);
        std::set<std::pair<int, int>> expected;
        for (int y = 2; y < 8; ++y)
            for (int x = 0; x < 4; ++x)
                expected.insert({x, y});
        EXPECT_EQ(t.Written(), expected);
        EXPECT_TRUE(t.GuardsIntact());
    }
}

TEST(Drawing, OtherDepthsDrawNothing) {
    TestBuffer t(6, 6, 24);
    PixelBuffer eight = t.buffer();
    eight.bitsPerPixel = 8;
    HorizontalLine(eight, 0, 0, 5, 0xFF);
    VerticalLine(eight, 0, 0, 5, 0xFF);
    Line(eight, 1, 1, 5, 4, 0xFF);
    Fill(eight, {0, 0, 6, 6}, 0xFF);
    SetPixel(eight, 1, 1, 0xFF);
    EXPECT_TRUE(t.Written().empty());
}

}  // namespace
}  // namespace kvx
