#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "SceneFileBytes.h"
#include "SceneFixture.h"
#include "TempDir.h"
#include "scene/FileAccess.h"
#include "scene/FileReplace.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

using test::Bytes;
using test::FaceRecord;
using test::SceneHeader;
using test::SceneTest;
using test::TempDir;
namespace fs = std::filesystem;
using test::VertexRecord;
using Indices = std::vector<std::int32_t>;

// A good version-2 file: four vertices and two faces.
Bytes GoodFile() {
    Bytes b = SceneHeader(2, 4, 2);
    VertexRecord(b, 0, 0, 0, 0, 0);
    VertexRecord(b, 1, 0, 0, 0, 0);
    VertexRecord(b, 0, 0, 1, 1, 0);
    VertexRecord(b, 1, 0, 1, 0, 2);
    FaceRecord(b, {0, 1, 2}, 200, 10, 20, 0, 0, 1);
    FaceRecord(b, {1, 3, 2}, 1, 2, 3, 2, 1, 0);
    return b;
}
// Three vertices along x and one face on the given indices.
Bytes Triangle(const Indices& idx) {
    Bytes b = SceneHeader(2, 3, 1);
    for (int i = 0; i < 3; ++i)
        VertexRecord(b, i, 0, 0, 0, 0);
    FaceRecord(b, idx, 1, 1, 1, 0, 0, 0);
    return b;
}

class SceneFileTest : public SceneTest {
  protected:
    // Loads through the dialogs as "Ouvrir..." (1) or "Importer..." (0) does.
    int Load(const std::string& path, int clearFirst) {
        prompts.QueueFileName(path);
        return LoadScene(scene, prompts, openDialog, clearFirst);
    }
    int Save(const std::string& name) {
        prompts.QueueFileName(name);
        return SaveScene(scene, prompts, saveDialog);
    }
    // What a load must leave untouched: the records and what the meshes draw.
    struct Snapshot {
        int vertices, faces, engineFaces;
        float firstX;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() {
        return {scene.vertexCount(), scene.faceCount(), EngineFaceCount(),
                scene.vertices.empty() ? 0.0f : scene.vertices[0].x};
    }

