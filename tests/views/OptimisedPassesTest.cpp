// The passes as the editor draws them against the plain reference drawing, pixel for pixel:
// grids and random scenes (hidden items, other layers, selections, polygons up to eight corners,
// vertices far outside), every view, zoomed and panned, with and without normals, at 16 and 24
// bits, the six views drawn together in one pass and in two parts, on every processor path this
// processor has (each path the same pixels as the reference, hence as every other path).

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "scene/SceneFixture.h"
#include "views/PassScratch.h"
#include "views/PreparedScene.h"
#include "views/ProcessorPaths.h"
#include "views/ReferencePasses.h"

namespace kvx::test {
namespace {

class OptimisedPassesTest : public SceneTest,
                            public ::testing::WithParamInterface<std::tuple<int, ProcessorPath>> {
  protected:
    void SetUp() override {
        if (!UseProcessorPath(std::get<1>(GetParam())))
            GTEST_SKIP() << "this processor lacks the path";
    }
    void TearDown() override { UseProcessorPath(taken_); }

    void Grid(int n, double step) {
        const std::int32_t base = scene.vertexCount();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                AddVertex(-n * step / 2 + i * step, 0.3 * std::sin(i * 0.7),
                          n * step / 2 - j * step);
        for (int i = 0; i + 1 < n; ++i)
            for (int j = 0; j + 1 < n; ++j) {
                // Neighbours in other colours, where the order of the faces shows.
                const std::int32_t b = base + n * i + j;
                scene.faces[static_cast<std::size_t>(MakeFace({b, b + n, b + 1}))].SetColor(
                    30 + i % 7 * 20, 160, 60);
                scene.faces[static_cast<std::size_t>(MakeFace({b + n, b + n + 1, b + 1}))].SetColor(
                    200, 40 + j % 5 * 30, 90);
            }
    }
    // farReach: how far the odd far vertex may lie (one in ten vertices reaches that far).
    void Random(std::uint32_t seed, double farReach = 200) {
        std::mt19937 rng(seed);
        const auto uniform = [&](double lo, double hi) {
            return std::uniform_real_distribution<double>(lo, hi)(rng);
        };
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        for (int i = 0; i < 300; ++i) {
            const double reach = pick(10) == 0 ? farReach : 12;
            const auto v = AddVertex(uniform(-reach, reach), uniform(-reach, reach),
                                     uniform(-reach, reach), pick(4) == 0 ? 1 : 0);
            if (pick(10) == 0) scene.vertices[static_cast<std::size_t>(v)].hidden = 1;
            // Now and then a marker in another colour on the pixel of an earlier one, where
            // the order of the markers shows.
            if (i > 0 && pick(10) == 0) {
                const Vertex& other = scene.vertices[static_cast<std::size_t>(pick(i))];
                const auto twin = AddVertex(other.x, other.y, other.z, other.layer);
                scene.vertices[static_cast<std::size_t>(twin)].markerColor =
                    pick(2) == 0 ? RawVertexMarker : (rng() & 0xFFFF);
            }
        }
        for (int f = 0; f < 200; ++f) {
            const int corners = 3 + pick(6);
            const int layer = pick(4) == 0 ? 1 : 0;
            std::vector<std::int32_t> list;
            while (static_cast<int>(list.size()) < corners) {
                const auto v = pick(scene.vertexCount());
                if (scene.vertices[static_cast<std::size_t>(v)].layer == layer) list.push_back(v);
            }
            scene.currentLayer = layer;
            const auto index = scene.CreateFaceFromList(list);
            Face& face = scene.faces[static_cast<std::size_t>(index)];
            face.SetColor(pick(256), pick(256), pick(256));
            face.hidden = pick(12) == 0 ? 1 : 0;
            if (pick(3) == 0) face.renderType = RenderSmooth;
        }
        scene.currentLayer = 0;
        scene.UpdateAllVertexNormals();
        for (int i = 0; i < 40; ++i)
            scene.ToggleVertex(pick(scene.vertexCount()));
        for (int i = 0; i < 15; ++i)
            scene.ToggleFace(pick(scene.faceCount()));
    }
    // Every view and zoom, with and without normals: the product's pixels against the reference.
    // The six views are drawn together as the editor draws them.
    void ExpectSamePixels(bool deep = false) {
        const int depth = std::get<0>(GetParam());
        ViewState zooms[7];
        // A deep zoom, where modest coordinates lie billions of pixels away.
        zooms[6].width = deep ? 1e-7 : 20, zooms[6].centerU = deep ? 0.3 : 0;
        zooms[1].width = 2.5, zooms[1].centerU = 1.3, zooms[1].centerV = -0.7;
        zooms[2].width = 80;
        zooms[3].centerU = 7.1, zooms[3].centerV = 3.3;
        // Far out with the model across the top-left and then the bottom-right border, where
        // the short edges meet the rules for row and column 0 and the last ones.
        zooms[4].width = 80, zooms[4].centerU = 37, zooms[4].centerV = 37;
        zooms[5].width = 80, zooms[5].centerU = -37, zooms[5].centerV = -37;
        const PreparedScene& prepared = Prepared();
        // Seven rounds with a zoom per view, then seven with one zoom for all, as a user mostly
        // has them: the views then share most pixel coordinates.
        for (int round = 0; round < 14; ++round)
            for (bool normals : {false, true}) {
                ViewPassInputs in;
                in.colours = PackedColours::For(depth);
                in.showNormals = normals;
                in.pointLight.shown = true;
                // Drawn in one pass, and by the two parts of the shared passes (in the order
                // that would show a part reaching into the other's pixels).
                Canvas product[6], shared[6], reference[6];
                std::vector<ViewTarget> targets, sharedTargets;
                for (ViewId view = ViewTop; view <= ViewBack; ++view) {
                    const ViewState& state = zooms[round < 7 ? (round + view) % 7 : round - 7];
                    Canvas& p = product[view - 1];
                    Canvas& r = reference[view - 1];
                    for (Canvas* c : {&p, &shared[view - 1], &r}) {
                        ASSERT_TRUE(c->Create(ViewPixels, ViewPixels, depth));
                        c->FillAll(c->Pack(155, 155, 155));
                        c->Lock();
                    }
                    targets.push_back({&p, &state, view});
                    sharedTargets.push_back({&shared[view - 1], &state, view});
                    ReferenceViewPasses(r, scene, state, view, in);
                }
                DrawViewGroupPasses(targets, scene, prepared, in, scratch_[0]);
                // The helper's share of the outlines moves with the threads' timing: any share,
                // none and all included (and one that is not a number), gives the same pictures.
                constexpr double shares[] = {0.5, 0.0,  0.3,
                                             1.0, 0.77, std::numeric_limits<double>::quiet_NaN()};
                SharedViewPasses parts;
                if (parts.Begin(sharedTargets, prepared, in, shares[round % 6])) {
                    parts.Outlines(1), parts.Outlines(0);
                    parts.Finish(1, scratch_[1]), parts.Finish(0, scratch_[0]);
                } else {
                    DrawViewGroupPasses(sharedTargets, scene, prepared, in, scratch_[0]);
                }
                for (std::size_t i = 0; i < targets.size(); ++i) {
                    const PixelBuffer b = reference[i].Surface();
                    for (const Canvas* drawn : {&product[i], &shared[i]}) {
                        const PixelBuffer a = drawn->Surface();
                        int differing = 0;
                        for (int y = 0; y < ViewPixels; ++y)
                            differing += std::memcmp(a.Address(0, y), b.Address(0, y),
                                                     static_cast<std::size_t>(a.pitch)) != 0;
                        EXPECT_EQ(differing, 0)
                            << "rows differ: view " << targets[i].view << ", width "
                            << targets[i].state->width << ", normals " << normals
                            << (drawn == &shared[i] ? ", shared" : "");
                    }
                }
            }
    }
    const PreparedScene& Prepared() {
        prepared_.Prepare(scene);
        return prepared_;
    }
    PreparedScene prepared_;
    PassScratch scratch_[2];
    const ProcessorPath taken_ = CurrentProcessorPath();
};

TEST_P(OptimisedPassesTest, GridsDrawAsTheReference) {
    Grid(60, 0.25);  // edges shorter than a pixel
    Grid(12, 1.5);
    SelectFaces({5, 6, 7});
    SelectVertices({0, 3, 3000});
    ExpectSamePixels();
}

TEST_P(OptimisedPassesTest, RandomScenesDrawAsTheReference) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        scene.ClearScene();
        Random(seed);
        ExpectSamePixels();
    }
}

TEST_P(OptimisedPassesTest, FarVerticesAndDeepZoomsDrawAsTheReference) {
    for (const double farReach : {2e8, 1e20, 3e38}) {
        scene.ClearScene();
        Random(7, farReach);
        ExpectSamePixels(true);
    }
}

std::string DepthAndPath(const ::testing::TestParamInfo<std::tuple<int, ProcessorPath>>& info) {
    static constexpr const char* Paths[] = {"Plain", "Sse41", "Avx2"};
    return "Bits" + std::to_string(std::get<0>(info.param)) + "_" +
           Paths[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(DepthsAndPaths, OptimisedPassesTest,
                         ::testing::Combine(::testing::Values(16, 24),
                                            ::testing::Values(ProcessorPath::Plain,
                                                              ProcessorPath::Sse41,
                                                              ProcessorPath::Avx2)),
                         DepthAndPath);

}  // namespace
}  // namespace kvx::test
