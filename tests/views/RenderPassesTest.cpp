// The render passes of the orthographic views, checked pixel by pixel at 16 and 24 bits.

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "views/ViewsRedraw.h"

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
    // Every pass of the top view as the editor draws it; without rulers unless asked for.
    void Draw(const ViewPassInputs& in) {
        const ViewTarget target{&canvas, &top, ViewTop};
        redraw.Draw(*scene, {&target, 1}, in, 1, {});
    }
    void Draw(bool showNormals = false, const PointLightMarker& light = {}) {
        ViewPassInputs in;
        in.colours = PackedColours::For(Bits());
        in.showRulers = false;
        in.showNormals = showNormals;
        in.pointLight = light;
        Draw(in);
    }
    PixelValue At(int x, int y) const { return canvas.Surface().Get(x, y); }
    PixelValue Red() const { return canvas.Pack(255, 0, 0); }
    void Expect(PixelValue v, std::initializer_list<std::pair<int, int>> pixels) const {
        for (const auto& [x, y] : pixels)
            EXPECT_EQ(At(x, y), v) << "pixel " << x << ", " << y;
    }

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
    ViewsRedraw redraw;
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
    // x = -50 and 49, a vertical line reaching z = 50, z = 49 and -50.
    Expect(g, {{20, 121}, {227, 121}, {100, 20}, {101, 22}, {101, 229}});
    // x = 50 has no line, nor z = 50 a horizontal one; nothing beyond -50.
    Expect(background, {{229, 121}, {101, 20}, {101, 230}, {19, 121}});

    // The front view's grid lies in x and y.
    canvas.FillAll(background);
    DrawGrid(canvas, top, ViewFront, g);
    // x = 1 is column 137, y = 1 is row 112 (v = -y); between them nothing.
    Expect(g, {{137, 5}, {5, 112}});
    EXPECT_EQ(At(131, 118), background);
}

// The rulers cross at the origin and ignore the depth axis; the cross-hair shows only in the view
// under the mouse.
TEST_P(RenderPassesTest, RulersCrossAtTheOriginAndTheCrossHairFollowsTheMouse) {
    const PixelValue r = PackedColours::For(Bits()).grey100;
    MouseState mouse;
    DrawRulers(canvas, top, ViewTop, false, mouse, r);
    Expect(r, {{0, 125}, {249, 125}, {125, 0}, {125, 249}});
    Expect(background, {{124, 124}, {126, 126}});
    mouse.pixelX = 30.7;
    mouse.pixelY = 40.2;
    mouse.activeView = ViewBottom;
    DrawRulers(canvas, top, ViewTop, true, mouse, r);
    EXPECT_EQ(At(30, 10), background);
    mouse.activeView = ViewTop;
    DrawRulers(canvas, top, ViewTop, true, mouse, r);
    Expect(r, {{30, 10}, {30, 249}, {10, 40}});
    EXPECT_EQ(At(31, 10), background);
}

TEST_P(RenderPassesTest, SnapMarkerIsAHashAroundTheWorldCursor) {
    MouseState mouse;
    mouse.worldX = 2;
    mouse.worldZ = -3;  // pixel (150, 162)
    const PixelValue black = PackedColours::For(Bits()).black;
    DrawSnapMarker(canvas, top, ViewTop, mouse, black);
    Expect(black, {{148, 161}, {152, 163}, {149, 160}, {151, 164}});
    Expect(background, {{150, 162}, {153, 161}});
}

TEST_P(RenderPassesTest, RubberBandOutlinesTheDraggedRectangle) {
    MouseState mouse;
    mouse.pixelX = 50.9;
    mouse.pixelY = 60.2;
    const PixelValue blue = canvas.Pack(0, 0, 255);
    DrawRubberBand(canvas, PixelPoint{10, 20}, mouse, blue);
    Expect(blue, {{10, 20}, {50, 60}, {30, 20}, {30, 60}, {10, 40}, {50, 40}});
    EXPECT_EQ(At(30, 40), background);
    EXPECT_EQ(blue, Bits() == 16 ? 0x001Fu : 0x0000FFu);
}

