// What undo and redo need of the scene: which layer mesh holds each record, building the layer
// meshes anew from the tables, and setting both selections at once.

#include "scene/Scene.h"

namespace kvx {

std::uint8_t Scene::MeshNumber(const LayerMesh* mesh) const {
    for (std::size_t i = 0; i < layerMeshes_.size(); ++i)
        if (layerMeshes_[i].get() == mesh) return static_cast<std::uint8_t>(i);
    return 0;
}

namespace {

// The runs of a table's owners; consecutive records mostly share their mesh, so the last one
// found is tried first.
template <typename Table>
OwnerRuns OwnersOf(const Scene& scene, const Table& table) {
    OwnerRuns runs;
    const LayerMesh* last = nullptr;
    std::uint8_t lastNumber = 0;
    for (const auto& record : table) {
        if (record.owner != last || runs.empty()) {
            last = record.owner;
            lastNumber = scene.MeshNumber(last);
        }
        AddOwner(runs, lastNumber);
    }
    return runs;
}

// Walks runs record by record.
class RunCursor {
  public:
    explicit RunCursor(const OwnerRuns& runs) : runs_(runs) {}
    // The mesh of the next record; fallback once the runs are used up.
    std::uint8_t Next(std::uint8_t fallback) {
        while (run_ < runs_.size() && used_ >= runs_[run_].second) {
            ++run_;
            used_ = 0;
        }
        if (run_ >= runs_.size()) return fallback;
        ++used_;
        return runs_[run_].first;
    }

  private:
    const OwnerRuns& runs_;
    std::size_t run_ = 0;
    std::int32_t used_ = 0;
};

}  // namespace

OwnerRuns Scene::VertexOwners() const {
    return OwnersOf(*this, vertices);
}

OwnerRuns Scene::FaceOwners() const {
    return OwnersOf(*this, faces);
}

void Scene::RebuildMirror(const OwnerRuns& vertexOwners, const OwnerRuns& faceOwners) {
    for (std::int32_t i = 0; i < layerMeshCount(); ++i)
        EmptyLayerMesh(i);
    const auto fallback = static_cast<std::uint8_t>(currentLayer);
    const auto meshOf = [&](std::uint8_t n) {
        return n < layerMeshes_.size() ? layerMeshes_[n].get() : currentMesh();
    };
    RunCursor vertexRuns(vertexOwners);
    for (Vertex& v : vertices)
        v.Attach(meshOf(vertexRuns.Next(fallback)), v.x, v.y, v.z, v.sceneIndex);
    RunCursor faceRuns(faceOwners);
    for (Face& f : faces)
        f.Rebuild(meshOf(faceRuns.Next(fallback)), vertices);
    UpdateAllVertexNormals();
}

void Scene::ReplaceSelection(std::vector<std::int32_t> vertexList,
                             std::vector<std::int32_t> faceList) {
    ClearVertexSelection();
    for (const std::int32_t i : vertexList)
        vertices[static_cast<std::size_t>(i)].state = VertexSelected;
    selectedVertices = std::move(vertexList);
    selectedFaces = std::move(faceList);
}

}  // namespace kvx
