// Picking a vertex or a face under the mouse, and the fence, in the orthographic views.

#include "views/Picking.h"

#include <gtest/gtest.h>

#include "platform/Message.h"
#include "scene/SceneFixture.h"
#include "views/FenceSelection.h"

namespace kvx::test {
namespace {

class PickingTest : public SceneTest {
  protected:
    // The mouse at a pixel of a view at the default zoom (0.08 units per pixel, origin at 125).
    MouseState MouseAt(ViewId view, int x, int y) {
        MouseState m;
        MouseToWorld(m, states, view, platform::PackMousePosition(x, y), false);
        return m;
    }
    std::int32_t Vertex(ViewId view, int x, int y) {
        return PickVertex(scene, states[view], view, MouseAt(view, x, y));
    }
    std::int32_t Face(ViewId view, int x, int y) {
        return PickFace(scene, states[view], view, MouseAt(view, x, y));
    }
    ViewStates states;
};

TEST_F(PickingTest, TheVertexNearerTheViewerWinsAndTheLowerIndexOnEqualDepth) {
    const auto low = AddVertex(0, 1, 0), high = AddVertex(0, 4, 0);
    EXPECT_EQ(Vertex(ViewTop, 125, 125), high);    // the top view looks down from larger y
    EXPECT_EQ(Vertex(ViewBottom, 125, 125), low);  // the bottom view from smaller y
    const auto a = AddVertex(2, 0, 0), b = AddVertex(2, 0, 0);
    for (ViewId v : {ViewTop, ViewBottom, ViewFront, ViewBack})
        EXPECT_EQ(Vertex(v, v == ViewBack ? 100 : 150, 125), a) << "view " << v;
    EXPECT_NE(a, b);
}

TEST_F(PickingTest, VertexToleranceIsTwoPixelsAndHiddenOrOtherLayerVerticesAreSkipped) {
    const auto v = AddVertex(0, 0, 0);  // pixel (125, 125) in the top view
    EXPECT_EQ(Vertex(ViewTop, 127, 123), v);
    EXPECT_EQ(Vertex(ViewTop, 128, 125), -1);
    const auto behind = AddVertex(0, -1, 0);
    scene.vertices[static_cast<std::size_t>(v)].hidden = 1;
    EXPECT_EQ(Vertex(ViewTop, 125, 125), behind);
    scene.vertices[static_cast<std::size_t>(behind)].layer = 3;
    EXPECT_EQ(Vertex(ViewTop, 125, 125), -1);
    scene.allLayers = 1;
    EXPECT_EQ(Vertex(ViewTop, 125, 125), behind);
}

TEST_F(PickingTest, TheFaceWithTheNearerDepthSumWins) {
    // A triangle and a quad over the mouse, all corners at one height: sums 3h and 4h.
    for (double h : {2.0, -2.0}) {
        scene.ClearScene();
        const auto t0 = AddVertex(-2, h, -2), t1 = AddVertex(2, h, -2), t2 = AddVertex(0, h, 2);
        const auto triangle = MakeFace({t0, t1, t2});
        const auto q0 = AddVertex(-3, h, -3), q1 = AddVertex(3, h, -3), q2 = AddVertex(3, h, 3),
                   q3 = AddVertex(-3, h, 3);
        const auto quad = MakeFace({q0, q1, q2, q3});
        SelectVertices({t0});
        EXPECT_EQ(Face(ViewTop, 125, 125), h > 0 ? quad : triangle) << "height " << h;
        EXPECT_TRUE(scene.selectedVertices.empty());  // picking a face drops the vertex selection
        ASSERT_EQ(scene.selectedFaces.size(), 1u);
        Face(ViewTop, 125, 125);  // the same face again toggles it off
        EXPECT_TRUE(scene.selectedFaces.empty());
    }
}

TEST_F(PickingTest, FaceBoundsAreStrictAndHiddenFacesAreNeverPicked) {
    const auto f = MakeFace({AddVertex(0, 0, 0), AddVertex(4, 0, 0), AddVertex(4, 0, 4)});
    // The leftmost corner is on pixel column 125: a click on that column is outside the bounds.
    EXPECT_EQ(Face(ViewTop, 125, 120), -1);
    EXPECT_EQ(Face(ViewTop, 170, 120), f);
    EXPECT_EQ(Face(ViewLeft, 100, 125), -1);  // seen edge-on: no interior
    scene.faces[static_cast<std::size_t>(f)].hidden = 1;
    for (ViewId v = ViewTop; v <= ViewBack; ++v)
        EXPECT_EQ(Face(v, 170, 120), -1) << "view " << v;
}

TEST_F(PickingTest, PolygonsUseTheNonzeroWindingRule) {
    // A pentagram: its centre is wound twice, so it is inside (an even-odd test would say out).
    const PixelPoint star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_TRUE(InsidePolygonNonzero(star, 50, 45));
    EXPECT_TRUE(InsidePolygonNonzero(star, 50, 20));
    EXPECT_FALSE(InsidePolygonNonzero(star, 10, 80));
    const PixelPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(InsidePolygonNonzero(square, 5, 5));
    EXPECT_FALSE(InsidePolygonNonzero(square, 15, 5));
}

// The fence toggles the vertices strictly inside its rectangle, shown and of the current layer.
TEST_F(PickingTest, TheFenceTogglesVerticesStrictlyInsideTheRectangle) {
    // Pixels in the top view: (x + 10) * 12.5 and (10 - z) * 12.5.
    AddVertex(0, 0, 0);       // (125, 125)
    AddVertex(2, 0, 0);       // (150, 125)
    AddVertex(0, 0, -2);      // (125, 150)
    AddVertex(8, 0, 0);       // (225, 125): outside
    AddVertex(4, 0, 0);       // (175, 125): on the edge, not inside
    AddVertex(1, 0, 0);       // hidden
    AddVertex(0.5, 0, 0, 3);  // another layer
    scene.vertices[5].hidden = 1;
    scene.ToggleVertex(1);
    ToggleVerticesInRect(scene, 175, 160, 100, 100, ViewState{}, ViewTop);
    EXPECT_EQ(scene.selectedVertices, (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(scene.vertices[1].state, VertexNormal);
}

}  // namespace
}  // namespace kvx::test
