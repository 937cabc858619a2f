#include "views/ViewProjection.h"

#include <algorithm>
#include <cassert>

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

namespace {

// One world coordinate as a view shows it: its axis, sign and zoom; or, for a view that is not
// orthographic, 0 for every point.
struct Mapping {
    std::size_t axis = 0;
    double sign = 0, half = 0, centre = 0, width = 0, size = 0;
    bool zero = true;
    bool operator==(const Mapping&) const = default;
};

// The unrounded pixel coordinate of each of `length` points whose coordinate on the mapping's
// axis lies every third float from `world`, computed as Unrounded computes it.
void MapBlock(const Mapping& m, const float* world, std::size_t length, double* value) {
    if (m.zero) {
        std::fill(value, value + length, 0.0);
        return;
    }
    for (std::size_t k = 0; k < length; ++k)
        value[k] = (m.sign * world[3 * k] + m.half - m.centre) / m.width * m.size;
}

}  // namespace

ViewCoordinates NearAllViews(const ViewState* const* states, const ViewId* views, std::size_t count,
                             const float* xyz, std::size_t n, std::vector<std::int32_t>& table) {
    assert(count <= MaxNearViews);
    ViewCoordinates out;
    std::array<Mapping, 2 * MaxNearViews> maps;
    const auto mapping = [&](const Mapping& m) {
        const auto end = maps.begin() + static_cast<std::ptrdiff_t>(out.width);
        const auto found = std::find(maps.begin(), end, m);
        if (found != end) return static_cast<std::size_t>(found - maps.begin());
        maps[out.width] = m;
        return out.width++;
    };
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsOrthographic(views[i])) {
            out.column[2 * i] = out.column[2 * i + 1] = mapping(Mapping{});
            continue;
        }
        const ViewAxisSet axes = ViewAxes(views[i]);
        const ViewState& s = *states[i];
        out.column[2 * i] =
            mapping({static_cast<std::size_t>(axes.uAxis), static_cast<double>(axes.uSign),
                     s.width / 2, s.centerU, s.width, static_cast<double>(s.pixelSize), false});
        out.column[2 * i + 1] =
            mapping({static_cast<std::size_t>(axes.vAxis), static_cast<double>(axes.vSign),
                     s.width / 2, s.centerV, s.width, static_cast<double>(s.pixelSize), false});
    }
    table.resize(out.width * n + ViewCoordinates::Spare);
    std::fill(table.end() - ViewCoordinates::Spare, table.end(), 0);
    // A block of points at a time: each mapping over the block, then the table row by row.
    constexpr std::size_t Block = 64;
    double value[2 * MaxNearViews][Block];
    std::array<bool, 2 * MaxNearViews> far{};
    for (std::size_t base = 0; base < n; base += Block) {
        const std::size_t length = std::min(Block, n - base);
        for (std::size_t j = 0; j < out.width; ++j)
            MapBlock(maps[j], xyz + 3 * base + maps[j].axis, length, value[j]);
        for (std::size_t k = 0; k < length; ++k) {
            std::int32_t* row = table.data() + (base + k) * out.width;
            for (std::size_t j = 0; j < out.width; ++j) {
                const double v = value[j][k];
                if (std::fabs(v) < ExactPixelRange) {
                    row[j] = static_cast<std::int32_t>(v);
                } else {  // a NaN lands here too
                    row[j] = FarCoordinate;
                    far[j] = true;
                }
            }
        }
    }
    for (std::size_t i = 0; i < count; ++i)
        out.far[i] = far[out.column[2 * i]] || far[out.column[2 * i + 1]];
    return out;
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
    const ViewState& s = states[view];
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
        ResetZoom(states[v]);
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
