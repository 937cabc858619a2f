#include <array>
#include <cstdio>
#include <limits>

#include "scene/Limits.h"
#include "scene/SceneFile.h"
#include "tools/Commands.h"

namespace kvx::tools {

int RunInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kvxtool info FILE.KVX\n");
        return 2;
    }
    SceneFileData data;
    std::string reason;
    if (!ReadSceneFile(args[0], data, reason)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    // Version 1 records carry no layer: they go to the layer current when loading (0 on its own).
    const auto layerOf = [](std::int32_t stored) { return stored < 0 ? 0 : stored; };
    std::array<long, LayerCount> verticesPerLayer{}, facesPerLayer{};
    long hiddenVertices = 0, hiddenFaces = 0, smoothFaces = 0;
    double lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        lo[a] = std::numeric_limits<double>::infinity();
        hi[a] = -lo[a];
    }
    for (const auto& v : data.vertices) {
        ++verticesPerLayer[static_cast<std::size_t>(layerOf(v.layer))];
        if (v.hidden != 0) ++hiddenVertices;
        const double p[3] = {v.x, v.y, v.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], p[a]);
            hi[a] = std::max(hi[a], p[a]);
        }
    }
    for (const auto& f : data.faces) {
        ++facesPerLayer[static_cast<std::size_t>(layerOf(f.layer))];
        if (f.hidden != 0) ++hiddenFaces;
        if (f.renderType == 1) ++smoothFaces;
    }
    std::printf("version: %d\n", data.version);
    std::printf("vertices: %zu\n", data.vertices.size());
    std::printf("faces: %zu\n", data.faces.size());
    for (std::size_t l = 0; l < verticesPerLayer.size(); ++l)
        std::printf("layer %zu: %ld vertices, %ld faces\n", l, verticesPerLayer[l],
                    facesPerLayer[l]);
    std::printf("hidden: %ld vertices, %ld faces\n", hiddenVertices, hiddenFaces);
    std::printf("smooth faces: %ld\n", smoothFaces);
    if (data.ignoredBytes > 0)
        std::printf("ignored: %lld bytes after the last record\n",
                    static_cast<long long>(data.ignoredBytes));
    if (data.vertices.empty()) {
        std::printf("bounding box: empty\n");
    } else {
        std::printf("bounding box: x %g .. %g, y %g .. %g, z %g .. %g\n", lo[0], hi[0], lo[1],
                    hi[1], lo[2], hi[2]);
    }
    return 0;
}

}  // namespace kvx::tools
