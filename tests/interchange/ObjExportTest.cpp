#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ObjTestFiles.h"
#include "interchange/FrenchReasons.h"
#include "interchange/ObjCommands.h"
#include "interchange/ObjExport.h"
#include "interchange/ObjImport.h"
#include "scene/FileAccess.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using test::ReadText;
using test::SceneBytes;
using test::TempDir;
using test::WriteText;
namespace fs = std::filesystem;

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
    ObjReading reading;
    ASSERT_TRUE(ReadObjFile(dir.File("all.obj"), data, reading)) << reading.reason;
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

// What an export must leave as it found it: every name in the folder and what it holds.
std::map<std::string, std::string> FolderContent(const TempDir& dir) {
    std::map<std::string, std::string> content;
    for (const auto& e : fs::directory_iterator(fs::path(dir.File("x")).parent_path())) {
        const std::string name = e.path().filename().string();
        if (e.is_symlink())
            content[name] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file())
            content[name] = ReadText(e.path().string());
        else
            content[name] = e.is_directory() ? "folder" : "special";
    }
    return content;
}

// Targets that are not plain writable files were replaced by the OBJ export with no word, and a
// failed export still replaced the material file.
TEST_F(ObjExport, RegressionSpecialAndReadOnlyTargetsAreRefusedAndNothingIsTouched) {
    AddVertex(0, 0, 0);
    AddVertex(1, 0, 0);
    AddVertex(0, 1, 0);
    MakeFace({0, 1, 2});
    TempDir dir;
    WriteText(dir.File("ro.obj"), "earlier obj\n");
    fs::permissions(dir.File("ro.obj"), fs::perms::owner_read);
    ASSERT_EQ(::mkfifo(dir.File("pipe.obj").c_str(), 0666), 0);
    ASSERT_EQ(::mkfifo(dir.File("piped.mtl").c_str(), 0666), 0);
    fs::create_symlink("/dev/null", dir.File("device.obj"));
    fs::create_directory(dir.File("folder.obj"));
    for (const char* name : {"ro", "pipe", "device", "folder", "piped"})
        WriteText(dir.File(std::string(name) + (std::string(name) == "piped" ? ".obj" : ".mtl")),
                  "earlier\n");
    const auto before = FolderContent(dir);
    for (const char* name : {"ro.obj", "pipe.obj", "device.obj", "folder.obj", "piped.obj"}) {
        std::string reason;
        EXPECT_FALSE(ExportObj(scene, dir.File(name), reason)) << name;
        EXPECT_FALSE(reason.empty()) << name;
        EXPECT_EQ(FolderContent(dir), before) << name;
    }
}

