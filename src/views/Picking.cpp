#include "views/Picking.h"

#include <algorithm>
#include <array>
#include <vector>

#include "scene/Scene.h"

namespace kvx {
namespace {

double Coordinate(const Vertex& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

}  // namespace

bool NearerToViewer(ViewId view, double a, double b) {
    switch (view) {
        case ViewTop:
        case ViewRight:
        case ViewBack:
            return a > b;
        default:
            return a < b;
    }
}

std::int32_t PickVertex(Scene& scene, const ViewState& state, ViewId view,
                        const MouseState& mouse) {
    scene.ClearFaceSelection();
    if (!IsOrthographic(view)) return -1;
    const ViewProjector project(state, view);
    const ViewAxisSet a = ViewAxes(view);
    const int depthAxis = a.depthAxis;
    const double mx = mouse.pixelX, my = mouse.pixelY;
    // The view-plane square that can hold a candidate, two pixels wider each way than the exact
    // test needs, so that only vertices in it are projected.
    const double perPixel = state.width / state.pixelSize;
    const double reach = PickTolerance + 2;
    const double uLow = (mx - reach) * perPixel - state.width / 2 + state.centerU;
    const double uHigh = (mx + reach) * perPixel - state.width / 2 + state.centerU;
    const double vLow = (my - reach) * perPixel - state.width / 2 + state.centerV;
    const double vHigh = (my + reach) * perPixel - state.width / 2 + state.centerV;
    std::int32_t best = -1;
    double bestDepth = 0;
    for (const Vertex& v : scene.vertices) {
        const double u = a.uSign * Coordinate(v, a.uAxis), w = a.vSign * Coordinate(v, a.vAxis);
        if (!(uLow <= u && u <= uHigh && vLow <= w && w <= vHigh)) continue;
        if (!scene.IsVertexShown(v)) continue;
        const PixelPoint p = project(v.x, v.y, v.z);
        if (!(mx - PickTolerance < p.x && p.x < mx + PickTolerance && my - PickTolerance < p.y &&
              p.y < my + PickTolerance))
            continue;
        const double depth = Coordinate(v, depthAxis);
        if (best < 0 || NearerToViewer(view, depth, bestDepth)) {
            best = v.sceneIndex;
            bestDepth = depth;
        }
    }
    return best;
}

bool InsidePolygonNonzero(std::span<const PixelPoint> polygon, std::int32_t x, std::int32_t y) {
    // Winding number by signed crossings of the horizontal ray to the right of the point; an
    // edge counts on its lower end and not its upper one, so shared vertices count once.
    std::int64_t winding = 0;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PixelPoint a = polygon[i];
        const PixelPoint b = polygon[(i + 1) % n];
        const std::int64_t side =
            (std::int64_t{b.x} - a.x) * (std::int64_t{y} - a.y) -
            (std::int64_t{x} - a.x) * (std::int64_t{b.y} - a.y);  // > 0: point left of a->b
        if (a.y <= y) {
            if (b.y > y && side > 0) ++winding;  // upward crossing
        } else if (b.y <= y && side < 0) {
            --winding;  // downward crossing
        }
    }
    return winding != 0;
}

std::int32_t PickFace(Scene& scene, const ViewState& state, ViewId view, const MouseState& mouse) {
    scene.ClearVertexSelection();
    if (scene.faceCount() == 0 || !IsOrthographic(view)) return -1;
    // Every vertex projected once; a face's smallest and largest coordinates on an axis project to
    // its extreme pixels, since the projection keeps the order of each coordinate.
    std::vector<PixelPoint> pixels(scene.vertices.size());
    ProjectAllToView(scene.vertices.data(), scene.vertices.size(), state, view, pixels.data());
    const int depthAxis = ViewAxes(view).depthAxis;
    const double mx = mouse.pixelX, my = mouse.pixelY;
    const std::int32_t ix = TruncateToInt32(mx), iy = TruncateToInt32(my);
    std::int32_t best = -1;
    double bestDepth = 0;
    std::array<PixelPoint, MaxFaceVertices> polygon;
    for (std::int32_t fi = 0; fi < scene.faceCount(); ++fi) {
        const Face& f = scene.faces[static_cast<std::size_t>(fi)];
        if (f.vertexCount == 0) continue;
        std::int32_t left = 0, right = 0, top = 0, bottom = 0;
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            const PixelPoint p =
                pixels[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
            polygon[static_cast<std::size_t>(k)] = p;
            left = k == 0 ? p.x : std::min(left, p.x);
            right = k == 0 ? p.x : std::max(right, p.x);
            top = k == 0 ? p.y : std::min(top, p.y);
            bottom = k == 0 ? p.y : std::max(bottom, p.y);
        }
        // The cheap test first: most faces lie elsewhere.
        if (!(left < mx && mx < right && top < my && my < bottom)) continue;
        if (!scene.IsFaceShown(f)) continue;
        if (!InsidePolygonNonzero(std::span<const PixelPoint>(
                                      polygon.data(), static_cast<std::size_t>(f.vertexCount)),
                                  ix, iy))
            continue;
        double depth = 0;
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            depth += Coordinate(scene.vertices[static_cast<std::size_t>(
                                    f.sceneIndices[static_cast<std::size_t>(k)])],
                                depthAxis);
        if (best < 0 || NearerToViewer(view, depth, bestDepth)) {
            best = fi;
            bestDepth = depth;
        }
    }
    if (best >= 0) scene.ToggleFace(best);
    return best;
}

}  // namespace kvx