    TempDir dir;
    platform::FileDialogSettings openDialog = SceneOpenDialogSettings();
    platform::FileDialogSettings saveDialog = SceneSaveDialogSettings();
};

TEST_F(SceneFileTest, WritesTheRecordsByteForByte) {
    // An empty scene is just the header, and loads.
    ASSERT_EQ(Save(dir.File("empty.KVX")), 1);
    EXPECT_EQ(test::ReadAll(dir.File("empty.KVX")), SceneHeader(2, 0, 0).data);
    EXPECT_EQ(Load(dir.File("empty.KVX"), 0), 1);
    EXPECT_TRUE(prompts.messages().empty());

    AddVertex(1.5, -2, 0.25, 3);
    AddVertex(1, 0, 0, 3);
    AddVertex(0, 0, 1, 3);
    scene.vertices[0].hidden = 1;
    MakeFace({2, 0, 1});
    Face& f = scene.faces[0];
    f.StoreColor(200.9, 7, 255);
    f.layer = 4;
    f.hidden = 1;
    f.renderType = RenderSmooth;
    ASSERT_EQ(Save(dir.File("one.KVX")), 1);

    Bytes expected = SceneHeader(2, 3, 1);
    VertexRecord(expected, 1.5, -2, 0.25, 1, 3);
    VertexRecord(expected, 1, 0, 0, 0, 3);
    VertexRecord(expected, 0, 0, 1, 0, 3);
    FaceRecord(expected, {2, 0, 1}, 200, 7, 255, 4, 1, 1);  // colours truncated to whole bytes
    EXPECT_EQ(test::ReadAll(dir.File("one.KVX")), expected.data);
    EXPECT_EQ(expected.data.size(), 33u + 3 * 30 + 14 + 12);
}

// "Ouvrir..." replaces the scene but keeps the layer settings; the round trip keeps every field.
TEST_F(SceneFileTest, RoundTripKeepsColoursFlagsLayersAndShading) {
    scene.GenerateMesh();
    scene.SetCurrentLayer(1);
    scene.ToggleAllLayers();
    test::WriteAll(dir.File("good.KVX"), GoodFile().data);
    ASSERT_EQ(Load(dir.File("good.KVX"), 1), 1);
    ASSERT_EQ(scene.vertexCount(), 4);
    ASSERT_EQ(scene.faceCount(), 2);
    EXPECT_EQ(scene.currentLayer, 1);
    EXPECT_EQ(scene.allLayers, 1);
    EXPECT_EQ(scene.vertices[2].hidden, 1);
    EXPECT_EQ(scene.vertices[3].layer, 2);
    EXPECT_EQ(scene.faces[0].red, 200);
    EXPECT_EQ(scene.faces[0].renderType, RenderSmooth);
    EXPECT_EQ(scene.faces[1].hidden, 1);
    EXPECT_EQ(scene.faces[1].layer, 2);
    // Everything loaded sits in the current layer's mesh, shaded, and nothing else is drawn.
    EXPECT_EQ(Builder(1).FaceCount(), 2);
    EXPECT_EQ(EngineFaceCount(), 2);
    EXPECT_NEAR(EngineNormal(scene.faces[1], 0).y, -1.0, 1e-6);
    ASSERT_EQ(Save(dir.File("again.KVX")), 1);
    EXPECT_EQ(test::ReadAll(dir.File("again.KVX")), GoodFile().data);
}

TEST_F(SceneFileTest, VersionOneTakesTheCurrentLayerAndFlatVisibleFaces) {
    Bytes b = SceneHeader(1, 3, 1);
    for (int i = 0; i < 3; ++i)
        VertexRecord(b, i, 0, i % 2, 0, 0, 1);
    FaceRecord(b, {0, 1, 2}, 9, 8, 7, 0, 0, 0, 1);
    test::WriteAll(dir.File("v1.KVX"), b.data);
    scene.SetCurrentLayer(6);
    ASSERT_EQ(Load(dir.File("v1.KVX"), 1), 1);
    ASSERT_EQ(scene.faceCount(), 1);
    for (const Vertex& v : scene.vertices)
        EXPECT_EQ(v.layer, 6);
    EXPECT_EQ(scene.faces[0].layer, 6);
    EXPECT_EQ(scene.faces[0].renderType, RenderFlat);
    EXPECT_EQ(scene.faces[0].hidden, 0);
    EXPECT_EQ(scene.faces[0].blue, 7);
    EXPECT_EQ(scene.faces[0].owner, scene.layerMesh(6));
}

TEST_F(SceneFileTest, ImportAppendsWithTheFilesOwnIndices) {
    for (int i = 0; i < 10; ++i)
        AddVertex(100 + i, 0, 0);
    MakeFace({0, 1, 2});
    SelectVertices({4});
    test::WriteAll(dir.File("good.KVX"), GoodFile().data);
    ASSERT_EQ(Load(dir.File("good.KVX"), 0), 1);
    EXPECT_EQ(scene.vertexCount(), 14);
    ASSERT_EQ(scene.faceCount(), 3);
    EXPECT_EQ(scene.faces[1].sceneIndices[0], 10);
    EXPECT_EQ(scene.faces[2].sceneIndices[1], 13);
    EXPECT_EQ(scene.selectedVertices, Indices{4});  // an import keeps the selection
}

TEST_F(SceneFileTest, NineIndicesMakeAnEightVertexFaceAndTheNextRecordStillReads) {
    Bytes b = SceneHeader(2, 9, 2);
    for (int i = 0; i < 9; ++i)
        VertexRecord(b, std::cos(i), std::sin(i), 0, 0, 0);
    FaceRecord(b, {0, 1, 2, 3, 4, 5, 6, 7, 8}, 1, 1, 1, 0, 0, 0);
    FaceRecord(b, {8, 7, 6}, 50, 60, 70, 0, 0, 1);
    test::WriteAll(dir.File("nine.KVX"), b.data);
    ASSERT_EQ(Load(dir.File("nine.KVX"), 1), 1);
    EXPECT_EQ(scene.faces[0].vertexCount, 8);
    EXPECT_EQ(scene.faces[0].sceneIndices[7], 7);
    EXPECT_EQ(scene.faces[1].green, 60);
    EXPECT_EQ(scene.faces[1].renderType, RenderSmooth);
}

TEST_F(SceneFileTest, OnlyFourSignatureBytesAreCompared) {
    Bytes b = GoodFile();
    b.data[1] = 'X';
    b.data[23] = '!';
    test::WriteAll(dir.File("sig.KVX"), b.data);
    EXPECT_EQ(Load(dir.File("sig.KVX"), 1), 1);
    for (int at : {0, 5, 10, 20}) {
        Bytes bad = GoodFile();
        bad.data[static_cast<std::size_t>(at)] ^= 0x20;
        test::WriteAll(dir.File("bad.KVX"), bad.data);
        std::string reason;
        SceneFileData data;
        EXPECT_FALSE(ReadSceneFile(dir.File("bad.KVX"), data, reason));
        EXPECT_EQ(reason,
                  "not a Kolvex scene file (signature byte " + std::to_string(at) + " differs)");
    }
}

// Every kind of bad file: the load message, and the scene exactly as it was, for "Ouvrir..." too.
// (Each signature byte and the float range have their own tests.)
TEST_F(SceneFileTest, BadFilesLeaveTheSceneUntouched) {
    // A good file with one byte changed, and a file cut short.
    const auto patched = [](std::size_t at, int value) {
        Bytes b = GoodFile();
        b.data[at] = static_cast<std::uint8_t>(value);
        return b;
    };
    const auto cut = [](Bytes b, std::size_t bytes) {
        b.data.resize(b.data.size() - bytes);
        return b;
    };
    Bytes endsInFace = SceneHeader(2, 4, 2);
    for (int i = 0; i < 4; ++i)
        VertexRecord(endsInFace, i, 0, i % 2);
    FaceRecord(endsInFace, {0, 1, 2}, 1, 1, 1);
    FaceRecord(endsInFace, {0, 1, 2, 3}, 1, 1, 1);
    Bytes farCounts = SceneHeader(2, 1000, 0);
    VertexRecord(farCounts, 0, 0, 0);
    Bytes twoIndices = Triangle({0, 1});
    twoIndices.I32(0);
    Bytes hugeCount = Triangle({0, 1, 2});
    for (int k = 1; k <= 3; ++k)
        hugeCount.data[33 + 90 + k] = 0xFF;
    hugeCount.data[33 + 90 + 4] = 0x7F;
    Bytes layer12 = SceneHeader(2, 1, 0);
    VertexRecord(layer12, 0, 0, 0, 0, 12);
    const struct {
        const char* name;
        Bytes bytes;
        const char* reason;
    } cases[] = {
        {"short header", cut(SceneHeader(2, 0, 0), 8),
         "file too short for a scene header (25 bytes)"},
        {"version 3", patched(24, 3), "unknown version 3"},
        {"vertex marker", patched(33 + 30, 0x7E), "vertex 1: marker 0x7E instead of 0x7F"},
        {"face marker", patched(33 + 4 * 30, 0x7F), "face 0: marker 0x7F instead of 0x7E"},
        {"truncated", cut(GoodFile(), 3), "file too short for its 4 vertices and 2 faces"},
        {"ends inside a face", cut(endsInFace, 3),
         "file ends inside face 1 (4 vertex indices announced)"},
        {"counts beyond the data", farCounts, "file too short for its 1000 vertices and 0 faces"},
        {"more than a scene holds", SceneHeader(2, MaxVertices + 1, 0),
         "more records announced (4194305 vertices, 0 faces) than a scene holds (4194304)"},
        {"negative count", SceneHeader(2, 0, -1), "negative record count"},
        {"index out of range", Triangle({0, 1, 40}), "face 0: vertex index 40 out of range"},
        {"negative index", Triangle({0, -1, 2}), "face 0: vertex index -1 out of range"},
        {"two indices", twoIndices, "face 0: 2 vertex indices (at least 3 needed)"},
        {"huge index count", hugeCount,
         "file ends inside face 0 (2147483647 vertex indices announced)"},
        {"layer 12", layer12, "vertex 0: layer 12 outside 0..9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteAll(dir.File("bad.KVX"), c.bytes.data);
        SceneFileData data;
        std::string reason;
        EXPECT_FALSE(ReadSceneFile(dir.File("bad.KVX"), data, reason));
        EXPECT_EQ(reason, c.reason);
        for (int clearFirst : {1, 0}) {
            scene.ClearScene();
            scene.GenerateMesh();
            const Snapshot before = Take();
            prompts.ClearRecord();
            EXPECT_EQ(Load(dir.File("bad.KVX"), clearFirst), 0);
            EXPECT_EQ(Take(), before);
            ASSERT_EQ(prompts.messages().size(), 1u);
            EXPECT_EQ(prompts.messages()[0].text, "Erreur lors du chargement du Fichier!");
            EXPECT_EQ(prompts.messages()[0].title, "Attenntion...");
        }
    }
}

// A file in use, missing, or too big to import: one message each, the scene as it was; a
// cancelled dialog: nothing at all.
TEST_F(SceneFileTest, FilesThatCannotBeLoadedAndCancelledDialogsChangeNothing) {
    scene.GenerateMesh();
    const Snapshot before = Take();
    test::WriteAll(dir.File("good.KVX"), GoodFile().data);
    FileAccess holder;
    ASSERT_EQ(holder.OpenForRead(dir.File("good.KVX")), 1);
    EXPECT_EQ(Load(dir.File("good.KVX"), 1), 0);
    holder.Close();
    EXPECT_EQ(Load(dir.File("missing.KVX"), 1), 0);
    scene.vertexCapacity = 228;  // 225 and the file's 4 do not fit
    EXPECT_EQ(Load(dir.File("good.KVX"), 0), 0);
    const std::size_t messages = 3;
    EXPECT_EQ(prompts.messages().size(), messages);
    prompts.QueueFileName(std::nullopt);
    EXPECT_EQ(LoadScene(scene, prompts, openDialog, 1), 0);
    prompts.QueueFileName(std::nullopt);
    EXPECT_EQ(SaveScene(scene, prompts, saveDialog), 0);
    EXPECT_EQ(prompts.messages().size(), messages);
    EXPECT_EQ(Take(), before);
}

// Opening asked for write access, so a user could not open a scene file they may only read (one
// on a read-only share or disc). Saving over it stays refused.
// Opening asked for write access, so a user could not open a scene file they may only read (one
// on a read-only share or disc). Saving over it stays refused, and so does saving over another
// user's file that only its owner may write, even in a folder everyone may write.
TEST_F(SceneFileTest, RegressionAFileTheUserMayOnlyReadOpens) {
    test::WriteAll(dir.File("ro.KVX"), GoodFile().data);
    test::WriteAll(dir.File("theirs.KVX"), GoodFile().data);
    ASSERT_EQ(::chmod(dir.File("ro.KVX").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.File("theirs.KVX").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(fs::path(dir.File("ro.KVX")).parent_path().c_str(), 0777), 0);
    // Root may write anything: the check runs as an ordinary user.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(9);
        SceneFileData data;
        std::string reason;
        if (!ReadSceneFile(dir.File("ro.KVX"), data, reason) || data.faces.size() != 2) ::_exit(1);
        rm::SceneRoot root;
        root.Create();
        Scene other(root);
        if (!LoadSceneFromPath(other, dir.File("ro.KVX"), true, reason)) ::_exit(2);
        if (SaveSceneToPath(other, dir.File("ro.KVX"), reason)) ::_exit(3);
        if (::geteuid() != 0 && ::getuid() != 0 &&
            ::access(dir.File("theirs.KVX").c_str(), W_OK) != 0 &&
            SaveSceneToPath(other, dir.File("theirs.KVX"), reason))
            ::_exit(4);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: not read, 2: not loaded, 3: saved over, 4: another's file replaced, 9: no user";
    EXPECT_EQ(test::ReadAll(dir.File("ro.KVX")), GoodFile().data);
    EXPECT_EQ(test::ReadAll(dir.File("theirs.KVX")), GoodFile().data);
}

TEST_F(SceneFileTest, ExtensionIsAddedOnlyToANameWithoutOne) {
    EXPECT_EQ(WithSceneExtension("/a/b/scene"), "/a/b/scene.KVX");
    EXPECT_EQ(WithSceneExtension("/a.d/scene"), "/a.d/scene.KVX");
    EXPECT_EQ(WithSceneExtension("/a/scene.dat"), "/a/scene.dat");
    EXPECT_EQ(WithSceneExtension("scene.kvx"), "scene.kvx");
    ASSERT_EQ(Save(dir.File("typed")), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("typed.KVX")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("typed")));
}

TEST_F(SceneFileTest, AFailedSaveIsReportedAndKeepsTheEarlierFile) {
    test::WriteAll(dir.File("keep.KVX"), GoodFile().data);
    scene.GenerateMesh();
    // A folder of that name cannot be replaced by a file.
    fs::create_directory(dir.File("folder.KVX"));
    EXPECT_EQ(Save(dir.File("folder.KVX")), 0);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "Erreur lors de la sauvegarde du Fichier!");
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");
    EXPECT_TRUE(fs::is_empty(dir.File("folder.KVX")));

    EXPECT_EQ(Save(dir.File("no/such/dir/x.KVX")), 0);
    EXPECT_EQ(prompts.messages().size(), 2u);
    ASSERT_EQ(Save(dir.File("keep.KVX")), 1);
    EXPECT_EQ(test::ReadAll(dir.File("keep.KVX")).size(), 33u + 225 * 30 + 392 * 26);
}

TEST_F(SceneFileTest, BytesAfterTheLastRecordLoadAndAreReported) {
    const Bytes b = GoodFile();
    // A face count damaged from 2 to 1: the second face is left over.
    Bytes damaged = b;
    const std::int32_t one = 1;
    std::memcpy(damaged.data.data() + 29, &one, 4);
    test::WriteAll(dir.File("long.KVX"), damaged.data);
    ASSERT_EQ(Load(dir.File("long.KVX"), 1), 1);
    EXPECT_EQ(scene.faceCount(), 1);
    ASSERT_EQ(prompts.messages().size(), 1u);
    // The second face record: marker, count, three indices, colour, layer, hidden, shading.
    constexpr std::int64_t leftOver = 1 + 4 + 3 * 4 + 3 + 4 + 1 + 1;
    const std::string expected = std::to_string(leftOver) + " octets ignorés.";
    EXPECT_NE(prompts.messages()[0].text.find(expected), std::string::npos)
        << prompts.messages()[0].text;
    SceneFileData data;
    std::string reason;
    ASSERT_TRUE(ReadSceneBytes(damaged.data, data, reason)) << reason;
    EXPECT_EQ(data.ignoredBytes, leftOver);
    ASSERT_TRUE(ReadSceneBytes(b.data, data, reason)) << reason;
    EXPECT_EQ(data.ignoredBytes, 0);
}

const std::vector<std::uint8_t> Earlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};

