#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "retained/Engine.h"
#include "retained/SceneNodes.h"

namespace kvx::rm {
namespace {

void ExpectNear(Vec3 a, Vec3 b, double eps = 1e-9) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

constexpr double Quarter = std::numbers::pi / 2;

TEST(Frame, RotationsFollowTheLeftHandedRowConvention) {
    // About x: rows (1,0,0), (0,c,s), (0,-s,c): +y turns to +z.
    ExpectNear(Matrix4::Rotation(1, 0, 0, Quarter).TransformPoint({0, 1, 0}), {0, 0, 1});
    // About y: rows (c,0,-s), (0,1,0), (s,0,c): +x turns to -z.
    ExpectNear(Matrix4::Rotation(0, 1, 0, Quarter).TransformPoint({1, 0, 0}), {0, 0, -1});
    // About z: rows (c,s,0), (-s,c,0), (0,0,1): +x turns to +y.
    ExpectNear(Matrix4::Rotation(0, 0, 1, Quarter).TransformPoint({1, 0, 0}), {0, 1, 0});
    ExpectNear(Matrix4::Rotation(0, 0, 0, 1.0).TransformPoint({1, 2, 3}), {1, 2, 3});
}

TEST(Frame, CombineModes) {
    Frame f;
    f.AddTranslation(Combine::Replace, 1, 0, 0);
    // AFTER turns about the parent's origin: the frame's origin swings round.
    f.AddRotation(Combine::After, 0, 1, 0, Quarter);
    ExpectNear(f.Transform().TransformPoint({0, 0, 0}), {0, 0, -1});
    // BEFORE turns in the frame's own axes: its origin stays.
    Frame g;
    g.AddTranslation(Combine::Replace, 1, 0, 0);
    g.AddRotation(Combine::Before, 0, 1, 0, Quarter);
    ExpectNear(g.Transform().TransformPoint({0, 0, 0}), {1, 0, 0});
    ExpectNear(g.Transform().TransformPoint({1, 0, 0}), {1, 0, -1});
    // REPLACE forgets everything before.
    g.AddRotation(Combine::Replace, 1, 0, 0, 0);
    ExpectNear(g.Transform().TransformPoint({2, 3, 4}), {2, 3, 4});
    EXPECT_LT(g.AddRotation(static_cast<Combine>(7), 1, 0, 0, 1), 0);
}

TEST(Frame, WorldTransformAppliesEachParentInTurn) {
    Engine e;
    std::shared_ptr<Frame> root, a, b;
    e.CreateFrame(nullptr, root);
    e.CreateFrame(root.get(), a);
    e.CreateFrame(a.get(), b);
    a->AddRotation(Combine::Replace, 0, 0, 1, Quarter);
    b->AddTranslation(Combine::Replace, 1, 0, 0);
    ExpectNear(b->WorldTransform().TransformPoint({0, 0, 0}), {0, 1, 0});
    const Matrix4 inverse = b->WorldTransform().AffineInverse();
    ExpectNear(inverse.TransformPoint({0, 1, 0}), {0, 0, 0});
}

TEST(FrameNode, DegreeOperationsUseTheirOwnPi) {
    SceneRoot s;
    ASSERT_EQ(s.Create(), 1);
    EXPECT_EQ(s.root.frame->SceneBackground(), 0xFF000000u);
    FrameNode n;
    ASSERT_EQ(n.CreateChild(s, s.root), 1);
    n.MoveBy(3, 4, 5);
    n.RotateDegrees(0, 30, 0);
    // Setting a rotation replaces everything: back at the parent's origin, unturned.
    EXPECT_EQ(n.SetRotationDegrees(0, 0, 0), 1);
    ExpectNear(n.frame->Transform().TransformPoint({1, 2, 3}), {1, 2, 3});

    // 3.1416 is a little more than pi: 180 degrees overshoots by about 7.3e-6 radians.
    n.SetRotationDegrees(0, 0, 180);
    const Vec3 p = n.frame->Transform().TransformPoint({1, 0, 0});
    EXPECT_NEAR(p.x, -1.0, 1e-9);
    EXPECT_NEAR(p.y, std::sin(3.1416), 1e-12);

    // 72 steps of 5 degrees come back to the start.
    n.SetPositionReplace(2, 0, 0);
    for (int i = 0; i < 72; ++i)
        n.RotateDegrees(0, 5, 0);
    ExpectNear(n.frame->Transform().TransformPoint({0, 0, 0}), {2, 0, 0}, 1e-6);
}

TEST(FrameNode, ReleasedFramesLeaveTheGraph) {
    SceneRoot s;
    s.Create();
    FrameNode parent, child;
    parent.CreateChild(s, s.root);
    child.CreateChild(s, parent);
    EXPECT_EQ(parent.frame->Children().size(), 1u);
    // Creating again releases the first frame.
    child.CreateChild(s, parent);
    EXPECT_EQ(parent.frame->Children().size(), 1u);
    EXPECT_EQ(parent.frame->Children()[0], child.frame);
    // A parent going first leaves its child a root of its own, not a dangling one.
    parent.Release();
    EXPECT_EQ(s.root.frame->Children().size(), 0u);
    EXPECT_EQ(child.frame->Parent(), nullptr);
    child.Release();
    EXPECT_EQ(child.MoveBy(1, 1, 1), 0);
}

}  // namespace
}  // namespace kvx::rm
