// The render passes of the orthographic views, checked pixel by pixel at 16 and 24 bits.

#include <gtest/gtest.h>

#include <vector>

#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "views/RenderPasses.h"

namespace kvx {
namespace {

constexpr PixelValue Background16 = 0x9CD3;

class RenderPassesTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_EQ(root.Create(), 1);
        scene = std::make_unique<Scene>(root);
        ASSERT_EQ(canvas.Create(250, 250, Bits()), 1);
        background = canvas.Pack(155, 155, 155);
        canvas.FillAll(background);
        ASSERT_TRUE(canvas.Lock());
    }
    void TearDown() override { canvas.Unlock(); }

    int Bits() const { return GetParam(); }
    PixelValue At(int x, int y) const { return canvas.Surface().Get(x, y); }
    PixelValue Red() const { return canvas.Pack(255, 0, 0); }

    std::int32_t Triangle(double ax, double ay, double az, double bx, double by, double bz,
                          double cx, double cy, double cz, std::int32_t layer = 0) {
        const std::int32_t saved = scene->currentLayer;
        scene->currentLayer = layer;
        const std::vector<std::int32_t> list = {scene->AppendVertex(ax, ay, az, layer),
                                                scene->AppendVertex(bx, by, bz, layer),
                                                scene->AppendVertex(cx, cy, cz, layer)};
        const std::int32_t f = scene->CreateFaceFromList(list);
        scene->currentLayer = saved;
        return f;
    }

    rm::SceneRoot root;
    std::unique_ptr<Scene> scene;
    Canvas canvas;
    PixelValue background = 0;
    ViewState top;  // width 20 around the origin: pixel = 12.5 * world + 125
};

TEST_P(RenderPassesTest, BackgroundAndGreysPackForTheDepth) {
    const PackedColours c = PackedColours::For(Bits());
    if (Bits() == 16) {
        EXPECT_EQ(background, Background16);
        EXPECT_EQ(c.grey120, 0x7BCFu);
        EXPECT_EQ(c.grey100, 0x632Cu);
    } else {
        EXPECT_EQ(background, 0x9B9B9Bu);
        EXPECT_EQ(c.grey120, 0x787878u);
        EXPECT_EQ(c.grey100, 0x646464u);
    }
    EXPECT_EQ(c.black, 0u);
}

// With a width of 120 the grid spans pixels 20 .. 229: lines at -50 .. 49 only.
TEST_P(RenderPassesTest, GridHasLinesFromMinus50To49AndNoneAt50) {
    ViewState wide;
    wide.width = 120.0;
    const PixelValue g = PackedColours::For(Bits()).grey120;
    DrawGrid(canvas, wide, ViewTop, g);
    EXPECT_EQ(At(20, 121), g);            // x = -50
    EXPECT_EQ(At(227, 121), g);           // x = 49
    EXPECT_EQ(At(229, 121), background);  // x = 50 has no line
    EXPECT_EQ(At(100, 20), g);            // a vertical line reaches z = 50
    EXPECT_EQ(At(101, 20), background);   // but no horizontal line lies there
    EXPECT_EQ(At(101, 22), g);            // z = 49
    EXPECT_EQ(At(101, 229), g);           // z = -50
    EXPECT_EQ(At(101, 230), background);
    EXPECT_EQ(At(19, 121), background);  // nothing beyond -50

    // The front view's grid lies in x and y.
    canvas.FillAll(background);
    DrawGrid(canvas, top, ViewFront, g);
    // x = 1 is column 137, y = 1 is row 112 (v = -y); between them nothing.
    EXPECT_EQ(At(137, 5), g);
    EXPECT_EQ(At(5, 112), g);
    EXPECT_EQ(At(131, 118), background);
}

TEST_P(RenderPassesTest, RulersCrossAtTheOriginAndIgnoreTheDepthAxis) {
    const PixelValue r = PackedColours::For(Bits()).grey100;
    MouseState mouse;
    DrawRulers(canvas, top, ViewTop, false, mouse, r);
    EXPECT_EQ(At(0, 125), r);
    EXPECT_EQ(At(249, 125), r);
    EXPECT_EQ(At(125, 0), r);
    EXPECT_EQ(At(125, 249), r);
    EXPECT_EQ(At(124, 124), background);
    EXPECT_EQ(At(126, 126), background);
}

TEST_P(RenderPassesTest, CrossHairOnlyInTheViewUnderTheMouse) {
    const PixelValue r = PackedColours::For(Bits()).grey100;
    MouseState mouse;
    mouse.pixelX = 30.7;
    mouse.pixelY = 40.2;
    mouse.activeView = ViewBottom;
    DrawRulers(canvas, top, ViewTop, true, mouse, r);
    EXPECT_EQ(At(30, 10), background);
    mouse.activeView = ViewTop;
    DrawRulers(canvas, top, ViewTop, true, mouse, r);
    EXPECT_EQ(At(30, 10), r);
    EXPECT_EQ(At(30, 249), r);
    EXPECT_EQ(At(10, 40), r);
    EXPECT_EQ(At(31, 10), background);
}

