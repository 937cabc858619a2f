// The triangle rasteriser: fill rule, depth test, colours, clipping to the target rectangle.

#include "retained/Rasteriser.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "canvas/Canvas.h"

namespace kvx::rm {
namespace {

constexpr std::int32_t Side = 40;

// Subpixel coordinate of pixel centre p.
constexpr std::int32_t Centre(std::int32_t p) {
    return p * SubpixelOne + SubpixelHalf;
}

struct Target {
    explicit Target(int bits = 24, std::int32_t w = Side, std::int32_t h = Side) {
        canvas.Create(w, h, bits);
        depth.Resize(w, h);
        Clear();
    }
    void Clear() {
        canvas.FillAll(0);
        depth.Clear({0, 0, canvas.Width(), canvas.Height()});
    }
    RasterTarget Raster(PixelRect clip) { return {canvas.Surface(), &depth, clip}; }
    RasterTarget Raster() { return Raster({0, 0, canvas.Width(), canvas.Height()}); }
    bool Written(std::int32_t x, std::int32_t y) const { return canvas.Surface().Get(x, y) != 0; }
    int WrittenCount() const {
        int n = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                n += Written(x, y);
        return n;
    }

    Canvas canvas;
    DepthBuffer depth;
};

RasterVertex V(std::int32_t x, std::int32_t y, float depth = 0.5f, Vec3f color = {255, 255, 255}) {
    return {x, y, depth, color};
}

// Draws a, b, c the way the renderer does: bounds, then area, then the rasteriser.
void Draw(const RasterTarget& t, const RasterVertex& a, const RasterVertex& b,
          const RasterVertex& c) {
    const PixelRect pixels =
        CentresWithin(std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}),
                      std::min({a.y, b.y, c.y}), std::max({a.y, b.y, c.y}), t.clip);
    RasteriseTriangle(t, pixels, ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y), a, b, c);
}

// A mesh of cells with jittered inner corners, some of them on pixel centres or pixel edges,
// and its outer border on pixel edges: every pixel inside must be drawn by exactly one triangle.
TEST(Rasteriser, TrianglesSharingEdgesDrawEveryPixelOnce) {
    std::mt19937 random(7);
    // Cells of 6 pixels whose corners move at most a pixel each way stay convex.
    constexpr int Cells = 5, CellPixels = 6;
    std::uniform_int_distribution<int> jitter(-2, 2);
    std::vector<std::pair<std::int32_t, std::int32_t>> corner((Cells + 1) * (Cells + 1));
    for (int i = 0; i <= Cells; ++i)
        for (int j = 0; j <= Cells; ++j) {
            std::int32_t x = (4 + i * CellPixels) * SubpixelOne,
                         y = (4 + j * CellPixels) * SubpixelOne;
            if (i > 0 && i < Cells && j > 0 && j < Cells) {
                x += jitter(random) * SubpixelHalf;  // whole and half pixels: centres and edges
                y += jitter(random) * SubpixelHalf;
            }
            corner[static_cast<std::size_t>(i * (Cells + 1) + j)] = {x, y};
        }
    const auto at = [&](int i, int j) {
        const auto [x, y] = corner[static_cast<std::size_t>(i * (Cells + 1) + j)];
        return V(x, y);
    };
    Target target;
    std::vector<int> count(Side * Side, 0);
    for (int i = 0; i < Cells; ++i)
        for (int j = 0; j < Cells; ++j) {
            const RasterVertex p00 = at(i, j), p10 = at(i + 1, j), p01 = at(i, j + 1),
                               p11 = at(i + 1, j + 1);
            const RasterVertex tris[2][3] = {{p00, p10, p11}, {p00, p11, p01}};
            const RasterVertex other[2][3] = {{p00, p10, p01}, {p10, p11, p01}};
            for (const auto& t : ((i + j) % 2 ? tris : other)) {
                target.Clear();
                Draw(target.Raster(), t[0], t[1], t[2]);
                for (int y = 0; y < Side; ++y)
                    for (int x = 0; x < Side; ++x)
                        count[static_cast<std::size_t>(y * Side + x)] += target.Written(x, y);
            }
        }
    const int first = 4, last = 4 + Cells * CellPixels;  // pixels first .. last - 1 lie inside
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const bool inside = x >= first && x < last && y >= first && y < last;
            EXPECT_EQ(count[static_cast<std::size_t>(y * Side + x)], inside ? 1 : 0)
                << "pixel " << x << ", " << y;
        }
}

