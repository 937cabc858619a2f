#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "SceneFileBytes.h"
#include "TempDir.h"
#include "perspective/GoldenImage.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

using test::Bytes;
using test::TempDir;

struct ToolRun {
    int status = -1;
    std::string out;  // standard output and standard error together
};

ToolRun Kvxtool(const std::string& args) {
    ToolRun r;
    const std::string command = std::string(KVXTOOL_PATH) + " " + args + " 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return r;
    std::array<char, 512> buf;
    while (std::fgets(buf.data(), buf.size(), p))
        r.out += buf.data();
    const int w = ::pclose(p);
    r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
    return r;
}

// The "Mesh" grid, with a few hidden and smooth records unless plain, saved as the editor saves
// it.
void SaveMeshScene(const std::string& path, bool plain = false) {
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    scene.GenerateMesh();
    if (plain) {
        std::string reason;
        ASSERT_TRUE(SaveSceneToPath(scene, path, reason)) << reason;
        return;
    }
    scene.vertices[3].hidden = 1;
    scene.faces[7].hidden = 1;
    scene.faces[8].renderType = RenderSmooth;
    scene.faces[9].renderType = RenderSmooth;
    scene.faces[10].layer = 4;
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene, path, reason)) << reason;
}

TEST(Kvxtool, InfoDescribesAGoodFile) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"));
    const ToolRun r = Kvxtool("info " + dir.File("mesh.KVX"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "version: 2\n"
              "vertices: 225\n"
              "faces: 392\n"
              "layer 0: 225 vertices, 391 faces\n"
              "layer 1: 0 vertices, 0 faces\n"
              "layer 2: 0 vertices, 0 faces\n"
              "layer 3: 0 vertices, 0 faces\n"
              "layer 4: 0 vertices, 1 faces\n"
              "layer 5: 0 vertices, 0 faces\n"
              "layer 6: 0 vertices, 0 faces\n"
              "layer 7: 0 vertices, 0 faces\n"
              "layer 8: 0 vertices, 0 faces\n"
              "layer 9: 0 vertices, 0 faces\n"
              "hidden: 1 vertices, 1 faces\n"
              "smooth faces: 2\n"
              "bounding box: x -7.5 .. 6.5, y 0 .. 0, z -6.5 .. 7.5\n");
    // Bytes after the last record are said to be ignored.
    std::vector<std::uint8_t> longer = test::ReadAll(dir.File("mesh.KVX"));
    longer.insert(longer.end(), 5, 0x7E);
    test::WriteAll(dir.File("longer.KVX"), longer);
    const ToolRun l = Kvxtool("info " + dir.File("longer.KVX"));
    EXPECT_EQ(l.status, 0) << l.out;
    EXPECT_NE(l.out.find("\nignored: 5 bytes after the last record\n"), std::string::npos) << l.out;
}

TEST(Kvxtool, ABadFileGetsItsPreciseReasonAndIsNotConverted) {
    TempDir dir;
    Bytes b = test::SceneHeader(2, 3, 13);
    for (int i = 0; i < 3; ++i)
        test::VertexRecord(b, i, 0, 0);
    for (int f = 0; f < 13; ++f)
        test::FaceRecord(b, {0, 1, f == 12 ? 40 : 2}, 1, 2, 3);
    test::WriteAll(dir.File("bad.KVX"), b.data);
    const ToolRun r = Kvxtool("info " + dir.File("bad.KVX"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("face 12: vertex index 40 out of range"), std::string::npos) << r.out;
    EXPECT_EQ(Kvxtool("info " + dir.File("missing.KVX")).status, 1);
    // Nor is it converted; unknown commands and missing arguments are usage errors.
    const ToolRun c = Kvxtool("convert " + dir.File("bad.KVX") + " " + dir.File("out.KVX"));
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.out.find("face 12: vertex index 40 out of range"), std::string::npos) << c.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.KVX")));
    EXPECT_EQ(Kvxtool("frobnicate").status, 2);
    EXPECT_EQ(Kvxtool("info").status, 2);
    // Asked for, the usage is an answer, not an error.
    for (const char* help : {"--help", "-h"}) {
        const ToolRun h = Kvxtool(help);
        EXPECT_EQ(h.status, 0) << help;
        EXPECT_NE(h.out.find("kvxtool export IN.KVX OUT.obj"), std::string::npos) << h.out;
    }
}

