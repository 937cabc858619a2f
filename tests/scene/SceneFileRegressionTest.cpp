// Regressions of the scene reader: coordinates that a scene's floats cannot hold, and files that
// announce the largest counts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TempDir.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

using test::Bytes;

Bytes Header(std::int32_t vertices, std::int32_t faces, int version = 2) {
    Bytes b;
    b.Text("1MorvenixProduction 1998").U8(version).I32(vertices).I32(faces);
    return b;
}
void Vertex(Bytes& b, double x, double y, double z) {
    b.U8(0x7F).F64(x).F64(y).F64(z).U8(0).I32(0);
}

std::string Refusal(const Bytes& b) {
    SceneFileData data;
    std::string reason;
    EXPECT_FALSE(ReadSceneBytes(b.data, data, reason));
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
        Bytes b = Header(3, 0);
        Vertex(b, 0, 0, 0);  // good vertices first: the reason names the one at fault
        Vertex(b, 1, -2, 3);
        Vertex(b, c.x, c.y, c.z);
        EXPECT_EQ(Refusal(b), c.reason);
    }
}

TEST(SceneFileRegression, TheLargestFloatsAndTheSmallestAreKept) {
    const double max = 3.4028234663852886e38;  // the largest float, written as a double
    Bytes b = Header(3, 0);
    Vertex(b, max, -max, 1e-45);
    Vertex(b, -1e-320, 0, 0);  // below the float range's smallest: becomes 0, still finite
    // Just below half a last step past the maximum: rounds to the maximum.
    Vertex(b, std::nextafter(max + std::ldexp(1.0, 103), 0.0), 0, 0);
    SceneFileData data;
    std::string reason;
    ASSERT_TRUE(ReadSceneBytes(b.data, data, reason)) << reason;
    EXPECT_EQ(data.vertices[0].x, max);
    EXPECT_EQ(data.vertices[0].y, -max);
    EXPECT_EQ(static_cast<float>(data.vertices[2].x), static_cast<float>(max));
}

TEST(SceneFileRegression, TheFileAndTheByteReaderAgree) {
    test::TempDir dir;
    Bytes b = Header(1, 0);
    Vertex(b, 0, 1e300, 0);
    test::WriteAll(dir.File("far.KVX"), b.data);
    SceneFileData data;
    std::string fromFile;
    EXPECT_FALSE(ReadSceneFile(dir.File("far.KVX"), data, fromFile));
    EXPECT_EQ(fromFile, Refusal(b));
}

// Counts that would need many gigabytes if anything were allocated for them before the checks:
// under the address sanitizer such an allocation fails loudly, and without it the test would
// take long. Both must be refused at once.
TEST(SceneFileRegression, TheLargestCountsAreRefusedBeforeAnythingIsAllocated) {
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Refusal(Header(most, most)),
              "more records announced (2147483647 vertices, 2147483647 faces) than a scene "
              "holds (4194304)");
    EXPECT_EQ(Refusal(Header(0, most, 1)),
              "more records announced (0 vertices, 2147483647 faces) than a scene holds "
              "(4194304)");
    // Within the limits but far beyond the bytes there are.
    EXPECT_EQ(Refusal(Header(4194304, 4194304)),
              "file too short for its 4194304 vertices and 4194304 faces");
    Bytes one = Header(1, 4194304);
    Vertex(one, 0, 0, 0);
    EXPECT_EQ(Refusal(one), "file too short for its 1 vertices and 4194304 faces");
}

}  // namespace
}  // namespace kvx
