#include <gtest/gtest.h>

#include <cstddef>

#include "resources/CursorImages.h"
#include "resources/Cursors.h"

namespace kvx::resources {
namespace {

char PixelAt(const CursorImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= CursorSize || y >= CursorSize) return '.';
    return image.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

TEST(CursorImages, EveryPictureIsWellFormedAndNamedInTableOrder) {
    for (int i = 0; i < static_cast<int>(CursorNames.size()); ++i) {
        const CursorImage& image = CursorImageAt(i);
        EXPECT_EQ(image.name, CursorNames[static_cast<std::size_t>(i)]);
        for (std::string_view row : image.rows) {
            ASSERT_EQ(row.size(), std::size_t{CursorSize}) << image.name;
            EXPECT_EQ(row.find_first_not_of("#o."), std::string_view::npos) << image.name;
        }
        ASSERT_TRUE(image.hotX >= 0 && image.hotX < CursorSize && image.hotY >= 0 &&
                    image.hotY < CursorSize)
            << image.name;
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
