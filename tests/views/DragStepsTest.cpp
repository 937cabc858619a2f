// The arithmetic of the drag steps and nudges, the normals that follow moved vertices, and the
// steps refused for taking a coordinate beyond the float range.

#include "views/DragSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Message.h"
#include "scene/SceneFixture.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx::test {
namespace {

class DragStepsTest : public SceneTest {
  protected:
    void SetUp() override {
        v = AddVertex(1, 2, 3);
        SelectVertices({v});
    }
    // The mouse moved to a pixel of a view, as MouseToWorld takes it.
    void MouseTo(ViewId view, int x, int y, bool magnetic = false) {
        MouseToWorld(mouse, states, view, platform::PackMousePosition(x, y), magnetic);
    }
    // A move drag from one pixel to another in `steps` messages, then the release.
    void Drag(ViewId view, ToolMode mode, int x0, int y0, int x1, int y1, int steps,
              bool magnetic = false) {
        MouseTo(view, x0, y0, magnetic);
        const ViewAxisSet a = ViewAxes(view);
        tools.moveAnchor[0] = mouse.World(a.uAxis);
        tools.moveAnchor[1] = mouse.World(a.vAxis);
        tools.moveOrigin.Clear();
        for (int i = 1; i <= steps; ++i) {
            MouseTo(view, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, magnetic);
            MoveStep(scene, tools, mouse, view, mode, true);
        }
        MoveStep(scene, tools, mouse, view, mode, false);
    }
    std::array<float, 3> At() const {
        const Vertex& p = scene.vertices[static_cast<std::size_t>(v)];
        return {p.x, p.y, p.z};
    }

    ViewStates states;
    MouseState mouse;
    ToolState tools;
    std::int32_t v = 0;
};

TEST_F(DragStepsTest, MovesFollowTheViewsAxesAndLandExactly) {
    // 25 pixels right and 50 down in seven steps: the world cursor moves 2 along u and 4 along v.
    struct Case {
        ViewId view;
        ToolMode mode;
        std::array<float, 3> delta;  // (dx, dy, dz)
    };
    const Case cases[] = {
        {ViewTop, ToolMode::MoveXY, {2, 0, -4}},   {ViewTop, ToolMode::MoveZ, {0, -4, 0}},
        {ViewBottom, ToolMode::MoveY, {0, 0, 4}},  {ViewLeft, ToolMode::MoveXY, {0, -4, -2}},
        {ViewLeft, ToolMode::MoveZ, {-4, 0, 0}},   {ViewRight, ToolMode::MoveX, {0, 0, 2}},
        {ViewFront, ToolMode::MoveXY, {2, -4, 0}}, {ViewFront, ToolMode::MoveZ, {0, 0, -4}},
        {ViewBack, ToolMode::MoveX, {-2, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto before = At();
        Drag(c.view, c.mode, 100, 100, 125, 150, 7);
        const auto after = At();
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(after[k], before[k] + c.delta[k])
                << "view " << c.view << " mode " << ToolModeValue(c.mode) << " axis " << k;
    }
}

TEST_F(DragStepsTest, MagneticMovesGoByWholeUnits) {
    Drag(ViewTop, ToolMode::MoveXY, 126, 126, 136, 134, 4, true);  // within one grid cell
    EXPECT_EQ(At(), (std::array<float, 3>{1, 2, 3}));
    Drag(ViewTop, ToolMode::MoveXY, 126, 126, 170, 126, 6, true);  // x 0.08 .. 3.6: 3 units
    EXPECT_EQ(At(), (std::array<float, 3>{4, 2, 3}));
}

TEST_F(DragStepsTest, ScalingStepsAreClampedToOneAndTwoHundredPercent) {
    const auto percentAfter = [&](int from, int to) {
        MouseTo(ViewTop, 0, from);
        MouseTo(ViewTop, 0, to);
        return ScalePercent(mouse);
    };
    EXPECT_EQ(percentAfter(100, 101), 104);
    EXPECT_EQ(percentAfter(100, 50), 1);     // -100 percent
    EXPECT_EQ(percentAfter(100, 140), 200);  // 260 percent
    // "Y" in the front view scales y about the centre only.
    tools.scaleCentre[1] = 1;
    percentAfter(100, 125);
    ScalingStep(scene, tools, mouse, ViewFront, ToolMode::ScaleY);
    EXPECT_EQ(At(), (std::array<float, 3>{1, 3, 3}));  // 1 + (2 - 1) * 200 %
}

TEST_F(DragStepsTest, ArrowsNudgeByATenthTheWayTheyPointOnScreen) {
    // Per view, Left Up Right Down: the axis (0 x, 1 y, 2 z) and the sign of the step.
    const int axis[6][4] = {{0, 2, 0, 2}, {0, 2, 0, 2}, {2, 1, 2, 1},
                            {2, 1, 2, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}};
    const int sign[6][4] = {{-1, 1, 1, -1}, {-1, -1, 1, 1}, {1, 1, -1, -1},
                            {-1, 1, 1, -1}, {-1, 1, 1, -1}, {1, 1, -1, -1}};
    const NudgeDirection arrows[4] = {NudgeDirection::Left, NudgeDirection::Up,
                                      NudgeDirection::Right, NudgeDirection::Down};
    for (ViewId view = ViewTop; view <= ViewBack; ++view) {
        for (int k = 0; k < 4; ++k) {
            auto expected = At();
            const auto i = static_cast<std::size_t>(axis[view - 1][k]);
            expected[i] = static_cast<float>(expected[i] + sign[view - 1][k] * 0.1);
            ASSERT_TRUE(NudgeSelection(scene, tools, view, arrows[k]));
            EXPECT_EQ(At(), expected) << "view " << view << " arrow " << k;
        }
    }
    scene.ClearVertexSelection();
    EXPECT_FALSE(NudgeSelection(scene, tools, ViewTop, NudgeDirection::Left));
}

// The next mouse step of a move drag put the selection back on the drag's start plus the mouse's
// whole way, undoing an arrow nudge made while the button was held.
TEST_F(DragStepsTest, RegressionANudgeDuringAMoveDragIsKept) {
    MouseTo(ViewTop, 100, 100);
    tools.moveAnchor[0] = mouse.World(0);
    tools.moveAnchor[1] = mouse.World(2);
    tools.moveOrigin.Clear();
    MouseTo(ViewTop, 110, 100);  // 0.8 along x
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveXY, true);
    ASSERT_TRUE(NudgeSelection(scene, tools, ViewTop, NudgeDirection::Up));  // z + 0.1
    const auto nudged = At();
    MouseTo(ViewTop, 120, 100);  // 0.8 more
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveXY, true);
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveXY, false);
    EXPECT_EQ(At(), (std::array<float, 3>{static_cast<float>(nudged[0] + 0.8), 2, nudged[2]}));
    EXPECT_NE(nudged[2], 3.0f);
}

