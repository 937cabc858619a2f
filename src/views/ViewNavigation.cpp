#include "views/ViewNavigation.h"

#include <algorithm>
#include <cmath>

#include "scene/Scene.h"

namespace kvx {

void ZoomAboutPixel(ViewState& state, double px, double py, int steps) {
    const double size = state.pixelSize;
    // The world coordinates (u, v) under the pixel, before and after.
    const double fu = px / size - 0.5, fv = py / size - 0.5;
    const double u = state.centerU + fu * state.width, v = state.centerV + fv * state.width;
    double width = state.width;
    for (; steps > 0 && width / 2 >= MinViewWidth; --steps)
        width /= 2;
    for (; steps < 0 && width * 2 <= MaxViewWidth; ++steps)
        width *= 2;
    state.width = width;
    state.centerU = u - fu * width;
    state.centerV = v - fv * width;
}

void PanByPixels(ViewState& state, double dx, double dy) {
    state.centerU -= dx / state.pixelSize * state.width;
    state.centerV -= dy / state.pixelSize * state.width;
}

std::optional<WorldBox> ShownBox(const Scene& scene) {
    std::optional<WorldBox> box;
    for (const Vertex& v : scene.vertices) {
        if (!scene.IsVertexShown(v)) continue;
        const double p[3] = {v.x, v.y, v.z};
        if (!box) box = WorldBox{{p[0], p[1], p[2]}, {p[0], p[1], p[2]}};
        for (int k = 0; k < 3; ++k) {
            box->low[k] = std::min(box->low[k], p[k]);
            box->high[k] = std::max(box->high[k], p[k]);
        }
    }
    return box;
}

ViewState FramedView(const WorldBox& box, ViewId view, const ViewState& now) {
    const ViewAxisSet a = ViewAxes(view);
    // The box on the view's axes, in view coordinates (u grows rightwards, v downwards).
    const double u1 = a.uSign * box.low[a.uAxis], u2 = a.uSign * box.high[a.uAxis];
    const double v1 = a.vSign * box.low[a.vAxis], v2 = a.vSign * box.high[a.vAxis];
    ViewState s = now;
    s.centerU = (u1 + u2) / 2;
    s.centerV = (v1 + v2) / 2;
    const double extent = std::max(std::abs(u2 - u1), std::abs(v2 - v1)) / 0.9;
    s.width = extent >= MinViewWidth && extent <= MaxViewWidth ? extent : DefaultViewWidth;
    return s;
}

bool NeedsFraming(const WorldBox& box) {
    double extent = 0;
    for (int k = 0; k < 3; ++k) {
        if (box.low[k] < -DefaultViewWidth / 2 || box.high[k] > DefaultViewWidth / 2) return true;
        extent = std::max(extent, box.high[k] - box.low[k]);
    }
    // Under an eighth of the views at the start zoom (some thirty pixels), but not one point.
    return extent > 0 && extent < DefaultViewWidth / 8;
}

}  // namespace kvx
