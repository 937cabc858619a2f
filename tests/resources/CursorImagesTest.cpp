#include <gtest/gtest.h>

#include <cstddef>

#include "resources/CursorImages.h"

namespace kvx::resources {
namespace {

char PixelAt(const CursorImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= CursorSize || y >= CursorSize) return '.';
    return image.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

// Names, row sizes, characters and hot spots inside the image are checked when the table is
// compiled; what is left is whether each hot spot sits on the picture.
TEST(CursorImages, HotSpotsSitOnThePictureAndBadIndicesGiveTheArrow) {
    for (int i = 0; i < 16; ++i) {
        const CursorImage& image = CursorImageAt(i);
        bool drawnNearHotSpot = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                drawnNearHotSpot |= PixelAt(image, image.hotX + dx, image.hotY + dy) != '.';
        EXPECT_TRUE(drawnNearHotSpot) << image.name;
    }
    EXPECT_EQ(CursorImageAt(16).name, "NORMAL");
    EXPECT_EQ(CursorImageAt(-1).name, "NORMAL");
}

TEST(CursorImages, AllSixteenDiffer) {
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b)
            EXPECT_NE(CursorImageAt(a).rows, CursorImageAt(b).rows)
                << CursorImageAt(a).name << " and " << CursorImageAt(b).name;
}

}  // namespace
}  // namespace kvx::resources
