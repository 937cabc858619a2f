// Regressions of growth by editing: a scaling, move, rotation, mirror or nudge that would take a
// selected coordinate beyond the float range is refused whole, and the selection stays where the
// last step that fitted left it. Every coordinate stays finite and can be saved.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/SceneFixture.h"
#include "views/DragSteps.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx::test {
namespace {

constexpr float FloatMax = std::numeric_limits<float>::max();

class GrowthRegressionTest : public SceneTest {
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
    // One scaling step of 200 % on all axes (the mouse 25 pixels down) in the top view.
    void DoubleOnce() {
        mouse.previousMouseY = 0;
        mouse.pixelY = 25;
        ScalingStep(scene, tools, mouse, ViewTop, ToolMode::ScaleXYZ);
    }

    MouseState mouse;
    ToolState tools;
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
    ExpectAt(a, 1e37f, 2, 3);
    ExpectAt(b, -5, 1e36f, 0);
    mouse.worldX = 1e38;
    MoveStep(scene, tools, mouse, ViewTop, ToolMode::MoveX, false);
    ExpectAt(a, static_cast<float>(double{1e37f} + 1e38), 2, 3);
}

TEST_F(GrowthRegressionTest, ARotationOrMirrorAboutAFarCentreIsRefused) {
    // Half a turn about x = 3e38 in the top view (the mouse 90 pixels down: 180 degrees) would
    // put b near 6e38.
    tools.rotationCentre[0] = 3e38;
    mouse.previousMouseY = 0;
    mouse.pixelY = 90;
    RotationStep(scene, tools, mouse, ViewTop);
    ExpectAt(a, 1e37f, 2, 3);
    ExpectAt(b, -5, 1e36f, 0);
    // Mirrored across the vertical line u = 3e38: b would go to 6e38 + 5.
    tools.mirrorAnchor[0] = 3e38;
    mouse.worldX = 3e38;
    mouse.worldZ = 1;
    MirrorSelection(scene, tools, mouse, ViewTop);
    ExpectAt(a, 1e37f, 2, 3);
    ExpectAt(b, -5, 1e36f, 0);
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