TEST_F(DragStepsTest, NormalsAfterAMoveEqualThoseOfTheSceneComputedAfresh) {
    // Two smooth faces sharing an edge and a flat one sharing a vertex; only v moves, yet the
    // smooth slots on the far side of the shared edge change too.
    const auto a = AddVertex(0, 0, 0), b = AddVertex(2, 0, 0), c = AddVertex(0, 0, 2),
               d = AddVertex(2, 0.5, 2), e = AddVertex(4, 0, 2);
    MakeFace({v, a, b});
    MakeFace({a, c, b});
    MakeFace({b, c, d});
    MakeFace({b, d, e});
    SelectFaces({0, 1, 2});
    scene.SetSelectedFacesRenderType(RenderSmooth);
    SelectVertices({v});
    MouseTo(ViewFront, 0, 100);
    MouseTo(ViewFront, 0, 120);
    tools.rotationCentre[0] = 0;
    RotationStep(scene, tools, mouse, ViewFront);
    RefreshNormals(scene, tools);
    std::vector<rm::Vec3f> refreshed;
    for (const Face& f : scene.faces)
        for (int k = 0; k < f.vertexCount; ++k)
            refreshed.push_back(EngineNormal(f, k));
    scene.UpdateAllVertexNormals();
    std::size_t n = 0;
    for (const Face& f : scene.faces)
        for (int k = 0; k < f.vertexCount; ++k, ++n) {
            const rm::Vec3f fresh = EngineNormal(f, k);
            EXPECT_TRUE(fresh.x == refreshed[n].x && fresh.y == refreshed[n].y &&
                        fresh.z == refreshed[n].z)
                << "slot " << n;
        }
    EXPECT_FALSE(tools.anyMoved);
}

constexpr float FloatMax = std::numeric_limits<float>::max();

