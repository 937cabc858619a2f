#include "views/ViewProjection.h"

#include <algorithm>

#include "platform/Constants.h"
#include "scene/Vertex.h"

namespace kvx {

ViewAxisSet ViewAxes(ViewId view) {
    switch (view) {
        case ViewBottom:
            return {0, +1, 2, +1, 1};
        case ViewLeft:
            return {2, -1, 1, -1, 0};
        case ViewRight:
            return {2, +1, 1, -1, 0};
        case ViewFront:
            return {0, +1, 1, -1, 2};
        case ViewBack:
            return {0, -1, 1, -1, 2};
        default:
            return {0, +1, 2, -1, 1};  // top
    }
}

PixelPoint ProjectToView(float x, float y, float z, const ViewState& state, ViewId view) {
    if (!IsOrthographic(view)) return {};
    return ViewProjector(state, view)(x, y, z);
}

PixelPoint ProjectToView(const Vertex& v, const ViewState& state, ViewId view) {
    return ProjectToView(v.x, v.y, v.z, state, view);
}

PixelPosition ProjectPosition(float x, float y, float z, const ViewState& state, ViewId view) {
    if (!IsOrthographic(view)) return {};
    return ViewProjector(state, view).Position(x, y, z);
}

void ProjectAllToView(const Vertex* vertices, std::size_t count, const ViewState& state,
                      ViewId view, PixelPoint* out) {
    if (!IsOrthographic(view)) {
        std::fill(out, out + count, PixelPoint{});
        return;
    }
    const ViewProjector project(state, view);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = project(vertices[i].x, vertices[i].y, vertices[i].z);
}

void MouseToWorld(MouseState& mouse, const ViewStates& states, ViewId view, std::uint32_t position,
                  bool magneticGrid) {
    mouse.previousMouseY = TruncateToInt32(mouse.pixelY);
    mouse.pixelX = platform::LowWord(position);
    mouse.pixelY = platform::HighWord(position);
    mouse.worldX = mouse.worldY = mouse.worldZ = 0;
    if (!IsOrthographic(view)) return;
    const ViewState& s = states[static_cast<std::size_t>(view)];
    const ViewAxisSet a = ViewAxes(view);
    const double u = mouse.pixelX / s.pixelSize * s.width - s.width / 2 + s.centerU;
    const double v = mouse.pixelY / s.pixelSize * s.width - s.width / 2 + s.centerV;
    mouse.SetWorld(a.uAxis, a.uSign * u);
    mouse.SetWorld(a.vAxis, a.vSign * v);
    if (!magneticGrid) return;
    mouse.worldX = std::trunc(mouse.worldX);
    mouse.worldY = std::trunc(mouse.worldY);
    mouse.worldZ = std::trunc(mouse.worldZ);
    const PixelPoint p =
        ProjectToView(static_cast<float>(mouse.worldX), static_cast<float>(mouse.worldY),
                      static_cast<float>(mouse.worldZ), s, view);
    mouse.pixelX = p.x;
    mouse.pixelY = p.y;
}

void ResetZoom(ViewState& state) {
    state.width = DefaultViewWidth;
    state.centerU = 0;
    state.centerV = 0;
}

void ZoomOutView(ViewState& state) {
    if (state.width * 2 <= MaxViewWidth) state.width *= 2;
}

void ResetAllViews(ViewStates& states) {
    for (ViewId v = ViewTop; v <= ViewBack; ++v)
        ResetZoom(states[static_cast<std::size_t>(v)]);
}

void PanDrag::Begin(const MouseState& mouse) {
    active = true;
    anchorX = mouse.pixelX;
    anchorY = mouse.pixelY;
}

bool PanDrag::Move(ViewState& state, const MouseState& mouse) {
    if (!active) return false;
    state.centerU += (mouse.pixelX - anchorX) / PanDivisor;
    state.centerV += (mouse.pixelY - anchorY) / PanDivisor;
    anchorX = mouse.pixelX;
    anchorY = mouse.pixelY;
    return true;
}

void LoupeDrag::Begin(const MouseState& mouse, ViewId view) {
    active = true;
    startX = TruncateToInt32(mouse.pixelX);
    startY = TruncateToInt32(mouse.pixelY);
    const ViewAxisSet a = ViewAxes(view);
    anchorU = mouse.World(a.uAxis);
    anchorV = mouse.World(a.vAxis);
}

bool LoupeDrag::End(ViewState& state, const MouseState& mouse, ViewId view) {
    if (!active) return false;
    active = false;
    const ViewAxisSet a = ViewAxes(view);
    const double cu = mouse.World(a.uAxis), cv = mouse.World(a.vAxis);
    const double width = std::max(std::abs(anchorU - cu), std::abs(anchorV - cv));
    if (!(width >= MinViewWidth) || !(width <= MaxViewWidth)) return false;
    state.width = width;
    state.centerU = width / 2 + std::min(a.uSign * anchorU, a.uSign * cu);
    state.centerV = width / 2 + std::min(a.vSign * anchorV, a.vSign * cv);
    return true;
}

}  // namespace kvx
