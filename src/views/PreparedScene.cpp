#include "views/PreparedScene.h"

#include <algorithm>

#include "scene/Scene.h"
#include "views/RenderPasses.h"
#include "views/ViewProjection.h"

namespace kvx {
namespace {

std::uint8_t ColourByte(double c) {
    return static_cast<std::uint8_t>(TruncateToInt32(c));
}

}  // namespace

void PreparedScene::Prepare(const Scene& scene) {
    // Written by index into storage kept from the last redraw, then cut to length: a big model
    // is gathered without a growth check per record.
    const std::size_t n = scene.vertices.size();
    xyz.resize(3 * n);
    vertexHidden_.resize(n);
    shownVertices.resize(n);
    shownLooks.resize(n);
    std::size_t shown = 0;
    std::uint32_t markers = 0;  // the bits where some marker differs from the usual one
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = scene.vertices[i];
        xyz[3 * i] = v.x;
        xyz[3 * i + 1] = v.y;
        xyz[3 * i + 2] = v.z;
        vertexHidden_[i] = v.hidden != 0;
        if (scene.IsVertexShown(v)) {
            shownVertices[shown] = static_cast<std::int32_t>(i);
            shownLooks[shown++] = {v.state, v.markerColor};
            markers |= v.markerColor ^ RawVertexMarker;
        }
    }
    shownVertices.resize(shown);
    shownLooks.resize(shown);
    allMarkersUsual = markers == 0;

    // A face is shown when it is not hidden, lies on a shown layer and none of its vertices is
    // hidden (Scene::IsFaceShown, with the vertices' flags gathered above).
    const bool allLayers = scene.allLayers == 1;
    const auto faceShown = [&](const Face& f) {
        if (f.hidden != 0 || (!allLayers && f.layer != scene.currentLayer)) return false;
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            if (vertexHidden_[static_cast<std::size_t>(
                    f.sceneIndices[static_cast<std::size_t>(k)])])
                return false;
        return true;
    };
    // Appends face f, number index, to a list and its corners to the list's corner table.
    const auto add = [](FaceEntry* list, std::size_t& count, std::vector<std::int32_t>& to,
                        std::size_t& cornerCount, const Face& f, std::size_t index) {
        const auto needed = cornerCount + static_cast<std::size_t>(f.vertexCount);
        if (needed > to.size()) to.resize(std::max(needed, 2 * to.size()));
        list[count++] = {static_cast<std::int32_t>(index), static_cast<std::uint8_t>(f.vertexCount),
                         ColourByte(f.red), ColourByte(f.green), ColourByte(f.blue)};
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            to[cornerCount++] = f.sceneIndices[static_cast<std::size_t>(k)];
    };
    const std::size_t faceCount = scene.faces.size();
    shownFaces.resize(faceCount);
    corners.resize(faceCount * 3);
    std::size_t faces = 0, shownCorners = 0;
    for (std::size_t fi = 0; fi < faceCount; ++fi) {
        const Face& f = scene.faces[fi];
        if (f.vertexCount > 0 && faceShown(f))
            add(shownFaces.data(), faces, corners, shownCorners, f, fi);
    }
    shownFaces.resize(faces);
    corners.resize(shownCorners);
    selectedFaces.resize(scene.selectedFaces.size());
    selectedCorners.resize(scene.selectedFaces.size() * 3);
    std::size_t selected = 0, selectedCornerCount = 0;
    for (const std::int32_t fi : scene.selectedFaces) {
        if (fi < 0 || fi >= scene.faceCount()) continue;
        const Face& f = scene.faces[static_cast<std::size_t>(fi)];
        if (f.vertexCount > 0)
            add(selectedFaces.data(), selected, selectedCorners, selectedCornerCount, f,
                static_cast<std::size_t>(fi));
    }
    selectedFaces.resize(selected);
    selectedCorners.resize(selectedCornerCount);
}

}  // namespace kvx
