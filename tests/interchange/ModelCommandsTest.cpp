// "Exporter..." and "Importer un modèle...": their dialogs' filters, the file written or read
// through the registry, and their messages, with scripted prompts.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ObjTestFiles.h"
#include "interchange/ModelCommands.h"
#include "scene/SceneFile.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;
namespace fs = std::filesystem;

// Runs the work at once and remembers what it was called.
class RecordedWork : public platform::LongWork {
  public:
    void Run(const std::string& what, const std::function<void()>& work) override {
        runs.push_back(what);
        work();
    }
    std::vector<std::string> runs;
};

// The 1-based place of the filter with this pattern, or 0.
int FilterWith(const platform::FileDialogSettings& dialog, const std::string& pattern) {
    for (std::size_t i = 0; i < dialog.filters.size(); ++i)
        if (dialog.filters[i].pattern == pattern) return static_cast<int>(i) + 1;
    return 0;
}

TEST(ModelDialogs, ExportHasAFilterPerWrittenFormatInFrenchWithGlbFirstChosen) {
    const platform::FileDialogSettings d = ModelExportDialogSettings();
    EXPECT_EQ(d.title, "Exporter le modèle");
    for (const char* pattern : {"*.obj", "*.stl", "*.ply", "*.gltf", "*.glb"})
        EXPECT_NE(FilterWith(d, pattern), 0) << pattern;
    const int glb = FilterWith(d, "*.glb");
    EXPECT_EQ(d.filterIndex, glb);
    EXPECT_EQ(d.filters[static_cast<std::size_t>(glb - 1)].description, "glTF 2.0 binaire (GLB)");
    EXPECT_EQ(d.filters.back().description, "Tous les fichiers");
    EXPECT_EQ(d.filters.back().pattern, "*.*");
    // The filter gives the extension, not a fixed default.
    EXPECT_TRUE(d.extensionFollowsFilter);
    EXPECT_TRUE(d.defaultExtension.empty());
}

TEST(ModelDialogs, ImportListsEveryReadExtensionFirstThenEachFormat) {
    const platform::FileDialogSettings d = ModelImportDialogSettings();
    EXPECT_EQ(d.title, "Importer un modèle");
    ASSERT_GE(d.filters.size(), 4u);  // models, scenes, OBJ, all files at least
    EXPECT_EQ(d.filters.front().description, "Modèles");
    EXPECT_EQ(d.filterIndex, 1);
    const std::string all = " " + d.filters.front().pattern + " ";
    for (const char* pattern : {" *.kvx ", " *.obj ", " *.glb ", " *.ply ", " *.stl ", " *.dae "})
        EXPECT_NE(all.find(pattern), std::string::npos) << all;
    EXPECT_EQ(d.filters[static_cast<std::size_t>(FilterWith(d, "*.kvx") - 1)].description,
              "Scène Kolvex");
    EXPECT_EQ(d.filters[static_cast<std::size_t>(FilterWith(d, "*.glb") - 1)].description,
              "glTF binaire (GLB)");
    // Each format's patterns are among the first filter's, none twice there.
    for (std::size_t i = 1; i + 1 < d.filters.size(); ++i) {
        std::string rest = d.filters[i].pattern + " ";
        for (std::size_t space; (space = rest.find(' ')) != std::string::npos;
             rest.erase(0, space + 1)) {
            const std::string one = " " + rest.substr(0, space) + " ";
            EXPECT_NE(all.find(one), std::string::npos) << one;
            EXPECT_EQ(all.find(one), all.rfind(one)) << one;
        }
    }
    EXPECT_EQ(d.filters.back().pattern, "*.*");
}

TEST(ModelDialogs, ANameWithoutExtensionTakesTheChosenFiltersOne) {
    platform::FileDialogSettings d;
    d.filters = {{"STL", "*.stl"}, {"LightWave", "*.lwo *.lws"}, {"Tous les fichiers", "*.*"}};
    d.filterIndex = 1;
    EXPECT_EQ(ExportPathFor("/d/part", d), "/d/part.stl");
    EXPECT_EQ(ExportPathFor("/d/part.glb", d), "/d/part.glb");  // typed: kept
    EXPECT_EQ(ExportPathFor("/d.x/part", d), "/d.x/part.stl");  // a dot in a folder is none
    d.filterIndex = 2;
    EXPECT_EQ(ExportPathFor("/d/part", d), "/d/part.lwo");
    d.filterIndex = 3;
    EXPECT_EQ(ExportPathFor("/d/part", d), "/d/part");
    d.filterIndex = 7;
    EXPECT_EQ(ExportPathFor("/d/part", d), "/d/part");
}

TEST(ModelDialogs, SummariesAndNamesComeInFrenchAndUnknownOnesStay) {
    EXPECT_EQ(FrenchExportSummary("binary STL of triangles: face colours, layers, hidden flags "
                                  "and smooth faces are not kept"),
              "STL binaire de triangles : les couleurs des faces, les layers, les éléments "
              "cachés et le lissage ne sont pas gardés");
    EXPECT_EQ(FrenchExportSummary("materials in /d/a.mtl"), "matières dans /d/a.mtl");
    EXPECT_EQ(FrenchExportSummary("something new"), "something new");
    EXPECT_EQ(FrenchFormatName("binary STL"), "STL binaire");
    EXPECT_EQ(FrenchFormatName("Collada"), "Collada");
}