// Saving over special targets: through a symbolic link, over a read-only file and over a file
// another Kolvex holds. The scene saver and the image export share this path.
class FileReplaceTest : public SceneFileTest {
  protected:
    FileReplaceTest() {
        AddVertex(1, 2, 3);
        test::WriteAll(dir.File("real.KVX"), Earlier);
    }
    // The bytes a save of the scene gives, taken through a plain file.
    std::vector<std::uint8_t> Saved() {
        std::string reason;
        EXPECT_TRUE(SaveSceneToPath(scene, dir.File("plain.KVX"), reason)) << reason;
        return test::ReadAll(dir.File("plain.KVX"));
    }
    // Nothing but the named files in the folder: no temporary file left behind.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(fs::path(dir.File("")).parent_path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileReplaceTest, RegressionSavingThroughALinkWritesTheFileItNamesAndKeepsTheLink) {
    fs::create_directory(dir.File("sub"));
    fs::create_symlink("real.KVX", dir.File("link.KVX"));
    fs::create_symlink("../link.KVX", dir.File("sub/chain.KVX"));  // a link to a link
    const auto expected = Saved();
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("sub/chain.KVX"), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("link.KVX")));
    EXPECT_TRUE(fs::is_symlink(dir.File("sub/chain.KVX")));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), expected);
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.KVX", "plain.KVX", "real.KVX", "sub"}));
    // A link to a file not yet there creates that file.
    fs::create_symlink("new.KVX", dir.File("dangling.KVX"));
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("dangling.KVX"), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.KVX")));
    EXPECT_EQ(test::ReadAll(dir.File("new.KVX")), Saved());
}

