#include <cmath>
#include <sstream>

#include "SceneFixture.h"
#include "scene/SceneInvariants.h"
#include "scene/VertexTransforms.h"

namespace kvx {
namespace {

using test::SceneTest;
using RecordsTest = SceneTest;

void ExpectVec(rm::Vec3f v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
}

TEST_F(RecordsTest, StartsWithTenEmptyLayersUnderTheModelFrame) {
    EXPECT_EQ(scene.layerMeshCount(), LayerCount);
    EXPECT_EQ(scene.currentLayer, 0);
    EXPECT_EQ(scene.allLayers, 0);
    for (int l = 0; l < LayerCount; ++l) {
        const rm::Frame* spin = scene.spinFrame(l).frame.get();
        ASSERT_EQ(spin->Visuals().size(), 1u);
        EXPECT_EQ(spin->Visuals()[0].get(), scene.layerMesh(l)->builder.get());
        EXPECT_EQ(spin->Parent(), scene.placementFrame(l).frame.get());
        EXPECT_EQ(scene.placementFrame(l).frame->Parent(), scene.modelFrame().frame.get());
    }
    EXPECT_EQ(scene.modelFrame().frame->Parent(), root.root.frame.get());
}

TEST_F(RecordsTest, VerticesAreMirroredIntoTheCurrentLayersMesh) {
    scene.currentLayer = 3;
    const auto i = AddVertex(1.5, -2.0, 4.25, 7);
    const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
    EXPECT_EQ(v.sceneIndex, 0);
    EXPECT_EQ(v.layer, 7);
    EXPECT_EQ(v.owner, scene.layerMesh(3));
    EXPECT_EQ(v.state, VertexNormal);
    EXPECT_EQ(v.markerColor, 255u);
    ExpectVec(Builder(3).Positions()[static_cast<std::size_t>(v.meshIndex)], 1.5, -2.0, 4.25);
    EXPECT_EQ(Builder(0).VertexCount(), 0);
}

TEST_F(RecordsTest, NewFaceIsBlueFlatAndOnTheCurrentLayer) {
    AddVertex(0, 0, 0);
    AddVertex(0, 0, 1);
    AddVertex(1, 0, 0);
    const auto fi = MakeFace({0, 1, 2});
    ASSERT_EQ(fi, 0);
    const Face& f = scene.faces[0];
    EXPECT_EQ(f.renderType, RenderFlat);
    EXPECT_EQ(f.red, 0);
    EXPECT_EQ(f.green, 0);
    EXPECT_EQ(f.blue, 255);
    EXPECT_EQ(f.vertexCount, 3);
    EXPECT_TRUE(EngineFace(f).added);
    ExpectVec(EngineFace(f).color, 0, 0, 1);
    ExpectVec(EngineCorner(f, 1), 0, 0, 1);
    // (P1 - P2) x (P1 - P0) for this triangle points up, in every slot.
    for (int k = 0; k < 3; ++k)
        ExpectVec(EngineNormal(f, k), 0, 1, 0);
    EXPECT_EQ(scene.layerMesh(0)->facesAdded, 1);
    EXPECT_EQ(scene.layerMesh(0)->normalsAdded, 3);
}

TEST_F(RecordsTest, AFaceRefusesANinthVertex) {
    for (int i = 0; i < 9; ++i)
        AddVertex(std::cos(i), std::sin(i), 0);
    const auto fi = MakeFace({0, 1, 2, 3, 4, 5, 6, 7, 8});
    Face& f = scene.faces[static_cast<std::size_t>(fi)];
    EXPECT_EQ(f.vertexCount, MaxFaceVertices);
    const auto normals = scene.layerMesh(0)->normalsAdded;
    EXPECT_EQ(f.AddVertex(scene.vertices[8]), 0);
    EXPECT_EQ(f.vertexCount, MaxFaceVertices);
    EXPECT_EQ(scene.layerMesh(0)->normalsAdded, normals);
    EXPECT_EQ(Builder(0).NormalCount(), normals);
    EXPECT_EQ(EngineFace(f).cornerCount, MaxFaceVertices);
}

TEST_F(RecordsTest, SmoothSlotsTakeTheUnitSumOfTheFaceNormalsAtTheirVertex) {
    AddVertex(0, 0, 0);  // shared
    AddVertex(0, 0, 1);
    AddVertex(1, 0, 0);
    AddVertex(0, 1, 0);
    const auto a = MakeFace({0, 1, 2});  // normal (0, 1, 0)
    const auto b = MakeFace({0, 3, 1});  // normal (1, 0, 0)
    const auto c = MakeFace({0, 2, 3});  // stays flat: normal (0, 0, 1)
    SelectFaces({a, b});
    scene.SetSelectedFacesRenderType(RenderSmooth);
    const double h = std::sqrt(0.5);
    const Face& fa = scene.faces[static_cast<std::size_t>(a)];
    const Face& fb = scene.faces[static_cast<std::size_t>(b)];
    // Every face on the vertex counts, the flat one too: (0,1,0) + (1,0,0) + (0,0,1).
    const double t = 1 / std::sqrt(3.0);
    ExpectVec(EngineNormal(fa, 0), t, t, t);
    ExpectVec(EngineNormal(fb, 0), t, t, t);
    // Vertex 1 belongs to a and b: (0,1,0) + (1,0,0).
    ExpectVec(EngineNormal(fa, 1), h, h, 0);
    // Vertex 2 belongs to a and c: (0,1,0) + (0,0,1).
    ExpectVec(EngineNormal(fa, 2), 0, h, h);
    // The flat face keeps its own normal at the shared vertex.
    ExpectVec(EngineNormal(scene.faces[static_cast<std::size_t>(c)], 0), 0, 0, 1);
    EXPECT_EQ(redraws.back(), RedrawScope::All);
}

TEST_F(RecordsTest, CollinearFacesGetAZeroNormalNeverNaN) {
    AddVertex(0, 0, 0);
    AddVertex(1, 1, 1);
    AddVertex(2, 2, 2);
    const auto fi = MakeFace({0, 1, 2});
    for (int k = 0; k < 3; ++k)
        ExpectVec(EngineNormal(scene.faces[static_cast<std::size_t>(fi)], k), 0, 0, 0);
    SelectFaces({fi});
    scene.SetSelectedFacesRenderType(RenderSmooth);
    for (int k = 0; k < 3; ++k)  // a NaN fails the comparison too
        ExpectVec(EngineNormal(scene.faces[static_cast<std::size_t>(fi)], k), 0, 0, 0);
}

TEST_F(RecordsTest, AFaceOnAnotherLayersMeshUsesThoseVeryVertices) {
    // Vertices made while layer 0 is current live in mesh 0; the face is made on layer 1.
    AddVertex(5, 0, 0, 0);
    AddVertex(5, 0, 1, 0);
    AddVertex(6, 0, 0, 0);
    scene.allLayers = 1;
    scene.currentLayer = 1;
    Builder(1).AddVertex(99, 99, 99);  // mesh 1 already holds something else at index 0
    const auto fi = MakeFace({0, 1, 2});
    ASSERT_GE(fi, 0);
    const Face& f = scene.faces[static_cast<std::size_t>(fi)];
    EXPECT_EQ(f.owner, scene.layerMesh(1));
    ExpectVec(EngineCorner(f, 0), 5, 0, 0);
    ExpectVec(EngineCorner(f, 2), 6, 0, 0);
    // Moving the vertex moves the face's corner too.
    Translate(scene.vertices[0], 0, 2, 0);
    ExpectVec(EngineCorner(f, 0), 5, 2, 0);
    ExpectVec(Builder(0).Positions()[0], 5, 2, 0);
}

TEST_F(RecordsTest, DeletingFacesLeavesNoStaleOrDoubledGeometryInAnyMesh) {
    for (int i = 0; i < 6; ++i)
        AddVertex(i, 0, i % 2);
    MakeFace({0, 1, 2});
    scene.currentLayer = 1;
    scene.allLayers = 1;
    MakeFace({1, 2, 3});
    MakeFace({2, 3, 4});
    scene.currentLayer = 2;
    MakeFace({3, 4, 5});
    ASSERT_EQ(EngineFaceCount(), 4);
    SelectFaces({1});
    scene.DeleteSelectedFaces();
    EXPECT_EQ(scene.faceCount(), 3);
    EXPECT_EQ(EngineFaceCount(), 3);
    // Everything now lives in the current layer's mesh, emptied and rebuilt, every corner on its
    // vertex and at its position.
    for (const Face& f : scene.faces)
        EXPECT_EQ(f.owner, scene.layerMesh(2));
    EXPECT_EQ(CheckSceneInvariants(scene), "");
    for (int l = 0; l < LayerCount; ++l)
        if (l != 2) {
            EXPECT_EQ(Builder(l).FaceCount(), 0) << "layer " << l;
        }
    EXPECT_EQ(Builder(2).VertexCount(), scene.vertexCount());
}

// Everything the current layer's mesh holds, and how the scene's faces and its own counts refer
// to it, as text.
std::string MeshText(const Scene& scene) {
    const LayerMesh& mesh = *scene.layerMesh(scene.currentLayer);
    const rm::MeshBuilder& b = *mesh.builder;
    std::ostringstream out;
    out << mesh.facesAdded << ' ' << mesh.normalsAdded << '\n';
    for (const rm::Vec3f& p : b.Positions())
        out << p.x << ' ' << p.y << ' ' << p.z << ';';
    out << '\n';
    for (const rm::FaceData& d : b.Faces()) {
        out << d.added << ' ' << d.color.x << ' ' << d.color.y << ' ' << d.color.z << ':';
        for (int k = 0; k < d.cornerCount; ++k) {
            const rm::Corner& c = b.CornersOf(d)[k];
            const rm::Vec3f n = b.Normals()[static_cast<std::size_t>(c.normal)];
            out << ' ' << c.vertex << '/' << c.normal << '(' << n.x << ' ' << n.y << ' ' << n.z
                << ')';
        }
        out << '\n';
    }
    for (const Face& f : scene.faces)
        out << f.rmIndex << (f.owner == &mesh ? ' ' : '!');
    return out.str();
}

TEST_F(RecordsTest, DeletingFacesKeepsTheVertexTableAndTheNormals) {
    scene.GenerateMesh();
    for (int i = 0; i < scene.faceCount(); i += 3) {
        Face& f = scene.faces[static_cast<std::size_t>(i)];
        f.SetColor(i % 256, 7, 200);
        f.renderType = i % 2 == 0 ? RenderSmooth : RenderFlat;
    }
    for (int round = 0; round < 3; ++round) {
        SelectFaces({0, 5, 2 * round + 17});
        scene.DeleteSelectedFaces();
        // The mesh holds exactly what rebuilding it from the tables gives.
        const std::string kept = MeshText(scene);
        scene.RebuildMirror(scene.VertexOwners(), scene.FaceOwners());
        EXPECT_EQ(kept, MeshText(scene)) << "round " << round;
    }
    ASSERT_EQ(scene.vertexCount(), 225);
    for (int i = 0; i < scene.vertexCount(); ++i)
        EXPECT_EQ(scene.vertices[static_cast<std::size_t>(i)].sceneIndex, i);
    EXPECT_EQ(scene.faceCount(), 392 - 9);
    // Deleted faces' slots are gone and the kept faces are shaded, not left with placeholders.
    EXPECT_EQ(Builder(0).NormalCount(), 3 * (392 - 9));
    for (const Face& f : scene.faces)
        ExpectVec(EngineNormal(f, 0), 0, 1, 0);
}

}  // namespace
}  // namespace kvx
