// The invariant checker: silent on sound scenes, and each invariant broken once is reported.

#include "scene/SceneInvariants.h"

#include <functional>
#include <limits>

#include "SceneFixture.h"

namespace kvx::test {
namespace {

class SceneInvariantsTest : public SceneTest {
  protected:
    // Four vertices on layer 0, two faces, a face of layer-0 vertices built into layer 1's mesh
    // (its vertices get copies there), a vertex and a face selected.
    void Build() {
        for (int i = 0; i < 4; ++i)
            AddVertex(i, i * i, 1 - i);
        MakeFace({0, 1, 2});
        MakeFace({1, 2, 3});
        scene.currentLayer = 1;
        MakeFace({0, 2, 3});
        scene.currentLayer = 0;
        scene.ClearVertexSelection();
        scene.ToggleVertex(3);
        scene.ToggleFace(1);
    }
    Vertex& V(int i) { return scene.vertices[static_cast<std::size_t>(i)]; }
    Face& F(int i) { return scene.faces[static_cast<std::size_t>(i)]; }
};

// Sound scenes of every kind pass in the soak, after each of its steps; here each invariant is
// broken once in a sound scene.
TEST_F(SceneInvariantsTest, EachBrokenInvariantIsReported) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::function<void()> breakIt;
        std::string report;
    } cases[] = {
        {[&] { scene.vertexCapacity = 3; }, "4 vertices, more than the capacity"},
        {[&] { scene.faceCapacity = 2; }, "3 faces, more than the capacity"},
        {[&] { V(2).sceneIndex = 1; }, "vertex 2: scene index 1"},
        {[&] { V(1).layer = 10; }, "vertex 1: layer 10"},
        {[&] { V(0).state = 0; }, "vertex 0: state 0"},
        {[&] { V(2).y = inf; }, "vertex 2: a coordinate is not finite"},
        {[&] { V(1).owner->builder->SetVertex(V(1).meshIndex, 9, 9, 9); },
         "vertex 1: its owner mesh holds another position"},
        {[&] {
             const auto [mesh, index] = V(0).copies->front();
             mesh->builder->SetVertex(index, 9, 9, 9);
         },
         "vertex 0: a copy holds another position"},
        {[&] { scene.selectedVertices.push_back(4); },
         "vertex selection entry 1 (4): out of range"},
        {[&] { scene.selectedVertices.push_back(3); },
         "vertex selection entry 1 (3): listed twice"},
        {[&] { V(2).state = VertexSelected; },
         "2 vertices in the selected state, 1 in the selection"},
        {[&] { V(3).state = VertexNormal; }, "vertex 3: selected but its state is not"},
        {[&] { scene.selectedFaces.push_back(-1); }, "face selection entry 1 (-1): out of range"},
        {[&] { scene.selectedFaces.push_back(1); }, "face selection entry 1 (1): listed twice"},
        {[&] { F(0).vertexCount = 9; }, "face 0: 9 vertices"},
        {[&] { F(1).layer = -1; }, "face 1: layer -1"},
        {[&] { F(2).sceneIndices[1] = 4; }, "face 2: vertex index 4 out of range"},
        {[&] { F(1).rmIndex = -1; }, "face 1: no retained face in its owner mesh"},
        {[&] { F(0).vertexCount = 2; }, "face 0: its retained face has 3 corners"},
        {[&] { F(2).sceneIndices[0] = 1; },
         "face 2: corner 0 of its retained face is not its vertex"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        scene.ClearScene();
        scene.vertexCapacity = MaxVertices;
        scene.faceCapacity = MaxFaces;
        Build();
        ASSERT_TRUE(V(0).copies && !V(0).copies->empty());  // the copies are checked too
        ASSERT_EQ(CheckSceneInvariants(scene), "");
        c.breakIt();
        EXPECT_EQ(CheckSceneInvariants(scene), c.report);
        // Clearing the scene trusts the selections: they go first.
        scene.selectedVertices.clear();
        scene.selectedFaces.clear();
    }
}

}  // namespace
}  // namespace kvx::test