TEST_P(RenderPassesTest, FaceOutlineInItsColourSkipsHiddenFacesAndOtherLayers) {
    const std::int32_t f =
        Triangle(-4, 0, 4, 4, 0, 4, 4, 0, -4);  // pixels (75,75) (175,75) (175,175)
    scene->faces[static_cast<std::size_t>(f)].SetColor(200, 100, 50);
    const PixelValue c = canvas.Pack(200, 100, 50);
    Draw();
    Expect(c, {{120, 75}, {175, 120}, {120, 120}});  // edges 1 -> 0, 2 -> 1 and 0 -> 2

    canvas.FillAll(background);
    scene->faces[static_cast<std::size_t>(f)].hidden = 1;
    ++scene->faceVisibilityRevision;  // as the scene's own commands count it
    Draw();
    EXPECT_EQ(At(120, 75), background);

    canvas.FillAll(background);
    scene->faces[static_cast<std::size_t>(f)].hidden = 0;
    ++scene->faceVisibilityRevision;
    scene->vertices[0].hidden = 1;  // a hidden corner hides the face
    Draw();
    EXPECT_EQ(At(175, 120), background);

    canvas.FillAll(background);
    scene->vertices[0].hidden = 0;
    scene->currentLayer = 3;
    Draw();
    EXPECT_EQ(At(175, 120), background);
    scene->allLayers = 1;
    Draw();
    EXPECT_EQ(At(175, 120), c);
}

TEST_P(RenderPassesTest, NormalsAreRedLinesOneUnitLong) {
    // A face in the plane x = 0: its normal lies along x, 12.5 pixels in the top view.
    const std::int32_t f = Triangle(0, 0, 0, 0, 1, 0, 0, 0, 4);
    const Face& face = scene->faces[static_cast<std::size_t>(f)];
    const rm::Vec3 n = face.Normal(scene->vertices);
    ASSERT_NE(n.x, 0.0);
    const int dir = n.x > 0 ? 1 : -1;
    Draw();
    EXPECT_NE(At(125 + 6 * dir, 125), Red());
    Draw(true);
    EXPECT_EQ(At(125 + 6 * dir, 125), Red());
    EXPECT_EQ(At(125 + 11 * dir, 125), Red());
    EXPECT_NE(At(125 + 14 * dir, 125), Red());
}

// Markers use the raw value 255 (pure blue in 24 bits); hidden vertices and those of other layers
// are not drawn.
TEST_P(RenderPassesTest, VertexMarkersUseTheRawValue255) {
    scene->AppendVertex(0, 0, 0, 0);       // pixel (125, 125)
    scene->AppendVertex(-9.2, 0, 9.2, 0);  // pixel (10, 10)
    scene->AppendVertex(4, 0, 0, 3);       // pixel (175, 125), another layer
    scene->AppendVertex(0, 0, -4, 0);      // pixel (125, 175), hidden
    scene->vertices[3].hidden = 1;
    scene->ToggleVertex(1);
    PointLightMarker light;
    Draw(false, light);
    Expect(RawVertexMarker, {{124, 125}, {125, 124}, {126, 125}, {125, 126}});
    EXPECT_EQ(At(124, 124), background);
    // Selected: the centre pixel and an 11 x 11 square.
    Expect(RawVertexMarker, {{10, 10}, {5, 5}, {15, 5}, {5, 15}, {15, 15}});
    Expect(background, {{10, 9}, {4, 5}, {174, 125}, {124, 175}});
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
    scene->allLayers = 1;
    Draw(false, light);
    EXPECT_EQ(At(174, 125), RawVertexMarker);
    EXPECT_EQ(At(124, 175), background);
}

TEST_P(RenderPassesTest, PointLightMarkerIsARedDiagonalCrossAtItsPlacement) {
    PointLightMarker light;  // (0, 1, -5): pixel (125, 187)
    Draw(false, light);
    EXPECT_EQ(At(120, 182), background);
    light.shown = true;
    Draw(false, light);
    Expect(Red(), {{120, 182}, {129, 191}, {130, 182}, {121, 191}});
    EXPECT_EQ(At(130, 192), background);  // the end points are not drawn
}

TEST_P(RenderPassesTest, SelectedFacesAre0xFFFFEvenWhenHidden) {
    const std::int32_t f = Triangle(-4, 0, 4, 4, 0, 4, 4, 0, -4);
    scene->ToggleFace(f);
    scene->faces[static_cast<std::size_t>(f)].hidden = 1;
    scene->currentLayer = 5;
    Draw();
    Expect(RawSelectedFace, {{120, 75}, {175, 120}, {120, 120}});
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
    Draw(in);
    EXPECT_EQ(At(0, 125), in.colours.grey100);       // rulers
    EXPECT_EQ(At(76, 75), RawVertexMarker);          // marker over the outline
    EXPECT_EQ(At(120, 75), canvas.Pack(0, 0, 255));  // new faces are blue
    scene->ToggleFace(f);
    Draw(in);
    EXPECT_EQ(At(76, 75), RawSelectedFace);  // selected face over the marker
    in.showRulers = false;
    canvas.FillAll(background);
    Draw(in);
    EXPECT_EQ(At(0, 125), background);
}

INSTANTIATE_TEST_SUITE_P(Depths, RenderPassesTest, ::testing::Values(16, 24),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
}  // namespace kvx
