#include <cfloat>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "ObjTestFiles.h"
#include "interchange/ObjCommands.h"
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

// The import and export commands, through the file dialogs and messages.
class ObjCommands : public test::SceneTest {
  protected:
    ObjCommands() {
        AddVertex(9, 9, 9);
        AddVertex(8, 9, 9);
        AddVertex(9, 8, 9);
        MakeFace({0, 1, 2});
    }
    platform::FileDialogSettings importDialog = ObjImportDialogSettings();
    platform::FileDialogSettings exportDialog = ObjExportDialogSettings();
    TempDir dir;
};

TEST_F(ObjCommands, ImportAddsAfterTheSceneAndExportAppendsTheExtension) {
    WriteText(dir.File("tri.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 3 2 1\n");
    prompts.QueueFileName(dir.File("tri.obj"));
    EXPECT_EQ(ImportObjScene(scene, prompts, importDialog), 1);
    ASSERT_EQ(scene.faceCount(), 2);
    EXPECT_EQ(scene.faces[1].sceneIndices[0], 5);  // the file's vertex 3 after the scene's three
    EXPECT_EQ(scene.faces[1].sceneIndices[2], 3);

    prompts.QueueFileName(dir.File("named"));
    EXPECT_EQ(ExportObjScene(scene, prompts, exportDialog), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("named.obj")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("named.mtl")));
    EXPECT_TRUE(prompts.messages().empty());

    prompts.QueueFileName(std::nullopt);
    EXPECT_EQ(ImportObjScene(scene, prompts, importDialog), 0);
    prompts.QueueFileName(dir.File("missing/x.obj"));
    EXPECT_EQ(ExportObjScene(scene, prompts, exportDialog), 0);
    ASSERT_EQ(prompts.messages().size(), 1u);
    // The material file is created first.
    EXPECT_EQ(prompts.messages()[0].text,
              "Erreur lors de l'export du fichier OBJ!\ncannot create " +
                  dir.File("missing/x.mtl") + ".kvx-saving");
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");
}

// Each broken file is refused with its reason, shown by the import command, and the scene
// stays exactly as it was.
TEST_F(ObjCommands, ABrokenFileIsRefusedWithItsReasonAndChangesNothing) {
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {triangle + "f 1 2 5\n", "line 4: corner 3 refers to vertex 5 of 3"},
        {triangle + "f -1 -2 -4\n", "line 4: corner 3 refers to a vertex before the first one"},
        {triangle + "f 1 2\n", "line 4: face with 2 corners (at least 3 needed)"},
        {triangle + "f 0 1 2\n", "line 4: vertex index 0 (indices start at 1)"},
        {triangle + "f 1 2 x\n", "line 4: corner 'x' has no vertex index"},
        {"v 0 0 0\nv nan 1 2\n", "line 2: coordinate 'nan' is not a finite number"},
        {"# big\nv 0 -1e400 0\n", "line 2: coordinate is not a finite number"},
        {"v 1e39 0 0\n", "line 1: coordinate too large for a 32-bit float"},
        {"v 1 2 abc\n", "line 1: coordinate 'abc' is not a number"},
        {"v 1 2\n", "line 1: vertex with fewer than three coordinates"},
    };
    const std::vector<std::uint8_t> before = SceneBytes(scene, dir);
    for (const auto& [text, reason] : cases) {
        WriteText(dir.File("bad.obj"), text);
        SceneFileData data;
        std::string got;
        EXPECT_FALSE(ReadObjFile(dir.File("bad.obj"), data, got)) << text;
        EXPECT_EQ(got, reason) << text;

        prompts.ClearRecord();
        prompts.QueueFileName(dir.File("bad.obj"));
        EXPECT_EQ(ImportObjScene(scene, prompts, importDialog), 0);
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].text, "Erreur lors de l'import du fichier OBJ:\n" + reason);
        EXPECT_EQ(prompts.messages()[0].title, "Attention...");
        EXPECT_EQ(SceneBytes(scene, dir), before) << text;
    }
    SceneFileData data;
    std::string got;
    EXPECT_FALSE(ReadObjFile(dir.File("absent.obj"), data, got));
    EXPECT_EQ(got, "cannot read the file (missing or not readable)");
}

}  // namespace
}  // namespace kvx
