#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <csignal>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "TempDir.h"
#include "interchange/FormatRegistry.h"
#include "interchange/FrenchReasons.h"
#include "interchange/IsolatedRead.h"
#include "interchange/PlyImport.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using Position = std::array<float, 3>;
// A face as the round trips must give it back: its corners' positions (for STL) or vertex
// numbers, its colour bytes, layer, hidden flag and smoothness.
using FaceKey = std::tuple<std::vector<std::int32_t>, int, int, int, int, int, int>;

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class ModelImport : public test::SceneTest {
  protected:
    test::TempDir dir;
    SceneFileData data;
    std::string reason, notes;

    // A scene of everything a scene holds: vertices on every layer, hidden or not, faces of 3 to 8
    // corners of any colour on other layers than their vertices, smooth or flat, hidden or not,
    // and vertices on no face.
    void BuildRandomScene(unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> coordinate(-1e4f, 1e4f);
        std::uniform_int_distribution<int> byte(0, 255), layer(0, 9), corners(3, 8);
        // A face's corners share a layer; the face itself may be on another.
        for (int i = 0; i < 60; ++i) {
            const std::int32_t v = AddVertex(coordinate(random), coordinate(random) * 1e-3f,
                                             coordinate(random), i % 3 * 4);
            scene.vertices[static_cast<std::size_t>(v)].hidden = random() % 4 == 0;
        }
        for (int f = 0; f < 40; ++f) {
            std::vector<std::int32_t> list;
            for (std::int32_t k = static_cast<std::int32_t>(random() % 3); k < 60; k += 3)
                list.push_back(k);
            std::shuffle(list.begin(), list.end(), random);
            list.resize(static_cast<std::size_t>(corners(random)));
            scene.SetCurrentLayer(layer(random));
            const std::int32_t face = scene.CreateFaceFromList(list);
            ASSERT_GE(face, 0);
            Face& made = scene.faces[static_cast<std::size_t>(face)];
            made.SetColor(byte(random), byte(random), byte(random));
            made.hidden = random() % 5 == 0;
            made.renderType = random() % 2 ? RenderSmooth : RenderFlat;
        }
        scene.UpdateAllVertexNormals();
    }

    // The scene's faces as fans of triangles (c0, ck, ck+1), sorted.
    std::vector<FaceKey> SceneTriangles() const {
        std::vector<FaceKey> keys;
        for (const Face& f : scene.faces)
            for (std::int32_t k = 1; k + 1 < f.vertexCount; ++k)
                keys.emplace_back(
                    std::vector<std::int32_t>{f.sceneIndices[0],
                                              f.sceneIndices[static_cast<std::size_t>(k)],
                                              f.sceneIndices[static_cast<std::size_t>(k + 1)]},
                    static_cast<std::uint8_t>(f.red), static_cast<std::uint8_t>(f.green),
                    static_cast<std::uint8_t>(f.blue), f.layer, f.hidden ? 1 : 0, f.renderType);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
    std::vector<FaceKey> DataFaces() const {
        std::vector<FaceKey> keys;
        for (const SceneFileData::FaceRecord& f : data.faces)
            keys.emplace_back(
                std::vector<std::int32_t>(data.indices.begin() + f.firstIndex,
                                          data.indices.begin() + f.firstIndex + f.indexCount),
                f.red, f.green, f.blue, f.layer, f.hidden, f.renderType);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
    Position ScenePosition(std::int32_t v) const {
        const Vertex& p = scene.vertices[static_cast<std::size_t>(v)];
        return {p.x, p.y, p.z};
    }
    Position DataPosition(std::int32_t v) const {
        const auto& p = data.vertices[static_cast<std::size_t>(v)];
        return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
    }
    bool Import(const std::string& name) {
        reason.clear();
        notes.clear();
        return ImportByFormat(dir.File(name), data, reason, notes);
    }
    void Export(const std::string& name) {
        std::string why;
        ASSERT_TRUE(ExportByExtension(scene, dir.File(name), ExportOptions{}, why)) << why;
    }
};

// glTF and GLB give back every vertex (position as a float, layer, hidden flag, place in the
// list) and every face as its triangles with its colour bytes, layer, hidden flag and smoothness.
TEST_F(ModelImport, GltfRoundTripsKeepEveryRecordOverRandomScenes) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        scene.ClearScene();
        BuildRandomScene(seed);
        for (const std::string name : {"r.gltf", "r.glb"}) {
            Export(name);
            ASSERT_TRUE(Import(name)) << name << ": " << reason;
            ASSERT_EQ(data.vertices.size(), scene.vertices.size()) << name;
            for (std::size_t i = 0; i < data.vertices.size(); ++i) {
                const auto v = static_cast<std::int32_t>(i);
                EXPECT_EQ(DataPosition(v), ScenePosition(v)) << name << " vertex " << i;
                EXPECT_EQ(data.vertices[i].layer, scene.vertices[i].layer) << name << " " << i;
                EXPECT_EQ(data.vertices[i].hidden, scene.vertices[i].hidden) << name << " " << i;
            }
            EXPECT_EQ(DataFaces(), SceneTriangles()) << name << " seed " << seed;
            EXPECT_EQ(notes, "");
        }
    }
}

