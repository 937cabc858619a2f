#include "scene/Vertex.h"

namespace kvx {

void Vertex::Attach(LayerMesh* mesh, double px, double py, double pz, std::int32_t index) {
    owner = mesh;
    x = static_cast<float>(px);
    y = static_cast<float>(py);
    z = static_cast<float>(pz);
    sceneIndex = index;
    copies.reset();
    meshIndex = (mesh && mesh->builder) ? mesh->builder->AddVertex(x, y, z) : -1;
}

std::int32_t Vertex::MeshIndexIn(LayerMesh* mesh) {
    if (mesh == owner) return meshIndex;
    if (!mesh || !mesh->builder) return -1;
    if (copies) {
        for (const auto& [m, i] : *copies)
            if (m == mesh) return i;
    } else {
        copies = std::make_unique<std::vector<std::pair<LayerMesh*, std::int32_t>>>();
    }
    const std::int32_t i = mesh->builder->AddVertex(x, y, z);
    copies->emplace_back(mesh, i);
    return i;
}

void Vertex::SendPosition() {
    if (owner && owner->builder) owner->builder->SetVertex(meshIndex, x, y, z);
    if (copies)
        for (const auto& [m, i] : *copies)
            if (m->builder) m->builder->SetVertex(i, x, y, z);
}

}  // namespace kvx
