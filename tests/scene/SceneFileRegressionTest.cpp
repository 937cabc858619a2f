// Regressions of the scene reader: coordinates that a scene's floats cannot hold, and files that
// announce the largest counts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SceneFileBytes.h"
#include "TempDir.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

using test::Bytes;
using test::SceneHeader;
using test::VertexRecord;

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
