#pragma once
// One point of the model, mirrored as a vertex of its layer mesh's builder.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "retained/LargeAllocator.h"
#include "retained/SceneNodes.h"

namespace kvx {

using LayerMesh = rm::MeshNode;

inline constexpr std::int32_t VertexNormal = 1;
inline constexpr std::int32_t VertexSelected = 2;

// Kept small (48 bytes): a drag or a nudge of a big model walks the whole table several times.
// The state is 1 or 2; the layer and hidden flag hold what the scene file keeps of them (a byte
// each).
struct Vertex {
    LayerMesh* owner = nullptr;  // the layer mesh whose builder holds this vertex
    float x = 0, y = 0, z = 0;
    std::uint32_t markerColor = 255;  // an already packed pixel value
    std::int32_t sceneIndex = 0;
    std::int32_t meshIndex = 0;  // index in owner's builder
    std::int8_t layer = 0;
    std::int8_t state = VertexNormal;
    std::int8_t hidden = 0;

    // Copies of this vertex in other layer meshes, made for faces of those meshes that use it.
    // Usually empty; kept in step with every move.
    std::unique_ptr<std::vector<std::pair<LayerMesh*, std::int32_t>>> copies;

    void Reset() { *this = Vertex{}; }
    // Adds the vertex to owner's builder at (x, y, z) and records owner, position and scene index.
    void Attach(LayerMesh* mesh, double px, double py, double pz, std::int32_t index);
    // The vertex's index in mesh's builder, adding a copy there when mesh is not its owner.
    // Negative when there is no builder.
    std::int32_t MeshIndexIn(LayerMesh* mesh);
    // Sends the current position to the owner's builder and to every copy.
    void SendPosition();
    // Stores a new position and sends it.
    void MoveTo(double px, double py, double pz) {
        x = static_cast<float>(px);
        y = static_cast<float>(py);
        z = static_cast<float>(pz);
        SendPosition();
    }
};

static_assert(sizeof(void*) != 8 || sizeof(Vertex) <= 48, "a vertex record grew past 48 bytes");

// The vertex table.
using VertexTable = LargeVector<Vertex>;

}  // namespace kvx
