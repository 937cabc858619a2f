#include <cfloat>
#include <cmath>
#include <filesystem>
#include <vector>

#include "ObjTestFiles.h"
#include "interchange/ObjExport.h"
#include "interchange/ObjImport.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using test::ReadText;
using test::SceneBytes;
using test::TempDir;
using test::WriteText;

class ObjExport : public test::SceneTest {
  protected:
    // Every layer holds a polygon (eight corners on even layers, four on odd ones) and a triangle
    // on two of its corners and a vertex of extreme size, each face with its own colour, some
    // smooth, some hidden; one more vertex, tiny and hidden, belongs to no face.
    void BuildEveryLayer() {
        for (int layer = 0; layer < LayerCount; ++layer) {
            scene.currentLayer = layer;
            std::vector<std::int32_t> polygon;
            for (int k = 0; k < (layer % 2 == 0 ? 8 : 4); ++k)
                polygon.push_back(AddVertex(layer * 1.1 + std::cos(k) / 3.0, -1e-7 * k + layer,
                                            12345.678 * std::sin(k + layer), layer));
            const std::int32_t extreme = AddVertex(layer % 2 ? FLT_MAX : -FLT_MAX, 0.3, -0.7);
            const std::int32_t big = scene.CreateFaceFromList(polygon);
            const std::int32_t small = MakeFace({polygon[0], extreme, polygon[1]});
            ASSERT_GE(small, 0);
            scene.faces[big].SetColor(layer * 25, 255 - layer, 7 * layer);
            scene.faces[small].SetColor(200, 100, layer);
            scene.faces[big].renderType = layer % 3 == 0 ? RenderSmooth : RenderFlat;
            scene.faces[small].hidden = layer % 4 == 1;
            scene.vertices[extreme].hidden = layer % 2;
        }
        scene.vertices[AddVertex(1e-40, -2.5e-3, 0.1, 9)].hidden = 1;
        scene.currentLayer = 0;
    }
};

TEST_F(ObjExport, RoundTripKeepsEveryRecordExactly) {
    BuildEveryLayer();
    TempDir dir;
    std::string reason;
    ASSERT_TRUE(ExportObj(scene, dir.File("all.obj"), reason)) << reason;
    EXPECT_TRUE(std::filesystem::exists(dir.File("all.mtl")));

    SceneFileData data;
    ASSERT_TRUE(ReadObjFile(dir.File("all.obj"), data, reason)) << reason;
    rm::SceneRoot otherRoot;
    otherRoot.Create();
    Scene other(otherRoot);
    other.currentLayer = 5;  // every record names its layer, so this one must not matter
    ASSERT_TRUE(AddSceneFileToScene(other, data, true, reason)) << reason;
    // The scene file holds positions, corners in order, colours, layers, flags and shading.
    EXPECT_EQ(SceneBytes(other, dir), SceneBytes(scene, dir));
    EXPECT_EQ(other.faceCount(), 20);
    EXPECT_EQ(other.faces[0].vertexCount, 8);
}

TEST_F(ObjExport, WritesGroupsMaterialsAndSmoothingAsOtherProgramsRead) {
    scene.currentLayer = 2;
    const std::int32_t a = AddVertex(0.1, -0.0025, 3);
    AddVertex(1, 0, 0);
    AddVertex(0, 1, 0);
    scene.vertices[a].hidden = 1;
    MakeFace({2, 1, 0});
    MakeFace({0, 1, 2});
    scene.faces[0].SetColor(10, 20, 30);
    scene.faces[0].renderType = RenderSmooth;
    TempDir dir;
    std::string reason;
    ASSERT_TRUE(ExportObj(scene, dir.File("tiny.obj"), reason)) << reason;
    EXPECT_EQ(ReadText(dir.File("tiny.obj")),
              "# Kolvex scene: 3 vertices, 2 faces\n"
              "mtllib tiny.mtl\n"
              "g layer2 hidden\n"
              "v 0.100000001 -0.00249999994 3\n"
              "g layer2\n"
              "v 1 0 0\n"
              "v 0 1 0\n"
              "g layer2\n"
              "usemtl kvx_10_20_30\n"
              "s 1\n"
              "f 3 2 1\n"
              "usemtl kvx_0_0_255\n"
              "s off\n"
              "f 1 2 3\n");
    EXPECT_EQ(ReadText(dir.File("tiny.mtl")),
              "# Kolvex face colours\n"
              "\nnewmtl kvx_0_0_255\nKd 0 0 1\n"
              "\nnewmtl kvx_10_20_30\nKd 0.0392156863 0.0784313725 0.117647059\n");
}

TEST_F(ObjExport, AFailedExportLeavesTheEarlierFiles) {
    AddVertex(0, 0, 0);
    TempDir dir;
    WriteText(dir.File("old.obj"), "earlier obj\n");
    WriteText(dir.File("old.mtl"), "earlier mtl\n");
    // The material file's temporary name is taken by a folder, so it cannot be created.
    std::filesystem::create_directory(dir.File("old.mtl") + ObjTemporarySuffix);
    std::string reason;
    EXPECT_FALSE(ExportObj(scene, dir.File("old.obj"), reason));
    EXPECT_EQ(reason, "cannot create " + dir.File("old.mtl") + ObjTemporarySuffix);
    EXPECT_EQ(ReadText(dir.File("old.obj")), "earlier obj\n");
    EXPECT_EQ(ReadText(dir.File("old.mtl")), "earlier mtl\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("old.obj") + ObjTemporarySuffix));
    EXPECT_FALSE(ExportObj(scene, dir.File("no-such-folder/x.obj"), reason));
}

}  // namespace
}  // namespace kvx
