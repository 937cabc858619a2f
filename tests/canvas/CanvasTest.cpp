#include <gtest/gtest.h>

#include "canvas/Canvas.h"

namespace kvx {
namespace {

TEST(Canvas, CreatesOnlyAtSixteenOrTwentyFourBits) {
    Canvas c;
    EXPECT_EQ(c.Create(250, 250, 8), 0);
    EXPECT_EQ(c.Create(0, 250, 16), 0);
    EXPECT_FALSE(c.Lock());
    EXPECT_EQ(c.Create(250, 250, 16), 1);
    EXPECT_GE(c.Pitch(), 500);
    EXPECT_EQ(c.Create(250, 250, 24), 1);
    EXPECT_GE(c.Pitch(), 750);
    EXPECT_EQ(c.Pitch() % 4, 0);
}

TEST(Canvas, NestedLocksEndWithTheOutermostUnlock) {
    Canvas c;
    ASSERT_EQ(c.Create(16, 16, 24), 1);
    ASSERT_TRUE(c.Lock());
    c.HorizontalLine(0, 1, 15, 0x0000FF);
    // SetPixel brackets its own lock; the outer lock stays valid for the drawing that follows.
    c.SetPixel(3, 3, 0xFF0000);
    EXPECT_TRUE(c.IsLocked());
    c.HorizontalLine(0, 2, 15, 0x00FF00);
    c.Unlock();
    EXPECT_FALSE(c.IsLocked());
    const PixelBuffer s = c.Surface();
    EXPECT_EQ(s.Get(15, 1), 0x0000FFu);
    EXPECT_EQ(s.Get(3, 3), 0xFF0000u);
    EXPECT_EQ(s.Get(7, 2), 0x00FF00u);
}

TEST(Canvas, DrawsNothingUnlockedOrReleased) {
    Canvas c;
    ASSERT_EQ(c.Create(8, 8, 16), 1);
    c.HorizontalLine(0, 0, 7, 0xFFFF);
    c.VerticalLine(0, 0, 7, 0xFFFF);
    c.Line(1, 1, 6, 6, 0xFFFF);
    EXPECT_EQ(c.DrawLine(1, 1, 1, 1, 0xFFFF), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c.Surface().Get(x, y), 0u);
    c.Release();
    c.SetPixel(1, 1, 0xFFFF);  // no surface: nothing to write
    EXPECT_FALSE(c.FillAll(1));
    EXPECT_EQ(c.Present(), 0);
}

TEST(Canvas, FillAndPresentShowTheWholeSurface) {
    Canvas c;
    ASSERT_EQ(c.Create(5, 3, 24), 1);
    EXPECT_EQ(c.Present(), 0);  // nothing shows it yet
    EXPECT_TRUE(c.FillAll(c.Pack(155, 155, 155)));
    int presented = 0;
    c.SetPresenter([&](const PixelBuffer& b) {
        ++presented;
        EXPECT_EQ(b.width, 5);
        EXPECT_EQ(b.height, 3);
        EXPECT_EQ(b.Get(4, 2), 0x9B9B9Bu);
        return true;
    });
    EXPECT_EQ(c.Present(), 1);
    EXPECT_EQ(presented, 1);
    c.SetPresenter([](const PixelBuffer&) { return false; });
    EXPECT_EQ(c.Present(), 0);
}

}  // namespace
}  // namespace kvx