TEST_F(ObjExport, RegressionALinkedTargetIsWrittenThroughAndTheLinkStays) {
    AddVertex(0, 0, 0);
    TempDir dir;
    fs::create_directory(dir.File("real"));
    WriteText(dir.File("real/model.obj"), "earlier\n");
    fs::create_symlink("real/model.obj", dir.File("link.obj"));
    std::string reason;
    ASSERT_TRUE(ExportObj(scene, dir.File("link.obj"), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("link.obj")));
    EXPECT_NE(ReadText(dir.File("real/model.obj")).find("mtllib link.mtl"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(dir.File("link.mtl")));
    // The folder spelt two ways ("dir/." for the OBJ file, "dir" for its materials) is locked
    // once: twice, the export waited for itself for ever.
    fs::create_symlink("./plain.obj", dir.File("dotted.obj"));
    ASSERT_TRUE(ExportObj(scene, dir.File("dotted.obj"), reason)) << reason;
    EXPECT_TRUE(fs::is_regular_file(dir.File("plain.obj")));
}

// A refused exporter removed the temporary files of another that was writing the same names.
TEST_F(ObjExport, RegressionARefusedExportRemovesNoFileItDidNotMake) {
    AddVertex(0, 0, 0);
    TempDir dir;
    WriteText(dir.File("x.obj"), "earlier\n");
    for (const char* name : {"x.obj.kvx-saving", "x.mtl.kvx-saving", ".x.obj.kvx-abcdefgh"})
        WriteText(dir.File(name), "another writer's\n");
    // The other writer holds its files, and the target.
    FileAccess held, target;
    ASSERT_TRUE(held.OpenForRead(dir.File("x.mtl.kvx-saving")));
    ASSERT_TRUE(target.OpenForRead(dir.File("x.obj")));
    const auto before = FolderContent(dir);
    std::string reason;
    EXPECT_FALSE(ExportObj(scene, dir.File("x.obj"), reason));
    EXPECT_EQ(FolderContent(dir), before);
    target.Close();
    ASSERT_TRUE(ExportObj(scene, dir.File("x.obj"), reason)) << reason;
    EXPECT_EQ(ReadText(dir.File(".x.obj.kvx-abcdefgh")), "another writer's\n");
    EXPECT_EQ(ReadText(dir.File("x.mtl.kvx-saving")), "another writer's\n");
}

// Two scenes whose faces have no colour in common.
class ObjPairs : public ::testing::Test {
  protected:
    ObjPairs() {
        for (int s = 0; s < 2; ++s) {
            roots[s].Create();
            scenes[s] = std::make_unique<Scene>(roots[s]);
            Scene& scene = *scenes[s];
            for (int i = 0; i < 2000 + 500 * s; ++i) {
                const std::int32_t v = scene.AppendVertex(i, i % 7, 0, 0);
                scene.AppendVertex(i + 1, i % 7, 0, 0);
                scene.AppendVertex(i, i % 7 + 1, 1, 0);
                const std::vector<std::int32_t> corners = {v, v + 1, v + 2};
                const std::int32_t f = scene.CreateFaceFromList(corners);
                scene.faces[static_cast<std::size_t>(f)].SetColor(100 * s + i % 50, s, 7);
            }
        }
    }
    // Empty when the OBJ file at path is whole and its material file declares every material it
    // uses (or there is no OBJ file yet); otherwise what is wrong.
    static std::string PairFault(const std::string& path) {
        if (!fs::exists(path)) return {};
        std::istringstream obj(ReadText(path));
        std::string line, library;
        std::set<std::string> used;
        long faces = -1, faceLines = 0;
        while (std::getline(obj, line)) {
            if (line.starts_with("# Kolvex scene: "))
                faces = std::stol(line.substr(line.find(", ") + 2));
            if (line.starts_with("mtllib ")) library = line.substr(7);
            if (line.starts_with("usemtl ")) used.insert(line.substr(7));
            if (line.starts_with("f ")) ++faceLines;
        }
        if (faces != faceLines) return "an OBJ file cut short";
        std::istringstream mtl(ReadText((fs::path(path).parent_path() / library).string()));
        std::set<std::string> declared;
        while (std::getline(mtl, line))
            if (line.starts_with("newmtl ")) declared.insert(line.substr(7));
        for (const std::string& name : used)
            if (!declared.contains(name)) return "material " + name + " missing";
        return {};
    }

    rm::SceneRoot roots[2];
    std::unique_ptr<Scene> scenes[2];
    TempDir dir;
};

// The material file was replaced first: a kill before the OBJ file followed left the earlier OBJ
// file with materials it lacks.
TEST_F(ObjPairs, RegressionAKilledExportNeverLeavesAMismatchedPair) {
    const std::string path = dir.File("out.obj");
    std::string reason;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ExportObj(*scenes[0], path, reason)) << reason;
    const auto once = std::chrono::steady_clock::now() - start;
    // Between any two steps of an export over another scene's pair, as a kill would leave it.
    int steps = 0;
    ASSERT_TRUE(ExportObj(*scenes[1], path, reason, [&] {
        ++steps;
        EXPECT_EQ(PairFault(path), "") << "after step " << steps;
    })) << reason;
    EXPECT_EQ(steps, 3);
    // Real kills at random moments.
    std::mt19937 random(1998);
    std::uniform_int_distribution<long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(2 * once).count());
    int finished = 0;
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = kill;; ++i) {
                std::string why;
                if (ExportObj(*scenes[static_cast<std::size_t>(i % 2)], path, why)) ::_exit(3);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        finished += WIFEXITED(status) ? 1 : 0;
        ASSERT_EQ(PairFault(path), "") << "after kill " << kill;
    }
    EXPECT_LT(finished, 40);  // the kills landed inside exports
    // Once an export finishes, the material file holds its materials alone.
    ASSERT_TRUE(ExportObj(*scenes[1], path, reason)) << reason;
    const std::string materials = ReadText(dir.File("out.mtl"));
    EXPECT_EQ(std::count(materials.begin(), materials.end(), '\n'), 1 + 50 * 3);
}