// PLY gives back the vertices in order and the polygons whole with their colours; STL the same
// triangles, its corners at one position made one vertex again.
TEST_F(ModelImport, PlyAndStlRoundTripsKeepWhatTheyHold) {
    BuildRandomScene(7);
    Export("r.ply");
    ASSERT_TRUE(Import("r.ply")) << reason;
    ASSERT_EQ(data.vertices.size(), scene.vertices.size());
    for (std::int32_t v = 0; v < static_cast<std::int32_t>(scene.vertices.size()); ++v)
        EXPECT_EQ(DataPosition(v), ScenePosition(v)) << v;
    ASSERT_EQ(data.faces.size(), scene.faces.size());
    for (std::size_t f = 0; f < scene.faces.size(); ++f) {
        const Face& want = scene.faces[f];
        const auto& got = data.faces[f];
        ASSERT_EQ(got.indexCount, want.vertexCount) << f;
        EXPECT_TRUE(std::equal(want.sceneIndices.begin(),
                               want.sceneIndices.begin() + want.vertexCount,
                               data.indices.begin() + got.firstIndex))
            << f;
        EXPECT_EQ(std::make_tuple(int{got.red}, int{got.green}, int{got.blue}),
                  std::make_tuple(int(want.red), int(want.green), int(want.blue)))
            << f;
        EXPECT_EQ(got.layer, -1);  // onto the current layer
    }

    for (const std::string name : {"r.stl", "text.stl"}) {
        std::string why;
        ASSERT_TRUE(
            ExportByExtension(scene, dir.File(name), ExportOptions{name == "text.stl"}, why));
        ASSERT_TRUE(Import(name)) << name << ": " << reason;
        std::vector<std::array<Position, 3>> want, got;
        for (const FaceKey& t : SceneTriangles()) {
            const auto& c = std::get<0>(t);
            want.push_back({ScenePosition(c[0]), ScenePosition(c[1]), ScenePosition(c[2])});
        }
        for (const auto& f : data.faces) {
            const std::int32_t* c = data.indices.data() + f.firstIndex;
            ASSERT_EQ(f.indexCount, 3);
            got.push_back({DataPosition(c[0]), DataPosition(c[1]), DataPosition(c[2])});
        }
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, want) << name;
        EXPECT_LE(data.vertices.size(), scene.vertices.size()) << name;  // welded
    }
}

// A glTF file of another program is read by the general library: the same triangles, welded.
TEST_F(ModelImport, GltfOfAnotherProgramIsReadAsPlainTriangles) {
    AddVertex(0, 0, 0), AddVertex(1, 0, 0), AddVertex(1, 1, 0), AddVertex(0, 1, 0);
    MakeFace({0, 1, 2, 3});
    scene.faces[0].SetColor(255, 0, 0);
    Export("q.gltf");
    std::vector<std::uint8_t> json = test::ReadAll(dir.File("q.gltf"));
    std::string text(json.begin(), json.end());
    text.replace(text.find("\"Kolvex\""), 8, "\"Other\" ");
    test::WriteAll(dir.File("q.gltf"), Bytes(text));
    ASSERT_TRUE(Import("q.gltf")) << reason;
    EXPECT_EQ(data.vertices.size(), 4u);
    ASSERT_EQ(data.faces.size(), 2u);
    EXPECT_EQ(data.faces[0].red, 255);
    EXPECT_EQ(data.faces[0].layer, -1);
}