TEST_F(FileReplaceTest, RegressionAReadOnlyTargetIsRefusedAndKeptByteForByte) {
    fs::permissions(dir.File("real.KVX"), fs::perms::owner_read | fs::perms::group_read);
    std::string reason;
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("real.KVX"), reason));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
}

TEST_F(FileReplaceTest, RegressionATargetHeldByAnotherKolvexIsRefusedAndKept) {
    // Another Kolvex reading the file, or saving it, holds it as FileAccess does.
    FileAccess other;
    ASSERT_TRUE(other.OpenForRead(dir.File("real.KVX")));
    std::string reason;
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("real.KVX"), reason));
    EXPECT_NE(reason.find("in use"), std::string::npos) << reason;
    other.Close();
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
    // Once it lets go the save goes through.
    EXPECT_TRUE(SaveSceneToPath(scene, dir.File("real.KVX"), reason)) << reason;
}

// A replaced file keeps its permissions; a special file is not replaced.
TEST_F(FileReplaceTest, AReplacedFileKeepsItsPermissionsAndASpecialFileIsNotReplaced) {
    fs::permissions(dir.File("real.KVX"), fs::perms::owner_read | fs::perms::owner_write);
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("real.KVX"), reason)) << reason;
    EXPECT_EQ(fs::status(dir.File("real.KVX")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0666), 0);
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("pipe"), reason));
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
}