TEST_P(RenderPassesTest, SnapMarkerIsAHashAroundTheWorldCursor) {
    MouseState mouse;
    mouse.worldX = 2;
    mouse.worldZ = -3;  // pixel (150, 162)
    const PixelValue black = PackedColours::For(Bits()).black;
    DrawSnapMarker(canvas, top, ViewTop, mouse, black);
    EXPECT_EQ(At(148, 161), black);
    EXPECT_EQ(At(152, 163), black);
    EXPECT_EQ(At(149, 160), black);
    EXPECT_EQ(At(151, 164), black);
    EXPECT_EQ(At(150, 162), background);
    EXPECT_EQ(At(153, 161), background);
}

TEST_P(RenderPassesTest, RubberBandOutlinesTheDraggedRectangle) {
    MouseState mouse;
    mouse.pixelX = 50.9;
    mouse.pixelY = 60.2;
    const PixelValue blue = canvas.Pack(0, 0, 255);
    DrawRubberBand(canvas, PixelPoint{10, 20}, mouse, blue);
    EXPECT_EQ(At(10, 20), blue);
    EXPECT_EQ(At(50, 60), blue);
    EXPECT_EQ(At(30, 20), blue);
    EXPECT_EQ(At(30, 60), blue);
    EXPECT_EQ(At(10, 40), blue);
    EXPECT_EQ(At(50, 40), blue);
    EXPECT_EQ(At(30, 40), background);
    EXPECT_EQ(blue, Bits() == 16 ? 0x001Fu : 0x0000FFu);
}

TEST_P(RenderPassesTest, FaceOutlineInItsColourSkipsHiddenFacesAndOtherLayers) {
    const std::int32_t f =
        Triangle(-4, 0, 4, 4, 0, 4, 4, 0, -4);  // pixels (75,75) (175,75) (175,175)
    scene->faces[static_cast<std::size_t>(f)].SetColor(200, 100, 50);
    const PixelValue c = canvas.Pack(200, 100, 50);
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_EQ(At(120, 75), c);   // edge 1 -> 0
    EXPECT_EQ(At(175, 120), c);  // edge 2 -> 1
    EXPECT_EQ(At(120, 120), c);  // closing edge 0 -> 2

    canvas.FillAll(background);
    scene->faces[static_cast<std::size_t>(f)].hidden = 1;
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_EQ(At(120, 75), background);

    canvas.FillAll(background);
    scene->faces[static_cast<std::size_t>(f)].hidden = 0;
    scene->vertices[0].hidden = 1;  // a hidden corner hides the face
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_EQ(At(175, 120), background);

    canvas.FillAll(background);
    scene->vertices[0].hidden = 0;
    scene->currentLayer = 3;
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_EQ(At(175, 120), background);
    scene->allLayers = 1;
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_EQ(At(175, 120), c);
}

TEST_P(RenderPassesTest, NormalsAreRedLinesOneUnitLong) {
    // A face in the plane x = 0: its normal lies along x, 12.5 pixels in the top view.
    const std::int32_t f = Triangle(0, 0, 0, 0, 1, 0, 0, 0, 4);
    const Face& face = scene->faces[static_cast<std::size_t>(f)];
    const rm::Vec3 n = face.Normal(scene->vertices);
    ASSERT_NE(n.x, 0.0);
    const int dir = n.x > 0 ? 1 : -1;
    DrawFaceOutlines(canvas, *scene, top, ViewTop, false);
    EXPECT_NE(At(125 + 6 * dir, 125), Red());
    DrawFaceOutlines(canvas, *scene, top, ViewTop, true);
    EXPECT_EQ(At(125 + 6 * dir, 125), Red());
    EXPECT_EQ(At(125 + 11 * dir, 125), Red());
    EXPECT_NE(At(125 + 14 * dir, 125), Red());
}

