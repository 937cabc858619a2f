// Regressions of the flat views with geometry far from the view's centre (or a modest distance
// at a deep zoom): nothing overflows, and what is drawn is the line that is there, to the pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "scene/SceneFixture.h"
#include "views/ViewsRedraw.h"

namespace kvx::test {
namespace {

class FarGeometryTest : public SceneTest {
  protected:
    FarGeometryTest() {
        canvas.Create(ViewPixels, ViewPixels, 24);
        in.colours = PackedColours::For(24);
        in.showRulers = false;
    }
    void Draw(const ViewState& state) {
        canvas.FillAll(Background);
        canvas.Lock();
        const ViewTarget target{&canvas, &state, ViewTop};
        redraw.Draw(scene, {&target, 1}, in, 1, {});
        canvas.Unlock();
    }
    // The pixels of one colour.
    std::set<std::pair<int, int>> Pixels(PixelValue c) {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < ViewPixels; ++y)
            for (int x = 0; x < ViewPixels; ++x)
                if (canvas.Surface().Get(x, y) == c) out.insert({x, y});
        return out;
    }
    // Every pixel of colour c lies where the line routine puts y = y0 + slope * (x - x0): within
    // the pixel its rounding takes and half a pixel for a cut end; each column from..to holds one.
    void ExpectAlong(PixelValue c, double x0, double y0, double slope, int from, int to) {
        std::set<int> columns;
        for (const auto& [x, y] : Pixels(c)) {
            EXPECT_LE(std::abs(y - (y0 + slope * (x - x0))), 1.5) << x << "," << y;
            columns.insert(x);
        }
        for (int x = from; x <= to; ++x)
            EXPECT_TRUE(columns.count(x)) << "column " << x;
    }
    // A triangle whose third corner repeats the second's position, so that its outline is the
    // one line from a to b, drawn both ways.
    void Line(double ax, double az, double bx, double bz, bool select) {
        const auto a = AddVertex(ax, 0, az), b = AddVertex(bx, 0, bz), c = AddVertex(bx, 0, bz);
        const auto f = MakeFace({a, b, c});
        scene.faces[static_cast<std::size_t>(f)].SetColor(0, 255, 0);
        for (const auto v : {a, b, c})
            scene.vertices[static_cast<std::size_t>(v)].hidden = 0;
        scene.ClearVertexSelection();
        if (select) SelectFaces({f});
    }

    static constexpr PixelValue Background = 0x9B9B9B;
    static constexpr PixelValue Green = 0x00FF00;
    Canvas canvas;
    ViewPassInputs in;
    ViewsRedraw redraw;
};

TEST_F(FarGeometryTest, RegressionAnEdgeToAFarVertexKeepsItsDirection) {
    // Top view, width 20: pixel (12.5 x + 125, 125 - 12.5 z). The far corner lies at
    // (125 + 2e12, 125 + 1e12): saturated to 32 bits it would be drawn at 45 degrees.
    Line(0, 0, 1.6e11, -8e10, false);
    Draw(ViewState{});
    ExpectAlong(Green, 125, 125, 0.5, 127, 248);
}

TEST_F(FarGeometryTest, RegressionASelectedFaceWithAFarVertexKeepsItsDirection) {
    // 1.7e8 units out: the pixel is beyond the 32-bit range.
    Line(0, 0, -1.7e8, -1.7e8, true);
    Draw(ViewState{});
    ExpectAlong(RawSelectedFace, 125, 125, -1.0, 2, 123);
}

TEST_F(FarGeometryTest, RegressionAnEdgeBetweenTwoFarVerticesIsDrawnWhereItPasses) {
    // From pixel (-1e10 + 125, 0) to (3e9 + 125, 300); with saturated ends the line would
    // cross near row 150 instead of 231.
    Line(-8e8, 10, 2.4e8, -14, false);
    Draw(ViewState{});
    ExpectAlong(Green, -1e10 + 125, 0, 300 / 1.3e10, 1, 248);
}

TEST_F(FarGeometryTest, RegressionModestCoordinatesAtADeepZoom) {
    // Width 1e-7: pixel (2.5e9 x + 125, 125 - 2.5e9 z).
    Line(0, 0, 1, -0.5, true);
    ViewState deep;
    deep.width = 1e-7;
    Draw(deep);
    ExpectAlong(RawSelectedFace, 125, 125, 0.5, 127, 248);
}

TEST_F(FarGeometryTest, RegressionFarMarkersDrawNothing) {
    // A far vertex marker, the point-light cross and the snap marker far away: nothing to see.
    const auto v = AddVertex(1.7e8, 0, 0);
    scene.ToggleVertex(v);
    in.pointLight = {true, 1.7e8, 0, 0};
    in.magneticGrid = true;
    in.mouse.worldX = -1.7e8;
    Draw(ViewState{});
    EXPECT_EQ(Pixels(Background).size(), std::size_t{ViewPixels} * ViewPixels);
    // The same at a deep zoom with modest coordinates.
    in.pointLight = {true, 0.5, 0, 0};
    in.mouse.worldX = 0.25;
    ViewState deep;
    deep.width = 1e-7;
    Draw(deep);
    EXPECT_EQ(Pixels(Background).size(), std::size_t{ViewPixels} * ViewPixels);
}

TEST_F(FarGeometryTest, RegressionTheMirrorLineToAFarAnchorKeepsItsDirection) {
    in.mirrorLineActive = true;
    in.mouse.pixelX = 125;
    in.mouse.pixelY = 125;
    in.mirrorAnchor[0] = 1.6e11;
    in.mirrorAnchor[2] = -8e10;
    Draw(ViewState{});
    ExpectAlong(0x0000FF, 125, 125, 0.5, 127, 248);
}

TEST_F(FarGeometryTest, TheViewWidthStaysWhereEveryFloatProjectsToAFinitePixel) {
    ViewState s;
    for (int i = 0; i < 2000; ++i)
        ZoomOutView(s);
    EXPECT_LE(s.width, MaxViewWidth);
    EXPECT_GT(s.width, MaxViewWidth / 2);
    EXPECT_TRUE(std::isfinite(ProjectPosition(3.4e38f, 0, -3.4e38f, s, ViewTop).x));

    MouseState mouse;
    LoupeDrag loupe;
    loupe.Begin(mouse, ViewTop);
    mouse.worldX = MinViewWidth / 2;  // a rectangle narrower than the narrowest view
    EXPECT_FALSE(loupe.End(s, mouse, ViewTop));
    loupe.Begin(MouseState{}, ViewTop);
    mouse.worldX = MinViewWidth;
    EXPECT_TRUE(loupe.End(s, mouse, ViewTop));
    EXPECT_TRUE(std::isfinite(ProjectPosition(3.4e38f, 0, -3.4e38f, s, ViewTop).x));
}

}  // namespace
}  // namespace kvx::test
