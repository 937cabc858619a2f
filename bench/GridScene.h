#pragma once
// The benchmark scene: an n x n grid of vertices over x, z in [-7.5, 7.5], y = 0.3 sin x cos z,
// split into 2 (n - 1)^2 triangles the way "Mesh" splits its cells, colours alternating, every
// face smooth.

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "retained/SceneNodes.h"
#include "scene/Scene.h"

namespace kvx::bench {

inline void BuildGrid(Scene& scene, int n) {
    const double step = 15.0 / (n - 1);
    scene.vertices.reserve(static_cast<std::size_t>(n) * n);
    scene.faces.reserve(2 * static_cast<std::size_t>(n - 1) * (n - 1));
    const std::int32_t base = scene.vertexCount();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double x = -7.5 + i * step, z = 7.5 - j * step;
            scene.AppendVertex(x, 0.3 * std::sin(x) * std::cos(z), z, scene.currentLayer);
        }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            const std::int32_t b = base + n * i + j;
            const std::int32_t first[] = {b, b + n, b + 1};
            const std::int32_t second[] = {b + n, b + n + 1, b + 1};
            const std::int32_t f1 = scene.CreateFaceFromList(first);
            scene.faces[static_cast<std::size_t>(f1)].SetColor(33, 45, 88);
            const std::int32_t f2 = scene.CreateFaceFromList(second);
            scene.faces[static_cast<std::size_t>(f2)].SetColor(43, 112, 66);
        }
    for (Face& f : scene.faces)
        f.renderType = RenderSmooth;
    scene.UpdateAllVertexNormals();
}

// Grid side giving about this many triangles.
inline int GridSideFor(std::int64_t triangles) {
    return static_cast<int>(std::lround(std::sqrt(triangles / 2.0))) + 1;
}

// A scene of its own holding the grid of about this many triangles.
struct OwnedGrid {
    rm::SceneRoot root;
    std::unique_ptr<Scene> scene;

    explicit OwnedGrid(std::int64_t triangles) {
        root.Create();
        scene = std::make_unique<Scene>(root);
        BuildGrid(*scene, GridSideFor(triangles));
    }
};

}  // namespace kvx::bench
