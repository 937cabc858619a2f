// Undo and redo: the scene after an undo equals the scene before the step, layer meshes
// included, and a redo brings the step back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

#include "SceneFixture.h"
#include "scene/SceneHistory.h"
#include "scene/VertexTransforms.h"

namespace kvx::test {
namespace {

class SceneHistoryTest : public SceneTest {
  protected:
    // Everything a user or the perspective view can tell apart, as text: the model, and for each
    // layer mesh the faces it draws with their corners' positions and normals and their colour.
    std::string Signature() {
        std::ostringstream out;
        out << ModelText(scene);
        for (int l = 0; l < scene.layerMeshCount(); ++l) {
            const rm::MeshBuilder& b = Builder(l);
            for (const rm::FaceData& d : b.Faces()) {
                if (!d.added) continue;
                out << "m" << l << " c " << d.color.x << ' ' << d.color.y << ' ' << d.color.z;
                for (int k = 0; k < d.cornerCount; ++k) {
                    const rm::Corner& c = b.CornersOf(d)[k];
                    const auto p = b.Positions()[static_cast<std::size_t>(c.vertex)];
                    const auto n = b.Normals()[static_cast<std::size_t>(c.normal)];
                    out << " (" << p.x << ' ' << p.y << ' ' << p.z << " / " << n.x << ' ' << n.y
                        << ' ' << n.z << ')';
                }
                out << "\n";
            }
        }
        return out.str();
    }

    // Runs one step through the history and checks undo and redo against the scene's states
    // before and after it.
    template <typename Change>
    void CheckStep(unsigned parts, Change change) {
        const std::string before = Signature();
        history.Begin(scene, parts);
        change();
        history.End(scene);
        const std::string after = Signature();
        ASSERT_NE(before, after) << "the step changed nothing";
        ASSERT_TRUE(history.Undo(scene));
        EXPECT_EQ(Signature(), before);
        ASSERT_TRUE(history.Redo(scene));
        EXPECT_EQ(Signature(), after);
    }

    // Two layers' worth of faces, smooth and flat, with their shading up to date.
    void BuildModel() {
        for (int i = 0; i < 4; ++i)
            AddVertex(i, i * i * 0.5, 1.0 - i);
        AddVertex(0, 2, 0);
        MakeFace({0, 1, 2});
        MakeFace({1, 2, 3, 4});
        scene.faces[1].renderType = RenderSmooth;
        scene.SetCurrentLayer(1);
        for (int i = 0; i < 3; ++i)
            AddVertex(5 + i, 1, i % 2);
        MakeFace({5, 6, 7});
        scene.faces[2].SetColor(200, 10, 10);
        scene.SetCurrentLayer(0);
        scene.UpdateAllVertexNormals();
    }

