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

const LargeVector<MeshTriangle>& TriangleCache::For(const std::shared_ptr<MeshBuilder>& mesh) {
    Entry& e = entries_[mesh.get()];
    const bool same = !e.mesh.owner_before(mesh) && !mesh.owner_before(e.mesh) && !e.mesh.expired();
    if (!same || e.topology != mesh->TopologyRevision()) {
        e.mesh = mesh;
        e.topology = mesh->TopologyRevision();
        BuildTriangles(*mesh, e.triangles);
    }
    e.used = true;
    return e.triangles;
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
