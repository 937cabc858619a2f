#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "interchange/FileSignature.h"
#include "interchange/FormatRegistry.h"

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

FileSignature Identify(const Bytes& b) {
    return IdentifyBytes(b, b.size());
}

// A binary STL of n triangles: 80 header bytes, the count, 50 bytes each.
Bytes BinaryStl(std::uint32_t n, const std::string& header) {
    Bytes b(84 + 50 * n, 0);
    std::copy(header.begin(), header.end(), b.begin());
    b[80] = static_cast<std::uint8_t>(n);
    b[81] = static_cast<std::uint8_t>(n >> 8);
    return b;
}

TEST(FileSignature, KnowsEachFormatByItsFirstBytes) {
    EXPECT_EQ(Identify(Text("1MorvenixProduction 1998\x02")), FileSignature::KvxScene);
    EXPECT_EQ(Identify(Bytes{'g', 'l', 'T', 'F', 2, 0, 0, 0, 12, 0, 0, 0}),
              FileSignature::GltfBinary);
    EXPECT_EQ(Identify(Text("ply\nformat ascii 1.0\n")), FileSignature::Ply);
    EXPECT_EQ(Identify(Text("ply\r\nformat ascii 1.0\r\n")), FileSignature::Ply);
    EXPECT_EQ(Identify(Text("solid cube\nfacet normal 0 0 1\n")), FileSignature::StlText);
    EXPECT_EQ(Identify(Text("  solid\n")), FileSignature::StlText);
    EXPECT_EQ(Identify(Text(std::string("Kaydara FBX Binary  \0\x1a\0", 23))),
              FileSignature::FbxBinary);
    EXPECT_EQ(Identify(BinaryStl(2, "made by hand")), FileSignature::StlBinary);
    // A binary STL whose header says "solid" is still binary: its length matches its count.
    EXPECT_EQ(Identify(BinaryStl(300, "solid but binary")), FileSignature::StlBinary);
}

TEST(FileSignature, NearMissesAreNotTakenForAFormat) {
    EXPECT_EQ(Identify(Text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n")), FileSignature::None);
    EXPECT_EQ(Identify(Bytes{'g', 'l', 'T', 'F', 1, 0, 0, 0}), FileSignature::None);
    EXPECT_EQ(Identify(Text("plywood\n")), FileSignature::None);
    EXPECT_EQ(Identify(Text("solidity 1\n")), FileSignature::None);
    EXPECT_EQ(Identify(Text("1MorvenixProduction 199")), FileSignature::None);
    Bytes shortStl = BinaryStl(2, "header");
    shortStl.pop_back();
    EXPECT_EQ(Identify(shortStl), FileSignature::None);
    EXPECT_EQ(Identify(Bytes{}), FileSignature::None);
}

TEST(FormatRegistry, ExportFollowsTheExtensionAndRefusesOneWithoutWriter) {
    std::string reason;
    const ExportFormat* obj = ExportFormatFor("/some/where/Model.OBJ", reason);
    ASSERT_NE(obj, nullptr) << reason;
    EXPECT_STREQ(obj->name, "Wavefront OBJ");
    EXPECT_EQ(ExportFormatFor("model.xyz", reason), nullptr);
    EXPECT_NE(reason.find("\".xyz\""), std::string::npos) << reason;
    EXPECT_NE(reason.find(".obj"), std::string::npos) << reason;
    EXPECT_EQ(ExportFormatFor("model", reason), nullptr);
    EXPECT_NE(reason.find("no extension"), std::string::npos) << reason;
}

TEST(FormatRegistry, ImportFollowsTheSignatureBeforeTheExtension) {
    test::TempDir dir;
    std::string reason;
    // OBJ text is read as OBJ under its own extension, and not under an unknown one.
    test::WriteAll(dir.File("a.obj"), Text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    const ImportFormat* obj = ImportFormatFor(dir.File("a.obj"), reason);
    ASSERT_NE(obj, nullptr) << reason;
    EXPECT_STREQ(obj->name, "Wavefront OBJ");
    test::WriteAll(dir.File("a.txt"), Text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    EXPECT_EQ(ImportFormatFor(dir.File("a.txt"), reason), nullptr);
    EXPECT_NE(reason.find("unknown format"), std::string::npos) << reason;
    // A PLY file called .obj is a PLY file.
    test::WriteAll(dir.File("scan.obj"), Text("ply\nformat ascii 1.0\nend_header\n"));
    const ImportFormat* ply = ImportFormatFor(dir.File("scan.obj"), reason);
    ASSERT_NE(ply, nullptr) << reason;
    EXPECT_STREQ(ply->name, "PLY");
    EXPECT_EQ(ImportFormatFor(dir.File("missing.obj2"), reason), nullptr);
    EXPECT_NE(reason.find("no such file"), std::string::npos) << reason;
    // A pipe is not opened to look at it (that would wait for a writer).
    ASSERT_EQ(::mkfifo(dir.File("pipe.glb").c_str(), 0666), 0);
    EXPECT_EQ(IdentifyFile(dir.File("pipe.glb")), FileSignature::None);
}

}  // namespace
}  // namespace kvx