    SceneHistory history;
};

TEST_F(SceneHistoryTest, MovesAndShapeChangesComeBackExactly) {
    BuildModel();
    SelectVertices({1, 2});
    CheckStep(PartPositions | PartSelection, [&] {
        for (const std::int32_t i : scene.selectedVertices) {
            Translate(scene.vertices[static_cast<std::size_t>(i)], 0.1, -3.25, 7);
        }
        std::vector<std::uint8_t> moved(scene.vertices.size(), 0);
        moved[1] = moved[2] = 1;
        scene.UpdateNormalsAfterMove(moved);
    });
    SelectFaces({0, 1});
    CheckStep(PartFaceAttributes, [&] {
        scene.SetSelectedFacesColor(1, 2, 3);
        scene.SetSelectedFacesRenderType(RenderSmooth);
    });
    // Faces turned round in place: stored corners, engine corners and normals, one step.
    SelectFaces({1, 2});
    CheckStep(PartCornerOrder, [&] { scene.ReverseSelectedFaces(); });
    EXPECT_EQ((std::vector<std::int32_t>(scene.faces[1].sceneIndices.begin(),
                                         scene.faces[1].sceneIndices.begin() + 4)),
              (std::vector<std::int32_t>{4, 3, 2, 1}));
    EXPECT_EQ(scene.faces[0].sceneIndices[0], 0);  // not selected: as it was
    CheckStep(PartVisibility | PartSelection, [&] { scene.HideSelectedFaces(); });
}

TEST_F(SceneHistoryTest, AddedAndDeletedRecordsComeBackInTheirMeshes) {
    BuildModel();
    scene.SetCurrentLayer(2);
    CheckStep(PartStructure, [&] { scene.GenerateMesh(); });
    // Faces of layers 0 and 1 go: every record moves to the current layer's mesh.
    scene.allLayers = 1;
    SelectFaces({2, 0});
    CheckStep(PartStructure, [&] { scene.DeleteSelectedFaces(); });
    SelectFaces({1});
    CheckStep(PartStructure, [&] { scene.FlipSelectedFaces(); });
    SelectVertices({0, 3});
    SelectFaces({1, 4});
    CheckStep(PartStructure, [&] { scene.CopySelection(0, 0, 0); });
    SelectVertices({5, 6, 7});
    CheckStep(PartStructure, [&] { scene.CreateFaceFromSelection(); });
}

TEST_F(SceneHistoryTest, UndoOfANudgeBringsBackTheNormalsBitForBit) {
    // Smooth faces on an uneven grid: a tenth of a unit changes many normals in their last bits.
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j)
            AddVertex(i * 0.37, std::sin(i * 0.9) * std::cos(j * 0.7), j * 0.41);
    for (int i = 0; i + 1 < 12; ++i)
        for (int j = 0; j + 1 < 12; ++j) {
            const std::int32_t b = 12 * i + j;
            scene.faces[static_cast<std::size_t>(MakeFace({b, b + 12, b + 1}))].renderType =
                RenderSmooth;
            MakeFace({b + 12, b + 13, b + 1});
        }
    scene.UpdateAllVertexNormals();
    const auto normals = [&] {
        const auto& n = Builder(0).Normals();
        return std::vector<rm::Vec3f>(n.begin(), n.end());
    };
    const std::vector<rm::Vec3f> before = normals();
    history.Begin(scene, PartPositions);
    for (Vertex& v : scene.vertices)
        Translate(v, 0.1, 0, -0.1);
    scene.UpdateNormalsAfterMove(std::vector<std::uint8_t>(scene.vertices.size(), 1));
    history.End(scene);
    const std::vector<rm::Vec3f> after = normals();
    ASSERT_NE(after, before);
    const auto sameBits = [](const std::vector<rm::Vec3f>& a, const std::vector<rm::Vec3f>& b) {
        return a.size() == b.size() &&
               std::memcmp(a.data(), b.data(), a.size() * sizeof(rm::Vec3f)) == 0;
    };
    ASSERT_TRUE(history.Undo(scene));
    EXPECT_TRUE(sameBits(normals(), before));
    ASSERT_TRUE(history.Redo(scene));
    EXPECT_TRUE(sameBits(normals(), after));
}

TEST_F(SceneHistoryTest, UndoWalksBackThroughManySteps) {
    BuildModel();
    const std::string start = Signature();
    std::vector<std::string> states{start};
    for (int step = 0; step < 120; ++step) {
        history.Begin(scene, step % 3 == 0 ? PartStructure : PartPositions);
        if (step % 3 == 0) {
            AddVertex(step, 0, 0);
        } else {
            const auto moved = static_cast<std::size_t>(step % 5);
            Translate(scene.vertices[moved], 0.5, 0, 0);
            std::vector<std::uint8_t> mask(scene.vertices.size(), 0);
            mask[moved] = 1;
            scene.UpdateNormalsAfterMove(mask);
        }
        history.End(scene);
        states.push_back(Signature());
    }
    EXPECT_EQ(history.UndoCount(), 120u);
    for (int step = 120; step > 0; --step) {
        ASSERT_TRUE(history.Undo(scene));
        ASSERT_EQ(Signature(), states[static_cast<std::size_t>(step - 1)]) << step;
    }
    EXPECT_FALSE(history.Undo(scene));
    // A new step after undoing drops what could have been redone.
    ASSERT_TRUE(history.Redo(scene));
    history.Begin(scene, PartPositions);
    Translate(scene.vertices[0], 0, 1, 0);
    history.End(scene);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(SceneHistoryTest, ModifiedFollowsTheModelNotTheSelection) {
    BuildModel();
    history.Clear();
    EXPECT_FALSE(history.Modified());
    history.Begin(scene, PartSelection);
    SelectVertices({0, 1, 2});
    history.End(scene);
    EXPECT_FALSE(history.Modified()) << "a selection is not saved in the file";
    history.Begin(scene, PartStructure);
    scene.CreateFaceFromSelection();
    history.End(scene);
    EXPECT_TRUE(history.Modified());
    history.Undo(scene);
    EXPECT_FALSE(history.Modified()) << "back where it was saved";
    history.Redo(scene);
    history.MarkSaved();
    EXPECT_FALSE(history.Modified());
    history.Undo(scene);
    EXPECT_TRUE(history.Modified());
    // A step that changes nothing is not kept.
    const std::size_t steps = history.UndoCount();
    history.Begin(scene, PartPositions | PartSelection);
    history.End(scene);
    EXPECT_EQ(history.UndoCount(), steps);
}

TEST_F(SceneHistoryTest, AStepKeepsWhatItChangedNotTheScene) {
    for (int i = 0; i < 20000; ++i)
        AddVertex(i % 200, i / 200, 0);
    history.Begin(scene, PartPositions | PartSelection);
    Translate(scene.vertices[7], 1, 0, 0);
    history.End(scene);
    // The step holds one vertex index and position, not 20,000.
    EXPECT_LT(history.Bytes(), 2048u);
    history.Begin(scene, PartStructure);
    AddVertex(1, 2, 3);
    history.End(scene);
    EXPECT_LT(history.Bytes(), 4096u);
}

}  // namespace
}  // namespace kvx::test
