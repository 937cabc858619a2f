#include <filesystem>
#include <string>
#include <vector>

#include "ObjTestFiles.h"
#include "interchange/ObjCommands.h"
#include "interchange/ObjImport.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using test::SceneBytes;
using test::TempDir;
using test::WriteText;

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