TEST_F(FileReplaceTest, AWriterThatGivesUpLeavesTheEarlierFile) {
    std::string reason;
    EXPECT_FALSE(ReplaceFile(
        dir.File("real.KVX"),
        [](FileAccess& file) {
            file.WriteBytes("half", 4);
            return false;
        },
        reason));
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Earlier);
    EXPECT_EQ(Names(), std::vector<std::string>{"real.KVX"});
}

// The save's temporary file had a fixed name beside the target, opened without care: a link
// planted there made the save write through it, and a file of that name was consumed.
TEST_F(FileReplaceTest, RegressionFilesAndLinksPlantedBesideTheTargetAreNeverTouched) {
    test::WriteAll(dir.File("victim"), Earlier);
    fs::create_symlink(dir.File("victim"), dir.File("real.KVX.kvx-saving"));
    test::WriteAll(dir.File(".real.KVX.kvx-abcdefgh"), Earlier);  // another writer's, say
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, dir.File("real.KVX"), reason)) << reason;
    EXPECT_EQ(test::ReadAll(dir.File("real.KVX")), Saved());
    EXPECT_EQ(test::ReadAll(dir.File("victim")), Earlier);
    EXPECT_TRUE(fs::is_symlink(dir.File("real.KVX.kvx-saving")));
    EXPECT_EQ(test::ReadAll(dir.File(".real.KVX.kvx-abcdefgh")), Earlier);
    // A refused save leaves them too.
    FileAccess other;
    ASSERT_TRUE(other.OpenForRead(dir.File("real.KVX")));
    EXPECT_FALSE(SaveSceneToPath(scene, dir.File("real.KVX"), reason));
    EXPECT_EQ(test::ReadAll(dir.File(".real.KVX.kvx-abcdefgh")), Earlier);
    EXPECT_EQ(Names(), (std::vector<std::string>{".real.KVX.kvx-abcdefgh", "plain.KVX", "real.KVX",
                                                 "real.KVX.kvx-saving", "victim"}));
}

