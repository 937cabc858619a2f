// Fuzz target: the scene reader over any bytes. A file it refuses gives a reason; a file it
// accepts loads into a sound scene (CheckSceneInvariants) whose every field is what the file says,
// saves, and reads back to the same scene field by field and to the same bytes.

#include <cstdint>
#include <string>

#include "FuzzExpect.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "scene/SceneInvariants.h"

namespace kvx {
namespace {

void Expect(bool ok, const char* what) {
    fuzz::Expect(ok, "scene reader", what);
}

bool SameVertex(const Vertex& a, const Vertex& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.hidden == b.hidden && a.layer == b.layer &&
           a.sceneIndex == b.sceneIndex;
}

bool SameFace(const Face& a, const Face& b) {
    if (a.vertexCount != b.vertexCount || a.red != b.red || a.green != b.green ||
        a.blue != b.blue || a.layer != b.layer || a.hidden != b.hidden ||
        a.renderType != b.renderType) {
        return false;
    }
    for (std::int32_t k = 0; k < a.vertexCount; ++k)
        if (a.sceneIndices[static_cast<std::size_t>(k)] !=
            b.sceneIndices[static_cast<std::size_t>(k)])
            return false;
    return true;
}

// The scene holds what the file says.
void ExpectAsRead(const Scene& scene, const SceneFileData& data) {
    Expect(scene.vertices.size() == data.vertices.size(), "vertex count");
    Expect(scene.faces.size() == data.faces.size(), "face count");
    for (std::size_t i = 0; i < data.vertices.size(); ++i) {
        const auto& r = data.vertices[i];
        const Vertex& v = scene.vertices[i];
        Expect(v.x == static_cast<float>(r.x) && v.y == static_cast<float>(r.y) &&
                   v.z == static_cast<float>(r.z),
               "vertex position");
        Expect(v.hidden == r.hidden, "vertex hidden");
        Expect(v.layer == (r.layer < 0 ? scene.currentLayer : r.layer), "vertex layer");
    }
    for (std::size_t i = 0; i < data.faces.size(); ++i) {
        const auto& r = data.faces[i];
        const Face& f = scene.faces[i];
        Expect(f.vertexCount == r.indexCount, "face corner count");
        for (std::int32_t k = 0; k < r.indexCount; ++k)
            Expect(f.sceneIndices[static_cast<std::size_t>(k)] ==
                       data.indices[static_cast<std::size_t>(r.firstIndex + k)],
                   "face corner");
        Expect(f.red == r.red && f.green == r.green && f.blue == r.blue, "face colour");
        Expect(f.layer == (r.layer < 0 ? scene.currentLayer : r.layer), "face layer");
        Expect(f.hidden == r.hidden && f.renderType == r.renderType, "face flags");
    }
}

}  // namespace
}  // namespace kvx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvx;
    SceneFileData data;
    std::string reason;
    if (!ReadSceneBytes({bytes, size}, data, reason)) {
        Expect(!reason.empty(), "a refusal without a reason");
        return 0;
    }
    rm::SceneRoot root;
    root.Create();
    Scene first(root);
    Expect(AddSceneFileToScene(first, data, true, reason), "an accepted file does not load");
    ExpectAsRead(first, data);
    Expect(CheckSceneInvariants(first).empty(), "a loaded scene breaks an invariant");

    const std::vector<std::uint8_t> saved = SceneBytes(first);
    SceneFileData again;
    Expect(ReadSceneBytes(saved, again, reason), "a saved scene does not read back");
    Scene second(root);
    Expect(AddSceneFileToScene(second, again, true, reason), "a saved scene does not load");
    ExpectAsRead(second, again);
    Expect(first.vertices.size() == second.vertices.size(), "vertex count after saving");
    Expect(first.faces.size() == second.faces.size(), "face count after saving");
    for (std::size_t i = 0; i < first.vertices.size(); ++i)
        Expect(SameVertex(first.vertices[i], second.vertices[i]), "vertex after saving");
    for (std::size_t i = 0; i < first.faces.size(); ++i)
        Expect(SameFace(first.faces[i], second.faces[i]), "face after saving");
    Expect(SceneBytes(second) == saved, "saving twice gives other bytes");
    return 0;
}
