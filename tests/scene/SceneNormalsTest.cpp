// The normals the layer meshes hold, after updates of every face and after moves of random
// subsets, against the normals worked out here from the positions alone: a flat face's own normal
// in every slot, a smooth slot the unit sum of the normals of every face corner on its vertex.

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <vector>

#include "scene/SceneFixture.h"
#include "scene/VertexTransforms.h"

namespace kvx::test {
namespace {

class SceneNormalsTest : public SceneTest {
  protected:
    // Random polygons of 3 to 8 corners (some with a repeated or collinear corner) on two layers,
    // flat and smooth mixed.
    void RandomScene(std::uint32_t seed) {
        std::mt19937 rng(seed);
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const auto coordinate = [&] { return std::uniform_real_distribution<double>(-9, 9)(rng); };
        for (int layer = 0; layer < 2; ++layer) {
            scene.SetCurrentLayer(layer);
            const std::int32_t base = scene.vertexCount();
            for (int i = 0; i < 60; ++i)
                AddVertex(coordinate(), pick(6) == 0 ? 0.0 : coordinate(), coordinate());
            for (int f = 0; f < 120; ++f) {
                std::vector<std::int32_t> corners;
                const int n = 3 + pick(6);
                for (int k = 0; k < n; ++k)
                    corners.push_back(base + pick(60));
                const std::int32_t fi = scene.CreateFaceFromList(corners);
                if (fi >= 0 && pick(3) != 0)
                    scene.faces[static_cast<std::size_t>(fi)].renderType = RenderSmooth;
            }
        }
        scene.SetCurrentLayer(0);
    }

    rm::Vec3 At(const Face& f, int k) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(f.sceneIndices[k])];
        return {v.x, v.y, v.z};
    }
    // Every slot's expected normal, face after face.
    std::vector<rm::Vec3f> Expected() {
        std::vector<rm::Vec3> sums(scene.vertices.size());
        for (const Face& f : scene.faces) {
            // The engine's face normal: (P1 - P0) x (P2 - P0).
            const rm::Vec3 n =
                f.vertexCount < 3
                    ? rm::Vec3{}
                    : rm::Normalize(rm::Cross(At(f, 1) - At(f, 0), At(f, 2) - At(f, 0)));
            for (int k = 0; k < f.vertexCount; ++k)
                sums[static_cast<std::size_t>(f.sceneIndices[k])] += n;
        }
        std::vector<rm::Vec3f> out;
        for (const Face& f : scene.faces) {
            const rm::Vec3 flat =
                rm::Normalize(rm::Cross(At(f, 1) - At(f, 2), At(f, 1) - At(f, 0)));
            for (int k = 0; k < f.vertexCount; ++k)
                out.push_back(rm::Narrow(
                    f.IsSmooth() ? rm::Normalize(sums[static_cast<std::size_t>(f.sceneIndices[k])])
                                 : flat));
        }
        return out;
    }
    std::vector<rm::Vec3f> Held() {
        std::vector<rm::Vec3f> out;
        for (const Face& f : scene.faces)
            for (int k = 0; k < f.vertexCount; ++k)
                out.push_back(EngineNormal(f, k));
        return out;
    }
    static bool SameBits(const std::vector<rm::Vec3f>& a, const std::vector<rm::Vec3f>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            for (const auto& [x, y] :
                 {std::pair{a[i].x, b[i].x}, std::pair{a[i].y, b[i].y}, std::pair{a[i].z, b[i].z}})
                if (std::bit_cast<std::uint32_t>(x) != std::bit_cast<std::uint32_t>(y))
                    return false;
        return true;
    }
};

TEST_F(SceneNormalsTest, EveryFaceUpdatedGivesTheNormalsOfThePositions) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        scene.ClearScene();
        RandomScene(seed);
        scene.UpdateAllVertexNormals();
        EXPECT_TRUE(SameBits(Held(), Expected())) << "seed " << seed;
    }
}

TEST_F(SceneNormalsTest, MovesOfRandomSubsetsGiveTheNormalsOfThePositions) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        scene.ClearScene();
        RandomScene(seed);
        scene.UpdateAllVertexNormals();
        std::mt19937 rng(seed * 77);
        for (int round = 0; round < 8; ++round) {
            // From one vertex to every vertex moved.
            const unsigned share = round == 7 ? 1 : 1 + rng() % 40;
            std::vector<std::uint8_t> moved(scene.vertices.size(), 0);
            for (std::size_t i = 0; i < moved.size(); ++i) {
                if (rng() % share != 0) continue;
                moved[i] = 1;
                Translate(scene.vertices[i], 0.25 * (rng() % 7), -0.5, 0.125 * (rng() % 5));
            }
            scene.UpdateNormalsAfterMove(moved);
            ASSERT_TRUE(SameBits(Held(), Expected())) << "seed " << seed << " round " << round;
        }
    }
}

}  // namespace
}  // namespace kvx::test