class ModelCommands : public test::SceneTest {
  protected:
    ModelCommands() {
        AddVertex(9, 9, 9);
        AddVertex(8, 9, 9);
        AddVertex(9, 8, 9);
        MakeFace({0, 1, 2});
    }
    platform::FileDialogSettings exportDialog = ModelExportDialogSettings();
    platform::FileDialogSettings importDialog = ModelImportDialogSettings();
    RecordedWork work;
    ModelExport written;
    TempDir dir;
};

TEST_F(ModelCommands, ExportWritesTheFormatOfTheFilterOrOfTheTypedExtension) {
    prompts.QueueFileName(dir.File("part"));  // the glTF binary filter is chosen first
    ASSERT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 1);
    EXPECT_EQ(written.path, dir.File("part.glb"));
    EXPECT_EQ(ReadText(dir.File("part.glb")).substr(0, 4), "glTF");
    EXPECT_FALSE(written.summary.empty());

    prompts.QueueFileName(dir.File("part.stl"));
    ASSERT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 1);
    EXPECT_EQ(fs::file_size(dir.File("part.stl")), 84u + 50u);  // one triangle
    EXPECT_NE(FrenchExportSummary(written.summary).find("les couleurs des faces"),
              std::string::npos)
        << written.summary;
    EXPECT_EQ(work.runs, (std::vector<std::string>{"Export en cours...", "Export en cours..."}));
    EXPECT_TRUE(prompts.messages().empty());

    prompts.QueueFileName(std::nullopt);
    EXPECT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 0);
    EXPECT_EQ(work.runs.size(), 2u);  // cancelled: nothing runs

    // The filter after STL's asks for text STL.
    const int stl = FilterWith(exportDialog, "*.stl");
    ASSERT_EQ(exportDialog.filters.at(static_cast<std::size_t>(stl)).description, "STL texte");
    exportDialog.filterIndex = stl + 1;
    prompts.QueueFileName(dir.File("text"));
    ASSERT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 1);
    EXPECT_EQ(ReadText(dir.File("text.stl")).substr(0, 12), "solid kolvex");
    EXPECT_NE(written.summary.find("text STL"), std::string::npos) << written.summary;
}

TEST_F(ModelCommands, ExportFailuresSayWhyAndWriteNothing) {
    exportDialog.filterIndex = static_cast<int>(exportDialog.filters.size());  // all files
    prompts.QueueFileName(dir.File("part"));
    EXPECT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 0);
    prompts.QueueFileName(dir.File("missing/part.ply"));
    EXPECT_EQ(ExportModelScene(scene, prompts, exportDialog, work, written), 0);
    ASSERT_EQ(prompts.messages().size(), 2u);
    for (const auto& m : prompts.messages()) {
        EXPECT_TRUE(m.text.starts_with("Erreur lors de l'export du modèle!\n")) << m.text;
        EXPECT_GT(m.text.size(), std::string("Erreur lors de l'export du modèle!\n").size());
        EXPECT_EQ(m.title, "Attention...");
    }
    EXPECT_NE(prompts.messages()[1].text.find(dir.File("missing")), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.File("")));
}

TEST_F(ModelCommands, ImportAddsTheModelAfterTheSceneAndShowsTheReadersNotes) {
    WriteText(dir.File("tri.obj"), "mtllib ../x.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 3 2 1\n");
    prompts.QueueFileName(dir.File("tri.obj"));
    ASSERT_EQ(ImportModelScene(scene, prompts, importDialog, work), 1);
    ASSERT_EQ(scene.faceCount(), 2);
    EXPECT_EQ(scene.faces[1].sceneIndices[0], 5);  // the file's vertex 3 after the scene's three
    EXPECT_EQ(work.runs, std::vector<std::string>{"Import en cours..."});
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              "Modèle importé, avec ces remarques :\nfichier de matières '../x.mtl' non lu "
              "(hors du dossier du modèle) : ses faces gardent la couleur par défaut\n");
}

TEST_F(ModelCommands, ABadOrUnknownFileIsRefusedWithItsReasonAndChangesNothing) {
    WriteText(dir.File("bad.obj"), "v 0 0 0\nf 1 2 9\n");
    WriteText(dir.File("notes.xyz"), "not a model\n");
    const std::vector<std::uint8_t> before = SceneBytes(scene);
    for (const char* name : {"bad.obj", "notes.xyz", "gone.obj"}) {
        prompts.ClearRecord();
        prompts.QueueFileName(dir.File(name));
        EXPECT_EQ(ImportModelScene(scene, prompts, importDialog, work), 0) << name;
        ASSERT_EQ(prompts.messages().size(), 1u) << name;
        const std::string& text = prompts.messages()[0].text;
        EXPECT_TRUE(text.starts_with("Erreur lors de l'import du modèle:\n")) << text;
        EXPECT_GT(text.size(), std::string("Erreur lors de l'import du modèle:\n").size());
    }
    EXPECT_EQ(SceneBytes(scene), before);
}

TEST_F(ModelCommands, AFileIsASceneByItsFirstBytesElseByItsExtension) {
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("scene.bak"), reason)) << reason;
    WriteText(dir.File("tri.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    WriteText(dir.File("tri.KVX"), "v 0 0 0\n");  // named as a scene: the scene's load refuses it
    EXPECT_TRUE(IsSceneFile(dir.File("scene.bak")));
    EXPECT_TRUE(IsSceneFile(dir.File("tri.KVX")));
    EXPECT_TRUE(IsSceneFile(dir.File("gone.kvx")));
    EXPECT_FALSE(IsSceneFile(dir.File("tri.obj")));
    EXPECT_FALSE(IsSceneFile(dir.File("gone.glb")));
}

}  // namespace
}  // namespace kvx