// Two exports to the same names at once: at most one is refused, and a whole pair results.
TEST_F(ObjPairs, RegressionTwoExportsAtOnceGiveOneWholePair) {
    for (int round = 0; round < 20; ++round) {
        const std::string path = dir.File("two" + std::to_string(round % 2) + ".obj");
        bool done[2] = {false, false};
        std::string reasons[2];
        std::thread other([&] { done[1] = ExportObj(*scenes[1], path, reasons[1]); });
        done[0] = ExportObj(*scenes[0], path, reasons[0]);
        other.join();
        EXPECT_TRUE(done[0] || done[1]) << reasons[0] << " / " << reasons[1];
        EXPECT_EQ(PairFault(path), "");
    }
    for (const auto& e : fs::directory_iterator(fs::path(dir.File("x")).parent_path()))
        EXPECT_NE(e.path().filename().string()[0], '.') << "left behind: " << e.path();
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
    EXPECT_EQ(
        prompts.messages()[0].text,
        "Erreur lors de l'export du fichier OBJ!\nimpossible de créer un fichier temporaire à "
        "côté de " +
            dir.File("missing/x.mtl"));
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");
}

// What an import leaves out, and a scene too full for it, are said in French too.
TEST_F(ObjCommands, RegressionNotesAndTheCapacityMessageAreFrench) {
    WriteText(dir.File("up.obj"), "mtllib ../x.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    // The import's result and the one message it shows.
    const auto import = [&] {
        prompts.ClearRecord();
        prompts.QueueFileName(dir.File("up.obj"));
        const int done = ImportObjScene(scene, prompts, importDialog);
        EXPECT_EQ(prompts.messages().size(), 1u);
        return std::to_string(done) + " " +
               (prompts.messages().empty() ? "" : prompts.messages()[0].text);
    };
    EXPECT_EQ(import(),
              "1 Fichier OBJ importé, avec ces remarques :\nfichier de matières '../x.mtl' non lu "
              "(hors du dossier du modèle) : ses faces gardent la couleur par défaut\n");
    scene.vertexCapacity = scene.vertexCount() + 2;
    EXPECT_EQ(import(),
              "0 Erreur lors de l'import du fichier OBJ:\nla scène ne peut pas recevoir autant de "
              "sommets ou de faces en plus");
}

// A path may end with the words of another reason: the reason's own wording is the one put in
// French.
TEST(FrenchReasons, RegressionAPathEndingInAnotherReasonsWordsKeepsItsOwnReason) {
    EXPECT_EQ(FrenchReason("cannot replace /d/notes is read-only"),
              "impossible de remplacer /d/notes is read-only");
    EXPECT_EQ(
        FrenchReason("/d/x is read-only\nline 3: vertex index 0 (indices start at 1)"),
        "/d/x est en lecture seule\nligne 3 : indice de sommet 0 (les indices commencent à 1)");
    EXPECT_EQ(FrenchReason("something new"), "something new");
}

// Each broken file is refused with its reason, shown by the import command, and the scene
// stays exactly as it was.
TEST_F(ObjCommands, ABrokenFileIsRefusedWithItsReasonAndChangesNothing) {
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    // The file, the reason kvxtool gives and the one the editor shows.
    struct Case {
        std::string text, reason, french;
    };
    const std::vector<Case> cases = {
        {triangle + "f 1 2 5\n", "line 4: corner 3 refers to vertex 5 of 3",
         "ligne 4 : le coin 3 désigne le sommet 5 sur 3"},
        {triangle + "f -1 -2 -4\n", "line 4: corner 3 refers to a vertex before the first one",
         "ligne 4 : le coin 3 désigne un sommet avant le premier"},
        {triangle + "f 1 2\n", "line 4: face with 2 corners (at least 3 needed)",
         "ligne 4 : face de 2 coins (il en faut au moins 3)"},
        {triangle + "f 0 1 2\n", "line 4: vertex index 0 (indices start at 1)",
         "ligne 4 : indice de sommet 0 (les indices commencent à 1)"},
        {triangle + "f 1 2 x\n", "line 4: corner 'x' has no vertex index",
         "ligne 4 : le coin 'x' n'a pas d'indice de sommet"},
        {"v 0 0 0\nv nan 1 2\n", "line 2: coordinate 'nan' is not a finite number",
         "ligne 2 : la coordonnée 'nan' n'est pas un nombre fini"},
        {"# big\nv 0 -1e400 0\n", "line 2: coordinate is not a finite number",
         "ligne 2 : une coordonnée n'est pas un nombre fini"},
        {"v 1e39 0 0\n", "line 1: coordinate too large for a 32-bit float",
         "ligne 1 : une coordonnée est trop grande pour un flottant de 32 bits"},
        {"v 1 2 3.1+e2\n", "line 1: coordinate '3.1+e2' is not a number",
         "ligne 1 : la coordonnée '3.1+e2' n'est pas un nombre"},
        {"v 1 2\n", "line 1: vertex with fewer than three coordinates",
         "ligne 1 : sommet de moins de trois coordonnées"},
        {"f 1 2 99999999\n", "line 1: vertex index 99999999 out of range",
         "ligne 1 : indice de sommet 99999999 hors limites"},
        {"hello\n", "no vertex and no face in the file (not an OBJ file?)",
         "aucun sommet ni aucune face dans le fichier (est-ce un fichier OBJ ?)"},
        {std::string("v 0 0 0\0\n", 9), "the file holds binary data (NUL bytes), not text",
         "le fichier contient des données binaires (octets nuls), pas du texte"},
    };
    const std::vector<std::uint8_t> before = SceneBytes(scene, dir);
    for (const auto& [text, reason, french] : cases) {
        WriteText(dir.File("bad.obj"), text);
        SceneFileData data;
        ObjReading got;
        EXPECT_FALSE(ReadObjFile(dir.File("bad.obj"), data, got)) << text;
        EXPECT_EQ(got.reason, reason) << text;

        prompts.ClearRecord();
        prompts.QueueFileName(dir.File("bad.obj"));
        EXPECT_EQ(ImportObjScene(scene, prompts, importDialog), 0);
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].text, "Erreur lors de l'import du fichier OBJ:\n" + french);
        EXPECT_EQ(prompts.messages()[0].title, "Attention...");
        EXPECT_EQ(SceneBytes(scene, dir), before) << text;
    }
    SceneFileData data;
    ObjReading got;
    EXPECT_FALSE(ReadObjFile(dir.File("absent.obj"), data, got));
    EXPECT_EQ(got.reason, "cannot read the file (missing)");
    prompts.ClearRecord();
    prompts.QueueFileName(dir.File("absent.obj"));
    EXPECT_EQ(ImportObjScene(scene, prompts, importDialog), 0);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              "Erreur lors de l'import du fichier OBJ:\nimpossible de lire le fichier (absent)");
}

}  // namespace
}  // namespace kvx
