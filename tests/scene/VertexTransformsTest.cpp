#include <cmath>

#include "SceneFixture.h"
#include "scene/VertexTransforms.h"

namespace kvx {
namespace {

using test::SceneTest;
using TransformsTest = SceneTest;

TEST_F(TransformsTest, RotationUsesTheRoundedPi) {
    Vertex& v = scene.vertices[static_cast<std::size_t>(AddVertex(0, 1, 0))];
    Rotate(v, 90, 0, 0, 0, 0, 0);
    EXPECT_NEAR(v.x, 0.0, 1e-9);
    EXPECT_NEAR(v.y, -0.0000036732, 1e-9);
    EXPECT_NEAR(v.z, 1.0, 1e-7);
    EXPECT_NE(v.y, 0.0f);
}

TEST_F(TransformsTest, RotationAppliesXThenYThenZAboutTheCentre) {
    // About y by 90 around (1, 0, 0): (2, 0, 0) goes to (1, 0, -1).
    Vertex& a = scene.vertices[static_cast<std::size_t>(AddVertex(2, 0, 0))];
    Rotate(a, 0, 90, 0, 1, 0, 0);
    EXPECT_NEAR(a.x, 1.0, 1e-5);
    EXPECT_NEAR(a.z, -1.0, 1e-5);
    // x by 90 then z by 90: (0, 1, 0) -> (0, 0, 1) -> stays on z.
    Vertex& b = scene.vertices[static_cast<std::size_t>(AddVertex(0, 1, 0))];
    Rotate(b, 90, 0, 90, 0, 0, 0);
    EXPECT_NEAR(b.z, 1.0, 1e-5);
    EXPECT_NEAR(b.x, 0.0, 1e-5);
    // z alone by 90: (1, 0, 0) -> (0, 1, 0).
    Vertex& c = scene.vertices[static_cast<std::size_t>(AddVertex(1, 0, 0))];
    Rotate(c, 0, 0, 90, 0, 0, 0);
    EXPECT_NEAR(c.y, 1.0, 1e-5);
    Vertex& d = scene.vertices[static_cast<std::size_t>(AddVertex(3, -4, 5))];
    Rotate(d, 0, 0, 0, 7, 7, 7);
    Scale(d, 100, 100, 100, 7, 7, 7);
    EXPECT_EQ(d.x, 3.0f);
    EXPECT_EQ(d.y, -4.0f);
    EXPECT_EQ(d.z, 5.0f);
}

TEST_F(TransformsTest, ScaleAboutACentre) {
    Vertex& v = scene.vertices[static_cast<std::size_t>(AddVertex(4, 1, 1))];
    Scale(v, 50, 100, 100, 2, 0, 0);
    EXPECT_EQ(v.x, 3.0f);
    EXPECT_EQ(v.y, 1.0f);
    EXPECT_EQ(v.z, 1.0f);
    Scale(v, 200, 1, 200, 0, 0, 0);
    EXPECT_EQ(v.x, 6.0f);
    EXPECT_FLOAT_EQ(v.y, 0.01f);
}

TEST(Mirror, ReflectsAcrossVerticalHorizontalAndSlantedLines) {
    const auto mirror = [](Line2D line, double u, double v) {
        MirrorPoint(line, u, v);
        return std::pair{u, v};
    };
    const Line2D vertical = Line2D::Through(1, 0, 1, 7);
    EXPECT_EQ(vertical.vertical, 1);
    EXPECT_EQ(mirror(vertical, 3, 5), (std::pair{-1.0, 5.0}));
    const Line2D horizontal = Line2D::Through(0, 2, 9, 2);
    EXPECT_EQ(horizontal.vertical, 0);
    EXPECT_EQ(horizontal.m, 0.0);
    EXPECT_EQ(mirror(horizontal, 3, 5), (std::pair{3.0, -1.0}));
    const auto [u, v] = mirror(Line2D::Through(0, 0, 2, 2), 3, 5);
    EXPECT_NEAR(u, 5, 1e-12);
    EXPECT_NEAR(v, 3, 1e-12);
    // A point on the line stays.
    const auto [pu, pv] = mirror(Line2D::Through(0, 1, 2, 5), 1, 3);
    EXPECT_NEAR(pu, 1, 1e-12);
    EXPECT_NEAR(pv, 3, 1e-12);
    // A line drawn with start equal to end is vertical through that point.
    const Line2D point = Line2D::Through(4, 4, 4, 4);
    EXPECT_EQ(point.vertical, 1);
    EXPECT_EQ(point.b, 4);
}

TEST_F(TransformsTest, MirrorsWorkInTheirViewPlanes) {
    const Line2D line = Line2D::Through(1, 0, 1, 1);  // u = 1
    Vertex& a = scene.vertices[static_cast<std::size_t>(AddVertex(3, 9, 5))];
    MirrorXZ(a, line);  // u is x
    EXPECT_EQ(a.x, -1.0f);
    EXPECT_EQ(a.y, 9.0f);
    Vertex& b = scene.vertices[static_cast<std::size_t>(AddVertex(9, 5, 3))];
    MirrorZY(b, line);  // u is z
    EXPECT_EQ(b.z, -1.0f);
    EXPECT_EQ(b.y, 5.0f);
    EXPECT_EQ(b.x, 9.0f);
    Vertex& c = scene.vertices[static_cast<std::size_t>(AddVertex(3, 5, 9))];
    MirrorXY(c, Line2D::Through(0, 2, 1, 2));  // v = 2, v is y
    EXPECT_EQ(c.y, -1.0f);
    EXPECT_EQ(c.z, 9.0f);
    EXPECT_EQ(Builder(0).Positions()[static_cast<std::size_t>(c.meshIndex)].y, -1.0f);
}

}  // namespace
}  // namespace kvx
