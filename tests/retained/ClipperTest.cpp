// The clipper: faces crossing the front plane are cut there, with colours carried along.

#include "retained/Clipper.h"

#include <gtest/gtest.h>

#include "retained/ViewMapping.h"

namespace kvx::rm {
namespace {

constexpr float Guard = 10.0f;

TEST(Clipper, TriangleCrossingTheFrontPlaneIsCutNotDropped) {
    // One corner behind the camera: the cut leaves a quadrilateral on z = FrontClip.
    const ClipVertex in[3] = {
        {{0, 0, -1}, {0, 0, 0}}, {{2, 0, 3}, {200, 0, 0}}, {{0, 2, 3}, {0, 200, 0}}};
    ClipVertex out[MaxClippedVertices];
    const int n = ClipPolygon(in, 3, Guard, out);
    ASSERT_EQ(n, 4);
    int onPlane = 0;
    for (int i = 0; i < n; ++i) {
        EXPECT_GE(out[i].view.z, FrontClip - 1e-6f);
        if (std::abs(out[i].view.z - FrontClip) < 1e-6f) {
            ++onPlane;
            // Half way from z = -1 to z = 3: half the far corner's colour.
            EXPECT_NEAR(out[i].color.x + out[i].color.y, 100.0f, 1e-3f);
        }
    }
    EXPECT_EQ(onPlane, 2);
}

TEST(Clipper, NothingIsLeftOfAPolygonWhollyOutside) {
    const ClipVertex behind[3] = {{{0, 0, 0.5f}, {}}, {{1, 0, 0.2f}, {}}, {{0, 1, -3}, {}}};
    const ClipVertex beyond[3] = {{{0, 0, 101}, {}}, {{1, 0, 150}, {}}, {{0, 1, 400}, {}}};
    ClipVertex out[MaxClippedVertices];
    EXPECT_EQ(ClipPolygon(behind, 3, Guard, out), 0);
    EXPECT_EQ(ClipPolygon(beyond, 3, Guard, out), 0);
}

TEST(Clipper, EveryPlaneCutsAnOctagonThatCrossesThemAll) {
    // A large octagon through the whole volume, tilted in depth: each plane adds a corner.
    ClipVertex in[MaxFaceCorners];
    for (int k = 0; k < MaxFaceCorners; ++k) {
        const float a = static_cast<float>(k) * 0.785398f;
        in[k] = {{2000 * std::cos(a), 2000 * std::sin(a), 50 + 200 * std::cos(a)}, {}};
    }
    ClipVertex out[MaxClippedVertices];
    const int n = ClipPolygon(in, MaxFaceCorners, Guard, out);
    ASSERT_GE(n, 3);
    ASSERT_LE(n, MaxClippedVertices);
    for (int i = 0; i < n; ++i) {
        const Vec3f v = out[i].view;
        EXPECT_GE(v.z, FrontClip - 1e-3f);
        EXPECT_LE(v.z, BackClip + 1e-3f);
        EXPECT_LE(std::abs(v.x), Guard * v.z + 1e-2f);
        EXPECT_LE(std::abs(v.y), Guard * v.z + 1e-2f);
    }
}

}  // namespace
}  // namespace kvx::rm