// A suffix added to a long name made the temporary file's name too long for the folder.
TEST_F(FileReplaceTest, RegressionNamesUpToTheLongestAFolderTakesSave) {
    for (const std::size_t length : {245u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".KVX";
        std::string reason;
        ASSERT_TRUE(SaveSceneToPath(scene, dir.File(name), reason)) << length << ": " << reason;
        EXPECT_EQ(test::ReadAll(dir.File(name)), Saved());
        ASSERT_TRUE(SaveSceneToPath(scene, dir.File(name), reason)) << length << ": " << reason;
    }
    // A temporary name never cuts a character of several bytes in two.
    std::string accented;
    while (accented.size() < 250)
        accented += "\xC3\xA9";  // é
    const std::string temporary = fs::path(TemporaryNameBeside(dir.File(accented))).filename();
    EXPECT_LE(temporary.size(), 255u);
    const std::size_t kept = temporary.find(".kvx-") - 1;
    EXPECT_EQ(kept % 2, 0u) << temporary;
    EXPECT_NE(TemporaryNameBeside("a/b.KVX"), TemporaryNameBeside("a/b.KVX"));
}

// Regressions of the scene reader: coordinates that a scene's floats cannot hold, and files that
// announce the largest counts.
// The reason a file of these bytes is refused for, the same from the file and from the bytes.
std::string Refusal(const Bytes& b) {
    test::TempDir dir;
    test::WriteAll(dir.File("bad.KVX"), b.data);
    SceneFileData data;
    std::string reason, fromFile;
    EXPECT_FALSE(ReadSceneBytes(b.data, data, reason));
    EXPECT_FALSE(ReadSceneFile(dir.File("bad.KVX"), data, fromFile));
    EXPECT_EQ(fromFile, reason);
    return reason;
}

TEST(SceneFileRegression, ACoordinateBeyondTheFloatRangeIsRefusedWithItsAxisAndValue) {
    // x = 1e300 used to be kept as infinity and saved so; the saved file then did not load.
    const double inf = std::numeric_limits<double>::infinity();
    // Half a last step past the float maximum (3.4028234663852886e38 + 2^103): rounds to infinity.
    const double roundsToInfinity = 3.4028234663852886e38 + std::ldexp(1.0, 103);
    struct Case {
        double x, y, z;
        const char* reason;
    } cases[] = {
        {1e300, 0, 0, "vertex 2: x 1e+300 does not fit a 32-bit float"},
        {0, -1e39, 0, "vertex 2: y -1e+39 does not fit a 32-bit float"},
        {0, 0, inf, "vertex 2: z inf does not fit a 32-bit float"},
        {0, 0, -roundsToInfinity, "vertex 2: z -3.40282e+38 does not fit a 32-bit float"},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0,
         "vertex 2: x nan does not fit a 32-bit float"},
    };
    for (const Case& c : cases) {
        Bytes b = SceneHeader(2, 3, 0);
        VertexRecord(b, 0, 0, 0);  // good vertices first: the reason names the one at fault
        VertexRecord(b, 1, -2, 3);
        VertexRecord(b, c.x, c.y, c.z);
        EXPECT_EQ(Refusal(b), c.reason);
    }
}