TEST(Kvxtool, ConvertWritesVersionTwo) {
    TempDir dir;
    Bytes v1 = test::SceneHeader(1, 3, 1);
    for (int i = 0; i < 3; ++i)
        test::VertexRecord(v1, i, i % 2, 1, i == 1 ? 1 : 0, 0, 1);
    test::FaceRecord(v1, {2, 1, 0}, 10, 20, 30, 0, 0, 0, 1);
    test::WriteAll(dir.File("old.KVX"), v1.data);
    const ToolRun r = Kvxtool("convert " + dir.File("old.KVX") + " " + dir.File("new.KVX"));
    ASSERT_EQ(r.status, 0) << r.out;
    SceneFileData data;
    std::string reason;
    ASSERT_TRUE(ReadSceneFile(dir.File("new.KVX"), data, reason)) << reason;
    EXPECT_EQ(data.version, 2);
    ASSERT_EQ(data.vertices.size(), 3u);
    EXPECT_EQ(data.vertices[1].hidden, 1);
    EXPECT_EQ(data.vertices[1].layer, 0);
    ASSERT_EQ(data.faces.size(), 1u);
    EXPECT_EQ(data.indices, (std::vector<std::int32_t>{2, 1, 0}));
    EXPECT_EQ(data.faces[0].blue, 30);
    EXPECT_EQ(data.faces[0].layer, 0);
}

