// The perspective view's redraw, its lights switched off, the markers, closing. The camera, lights
// and quality it opens with show in every golden picture.

#include "perspective/OrbitCamera.h"
#include "perspective/PerspectiveRig.h"

#include <gtest/gtest.h>

#include "perspective/ViewFixture.h"

namespace kvx::test {
namespace {

TEST(PerspectiveRig, AnEmptySceneShowsTheBackgroundColour) {
    for (const int bits : {16, 24}) {
        PerspectiveView view(bits);
        view.Redraw(12, 200, 99);
        const PixelBuffer p = view.Picture();
        for (std::int32_t y = 0; y < p.height; y += 7)
            for (std::int32_t x = 0; x < p.width; x += 7)
                ASSERT_EQ(p.Get(x, y), PackColor(12, 200, 99, bits));
    }
}

TEST(PerspectiveRig, WithEveryLightSwitchedOffTheModelIsBlack) {
    PerspectiveView view(24);
    view.scene->GenerateMesh();
    view.rig.ambient.SetColor(0, 0, 0);
    view.rig.directional.SetColor(0, 0, 0);
    view.point.SetColor(0, 0, 0);
    view.Redraw(40, 50, 60);
    const PixelBuffer p = view.Picture();
    int black = 0;
    for (std::int32_t y = 0; y < p.height; ++y)
        for (std::int32_t x = 0; x < p.width; ++x) {
            const PixelValue v = p.Get(x, y);
            ASSERT_TRUE(v == 0 || v == PackColor(40, 50, 60, 24)) << x << ", " << y;
            black += v == 0;
        }
    EXPECT_GT(black, 20000);
}

TEST(PerspectiveRig, MarkersAreShownOnceAndHiddenAgain) {
    PerspectiveView view(24);
    view.Redraw();
    const std::vector<std::uint8_t> before(view.Picture().base,
                                           view.Picture().base + view.Picture().pitch * 250);
    view.rig.ShowMarkers();
    view.rig.ShowMarkers();
    EXPECT_EQ(view.point.frame.frame->Visuals().size(), 1u);
    EXPECT_EQ(view.rig.directional.frame.frame->Visuals().size(), 1u);
    view.Redraw();
    // The point light's cube sits at (0, 1, 0), above the origin's place in the picture.
    EXPECT_NE(view.Picture().Get(125, 69), 0u);
    EXPECT_EQ(view.point.markerShown, 1);
    view.rig.HideMarkers();
    view.rig.HideMarkers();
    EXPECT_TRUE(view.point.frame.frame->Visuals().empty());
    EXPECT_TRUE(view.rig.directional.frame.frame->Visuals().empty());
    EXPECT_EQ(view.point.markerShown, 0);
    view.Redraw();
    const std::vector<std::uint8_t> after(view.Picture().base,
                                          view.Picture().base + view.Picture().pitch * 250);
    EXPECT_EQ(before, after);
}

TEST(PerspectiveRig, AClosedViewDrawsNothing) {
    PerspectiveView view(24);
    view.rig.Close();
    EXPECT_FALSE(view.rig.IsOpen());
    EXPECT_EQ(view.rig.Redraw(255, 255, 255), 0);
    EXPECT_EQ(view.Picture().Get(0, 0), 0u);
    // Opening again gives the same picture as the first time.
    ASSERT_EQ(view.rig.Open(view.root, view.canvas, view.point), 1);
    view.scene->GenerateMesh();
    view.Redraw();
    EXPECT_NE(view.Picture().Get(125, 150), 0u);
}

}  // namespace
}  // namespace kvx::test

namespace kvx::test {
namespace {

// Where a world point lands in the camera's space: x / z and y / z within +-Field are on the
// picture, z between the near and far planes (1 and 100) is drawn.
rm::Vec3 InCamera(const rm::FrameNode& camera, rm::Vec3 p) {
    return camera.frame->WorldTransform().AffineInverse().TransformPoint(p);
}

TEST(OrbitCamera, StartsAsTheViewPlacesItsCameraAndFramesAModelOfAnySize) {
    PerspectiveView view(24);
    rm::FrameNode steered;
    ASSERT_TRUE(steered.CreateChild(view.root, view.root.root));
    OrbitCamera camera = OrbitCamera::Start();
    camera.Apply(steered);
    const rm::Matrix4 described = view.rig.camera.frame->WorldTransform();
    const rm::Matrix4 mine = steered.frame->WorldTransform();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(mine.m[i][j], described.m[i][j], 1e-4) << i << j;

    for (const double radius : {0.01, 1.5, 400.0}) {
        const rm::Vec3 centre{50, -20, 300};
        camera.Frame(centre, radius);
        camera.Apply(steered);
        for (const rm::Vec3 d : {rm::Vec3{1, 0, 0}, rm::Vec3{0, 1, 0}, rm::Vec3{0, 0, 1}})
            for (const double sign : {-1.0, 1.0}) {
                const rm::Vec3 p = InCamera(steered, centre + d * (sign * radius));
                EXPECT_GT(p.z, 1.0) << radius;
                EXPECT_LT(p.z, 100.0) << radius;
                EXPECT_LE(std::abs(p.x / p.z), 0.5) << radius;
                EXPECT_LE(std::abs(p.y / p.z), 0.5) << radius;
            }
    }
    // Turning and nearing keep the target in the middle of the picture; sliding moves it.
    camera.Drag(30, -40, false);
    camera.Zoom(3);
    camera.Apply(steered);
    rm::Vec3 t = InCamera(steered, camera.target);
    EXPECT_NEAR(t.x / t.z, 0, 1e-6);  // the frame keeps float translations
    EXPECT_NEAR(t.y / t.z, 0, 1e-6);
    const rm::Vec3 before = camera.target;
    camera.Drag(25, 0, true);
    camera.Apply(steered);
    t = InCamera(steered, before);
    EXPECT_NEAR(t.x / t.z, 25.0 / 250, 1e-6);  // the old target follows the pointer rightwards
}

}  // namespace
}  // namespace kvx::test