// Edges through pixel centres: the top and left edges keep their centres, the bottom and right
// ones do not.
TEST(Rasteriser, CentresOnTopAndLeftEdgesBelongToTheTriangle) {
    Target target;
    const RasterVertex tl = V(Centre(2), Centre(2)), tr = V(Centre(6), Centre(2));
    const RasterVertex bl = V(Centre(2), Centre(6)), br = V(Centre(6), Centre(6));
    Draw(target.Raster(), tl, tr, br);
    Draw(target.Raster(), tl, br, bl);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(target.Written(x, y), x >= 2 && x < 6 && y >= 2 && y < 6) << x << ", " << y;
}

// The quick test that spares small triangles their set-up agrees with what the rasteriser draws.
TEST(Rasteriser, CentreTestAgreesWithTheRasteriser) {
    std::mt19937 random(11);
    std::uniform_int_distribution<std::int32_t> pos(Centre(10) - 40, Centre(10) + 40);
    Target target;
    int covering = 0, tested = 0;
    while (tested < 3000) {
        RasterVertex a = V(pos(random), pos(random)), b = V(pos(random), pos(random)),
                     c = V(pos(random), pos(random));
        if (ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y) < 0) std::swap(b, c);
        if (ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y) <= 0) continue;
        const PixelRect bounds =
            CentresWithin(std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}),
                          std::min({a.y, b.y, c.y}), std::max({a.y, b.y, c.y}), {0, 0, Side, Side});
        if (IsEmpty(bounds) ||
            (bounds.right - bounds.left) * (bounds.bottom - bounds.top) > CentreProbeLimit)
            continue;
        ++tested;
        target.Clear();
        Draw(target.Raster(), a, b, c);
        const bool drawn = target.WrittenCount() > 0;
        covering += drawn;
        ASSERT_EQ(CoversSomeCentre(a.x, a.y, b.x, b.y, c.x, c.y, bounds), drawn)
            << a.x << "," << a.y << " " << b.x << "," << b.y << " " << c.x << "," << c.y;
    }
    EXPECT_GT(covering, 100);  // both outcomes were exercised
    EXPECT_LT(covering, 2900);
}

// Colours blend linearly across the screen: here red grows by 10 per pixel to the right.
TEST(Rasteriser, GouraudColoursFollowThePlaneThroughTheCorners) {
    Target target;
    Draw(target.Raster(), V(Centre(0), Centre(0), 0.5f, {0, 50, 0}),
         V(Centre(20), Centre(0), 0.5f, {200, 50, 0}), V(Centre(0), Centre(20), 0.5f, {0, 50, 0}));
    int checked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            if (!target.Written(x, y)) continue;
            ASSERT_EQ(target.canvas.Surface().Get(x, y),
                      static_cast<PixelValue>((10 * x) << 16 | 50 << 8))
                << x << ", " << y;
            ++checked;
        }
    EXPECT_GT(checked, 150);
}

TEST(Rasteriser, EdgesIncludeBothEnds) {
    Target target;
    DrawEdge(target.Raster(), V(Centre(2), Centre(3)), V(Centre(12), Centre(8)), {255, 255, 255});
    EXPECT_TRUE(target.Written(2, 3));
    EXPECT_TRUE(target.Written(12, 8));
    EXPECT_EQ(target.WrittenCount(), 11);  // one pixel per column along the longer axis
}

}  // namespace
}  // namespace kvx::rm