// Regressions of growth by editing: a scaling, move, rotation, mirror or nudge that would take a
// selected coordinate beyond the float range is refused whole, and the selection stays where the
// last step that fitted left it. Every coordinate stays finite and can be saved.
class GrowthRegressionTest : public DragStepsTest {
  protected:
    void SetUp() override {
        a = AddVertex(1e37, 2, 3);
        b = AddVertex(-5, 1e36, 0);
        SelectVertices({a, b});
    }
    const Vertex& V(std::int32_t i) const { return scene.vertices[static_cast<std::size_t>(i)]; }
    void ExpectAt(std::int32_t i, float x, float y, float z) {
        EXPECT_EQ(V(i).x, x);
        EXPECT_EQ(V(i).y, y);
        EXPECT_EQ(V(i).z, z);
        // The mesh holds what the table holds.
        const rm::Vec3f p =
            V(i).owner->builder->Positions()[static_cast<std::size_t>(V(i).meshIndex)];
        EXPECT_EQ(p, (rm::Vec3f{x, y, z}));
    }
    // Both vertices where SetUp put them: a refused step moved nothing.
    void ExpectUnmoved() {
        ExpectAt(a, 1e37f, 2, 3);
        ExpectAt(b, -5, 1e36f, 0);
    }
    // One scaling step of 200 % on all axes (the mouse 25 pixels down) in the top view.
    void DoubleOnce() {
        mouse.previousMouseY = 0;
        mouse.pixelY = 25;
        ScalingStep(scene, tools, mouse, ViewTop, ToolMode::ScaleXYZ);
    }

    std::int32_t a = 0, b = 0;
};

TEST_F(GrowthRegressionTest, RepeatedDoublingStopsAtTheLastScaleThatFits) {
    // float(1e37) doubles exactly five times (3.2e38 <= 3.4028e38); the sixth would overflow.
    const float x0 = 1e37f;
    for (int i = 0; i < 40; ++i)
        DoubleOnce();
    ExpectAt(a, x0 * 32, 2.0f * 32, 3.0f * 32);
    // The other vertex was refused with it, each time: all or none.
    ExpectAt(b, -5.0f * 32, 1e36f * 32, 0);
    EXPECT_TRUE(std::isfinite(V(a).x));
}

TEST_F(GrowthRegressionTest, AFarMoveIsRefusedAndTheNextOneThatFitsIsTaken) {
    tools.moveOrigin.Clear();
    mouse.worldX = 0;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);  // takes the origin
    mouse.worldX = 3.4e38;                                           // a's x would be 3.4e38 + 1e37
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    ExpectUnmoved();
    mouse.worldX = 1e38;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    ExpectAt(a, static_cast<float>(double{1e37f} + 1e38), 2, 3);
}

TEST_F(GrowthRegressionTest, AFarMoveIsRefusedWhicheverEndOfTheSelectionOverflows) {
    // Towards -x the lowest vertex (b, at -5) goes past the float range first while a would fit.
    tools.moveOrigin.Clear();
    mouse.worldX = 0;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    mouse.worldX = -3.41e38;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    ExpectUnmoved();
    // A hair less fits, and both move.
    mouse.worldX = -3.39e38;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    ExpectAt(a, static_cast<float>(double{1e37f} - 3.39e38), 2, 3);
    ExpectAt(b, static_cast<float>(-5.0 - 3.39e38), 1e36f, 0);
}

TEST_F(GrowthRegressionTest, ARotationOrMirrorAboutAFarCentreIsRefused) {
    // Half a turn about x = 3e38 in the top view (the mouse 90 pixels down: 180 degrees) would
    // put b near 6e38.
    tools.rotationCentre[0] = 3e38;
    mouse.previousMouseY = 0;
    mouse.pixelY = 90;
    RotationStep(scene, tools, mouse, ViewTop);
    ExpectUnmoved();
    // Mirrored across the vertical line u = 3e38: b would go to 6e38 + 5.
    tools.mirrorAnchor[0] = 3e38;
    mouse.worldX = 3e38;
    mouse.worldZ = 1;
    MirrorSelection(scene, tools, mouse, ViewTop);
    ExpectUnmoved();
    // Across u = 0 it fits.
    tools.mirrorAnchor[0] = 0;
    mouse.worldX = 0;
    MirrorSelection(scene, tools, mouse, ViewTop);
    ExpectAt(b, 5, 1e36f, 0);
}

TEST_F(GrowthRegressionTest, ANudgeAtTheFloatMaximumKeepsItFinite) {
    scene.vertices[static_cast<std::size_t>(a)].MoveTo(FloatMax, 0, 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(NudgeSelection(scene, tools, ViewTop, NudgeDirection::Right));
    // 0.1 is far below the float maximum's last digit: it stays there, finite.
    ExpectAt(a, FloatMax, 0, 0);
}

TEST_F(GrowthRegressionTest, NoVertexIsCreatedBeyondTheFloatRange) {
    ViewState state;
    MouseState far;
    far.worldX = 1e200;  // a view zoomed out far enough
    ToolContext ctx{scene, state, far, tools, ViewTop, ToolMode::CreateVertex};
    ViewOutcome out;
    CreateVertexRelease(ctx, out);
    EXPECT_EQ(scene.vertexCount(), 2);
    far.worldX = 1e38;
    CreateVertexRelease(ctx, out);
    EXPECT_EQ(scene.vertexCount(), 3);
}

}  // namespace
}  // namespace kvx::test