TEST_P(RenderPassesTest, VertexMarkersUseTheRawValue255) {
    scene->AppendVertex(0, 0, 0, 0);       // pixel (125, 125)
    scene->AppendVertex(-9.2, 0, 9.2, 0);  // pixel (10, 10)
    scene->ToggleVertex(1);
    PointLightMarker light;
    DrawVertices(canvas, *scene, top, ViewTop, light);
    EXPECT_EQ(At(124, 125), RawVertexMarker);
    EXPECT_EQ(At(125, 124), RawVertexMarker);
    EXPECT_EQ(At(126, 125), RawVertexMarker);
    EXPECT_EQ(At(125, 126), RawVertexMarker);
    EXPECT_EQ(At(124, 124), background);
    // Selected: the centre pixel and an 11 x 11 square.
    EXPECT_EQ(At(10, 10), RawVertexMarker);
    EXPECT_EQ(At(5, 5), RawVertexMarker);
    EXPECT_EQ(At(15, 5), RawVertexMarker);
    EXPECT_EQ(At(5, 15), RawVertexMarker);
    EXPECT_EQ(At(15, 15), RawVertexMarker);
    EXPECT_EQ(At(10, 9), background);
    EXPECT_EQ(At(4, 5), background);
    // In 24 bits the raw 255 is pure blue.
    const PixelBuffer b = canvas.Surface();
    if (Bits() == 24) {
        const std::uint8_t* p = b.Address(124, 125);
        EXPECT_EQ(p[0], 255);  // blue
        EXPECT_EQ(p[1], 0);
        EXPECT_EQ(p[2], 0);
    }
    // The canvas stays locked for the passes that follow.
    EXPECT_TRUE(canvas.IsLocked());
}

TEST_P(RenderPassesTest, VerticesOfOtherLayersAndHiddenOnesAreNotDrawn) {
    scene->AppendVertex(0, 0, 0, 3);
    scene->AppendVertex(4, 0, 0, 0);  // (175, 125)
    scene->vertices[1].hidden = 1;
    DrawVertices(canvas, *scene, top, ViewTop, PointLightMarker{});
    EXPECT_EQ(At(124, 125), background);
    EXPECT_EQ(At(174, 125), background);
    scene->allLayers = 1;
    DrawVertices(canvas, *scene, top, ViewTop, PointLightMarker{});
    EXPECT_EQ(At(124, 125), RawVertexMarker);
}

TEST_P(RenderPassesTest, PointLightMarkerIsARedDiagonalCrossAtItsPlacement) {
    PointLightMarker light;  // (0, 1, -5): pixel (125, 187)
    DrawVertices(canvas, *scene, top, ViewTop, light);
    EXPECT_EQ(At(120, 182), background);
    light.shown = true;
    DrawVertices(canvas, *scene, top, ViewTop, light);
    EXPECT_EQ(At(120, 182), Red());
    EXPECT_EQ(At(129, 191), Red());
    EXPECT_EQ(At(130, 182), Red());
    EXPECT_EQ(At(121, 191), Red());
    EXPECT_EQ(At(130, 192), background);  // the end points are not drawn
}

TEST_P(RenderPassesTest, SelectedFacesAre0xFFFFEvenWhenHidden) {
    const std::int32_t f = Triangle(-4, 0, 4, 4, 0, 4, 4, 0, -4);
    scene->ToggleFace(f);
    scene->faces[static_cast<std::size_t>(f)].hidden = 1;
    scene->currentLayer = 5;
    DrawSelectedFaces(canvas, *scene, top, ViewTop);
    EXPECT_EQ(At(120, 75), RawSelectedFace);
    EXPECT_EQ(At(175, 120), RawSelectedFace);
    EXPECT_EQ(At(120, 120), RawSelectedFace);
    if (Bits() == 24) {
        const std::uint8_t* p = canvas.Surface().Address(120, 75);
        EXPECT_EQ(p[2], 0);    // red
        EXPECT_EQ(p[1], 255);  // green
        EXPECT_EQ(p[0], 255);  // blue
    }
}

TEST_P(RenderPassesTest, AllPassesLayerSelectedFacesOverVerticesOverOutlines) {
    const std::int32_t f = Triangle(-4, 0, 4, 4, 0, 4, 4, 0, -4);
    ViewPassInputs in;
    in.colours = PackedColours::For(Bits());
    DrawViewPasses(canvas, *scene, top, ViewTop, in);
    EXPECT_EQ(At(0, 125), in.colours.grey100);       // rulers
    EXPECT_EQ(At(76, 75), RawVertexMarker);          // marker over the outline
    EXPECT_EQ(At(120, 75), canvas.Pack(0, 0, 255));  // new faces are blue
    scene->ToggleFace(f);
    DrawViewPasses(canvas, *scene, top, ViewTop, in);
    EXPECT_EQ(At(76, 75), RawSelectedFace);  // selected face over the marker
    in.showRulers = false;
    canvas.FillAll(background);
    DrawViewPasses(canvas, *scene, top, ViewTop, in);
    EXPECT_EQ(At(0, 125), background);
}

INSTANTIATE_TEST_SUITE_P(Depths, RenderPassesTest, ::testing::Values(16, 24),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
}  // namespace kvx
