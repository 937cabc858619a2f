#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "interchange/PlyExport.h"
#include "interchange/StlExport.h"
#include "scene/SceneFixture.h"

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian bytes, put together by hand.
struct Expected {
    Bytes bytes;
    void Text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
    void Raw(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    void F32(float f) { Raw(&f, 4); }
    void I32(std::int32_t i) {
        for (int k = 0; k < 4; ++k)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(i) >> (8 * k)));
    }
    void U8(std::uint8_t b) { bytes.push_back(b); }
    void Floats(std::initializer_list<float> fs) {
        for (float f : fs)
            F32(f);
    }
};

// A unit-high quad in z = 0 (corners 0..3, coloured 10, 200, 30) and a triangle standing in the
// plane x = 2 (corners 1, 4, 2, smooth and hidden, of the default blue); the quad's normal is
// (0, 0, 1), the triangle's (-1, 0, 0).
class StlPlyExport : public test::SceneTest {
  protected:
    void SetUp() override {
        AddVertex(0, 0, 0);
        AddVertex(2, 0, 0);
        AddVertex(2, 1, 0);
        AddVertex(0, 1, 0);
        AddVertex(2, 0, 2);
        ASSERT_EQ(MakeFace({0, 1, 2, 3}), 0);
        ASSERT_EQ(MakeFace({1, 4, 2}), 1);
        scene.faces[0].SetColor(10, 200, 30);
        scene.faces[1].renderType = RenderSmooth;
        scene.faces[1].hidden = 1;
    }
    test::TempDir dir;
};

TEST_F(StlPlyExport, BinaryStlHoldsEachPolygonAsAFanWithItsFaceNormal) {
    std::string reason;
    ASSERT_TRUE(ExportStl(scene, dir.File("m.stl"), false, reason)) << reason;
    const Bytes got = test::ReadAll(dir.File("m.stl"));
    ASSERT_EQ(got.size(), 84u + 3 * 50);
    EXPECT_NE(std::memcmp(got.data(), "solid", 5), 0) << "a binary header must not say solid";
    Expected e;
    e.Raw(got.data(), 80);  // the header is free text
    e.I32(3);
    e.Floats({0, 0, 1, 0, 0, 0, 2, 0, 0, 2, 1, 0});
    e.U8(0), e.U8(0);
    e.Floats({0, 0, 1, 0, 0, 0, 2, 1, 0, 0, 1, 0});
    e.U8(0), e.U8(0);
    e.Floats({-1, 0, 0, 2, 0, 0, 2, 0, 2, 2, 1, 0});
    e.U8(0), e.U8(0);
    EXPECT_EQ(got, e.bytes);
    EXPECT_EQ(StlTriangleCount(scene), 3u);
}

TEST_F(StlPlyExport, TextStlSpellsTheSameTrianglesExactly) {
    scene.vertices[3].MoveTo(0.1, 1, 0);  // 0.1 as a float needs nine digits
    std::string reason;
    ASSERT_TRUE(ExportStl(scene, dir.File("m.stl"), true, reason)) << reason;
    const Bytes got = test::ReadAll(dir.File("m.stl"));
    const std::string facet = "endloop\nendfacet\n";
    const std::string expected =
        "solid kolvex\n"
        "facet normal 0 0 1\nouter loop\n"
        "vertex 0 0 0\nvertex 2 0 0\nvertex 2 1 0\n" +
        facet +
        "facet normal 0 0 1\nouter loop\n"
        "vertex 0 0 0\nvertex 2 1 0\nvertex 0.100000001 1 0\n" +
        facet +
        "facet normal -1 0 0\nouter loop\n"
        "vertex 2 0 0\nvertex 2 0 2\nvertex 2 1 0\n" +
        facet + "endsolid kolvex\n";
    EXPECT_EQ(std::string(got.begin(), got.end()), expected);
}

TEST_F(StlPlyExport, PlyKeepsPolygonsAndTheirColourBytes) {
    scene.vertices[4].MoveTo(-1.5f, 1e30f, 0.25f);
    scene.faces[1].StoreColor(254.9, 0.5, 128);  // stored as a scene file stores it: truncated
    std::string reason;
    ASSERT_TRUE(ExportPly(scene, dir.File("m.ply"), reason)) << reason;
    Expected e;
    e.Text(
        "ply\nformat binary_little_endian 1.0\ncomment Kolvex scene\nelement vertex 5\n"
        "property float x\nproperty float y\nproperty float z\nelement face 2\n"
        "property list uchar int vertex_indices\nproperty uchar red\nproperty uchar green\n"
        "property uchar blue\nend_header\n");
    e.Floats({0, 0, 0, 2, 0, 0, 2, 1, 0, 0, 1, 0, -1.5f, 1e30f, 0.25f});
    e.U8(4), e.I32(0), e.I32(1), e.I32(2), e.I32(3), e.U8(10), e.U8(200), e.U8(30);
    e.U8(3), e.I32(1), e.I32(4), e.I32(2), e.U8(254), e.U8(0), e.U8(128);
    EXPECT_EQ(test::ReadAll(dir.File("m.ply")), e.bytes);
}

// Both go through the safe replace: a pipe or a missing folder is refused and nothing is made.
TEST_F(StlPlyExport, RefusedTargetsAreLeftAsTheyWere) {
    std::string reason;
    ASSERT_EQ(::mkfifo(dir.File("pipe.stl").c_str(), 0666), 0);
    EXPECT_FALSE(ExportStl(scene, dir.File("pipe.stl"), false, reason));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.stl")));
    EXPECT_FALSE(ExportPly(scene, dir.File("no/such/m.ply"), reason));
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

}  // namespace
}  // namespace kvx