// Other formats: polygons beyond eight corners become fans, points and lines are counted.
TEST_F(ModelImport, OffPolygonsAreSplitAndPointsAndLinesCounted) {
    std::string off = "OFF\n12 3 0\n";
    for (int k = 0; k < 10; ++k)
        off += std::to_string(k) + " " + std::to_string(k * k % 7) + " 0\n";
    off += "5 5 5\n6 6 6\n9 0 1 2 3 4 5 6 7 8\n2 10 11\n3 0 1 10\n";
    test::WriteAll(dir.File("m.off"), Bytes(off));
    ASSERT_TRUE(Import("m.off")) << reason;
    ASSERT_EQ(data.faces.size(), 3u);  // c0..c7, then c0 c7 c8, then the triangle
    EXPECT_EQ(data.faces[0].indexCount, 8);
    EXPECT_EQ(data.faces[1].indexCount, 3);
    EXPECT_EQ(data.indices[static_cast<std::size_t>(data.faces[1].firstIndex) + 2], 8);
    EXPECT_EQ(data.faces[2].indexCount, 3);
    EXPECT_NE(notes.find("1 lines skipped"), std::string::npos) << notes;
    EXPECT_EQ(FrenchReason(notes), "0 points et 1 lignes ignorés\n");
}

// PLY of other programs: text or big-endian, colours of the vertices, other elements skipped.
TEST(PlyImport, OtherProgramsFilesAreReadWithTheirVertexColours) {
    SceneFileData data;
    std::string reason, notes;
    const std::string text =
        "ply\nformat ascii 1.0\ncomment made elsewhere\nelement vertex 4\nproperty float x\n"
        "property float y\nproperty float z\nproperty uchar red\nproperty uchar green\n"
        "property uchar blue\nelement face 2\nproperty list uchar int vertex_indices\n"
        "element edge 1\nproperty int vertex1\nproperty int vertex2\nend_header\n"
        "0 0 0 255 0 0\n1 0 0 0 255 0\n1 1 0 0 0 255\n0 1 0 9 9 9\n4 0 1 2 3\n2 0 1\n0 1\n";
    ASSERT_TRUE(ReadPlyBytes(text, data, reason, notes)) << reason;
    ASSERT_EQ(data.vertices.size(), 4u);
    ASSERT_EQ(data.faces.size(), 1u);
    // The mean of (255,0,0), (0,255,0), (0,0,255) and (9,9,9), rounded: 66, 66, 66.
    EXPECT_EQ(
        std::make_tuple(int{data.faces[0].red}, int{data.faces[0].green}, int{data.faces[0].blue}),
        std::make_tuple(66, 66, 66));
    EXPECT_EQ(notes, "1 edge records skipped\n1 faces of fewer than 3 corners skipped\n");

    std::string big =
        "ply\nformat binary_big_endian 1.0\nelement vertex 3\nproperty double x\n"
        "property double y\nproperty double z\nelement face 1\n"
        "property list uchar uint vertex_index\nend_header\n";
    const auto put = [&](std::uint64_t v, int bytes) {
        for (int k = bytes - 1; k >= 0; --k)
            big += static_cast<char>(v >> (8 * k) & 0xFF);
    };
    for (const double d : {0.0, 0.0, 0.0, 1.5, 0.0, 0.0, 0.0, -2.0, 0.0})
        put(std::bit_cast<std::uint64_t>(d), 8);
    put(3, 1), put(0, 4), put(1, 4), put(2, 4);
    ASSERT_TRUE(ReadPlyBytes(big, data, reason, notes)) << reason;
    EXPECT_EQ(data.vertices[1].x, 1.5);
    EXPECT_EQ(data.vertices[2].y, -2.0);
    EXPECT_EQ(data.faces.at(0).blue, 255);  // no colour: blue, as a new face
    big.pop_back();
    EXPECT_FALSE(ReadPlyBytes(big, data, reason, notes));
}

