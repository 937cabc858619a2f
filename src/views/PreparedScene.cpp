#include "views/PreparedScene.h"

#include <algorithm>
#include <cstring>

#include "scene/Scene.h"
#include "views/RenderPasses.h"
#include "views/ViewProjection.h"

namespace kvx {
namespace {

// The colour's low byte once truncated to an integer (TruncateToInt32). Within the integer
// range, the usual case, that is the processor's own conversion; the rest take the long way.
std::uint8_t ColourByte(double c) {
    if (c > -2147483648.0 && c < 2147483647.0) [[likely]]
        return static_cast<std::uint8_t>(static_cast<std::int32_t>(c));
    return static_cast<std::uint8_t>(TruncateToInt32(c));
}

// Fills list with the faces pick(0 .. candidates - 1) names (a negative number: none), and `to`
// with their corners. Each face's whole corner array is copied and the count advanced by its
// corners, so the table keeps a face's worth of room past its end while filling.
template <typename Pick>
void GatherFaces(const LargeVector<Face>& faces, std::size_t candidates,
                 std::vector<PreparedScene::FaceEntry>& list, std::vector<std::int32_t>& to,
                 Pick pick) {
    constexpr auto room = static_cast<std::size_t>(MaxFaceVertices);
    list.resize(candidates);
    to.resize(3 * candidates + room);
    std::size_t count = 0, cornerCount = 0;
    for (std::size_t i = 0; i < candidates; ++i) {
        const std::int32_t index = pick(i);
        if (index < 0) continue;
        const Face* f = &faces[static_cast<std::size_t>(index)];
        if (cornerCount + room > to.size()) to.resize(2 * to.size());
        std::memcpy(to.data() + cornerCount, f->sceneIndices.data(), sizeof f->sceneIndices);
        const auto n = static_cast<std::size_t>(f->vertexCount);
        cornerCount += n;
        list[count++] = {index, static_cast<std::uint8_t>(n), ColourByte(f->red),
                         ColourByte(f->green), ColourByte(f->blue)};
    }
    list.resize(count);
    to.resize(cornerCount);
}

// The face-list inputs the scene can tell cheaply. Faces are added, deleted, turned round,
// coloured or rebuilt only through their builders, which count it; their hidden flags are counted
// by the scene; the rest is compared.
void ReadFaceSource(const Scene& scene, PreparedScene::FaceSource& s) {
    s.vertexCount = scene.vertices.size();
    s.faceCount = scene.faces.size();
    s.facesDeleted = scene.facesDeleted;
    s.faceVisibility = scene.faceVisibilityRevision;
    s.currentLayer = scene.currentLayer;
    s.allLayers = scene.allLayers;
    s.builders.clear();
    s.builderRevisions.clear();
    for (std::int32_t m = 0; m < scene.layerMeshCount(); ++m) {
        const rm::MeshBuilder* b = scene.layerMesh(m)->builder.get();
        s.builders.push_back(b);
        if (b) {
            s.builderRevisions.push_back(b->TopologyRevision());
            s.builderRevisions.push_back(b->ColorRevision());
        }
    }
}

// Whether every layer mesh has a builder: faces without one would change their colour uncounted.
bool EveryMeshBuilt(const PreparedScene::FaceSource& s) {
    return std::all_of(s.builders.begin(), s.builders.end(), [](const void* b) { return b; });
}

}  // namespace

void PreparedScene::Prepare(const Scene& scene) {
    FaceSource now;
    now.builders.reserve(source_.builders.size());
    ReadFaceSource(scene, now);
    const bool sameVertices = now.vertexCount == source_.vertexCount;
    const bool hiddenChanged = GatherVertices(scene);
    // The face selection is compared where it stands, and copied only when it changed.
    const bool sameSelection = selectedFaceSource_ == scene.selectedFaces;
    if (faceListsValid_ && sameVertices && !hiddenChanged && sameSelection && now == source_)
        return;
    source_ = std::move(now);
    if (!sameSelection) selectedFaceSource_ = scene.selectedFaces;
    faceListsValid_ = EveryMeshBuilt(source_);
    GatherFaceLists(scene);
}

bool PreparedScene::GatherVertices(const Scene& scene) {
    // Written by index into storage kept from the last redraw, then cut to length: a big model
    // is gathered without a growth check per record.
    const std::size_t n = scene.vertices.size();
    xyz.resize(3 * n);
    vertexHidden_.resize(n);
    shownVertices.resize(n);
    shownLooks.resize(n);
    std::size_t shown = 0;
    std::uint32_t markers = 0;  // the bits where some marker differs from the usual one
    bool anyVertexHidden = false;
    std::uint8_t hiddenChanges = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = scene.vertices[i];
        xyz[3 * i] = v.x;
        xyz[3 * i + 1] = v.y;
        xyz[3 * i + 2] = v.z;
        const std::uint8_t hidden = v.hidden != 0;
        hiddenChanges |= static_cast<std::uint8_t>(vertexHidden_[i] ^ hidden);
        vertexHidden_[i] = hidden;
        anyVertexHidden |= v.hidden != 0;
        if (scene.IsVertexShown(v)) {
            shownVertices[shown] = static_cast<std::int32_t>(i);
            shownLooks[shown++] = {v.state, v.markerColor};
            markers |= v.markerColor ^ RawVertexMarker;
        }
    }
    shownVertices.resize(shown);
    shownLooks.resize(shown);
    allMarkersUsual = markers == 0;
    anyVertexHidden_ = anyVertexHidden;
    return hiddenChanges != 0;
}

void PreparedScene::GatherFaceLists(const Scene& scene) {
    // A face is shown when it is not hidden, lies on a shown layer and none of its vertices is
    // hidden (Scene::IsFaceShown, with the vertices' flags gathered above).
    const bool allLayers = scene.allLayers == 1;
    const bool anyVertexHidden = anyVertexHidden_;
    const auto faceShown = [&](const Face& f) {
        if (f.hidden != 0 || (!allLayers && f.layer != scene.currentLayer)) return false;
        if (!anyVertexHidden) return true;
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            if (vertexHidden_[static_cast<std::size_t>(
                    f.sceneIndices[static_cast<std::size_t>(k)])])
                return false;
        return true;
    };
    GatherFaces(scene.faces, scene.faces.size(), shownFaces, corners, [&](std::size_t fi) {
        const Face& f = scene.faces[fi];
        return f.vertexCount > 0 && faceShown(f) ? static_cast<std::int32_t>(fi) : -1;
    });

    const std::vector<std::int32_t>& order = scene.selectedFaces;
    GatherFaces(scene.faces, order.size(), selectedFaces, selectedCorners, [&](std::size_t i) {
        const std::int32_t fi = order[i];
        if (fi < 0 || fi >= scene.faceCount()) return -1;
        return scene.faces[static_cast<std::size_t>(fi)].vertexCount > 0 ? fi : -1;
    });
}

}  // namespace kvx
