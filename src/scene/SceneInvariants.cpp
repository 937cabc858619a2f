#include "scene/SceneInvariants.h"

#include <vector>

#include "scene/Coordinates.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

std::string Vertex_(std::size_t i) {
    return "vertex " + std::to_string(i) + ": ";
}
std::string Face_(std::size_t i) {
    return "face " + std::to_string(i) + ": ";
}

bool ValidLayer(std::int32_t layer) {
    return layer >= 0 && layer < LayerCount;
}

// Whether a mesh's entry at index holds (x, y, z).
bool MeshHolds(const LayerMesh* mesh, std::int32_t index, const Vertex& v) {
    if (mesh == nullptr || !mesh->builder) return false;
    const auto& positions = mesh->builder->Positions();
    if (index < 0 || static_cast<std::size_t>(index) >= positions.size()) return false;
    return positions[static_cast<std::size_t>(index)] == rm::Vec3f{v.x, v.y, v.z};
}

// Every entry of list in [0, size) and listed once; "" or the fault.
std::string CheckList(const std::vector<std::int32_t>& list, std::size_t size, const char* what) {
    std::vector<std::uint8_t> seen(size, 0);
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::int32_t i = list[k];
        const std::string where =
            std::string(what) + " entry " + std::to_string(k) + " (" + std::to_string(i) + "): ";
        if (i < 0 || static_cast<std::size_t>(i) >= size) return where + "out of range";
        if (seen[static_cast<std::size_t>(i)]++) return where + "listed twice";
    }
    return {};
}

}  // namespace

std::string CheckSceneInvariants(const Scene& scene) {
    const std::size_t vertexCount = scene.vertices.size();
    const std::size_t faceCount = scene.faces.size();
    if (vertexCount > static_cast<std::size_t>(scene.vertexCapacity))
        return std::to_string(vertexCount) + " vertices, more than the capacity";
    if (faceCount > static_cast<std::size_t>(scene.faceCapacity))
        return std::to_string(faceCount) + " faces, more than the capacity";
    if (scene.selectedVertices.size() > vertexCount) return "more vertices selected than exist";
    if (scene.selectedFaces.size() > faceCount) return "more faces selected than exist";

    std::size_t selectedStates = 0;
    for (std::size_t i = 0; i < vertexCount; ++i) {
        const Vertex& v = scene.vertices[i];
        if (v.sceneIndex != static_cast<std::int32_t>(i))
            return Vertex_(i) + "scene index " + std::to_string(v.sceneIndex);
        if (!ValidLayer(v.layer)) return Vertex_(i) + "layer " + std::to_string(v.layer);
        if (v.state != VertexNormal && v.state != VertexSelected)
            return Vertex_(i) + "state " + std::to_string(v.state);
        selectedStates += v.state == VertexSelected;
        if (!FitsFloat(v.x, v.y, v.z)) return Vertex_(i) + "a coordinate is not finite";
        if (!MeshHolds(v.owner, v.meshIndex, v))
            return Vertex_(i) + "its owner mesh holds another position";
        if (v.copies) {
            for (const auto& [mesh, index] : *v.copies)
                if (!MeshHolds(mesh, index, v)) return Vertex_(i) + "a copy holds another position";
        }
    }

    if (std::string fault = CheckList(scene.selectedVertices, vertexCount, "vertex selection");
        !fault.empty())
        return fault;
    for (const std::int32_t i : scene.selectedVertices) {
        if (scene.vertices[static_cast<std::size_t>(i)].state != VertexSelected)
            return Vertex_(static_cast<std::size_t>(i)) + "selected but its state is not";
    }
    if (selectedStates != scene.selectedVertices.size())
        return std::to_string(selectedStates) + " vertices in the selected state, " +
               std::to_string(scene.selectedVertices.size()) + " in the selection";
    if (std::string fault = CheckList(scene.selectedFaces, faceCount, "face selection");
        !fault.empty())
        return fault;

    for (std::size_t fi = 0; fi < faceCount; ++fi) {
        const Face& f = scene.faces[fi];
        if (f.vertexCount < 0 || f.vertexCount > MaxFaceVertices)
            return Face_(fi) + std::to_string(f.vertexCount) + " vertices";
        if (!ValidLayer(f.layer)) return Face_(fi) + "layer " + std::to_string(f.layer);
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            const std::int32_t i = f.sceneIndices[static_cast<std::size_t>(k)];
            if (i < 0 || static_cast<std::size_t>(i) >= vertexCount)
                return Face_(fi) + "vertex index " + std::to_string(i) + " out of range";
        }
        if (f.vertexCount == 0) continue;
        const rm::MeshBuilder* builder = f.Builder();
        if (builder == nullptr || f.rmIndex < 0)
            return Face_(fi) + "no retained face in its owner mesh";
        const std::int32_t index = f.rmIndex;
        if (index >= builder->FaceCount())
            return Face_(fi) + "retained face " + std::to_string(index) + " out of range";
        const rm::FaceData& d = builder->Faces()[static_cast<std::size_t>(index)];
        if (!d.added) return Face_(fi) + "its retained face is not added";
        if (d.cornerCount != f.vertexCount)
            return Face_(fi) + "its retained face has " + std::to_string(d.cornerCount) +
                   " corners";
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            const Vertex& v = scene.vertices[static_cast<std::size_t>(
                f.sceneIndices[static_cast<std::size_t>(k)])];
            if (!MeshHolds(f.owner, builder->CornersOf(d)[k].vertex, v))
                return Face_(fi) + "corner " + std::to_string(k) +
                       " of its retained face is not its vertex";
        }
    }
    return {};
}

}  // namespace kvx