// Broken or hostile files of each format: a clear reason, and nothing read.
TEST_F(ModelImport, BrokenFilesAreRefusedWithAReason) {
    BuildRandomScene(4);
    Export("good.glb");
    std::vector<std::uint8_t> glb = test::ReadAll(dir.File("good.glb"));
    glb.resize(glb.size() / 2);
    test::WriteAll(dir.File("cut.glb"), glb);
    Export("good.gltf");
    std::vector<std::uint8_t> json = test::ReadAll(dir.File("good.gltf"));
    std::string text(json.begin(), json.end());
    const auto uri = text.find("good.bin");
    ASSERT_NE(uri, std::string::npos);
    ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.bin").c_str()), 0);
    test::WriteAll(dir.File("up.gltf"), Bytes(std::string(text).replace(uri, 8, "../x.bin")));
    test::WriteAll(dir.File("zero.gltf"), Bytes(std::string(text).replace(uri, 8, "zero.bin")));
    const std::string ply =
        "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n"
        "property float y\nproperty float z\nelement face 1\n"
        "property list uchar int vertex_indices\nend_header\n";
    test::WriteAll(dir.File("index.ply"), Bytes(ply + "0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n"));
    test::WriteAll(dir.File("huge.ply"), Bytes(ply + "0 0 0\n1e39 0 0\n0 1 0\n3 0 1 2\n"));
    test::WriteAll(dir.File("short.ply"), Bytes(ply + "0 0 0\n1 0 0\n"));
    test::WriteAll(dir.File("noend.ply"), Bytes("ply\nformat ascii 1.0\nelement vertex 1\n"));
    test::WriteAll(dir.File("huge.stl"),
                   Bytes("solid s\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1e39 0 0\n"
                         "vertex 0 1 0\nendloop\nendfacet\nendsolid s\n"));
    std::vector<std::uint8_t> noise(3000);
    std::mt19937 random(5);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    test::WriteAll(dir.File("noise.3ds"), noise);
    test::WriteAll(dir.File("noise.dae"), noise);
    const std::pair<const char*, const char*> cases[] = {
        {"cut.glb", ""},
        {"up.gltf", "outside the model's folder"},
        {"zero.gltf", "not a plain file"},
        {"index.ply", "out of range"},
        {"huge.ply", "beyond the range"},
        {"short.ply", "shorter"},
        {"noend.ply", "end_header"},
        {"huge.stl", ""},
        {"noise.3ds", ""},
        {"noise.dae", ""},
    };
    for (const auto& [name, why] : cases) {
        EXPECT_FALSE(Import(name)) << name;
        EXPECT_NE(reason, "") << name;
        EXPECT_NE(reason.find(why), std::string::npos) << name << ": " << reason;
        EXPECT_TRUE(data.vertices.empty() && data.faces.empty()) << name;
        EXPECT_NE(FrenchReason(reason), reason) << name << ": no French for " << reason;
    }
}

// A reader that crashes, hangs or answers nonsense costs the reading, not the caller.
TEST(IsolatedRead, ACrashAHangOrABrokenAnswerIsAReasonNotAFault) {
    SceneFileData data;
    std::string reason, notes;
    EXPECT_FALSE(
        ReadIsolated([](SceneFileData&, std::string&, std::string&) -> bool { std::abort(); }, data,
                     reason, notes));
    EXPECT_NE(reason.find("reader"), std::string::npos) << reason;
    EXPECT_FALSE(ReadIsolated(
        [](SceneFileData&, std::string&, std::string&) {
            std::this_thread::sleep_for(std::chrono::seconds(30));
            return true;
        },
        data, reason, notes, 1));
    EXPECT_NE(reason.find("after 1 seconds"), std::string::npos) << reason;
    // An index outside the vertices never reaches the caller.
    EXPECT_FALSE(ReadIsolated(
        [](SceneFileData& d, std::string&, std::string&) {
            d.vertices.resize(3);
            d.indices = {0, 1, 3};
            d.faces.push_back({.firstIndex = 0, .indexCount = 3});
            return true;
        },
        data, reason, notes));
    EXPECT_NE(reason.find("vertex index 3 out of range"), std::string::npos) << reason;
    // A good answer comes through whole, with the reader's notes.
    ASSERT_TRUE(ReadIsolated(
        [](SceneFileData& d, std::string&, std::string& n) {
            d.vertices.resize(3);
            d.vertices[1].x = 2.5;
            d.indices = {0, 1, 2};
            d.faces.push_back({.firstIndex = 0, .indexCount = 3, .red = 7, .layer = 4});
            n = "a note\n";
            return true;
        },
        data, reason, notes))
        << reason;
    EXPECT_EQ(data.vertices[1].x, 2.5);
    EXPECT_EQ(data.faces.at(0).red, 7);
    EXPECT_EQ(data.faces.at(0).layer, 4);
    EXPECT_EQ(notes, "a note\n");
    // Cut anywhere, the answer's bytes are refused.
    const std::vector<std::uint8_t> bytes = ReadingBytes(true, "", "", data);
    for (std::size_t n = 0; n < bytes.size(); n += 7) {
        SceneFileData cut;
        EXPECT_FALSE(ParseReadingBytes(std::span(bytes.data(), n), cut, reason, notes)) << n;
    }
}

}  // namespace
}  // namespace kvx
