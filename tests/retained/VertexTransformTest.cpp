// The transform stage and the viewport mapping.

#include "retained/VertexTransform.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kvx::rm {
namespace {

const ViewMapping View250 = ViewMapping::For({0, 0, 250, 250});

TEST(ViewMapping, FieldOfHalfReachesTheEdgesOfA250PixelView) {
    EXPECT_EQ(Project({0, 0, 1}, View250).x, 125 * SubpixelOne);
    EXPECT_EQ(Project({0, 0, 1}, View250).y, 125 * SubpixelOne);
    EXPECT_EQ(Project({0.5f, 0, 1}, View250).x, 250 * SubpixelOne);
    EXPECT_EQ(Project({-1.0f, 0, 2}, View250).x, 0);
    // y runs down the screen: up in view space is towards row 0.
    EXPECT_EQ(Project({0, 0.5f, 2}, View250).y, (125 - 62) * SubpixelOne - SubpixelHalf);
    EXPECT_FLOAT_EQ(Project({0, 0, 4}, View250).depth, 0.25f);
}

TEST(ViewMapping, ViewportOffsetMovesTheCentre) {
    const ViewMapping m = ViewMapping::For({10, 20, 100, 50});
    EXPECT_EQ(Project({0, 0, 3}, m).x, 60 * SubpixelOne);
    EXPECT_EQ(Project({0, 0, 3}, m).y, 45 * SubpixelOne);
}

TEST(ViewMapping, ClipCodesNameThePlanesPassed) {
    EXPECT_EQ(ClipCodeOf({0, 0, 0.5f}, View250), ClipNear);
    EXPECT_EQ(ClipCodeOf({0, 0, 101}, View250), ClipFar);
    EXPECT_EQ(ClipCodeOf({0, 0, 1}, View250), 0u);
    EXPECT_EQ(ClipCodeOf({0, 0, 100}, View250), 0u);
    EXPECT_EQ(ClipCodeOf({1000, 0, 1}, View250), ClipRight);
    EXPECT_EQ(ClipCodeOf({-1000, 1000, 1}, View250), ClipLeft | ClipTop);
    EXPECT_EQ(ClipCodeOf({0, -1000, 1}, View250), ClipBottom);
    // Within the guard band nothing is set, even off the view.
    EXPECT_EQ(ClipCodeOf({3, 0, 1}, View250), 0u);
}

// The block-wise, vectorised transform gives what transforming and projecting each vertex alone
// gives, whatever the count (so also for the last partial block).
TEST(VertexTransform, BatchMatchesOneVertexAtATime) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coord(-30.0f, 30.0f);
    Matrix4 m = Matrix4::Rotation(1, 2, 3, 0.7) * Matrix4::Translation(1, -2, 20);
    const AffineF affine = AffineF::From(m);
    for (const std::size_t count :
         {std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{200}}) {
        std::vector<Vec3f> positions(count);
        for (auto& p : positions)
            p = {coord(random), coord(random), coord(random)};
        std::vector<ScreenVertex> out(count);
        TransformVertices(positions, affine, View250, out.data());
        for (std::size_t i = 0; i < count; ++i) {
            const Vec3f view = affine.Point(positions[i]);
            const std::uint32_t code = ClipCodeOf(view, View250);
            ASSERT_EQ(out[i].code, code) << i;
            if (code != 0) continue;
            const ScreenVertex one = Project(view, View250);
            EXPECT_EQ(out[i].x, one.x) << i;
            EXPECT_EQ(out[i].y, one.y) << i;
            EXPECT_EQ(out[i].depth, one.depth) << i;
        }
    }
}

}  // namespace
}  // namespace kvx::rm
