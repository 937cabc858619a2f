#include "retained/TriangleList.h"

namespace kvx::rm {

void BuildTriangles(const MeshBuilder& mesh, LargeVector<MeshTriangle>& out) {
    out.clear();
    const auto& faces = mesh.Faces();
    constexpr std::size_t MaxNumberedFace = std::size_t{1} << (32 - FanBits);
    for (std::size_t f = 0; f < faces.size() && f < MaxNumberedFace; ++f) {
        const FaceData& face = faces[f];
        if (!face.added) continue;
        const Corner* c = mesh.CornersOf(face);
        for (std::int32_t k = 1; k + 1 < face.cornerCount; ++k) {
            out.push_back(
                {c[0].vertex, c[k].vertex, c[k + 1].vertex,
                 static_cast<std::uint32_t>(f << FanBits) | static_cast<std::uint32_t>(k - 1)});
        }
    }
}

void BuildShading(const MeshBuilder& mesh, const LargeVector<MeshTriangle>& triangles,
                  LargeVector<TriangleShading>& out) {
    out.resize(triangles.size());
    const auto& faces = mesh.Faces();
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const std::int32_t f = triangles[i].Face();
        const std::int32_t k = triangles[i].Fan();
        const FaceData& face = faces[static_cast<std::size_t>(f)];
        const Corner* c = mesh.CornersOf(face);
        out[i] = {{c[0].normal, c[k].normal, c[k + 1].normal}, face.color};
    }
}

MeshTriangles TriangleCache::For(const std::shared_ptr<MeshBuilder>& mesh) {
    Entry& e = entries_[mesh.get()];
    const bool same = !e.mesh.owner_before(mesh) && !mesh.owner_before(e.mesh) && !e.mesh.expired();
    const bool topologyStale = !same || e.topology != mesh->TopologyRevision();
    if (topologyStale) {
        e.mesh = mesh;
        e.topology = mesh->TopologyRevision();
        BuildTriangles(*mesh, e.triangles);
    }
    if (topologyStale || e.colors != mesh->ColorRevision()) {
        e.colors = mesh->ColorRevision();
        BuildShading(*mesh, e.triangles, e.shading);
    }
    e.used = true;
    return {e.triangles, e.shading};
}

void TriangleCache::DropUnused() {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (!it->second.used || it->second.mesh.expired()) {
            it = entries_.erase(it);
        } else {
            it->second.used = false;
            ++it;
        }
    }
}

}  // namespace kvx::rm