TEST(Kvxtool, ExportAndImportRoundTripAndRefuseBadFiles) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"));
    const ToolRun out = Kvxtool("export " + dir.File("mesh.KVX") + " " + dir.File("mesh.obj"));
    ASSERT_EQ(out.status, 0) << out.out;
    EXPECT_TRUE(std::filesystem::exists(dir.File("mesh.mtl")));
    const ToolRun in = Kvxtool("import " + dir.File("mesh.obj") + " " + dir.File("back.KVX"));
    ASSERT_EQ(in.status, 0) << in.out;
    EXPECT_EQ(test::ReadAll(dir.File("back.KVX")), test::ReadAll(dir.File("mesh.KVX")));

    test::WriteAll(dir.File("bad.obj"),
                   {'v', ' ', '0', ' ', '0', ' ', '0', '\n', 'f', ' ', '1', ' ', '1', '\n'});
    const ToolRun bad = Kvxtool("import " + dir.File("bad.obj") + " " + dir.File("out.KVX"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("line 2: face with 2 corners (at least 3 needed)"), std::string::npos)
        << bad.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.KVX")));
    EXPECT_EQ(Kvxtool("export " + dir.File("none.KVX") + " " + dir.File("out.obj")).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.obj")));
    EXPECT_EQ(Kvxtool("export " + dir.File("none.KVX")).status, 2);
    // A pipe is no place for an export: refused, and left a pipe.
    ASSERT_EQ(::mkfifo(dir.File("pipe.obj").c_str(), 0666), 0);
    const ToolRun pipe = Kvxtool("export " + dir.File("mesh.KVX") + " " + dir.File("pipe.obj"));
    EXPECT_EQ(pipe.status, 1);
    EXPECT_NE(pipe.out.find("is not a plain file"), std::string::npos) << pipe.out;
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.obj")));
}

// An extension without a writer is refused before anything is written: no OBJ text under another
// format's name, and an earlier file of that name is left as it was.
TEST(Kvxtool, ExportRefusesAnExtensionWithoutWriterAndWritesNothing) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"));
    for (const char* name : {"out.xyz", "out.fbx", "out", "out.obj.bak"}) {
        const ToolRun r = Kvxtool("export " + dir.File("mesh.KVX") + " " + dir.File(name));
        EXPECT_EQ(r.status, 1) << name << ": " << r.out;
        EXPECT_NE(r.out.find("(written: .obj"), std::string::npos) << r.out;
        EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.mtl")));
    test::WriteAll(dir.File("kept.xyz"), {1, 2, 3});
    EXPECT_EQ(Kvxtool("export " + dir.File("mesh.KVX") + " " + dir.File("kept.xyz")).status, 1);
    EXPECT_EQ(test::ReadAll(dir.File("kept.xyz")), (std::vector<std::uint8_t>{1, 2, 3}));
    // Upper-case extensions are the same extension.
    const ToolRun upper = Kvxtool("export " + dir.File("mesh.KVX") + " " + dir.File("UP.OBJ"));
    EXPECT_EQ(upper.status, 0) << upper.out;
    EXPECT_TRUE(std::filesystem::exists(dir.File("UP.mtl")));
}

// STL (binary, or text on request) and PLY by their extensions, each saying what it cannot hold.
TEST(Kvxtool, ExportWritesStlAndPlyByTheirExtensions) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"), true);  // 392 triangles on 225 vertices
    const std::string mesh = dir.File("mesh.KVX") + " ";
    const ToolRun stl = Kvxtool("export " + mesh + dir.File("mesh.STL"));
    ASSERT_EQ(stl.status, 0) << stl.out;
    EXPECT_NE(stl.out.find("binary STL of triangles: face colours"), std::string::npos) << stl.out;
    EXPECT_EQ(test::ReadAll(dir.File("mesh.STL")).size(), 84u + 50u * 392u);
    const ToolRun text = Kvxtool("export --ascii " + mesh + dir.File("text.stl"));
    ASSERT_EQ(text.status, 0) << text.out;
    const std::vector<std::uint8_t> t = test::ReadAll(dir.File("text.stl"));
    const std::string body(t.begin(), t.end());
    EXPECT_EQ(body.rfind("solid kolvex\nfacet normal ", 0), 0u) << body.substr(0, 40);
    std::size_t facets = 0;
    for (std::size_t at = body.find("endfacet"); at != std::string::npos;
         at = body.find("endfacet", at + 1))
        ++facets;
    EXPECT_EQ(facets, 392u);
    const ToolRun ply = Kvxtool("export " + mesh + dir.File("mesh.ply"));
    ASSERT_EQ(ply.status, 0) << ply.out;
    EXPECT_NE(ply.out.find("with face colours"), std::string::npos) << ply.out;
    const std::vector<std::uint8_t> p = test::ReadAll(dir.File("mesh.ply"));
    const std::string head(p.begin(), p.begin() + std::min<std::size_t>(p.size(), 200));
    EXPECT_NE(head.find("format binary_little_endian 1.0\n"), std::string::npos) << head;
    EXPECT_NE(head.find("element vertex 225\n"), std::string::npos) << head;
    EXPECT_NE(head.find("element face 392\n"), std::string::npos) << head;
    // --ascii asks for text STL: for another format it is refused, not ignored.
    const ToolRun wrong = Kvxtool("export --ascii " + mesh + dir.File("text.ply"));
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.out.find("--ascii is for STL only"), std::string::npos) << wrong.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("text.ply")));
}

// glTF as a .gltf with its .bin beside it, or a single .glb.
TEST(Kvxtool, ExportWritesGltfWithItsBufferAndGlb) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"));
    const std::string mesh = dir.File("mesh.KVX") + " ";
    const ToolRun gltf = Kvxtool("export " + mesh + dir.File("mesh.gltf"));
    ASSERT_EQ(gltf.status, 0) << gltf.out;
    EXPECT_NE(gltf.out.find("its buffer in " + dir.File("mesh.bin")), std::string::npos)
        << gltf.out;
    const std::vector<std::uint8_t> json = test::ReadAll(dir.File("mesh.gltf"));
    EXPECT_NE(std::string(json.begin(), json.end()).find("\"uri\":\"mesh.bin\""),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.File("mesh.bin")));
    const ToolRun glb = Kvxtool("export " + mesh + dir.File("mesh.glb"));
    ASSERT_EQ(glb.status, 0) << glb.out;
    const std::vector<std::uint8_t> b = test::ReadAll(dir.File("mesh.glb"));
    ASSERT_GE(b.size(), 12u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "glTF");
}

