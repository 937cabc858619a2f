#include "views/FenceSelection.h"

#include <algorithm>
#include <vector>

#include "scene/Scene.h"

namespace kvx {

void ToggleVerticesInRect(Scene& scene, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                          std::int32_t y1, const ViewState& state, ViewId view) {
    const std::int32_t left = std::min(x0, x1), right = std::max(x0, x1);
    const std::int32_t top = std::min(y0, y1), bottom = std::max(y0, y1);
    std::vector<std::int32_t> inside;
    if (!IsOrthographic(view)) return;
    const ViewProjector project(state, view);
    for (const Vertex& v : scene.vertices) {
        if (v.hidden != 0) continue;
        const PixelPoint p = project(v.x, v.y, v.z);
        if (p.x > left && p.x < right && p.y > top && p.y < bottom) inside.push_back(v.sceneIndex);
    }
    scene.ToggleVertices(inside);
}

}  // namespace kvx
