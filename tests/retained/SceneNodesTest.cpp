#include <gtest/gtest.h>

#include "canvas/Canvas.h"
#include "retained/SceneNodes.h"

namespace kvx::rm {
namespace {

TEST(SceneNodes, WrappersReportZeroWithoutTheirObjects) {
    SceneRoot none;
    FrameNode f;
    EXPECT_EQ(f.CreateChild(none, none.root), 0);
    EXPECT_EQ(f.RotateDegrees(1, 2, 3), 0);
    MeshNode m;
    EXPECT_EQ(m.Create(none), 0);
    EXPECT_EQ(m.AddCubeMarker(0.5, 0, 0, 0), 1);  // reports 1 whatever happens
    DeviceNode d;
    Canvas c;
    EXPECT_EQ(d.CreateFromSurface(none, c), 0);
    ViewportNode v;
    EXPECT_EQ(v.Clear(), 0);
    EXPECT_EQ(v.Render(), 0);
}

TEST(SceneNodes, ViewportWithMinusOneCoversTheDevice) {
    SceneRoot s;
    ASSERT_EQ(s.Create(), 1);
    Canvas c;
    ASSERT_EQ(c.Create(250, 200, 24), 1);
    DeviceNode d;
    ASSERT_EQ(d.CreateFromSurface(s, c), 1);
    EXPECT_EQ(d.device->Quality(), QualityWireframe);
    EXPECT_EQ(d.SetQuality(QualityGouraud), 1);
    FrameNode camera;
    camera.CreateChild(s, s.root);
    ViewportNode v;
    ASSERT_EQ(v.Create(s, d, camera, -1, 0, 10, 10), 1);
    EXPECT_EQ(v.width, 250);
    EXPECT_EQ(v.height, 200);
    EXPECT_EQ(v.x, 0);
    ASSERT_EQ(v.Create(s, d, camera, 5, 6, 70, 80), 1);
    EXPECT_EQ(v.viewport->Width(), 70);
    EXPECT_EQ(v.viewport->Y(), 6);
}

}  // namespace
}  // namespace kvx::rm