TEST(SceneFileRegression, TheLargestFloatsAndTheSmallestAreKept) {
    const double max = 3.4028234663852886e38;  // the largest float, written as a double
    Bytes b = SceneHeader(2, 3, 0);
    VertexRecord(b, max, -max, 1e-45);
    VertexRecord(b, -1e-320, 0, 0);  // below the float range's smallest: becomes 0, still finite
    // Just below half a last step past the maximum: rounds to the maximum.
    VertexRecord(b, std::nextafter(max + std::ldexp(1.0, 103), 0.0), 0, 0);
    SceneFileData data;
    std::string reason;
    ASSERT_TRUE(ReadSceneBytes(b.data, data, reason)) << reason;
    EXPECT_EQ(data.vertices[0].x, max);
    EXPECT_EQ(data.vertices[0].y, -max);
    EXPECT_EQ(static_cast<float>(data.vertices[2].x), static_cast<float>(max));
}

// Counts that would need many gigabytes if anything were allocated for them before the checks:
// under the address sanitizer such an allocation fails loudly, and without it the test would
// take long. Both must be refused at once.
TEST(SceneFileRegression, TheLargestCountsAreRefusedBeforeAnythingIsAllocated) {
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Refusal(SceneHeader(2, most, most)),
              "more records announced (2147483647 vertices, 2147483647 faces) than a scene "
              "holds (4194304)");
    EXPECT_EQ(Refusal(SceneHeader(1, 0, most)),
              "more records announced (0 vertices, 2147483647 faces) than a scene holds "
              "(4194304)");
    // Within the limits but far beyond the bytes there are.
    EXPECT_EQ(Refusal(SceneHeader(2, 4194304, 4194304)),
              "file too short for its 4194304 vertices and 4194304 faces");
    Bytes one = SceneHeader(2, 1, 4194304);
    VertexRecord(one, 0, 0, 0);
    EXPECT_EQ(Refusal(one), "file too short for its 1 vertices and 4194304 faces");
}

}  // namespace
}  // namespace kvx
