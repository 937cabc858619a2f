#include "scene/Face.h"

#include <algorithm>
#include <limits>

namespace kvx {

void Face::Attach(LayerMesh* mesh) {
    owner = mesh;
    if (!mesh || !mesh->builder) {
        rmIndex = -1;
        return;
    }
    rmIndex = mesh->builder->NewFace();
    ++mesh->facesAdded;
}

int Face::AddVertex(Vertex& vertex) {
    if (vertexCount >= MaxFaceVertices) return 0;
    if (!owner || !owner->builder) return 0;
    const auto k = static_cast<std::size_t>(vertexCount);
    sceneIndices[k] = vertex.sceneIndex;
    const std::int32_t normal = owner->normalsAdded;
    owner->builder->AddNormal(0.0, 1.0, 1.0);  // a placeholder until the normals are computed
    // The vertex as this face's mesh knows it, so a face never uses another mesh's indices.
    const std::int32_t meshVertex = vertex.MeshIndexIn(owner);
    if (!rm::Succeeded(owner->builder->AddCorner(rmIndex, meshVertex, normal))) return 0;
    ++vertexCount;
    ++owner->normalsAdded;
    return 1;
}

void Face::Rebuild(LayerMesh* mesh, VertexTable& vertices) {
    const std::int32_t n = vertexCount;
    vertexCount = 0;
    Attach(mesh);
    for (std::int32_t k = 0; k < n; ++k)
        AddVertex(vertices[static_cast<std::size_t>(sceneIndices[static_cast<std::size_t>(k)])]);
    ApplyColor();
}

void Face::SetColor(std::int32_t r, std::int32_t g, std::int32_t b) {
    StoreColor(r, g, b);
    if (rm::MeshBuilder* builder = Builder())
        builder->SetFaceColor(rmIndex, r / 255.0, g / 255.0, b / 255.0);
}

void Face::ApplyColor() {
    if (rm::MeshBuilder* builder = Builder())
        builder->SetFaceColor(rmIndex, red / 255.0, green / 255.0, blue / 255.0);
}

rm::Vec3 Face::Normal(const VertexTable& vertices) const {
    if (vertexCount < 3) return {};
    const auto at = [&](int k) {
        const Vertex& v =
            vertices[static_cast<std::size_t>(sceneIndices[static_cast<std::size_t>(k)])];
        return rm::Vec3{v.x, v.y, v.z};
    };
    const rm::Vec3 p0 = at(0), p1 = at(1), p2 = at(2);
    return rm::Normalize(rm::Cross(p1 - p2, p1 - p0));
}

void Face::SetSlotNormal(std::int32_t k, rm::Vec3 n) {
    if (rm::MeshBuilder* builder = Builder()) builder->SetNormal(SlotNormalIndex(k), n.x, n.y, n.z);
}

void Face::ComputeNormal(const VertexTable& vertices) {
    const rm::Vec3 n = Normal(vertices);
    for (std::int32_t k = 0; k < vertexCount; ++k)
        SetSlotNormal(k, n);
}

namespace {
template <typename Get, typename Pick>
double Extent(const Face& f, const VertexTable& v, Get get, Pick pick, double start) {
    double r = start;
    for (std::int32_t k = 0; k < f.vertexCount; ++k)
        r = pick(r, static_cast<double>(get(
                        v[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])])));
    return r;
}
constexpr double Inf = std::numeric_limits<double>::infinity();
const auto Min = [](double a, double b) { return std::min(a, b); };
const auto Max = [](double a, double b) { return std::max(a, b); };
}  // namespace

double Face::MinX(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.x; }, Min, Inf);
}
double Face::MaxX(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.x; }, Max, -Inf);
}
double Face::MinY(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.y; }, Min, Inf);
}
double Face::MaxY(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.y; }, Max, -Inf);
}
double Face::MinZ(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.z; }, Min, Inf);
}
double Face::MaxZ(const VertexTable& v) const {
    return Extent(
        *this, v, [](const Vertex& p) { return p.z; }, Max, -Inf);
}

}  // namespace kvx
