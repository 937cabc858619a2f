#include "SceneFixture.h"

namespace kvx {
namespace {

using test::SceneTest;
using Indices = std::vector<std::int32_t>;
using EditingTest = SceneTest;

Indices Corners(const Face& f) {
    return Indices(f.sceneIndices.begin(), f.sceneIndices.begin() + f.vertexCount);
}

TEST_F(EditingTest, FaceKeepsThePickOrderAndTheSelection) {
    for (int i = 0; i < 4; ++i)
        AddVertex(i, i * i, 0);  // A B C D
    SelectVertices({0, 2, 1, 3});
    EXPECT_EQ(scene.CreateFaceFromSelection(), 1);
    ASSERT_EQ(scene.faceCount(), 1);
    EXPECT_EQ(Corners(scene.faces[0]), (Indices{0, 2, 1, 3}));
    EXPECT_EQ(scene.selectedVertices, (Indices{0, 2, 1, 3}));
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(EditingTest, FaceNeedsThreeVerticesOfOneLayer) {
    AddVertex(0, 0, 0, 1);
    AddVertex(1, 0, 0, 1);
    AddVertex(0, 0, 1, 2);
    scene.allLayers = 1;
    SelectVertices({0, 1});
    EXPECT_EQ(scene.CreateFaceFromSelection(), 0);
    EXPECT_TRUE(prompts.messages().empty());

    SelectVertices({0, 1, 2});
    EXPECT_EQ(scene.CreateFaceFromSelection(), 0);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              "Il est impossible de creer une face avec des vertex de diffrents layers...");
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");
    EXPECT_EQ(scene.faceCount(), 0);

    // Vertices all on layer 1 while layer 0 is current: the face goes to layer 0.
    AddVertex(1, 0, 1, 1);
    SelectVertices({0, 1, 3});
    EXPECT_EQ(scene.CreateFaceFromSelection(), 1);
    EXPECT_EQ(scene.faces[0].layer, 0);
}

TEST_F(EditingTest, CopyingVerticesReplacesThemInTheSelection) {
    AddVertex(1, 2, 3);
    AddVertex(4, 5, 6);
    SelectVertices({1, 0});
    scene.CopySelection(0, 0, 0);
    EXPECT_EQ(scene.vertexCount(), 4);
    EXPECT_EQ(scene.selectedVertices, (Indices{2, 3}));
    EXPECT_EQ(scene.vertices[2].x, 4);
    EXPECT_EQ(scene.vertices[3].z, 3);
    EXPECT_EQ(scene.vertices[0].state, VertexNormal);
    EXPECT_EQ(scene.vertices[3].state, VertexSelected);
}

TEST_F(EditingTest, CopyingATriangleMakesABlueCopyOverNewVertices) {
    AddVertex(0, 0, 0);
    AddVertex(1, 0, 0);
    AddVertex(0, 0, 1);
    MakeFace({0, 1, 2});
    scene.faces[0].SetColor(200, 10, 10);
    scene.faces[0].renderType = RenderSmooth;
    scene.ClearVertexSelection();
    SelectFaces({0});
    scene.CopySelection(0.5, 0, 0);
    ASSERT_EQ(scene.vertexCount(), 6);
    ASSERT_EQ(scene.faceCount(), 2);
    const Face& copy = scene.faces[1];
    EXPECT_EQ(Corners(copy), (Indices{3, 4, 5}));
    EXPECT_EQ(copy.blue, 255);
    EXPECT_EQ(copy.red, 0);
    EXPECT_EQ(copy.renderType, RenderFlat);
    EXPECT_FLOAT_EQ(scene.vertices[4].x, 1.5f);
    EXPECT_EQ(scene.selectedVertices, (Indices{3, 4, 5}));
    EXPECT_TRUE(scene.selectedFaces.empty());
}

TEST_F(EditingTest, DeletingFacesClosesTheGapsInOrder) {
    for (int i = 0; i < 7; ++i)
        AddVertex(i, i % 2, 0);
    for (int f = 0; f < 5; ++f) {
        MakeFace({f, f + 1, f + 2});
        scene.faces[static_cast<std::size_t>(f)].SetColor(f, 0, 0);  // tells them apart
    }
    SelectVertices({0});
    SelectFaces({4, 2});
    scene.DeleteSelectedFaces();
    ASSERT_EQ(scene.faceCount(), 3);
    EXPECT_EQ(scene.faces[0].red, 0);
    EXPECT_EQ(scene.faces[1].red, 1);
    EXPECT_EQ(scene.faces[2].red, 3);
    EXPECT_EQ(Corners(scene.faces[2]), (Indices{3, 4, 5}));
    EXPECT_TRUE(scene.selectedFaces.empty());
    EXPECT_TRUE(scene.selectedVertices.empty());
    EXPECT_EQ(scene.vertices[0].state, VertexNormal);
    EXPECT_EQ(redraws.back(), RedrawScope::All);

    redraws.clear();
    scene.DeleteSelectedFaces();  // nothing selected: nothing happens
    EXPECT_EQ(scene.faceCount(), 3);
    EXPECT_TRUE(redraws.empty());
}

TEST_F(EditingTest, InvertTurnsAFaceOverAndKeepsItsColour) {
    for (int i = 0; i < 4; ++i)
        AddVertex(i % 2, 0, i / 2);
    MakeFace({0, 1, 3, 2});
    MakeFace({0, 1, 2});
    scene.faces[0].SetColor(255, 0, 0);
    const float before = EngineNormal(scene.faces[0], 0).y;
    SelectFaces({0});
    scene.FlipSelectedFaces();
    ASSERT_EQ(scene.faceCount(), 2);
    const Face& flipped = scene.faces[1];
    EXPECT_EQ(Corners(flipped), (Indices{2, 3, 1, 0}));
    EXPECT_EQ(flipped.red, 255);
    EXPECT_EQ(flipped.blue, 0);
    EXPECT_EQ(scene.selectedFaces, Indices{1});
    // The reversed order turns the normal the other way.
    EXPECT_NEAR(before, -1.0, 1e-6);
    EXPECT_NEAR(EngineNormal(flipped, 0).y, 1.0, 1e-6);
    EXPECT_EQ(EngineFaceCount(), 2);
}

TEST_F(EditingTest, ColourAndRenderTypeNeedASelection) {
    AddVertex(0, 0, 0);
    AddVertex(1, 0, 0);
    AddVertex(0, 0, 1);
    MakeFace({0, 1, 2});
    scene.SetSelectedFacesColor(1, 2, 3);
    scene.SetSelectedFacesRenderType(RenderSmooth);
    EXPECT_EQ(scene.faces[0].blue, 255);
    EXPECT_EQ(scene.faces[0].renderType, RenderFlat);
    SelectFaces({0});
    scene.SetSelectedFacesColor(10, 20, 30);
    EXPECT_EQ(scene.faces[0].green, 20);
    EXPECT_NEAR(EngineFace(scene.faces[0]).color.z, 30 / 255.0, 1e-6);
}

TEST_F(EditingTest, MeshIsAFifteenByFifteenGrid) {
    AddVertex(9, 9, 9);
    SelectVertices({0});
    scene.GenerateMesh();
    ASSERT_EQ(scene.vertexCount(), 226);
    ASSERT_EQ(scene.faceCount(), 392);
    EXPECT_TRUE(scene.selectedVertices.empty());
    // Vertex (i, j) sits at index 1 + 15 i + j.
    const Vertex& v = scene.vertices[1 + 15 * 14 + 3];
    EXPECT_FLOAT_EQ(v.x, 6.5f);
    EXPECT_FLOAT_EQ(v.z, 4.5f);
    EXPECT_EQ(Corners(scene.faces[0]), (Indices{1, 16, 2}));
    EXPECT_EQ(Corners(scene.faces[1]), (Indices{16, 17, 2}));
    for (int f = 0; f < 392; ++f) {
        const Face& face = scene.faces[static_cast<std::size_t>(f)];
        EXPECT_EQ(face.red, f % 2 == 0 ? 33 : 43);
        EXPECT_EQ(face.green, f % 2 == 0 ? 45 : 112);
    }
}

TEST_F(EditingTest, NewSceneEmptiesEverythingButKeepsTheLayerSettings) {
    int cleared = 0;
    scene.hooks().sceneCleared = [&] { ++cleared; };
    scene.GenerateMesh();
    SelectFaces({3});
    scene.SetCurrentLayer(4);
    scene.ToggleAllLayers();
    const LayerMesh* before = scene.layerMesh(0);
    scene.placementFrame(0).MoveBy(1, 2, 3);
    scene.ClearScene();
    EXPECT_EQ(scene.vertexCount(), 0);
    EXPECT_EQ(scene.faceCount(), 0);
    EXPECT_TRUE(scene.selectedFaces.empty());
    EXPECT_EQ(scene.currentLayer, 4);
    EXPECT_EQ(scene.allLayers, 1);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(scene.layerMeshCount(), LayerCount);
    EXPECT_NE(scene.layerMesh(0), before);
    EXPECT_EQ(Builder(0).VertexCount(), 0);
    EXPECT_EQ(EngineFaceCount(), 0);
    // Only the new layers hang under the model frame.
    EXPECT_EQ(scene.modelFrame().frame->Children().size(), static_cast<std::size_t>(LayerCount));
}

TEST_F(EditingTest, OperationsThatWouldOverfillTheTablesAreRefusedWhole) {
    scene.vertexCapacity = 300;
    scene.faceCapacity = 393;
    scene.GenerateMesh();
    ASSERT_EQ(scene.faceCount(), 392);
    scene.GenerateMesh();  // 225 more vertices do not fit
    EXPECT_EQ(scene.vertexCount(), 225);
    EXPECT_EQ(scene.faceCount(), 392);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");

    SelectFaces({0, 1});
    scene.FlipSelectedFaces();  // two new faces do not fit: nothing is turned
    EXPECT_EQ(scene.faceCount(), 392);
    EXPECT_EQ(scene.faces[0].red, 33);
    EXPECT_EQ(prompts.messages().size(), 2u);

    SelectVertices({0, 1, 2});
    EXPECT_EQ(scene.CreateFaceFromSelection(), 1);  // the last face that fits
    EXPECT_EQ(scene.CreateFaceFromSelection(), 0);
    EXPECT_EQ(scene.faceCount(), 393);
    SelectFaces({});
    SelectVertices({4});
    scene.faceCapacity = MaxFaces;
    scene.vertexCapacity = 225;
    scene.CopySelection(0, 0, 0);
    EXPECT_EQ(scene.vertexCount(), 225);
    EXPECT_EQ(scene.selectedVertices, Indices{4});
}

}  // namespace
}  // namespace kvx
