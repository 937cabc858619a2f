#include "views/PreparedScene.h"

#include "scene/Scene.h"
#include "views/ViewProjection.h"

namespace kvx {
namespace {

std::uint8_t ColourByte(double c) {
    return static_cast<std::uint8_t>(TruncateToInt32(c));
}

}  // namespace

void PreparedScene::Prepare(const Scene& scene) {
    const std::size_t n = scene.vertices.size();
    xyz.resize(3 * n);
    shownVertices.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = scene.vertices[i];
        xyz[3 * i] = v.x;
        xyz[3 * i + 1] = v.y;
        xyz[3 * i + 2] = v.z;
        if (scene.IsVertexShown(v))
            shownVertices.push_back({static_cast<std::int32_t>(i), v.state, v.markerColor});
    }
    corners.clear();
    shownFaces.clear();
    selectedFaces.clear();
    const auto add = [&](std::vector<FaceEntry>& list, const Face& f, std::int32_t index) {
        list.push_back({static_cast<std::int32_t>(corners.size()), index,
                        static_cast<std::uint8_t>(f.vertexCount), ColourByte(f.red),
                        ColourByte(f.green), ColourByte(f.blue)});
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            corners.push_back(f.sceneIndices[static_cast<std::size_t>(k)]);
    };
    for (std::int32_t fi = 0; fi < scene.faceCount(); ++fi) {
        const Face& f = scene.faces[static_cast<std::size_t>(fi)];
        if (f.vertexCount > 0 && scene.IsFaceShown(f)) add(shownFaces, f, fi);
    }
    for (const std::int32_t fi : scene.selectedFaces) {
        if (fi < 0 || fi >= scene.faceCount()) continue;
        const Face& f = scene.faces[static_cast<std::size_t>(fi)];
        if (f.vertexCount > 0) add(selectedFaces, f, fi);
    }
}

}  // namespace kvx
