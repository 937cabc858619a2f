// The scene as the flat views read it, gathered again after every kind of change into the same
// PreparedScene (which keeps its face lists when only positions changed) and into a fresh one:
// both hold the same, whatever changed, including changes undone and redone.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "scene/SceneFixture.h"
#include "scene/SceneHistory.h"
#include "scene/VertexTransforms.h"
#include "views/PreparedScene.h"

namespace kvx::test {
namespace {

bool Same(const std::vector<PreparedScene::FaceEntry>& a,
          const std::vector<PreparedScene::FaceEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.face == y.face && x.count == y.count && x.red == y.red && x.green == y.green &&
               x.blue == y.blue;
    });
}
bool Same(const std::vector<PreparedScene::VertexLook>& a,
          const std::vector<PreparedScene::VertexLook>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.state == y.state && x.colour == y.colour;
    });
}

void ExpectSame(const PreparedScene& kept, const PreparedScene& fresh, int step) {
    EXPECT_TRUE(kept.xyz == fresh.xyz) << "step " << step;
    EXPECT_TRUE(Same(kept.shownFaces, fresh.shownFaces)) << "step " << step;
    EXPECT_TRUE(kept.corners == fresh.corners) << "step " << step;
    EXPECT_TRUE(Same(kept.selectedFaces, fresh.selectedFaces)) << "step " << step;
    EXPECT_TRUE(kept.selectedCorners == fresh.selectedCorners) << "step " << step;
    EXPECT_TRUE(kept.shownVertices == fresh.shownVertices) << "step " << step;
    EXPECT_TRUE(Same(kept.shownLooks, fresh.shownLooks)) << "step " << step;
    EXPECT_EQ(kept.allMarkersUsual, fresh.allMarkersUsual) << "step " << step;
}

class PreparedSceneTest : public SceneTest {
  protected:
    void Build(std::mt19937& rng) {
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        for (int layer = 0; layer < 2; ++layer) {
            scene.SetCurrentLayer(layer);
            for (int i = 0; i < 40; ++i)
                AddVertex(pick(20) - 10, pick(20) - 10, pick(20) - 10);
            for (int f = 0; f < 50; ++f) {
                const std::int32_t b = 40 * layer;
                const std::int32_t fi = MakeFace({b + pick(40), b + pick(40), b + pick(40)});
                if (fi >= 0) scene.faces[static_cast<std::size_t>(fi)].SetColor(pick(256), 9, 9);
            }
        }
    }
    // Change `kind` (0..11): mostly moves, which keep the face lists, among everything else.
    void Change(std::mt19937& rng, int kind) {
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const auto randomSelection = [&] {
            SelectVertices({pick(scene.vertexCount()), pick(scene.vertexCount())});
            SelectFaces({pick(scene.faceCount()), pick(scene.faceCount())});
        };
        switch (kind) {
            case 0:
                randomSelection();
                break;
            case 1:
                scene.HideSelectedFaces();
                break;
            case 2:
                scene.ShowAllFaces();
                break;
            case 3:
                scene.HideSelectedVertices();
                break;
            case 4:
                scene.ShowAllVertices();
                break;
            case 5:
                scene.SetSelectedFacesColor(pick(256), pick(256), 3);
                break;
            case 6:
                scene.ReverseSelectedFaces();
                break;
            case 7:
                scene.SetCurrentLayer(pick(2));
                break;
            case 8:
                scene.ToggleAllLayers();
                break;
            case 9:
                scene.FlipSelectedFaces();
                break;
            default:
                for (Vertex& v : scene.vertices)
                    Translate(v, 0.5, 0, -0.25);
        }
    }
};

TEST_F(PreparedSceneTest, KeptGatheringEqualsAFreshOneAfterAnyChange) {
    std::mt19937 rng(7);
    Build(rng);
    SceneHistory history;
    PreparedScene kept;
    for (int step = 0; step < 400; ++step) {
        if (step % 5 == 4 && history.CanUndo()) {
            history.Undo(scene);
            if (step % 10 == 9) history.Redo(scene);
        } else {
            const int kind = static_cast<int>(rng() % 12);
            history.Begin(scene, kind == 9 ? PartStructure
                                           : PartPositions | PartSelection | PartVisibility |
                                                 PartFaceAttributes | PartCornerOrder);
            Change(rng, kind);
            history.End(scene);
        }
        kept.Prepare(scene);
        PreparedScene fresh;
        fresh.Prepare(scene);
        ExpectSame(kept, fresh, step);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace kvx::test
