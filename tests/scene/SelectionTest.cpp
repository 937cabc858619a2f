#include "SceneFixture.h"
#include "scene/SceneInvariants.h"

namespace kvx {
namespace {

using test::SceneTest;
using Indices = std::vector<std::int32_t>;

class SelectionTest : public SceneTest {
  protected:
    // Five vertices: 0, 1, 2 on layer 2; 3, 4 on layer 0.
    void FiveVertices() {
        for (int i = 0; i < 5; ++i)
            AddVertex(i, 0, 0, i < 3 ? 2 : 0);
    }
    // Five triangles over vertices 0..6.
    void FiveFaces() {
        for (int i = 0; i < 7; ++i)
            AddVertex(i, i % 2, 0);
        for (int f = 0; f < 5; ++f)
            MakeFace({f, f + 1, f + 2});
    }
    // Among the invariants: the selected state of each vertex agrees with the selection list.
    bool StatesMatchList() { return CheckSceneInvariants(scene).empty(); }
};

TEST_F(SelectionTest, ToggleVertexFollowsTheLayerRule) {
    FiveVertices();
    scene.ToggleVertex(0);  // layer 2 while 0 is current: refused
    EXPECT_TRUE(scene.selectedVertices.empty());
    scene.ToggleVertex(3);
    scene.ToggleVertex(4);
    scene.ToggleVertex(3);
    EXPECT_EQ(scene.selectedVertices, Indices{4});
    scene.allLayers = 1;
    scene.ToggleVertex(0);
    EXPECT_EQ(scene.selectedVertices, (Indices{4, 0}));
    EXPECT_TRUE(StatesMatchList());
}

TEST_F(SelectionTest, SelectAllVerticesTakesTheCurrentLayerOrAll) {
    FiveVertices();
    scene.vertices[1].hidden = 1;  // hidden vertices are still selected by the command
    scene.SetCurrentLayer(2);
    scene.SelectAllVertices();
    EXPECT_EQ(scene.selectedVertices, (Indices{0, 1, 2}));
    scene.ToggleAllLayers();
    scene.SelectAllVertices();
    EXPECT_EQ(scene.selectedVertices, (Indices{0, 1, 2, 3, 4}));
    EXPECT_TRUE(StatesMatchList());
    EXPECT_EQ(redraws.back(), RedrawScope::Orthographic);
}

TEST_F(SelectionTest, SelectAllFacesIgnoresLayersAndHidingAndInvertKeepsToSelectedKinds) {
    FiveFaces();
    scene.faces[1].hidden = 1;
    scene.faces[2].layer = 5;
    SelectVertices({0});
    scene.SelectAllFaces();
    EXPECT_EQ(scene.selectedFaces, (Indices{0, 1, 2, 3, 4}));
    EXPECT_TRUE(scene.selectedVertices.empty());
    // Inverting touches only the kinds that have a selection.
    SelectFaces({3, 1});
    scene.InvertSelection();
    EXPECT_EQ(scene.selectedFaces, (Indices{0, 2, 4}));
    EXPECT_TRUE(scene.selectedVertices.empty());

    scene.ClearFaceSelection();
    scene.InvertSelection();
    EXPECT_TRUE(scene.selectedFaces.empty());
    EXPECT_TRUE(scene.selectedVertices.empty());

    SelectVertices({6, 2});
    scene.InvertSelection();
    EXPECT_EQ(scene.selectedVertices, (Indices{0, 1, 3, 4, 5}));
    EXPECT_TRUE(StatesMatchList());
}

TEST_F(SelectionTest, FacesOfVerticesTakesOnlyWholeFaces) {
    for (int i = 0; i < 7; ++i)
        AddVertex(i, i % 3, i % 2);
    const auto tri = MakeFace({0, 1, 2});
    MakeFace({3, 4, 5, 6});
    SelectVertices({2, 0, 1, 3, 4});
    scene.SelectFacesOfVertices();
    EXPECT_EQ(scene.selectedFaces, Indices{tri});
    EXPECT_TRUE(scene.selectedVertices.empty());
    EXPECT_TRUE(StatesMatchList());
}

TEST_F(SelectionTest, VerticesOfFacesKeepsListOrderAndTheLayerRule) {
    AddVertex(0, 0, 0, 0);
    AddVertex(1, 0, 0, 0);
    AddVertex(0, 0, 1, 0);
    AddVertex(1, 0, 1, 0);
    MakeFace({2, 0, 1});
    MakeFace({1, 3, 2});
    SelectFaces({1, 0});
    scene.SelectVerticesOfFaces();
    EXPECT_EQ(scene.selectedVertices, (Indices{1, 3, 2, 0}));
    EXPECT_TRUE(scene.selectedFaces.empty());

    // Vertices of another layer are skipped unless every layer is shown.
    scene.vertices[3].layer = 4;
    SelectVertices({});
    SelectFaces({1});
    scene.SelectVerticesOfFaces();
    EXPECT_EQ(scene.selectedVertices, (Indices{1, 2}));
}

TEST_F(SelectionTest, HidingShowingAndChangingLayer) {
    FiveFaces();
    SelectVertices({1, 2});
    scene.HideSelectedVertices();
    EXPECT_EQ(scene.vertices[1].hidden, 1);
    EXPECT_TRUE(scene.selectedVertices.empty());
    EXPECT_FALSE(scene.IsFaceShown(scene.faces[0]));  // one of its vertices is hidden
    EXPECT_TRUE(scene.IsFaceShown(scene.faces[3]));
    scene.ShowAllVertices();
    EXPECT_EQ(redraws.back(), RedrawScope::All);
    EXPECT_TRUE(scene.IsFaceShown(scene.faces[0]));

    SelectFaces({4});
    scene.HideSelectedFaces();
    EXPECT_FALSE(scene.IsFaceShown(scene.faces[4]));
    EXPECT_TRUE(scene.selectedFaces.empty());
    scene.ShowAllFaces();
    EXPECT_TRUE(scene.IsFaceShown(scene.faces[4]));
    // Changing the layer empties both selections, only when it changes.
    SelectVertices({1});
    SelectFaces({2});
    EXPECT_FALSE(scene.SetCurrentLayer(0));
    EXPECT_EQ(scene.selectedVertices, Indices{1});
    EXPECT_EQ(scene.selectedFaces, Indices{2});
    EXPECT_TRUE(scene.IsFaceShown(scene.faces[0]));
    EXPECT_TRUE(scene.SetCurrentLayer(4));
    EXPECT_TRUE(scene.selectedVertices.empty());
    EXPECT_TRUE(scene.selectedFaces.empty());
    EXPECT_TRUE(StatesMatchList());
    EXPECT_FALSE(scene.IsFaceShown(scene.faces[0]));  // layer 0 faces are not shown on layer 4
    scene.ToggleAllLayers();
    EXPECT_TRUE(scene.IsFaceShown(scene.faces[0]));
}

TEST_F(SelectionTest, BatchToggleMatchesOneByOne) {
    for (int i = 0; i < 8; ++i)
        AddVertex(i, 0, 0);
    SelectVertices({5, 1, 3});
    const Indices toggles{0, 3, 5, 7};
    scene.ToggleVertices(toggles);
    EXPECT_EQ(scene.selectedVertices, (Indices{1, 0, 7}));
    EXPECT_TRUE(StatesMatchList());
}

}  // namespace
}  // namespace kvx
