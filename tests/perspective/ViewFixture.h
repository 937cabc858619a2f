#pragma once
// A scene with the perspective view open on a 250 x 250 canvas, set up the way the editor sets
// it up, and small model builders for the tests.

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "canvas/Canvas.h"
#include "perspective/PerspectiveRig.h"
#include "scene/Scene.h"

namespace kvx::test {

class PerspectiveView {
  public:
    explicit PerspectiveView(int bitsPerPixel) {
        root.Create();
        scene = std::make_unique<Scene>(root);
        canvas.Create(TargaSideOfView, TargaSideOfView, bitsPerPixel);
        rig.Open(root, canvas, point);
    }
    ~PerspectiveView() {
        rig.Close();
        scene.reset();
    }

    void Redraw(std::uint8_t r = 0, std::uint8_t g = 0, std::uint8_t b = 0) { rig.Redraw(r, g, b); }
    PixelBuffer Picture() const { return canvas.Surface(); }

    // A face on the given scene indices whose normal points away from centre (the list is
    // turned round when it runs the other way). Returns the face index.
    std::int32_t OutwardFace(std::vector<std::int32_t> list, rm::Vec3 centre) {
        const auto at = [&](std::int32_t i) {
            const Vertex& v = scene->vertices[static_cast<std::size_t>(i)];
            return rm::Vec3{v.x, v.y, v.z};
        };
        const rm::Vec3 n = rm::Cross(at(list[1]) - at(list[2]), at(list[1]) - at(list[0]));
        if (rm::Dot(n, at(list[0]) - centre) < 0) std::reverse(list.begin(), list.end());
        return scene->CreateFaceFromList(list);
    }

    // A cube of quads of the given half side standing on y = 0, each face its own colour.
    void AddCube(double half) {
        const std::int32_t base = scene->vertexCount();
        for (int i = 0; i < 8; ++i)
            scene->AppendVertex(i & 1 ? half : -half, i & 2 ? 2 * half : 0.0, i & 4 ? half : -half,
                                0);
        const int quads[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                 {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
        const std::int32_t colors[6][3] = {{200, 40, 40},  {40, 200, 40},  {40, 40, 200},
                                           {200, 200, 40}, {40, 200, 200}, {200, 40, 200}};
        for (int f = 0; f < 6; ++f) {
            std::vector<std::int32_t> list;
            for (int k = 0; k < 4; ++k)
                list.push_back(base + quads[f][k]);
            const std::int32_t face = OutwardFace(list, {0, half, 0});
            scene->faces[static_cast<std::size_t>(face)].SetColor(colors[f][0], colors[f][1],
                                                                  colors[f][2]);
        }
    }

    // A dome: n x n vertices over x, z in [-extent, extent], y = height * cos(x) cos(z) scaled to
    // a quarter turn at the rim, split into triangles as "Mesh" splits its cells, light grey.
    void AddDome(std::int32_t n, double extent, double height) {
        const std::int32_t base = scene->vertexCount();
        const double step = 2 * extent / (n - 1);
        const double quarter = 1.5707963267948966 / extent;
        for (std::int32_t i = 0; i < n; ++i)
            for (std::int32_t j = 0; j < n; ++j) {
                const double x = -extent + i * step, z = extent - j * step;
                scene->AppendVertex(x, height * std::cos(x * quarter) * std::cos(z * quarter), z,
                                    0);
            }
        for (std::int32_t i = 0; i + 1 < n; ++i)
            for (std::int32_t j = 0; j + 1 < n; ++j) {
                const std::int32_t b = base + n * i + j;
                const std::int32_t first[] = {b, b + n, b + 1};
                const std::int32_t second[] = {b + n, b + n + 1, b + 1};
                for (const auto& list : {std::vector<std::int32_t>(first, first + 3),
                                         std::vector<std::int32_t>(second, second + 3)}) {
                    const std::int32_t f = scene->CreateFaceFromList(list);
                    scene->faces[static_cast<std::size_t>(f)].SetColor(200, 200, 200);
                }
            }
    }

    void MakeAllSmooth() {
        scene->SelectAllFaces();
        scene->SetSelectedFacesRenderType(RenderSmooth);
        scene->ClearFaceSelection();
    }

    static constexpr std::int32_t TargaSideOfView = 250;

    rm::SceneRoot root;
    PointLight point;
    std::unique_ptr<Scene> scene;
    Canvas canvas;
    PerspectiveRig rig;
};

}  // namespace kvx::test
