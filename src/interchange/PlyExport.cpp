#include "interchange/PlyExport.h"

#include <cstdint>

#include "scene/FileReplace.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

std::int64_t PolygonCount(const Scene& scene) {
    std::int64_t count = 0;
    for (const Face& f : scene.faces)
        if (f.vertexCount >= 3) ++count;
    return count;
}

void WriteBody(const Scene& scene, FileAccess& file) {
    for (const Vertex& v : scene.vertices) {
        const float xyz[3] = {v.x, v.y, v.z};
        file.WriteBytes(xyz, sizeof xyz);
    }
    for (const Face& f : scene.faces) {
        if (f.vertexCount < 3) continue;
        file.WriteU8(f.vertexCount);
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            file.WriteI32(f.sceneIndices[static_cast<std::size_t>(k)]);
        // As the scene file stores colours: each component truncated to a byte.
        file.WriteU8(static_cast<std::uint8_t>(f.red));
        file.WriteU8(static_cast<std::uint8_t>(f.green));
        file.WriteU8(static_cast<std::uint8_t>(f.blue));
    }
}

}  // namespace

std::string PlyHeader(const Scene& scene) {
    return "ply\n"
           "format binary_little_endian 1.0\n"
           "comment Kolvex scene\n"
           "element vertex " +
           std::to_string(scene.vertexCount()) +
           "\n"
           "property float x\n"
           "property float y\n"
           "property float z\n"
           "element face " +
           std::to_string(PolygonCount(scene)) +
           "\n"
           "property list uchar int vertex_indices\n"
           "property uchar red\n"
           "property uchar green\n"
           "property uchar blue\n"
           "end_header\n";
}

bool ExportPly(const Scene& scene, const std::string& path, std::string& reason) {
    return ReplaceFile(
        path,
        [&](FileAccess& file) {
            const std::string header = PlyHeader(scene);
            file.WriteBytes(header.data(), header.size());
            WriteBody(scene, file);
            return true;
        },
        reason);
}

}  // namespace kvx