// Import reads a file in its own format, known by its first bytes or else its extension: never a
// PLY or glTF file as OBJ text, nor a file of unknown format.
TEST(Kvxtool, ImportRefusesBrokenOrUnknownFilesAndWritesNothing) {
    TempDir dir;
    const std::string ply = "ply\nformat ascii 1.0\nelement vertex 0\nend_header\n";
    test::WriteAll(dir.File("scan.ply"), {ply.begin(), ply.end()});
    test::WriteAll(dir.File("model.glb"), {'g', 'l', 'T', 'F', 2, 0, 0, 0, 12, 0, 0, 0});
    const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    test::WriteAll(dir.File("model.txt"), {obj.begin(), obj.end()});
    test::WriteAll(dir.File("disguised.obj"), {ply.begin(), ply.end()});
    const std::pair<const char*, const char*> cases[] = {
        {"scan.ply", "the vertices have no x, y and z"},
        {"model.glb", "not a readable glTF file"},
        {"model.txt", "unknown format"},
        {"disguised.obj", "the vertices have no x, y and z"},  // read as the PLY it is
    };
    for (const auto& [name, why] : cases) {
        const ToolRun r = Kvxtool("import " + dir.File(name) + " " + dir.File("out.KVX"));
        EXPECT_EQ(r.status, 1) << name << ": " << r.out;
        EXPECT_NE(r.out.find(why), std::string::npos) << name << ": " << r.out;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.KVX"))) << name;
    }
    // A scene file is a format that is read: imported, it saves as the same bytes.
    SaveMeshScene(dir.File("mesh.KVX"));
    const ToolRun kvx = Kvxtool("import " + dir.File("mesh.KVX") + " " + dir.File("same.KVX"));
    ASSERT_EQ(kvx.status, 0) << kvx.out;
    EXPECT_EQ(test::ReadAll(dir.File("same.KVX")), test::ReadAll(dir.File("mesh.KVX")));
}

// kvxtool render: the perspective picture of a scene file, the same as the editor's view shows,
// as the uncompressed Targa file of the golden picture.
std::vector<std::uint8_t> Golden(const std::string& name) {
    std::vector<std::uint8_t> image;
    EXPECT_TRUE(test::DecompressTarga(
        test::ReadAll(std::string(KVX_TEST_DATA_DIR) + "/../perspective/golden/" + name + ".tga"),
        image));
    return image;
}

TEST(Kvxtool, RenderPicturesMatchTheEditorsViewAtBothDepthsAndWithMarkers) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"), true);
    const std::string mesh = dir.File("mesh.KVX") + " ";
    ASSERT_EQ(Kvxtool("render " + mesh + dir.File("out24.tga")).status, 0);
    EXPECT_EQ(test::ReadAll(dir.File("out24.tga")), Golden("mesh_24"));
    ASSERT_EQ(Kvxtool("render " + mesh + dir.File("out16.tga") + " --depth 16").status, 0);
    EXPECT_EQ(test::ReadAll(dir.File("out16.tga")), Golden("mesh_16"));
    ASSERT_EQ(Kvxtool("render --markers " + mesh + dir.File("out.tga")).status, 0);
    EXPECT_EQ(test::ReadAll(dir.File("out.tga")), Golden("markers_24"));
}

// Bad arguments (2), a bad scene file or an image that cannot be written (1): no image.
TEST(Kvxtool, RenderFailuresWriteNoImage) {
    TempDir dir;
    SaveMeshScene(dir.File("mesh.KVX"), true);
    const std::string mesh = dir.File("mesh.KVX") + " ";
    EXPECT_EQ(Kvxtool("render " + dir.File("mesh.KVX")).status, 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --depth 32").status, 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --depth").status, 2);
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("o.tga") + " --size 3").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.tga")));
    test::WriteAll(dir.File("bad.KVX"), {'n', 'o', 't', ' ', 'a', ' ', 's', 'c', 'e', 'n', 'e'});
    EXPECT_EQ(Kvxtool("render " + dir.File("bad.KVX") + " " + dir.File("out.tga")).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.tga")));
    EXPECT_EQ(Kvxtool("render " + mesh + dir.File("missing/out.tga")).status, 1);
}

}  // namespace
}  // namespace kvx
