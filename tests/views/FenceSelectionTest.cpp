#include "scene/SceneFixture.h"
#include "views/FenceSelection.h"

namespace kvx {
namespace {

using test::SceneTest;
using Indices = std::vector<std::int32_t>;
using FenceTest = SceneTest;

TEST_F(FenceTest, TogglesVerticesStrictlyInsideTheRectangle) {
    const ViewState s;
    // Pixels in the top view: (x + 10) * 12.5 and (10 - z) * 12.5.
    AddVertex(0, 0, 0);   // (125, 125)
    AddVertex(2, 0, 0);   // (150, 125)
    AddVertex(0, 0, -2);  // (125, 150)
    AddVertex(8, 0, 0);   // (225, 125): outside
    AddVertex(4, 0, 0);   // (175, 125): on the edge, not inside
    AddVertex(1, 0, 0);   // hidden
    scene.vertices[5].hidden = 1;
    scene.ToggleVertex(1);
    ToggleVerticesInRect(scene, 175, 160, 100, 100, s, ViewTop);
    EXPECT_EQ(scene.selectedVertices, (Indices{0, 2}));
    EXPECT_EQ(scene.vertices[1].state, VertexNormal);
}

TEST_F(FenceTest, FollowsTheLayerRule) {
    const ViewState s;
    AddVertex(0, 0, 0, 0);
    AddVertex(1, 0, 0, 3);
    ToggleVerticesInRect(scene, 0, 0, 250, 250, s, ViewFront);
    EXPECT_EQ(scene.selectedVertices, Indices{0});
}

}  // namespace
}  // namespace kvx
