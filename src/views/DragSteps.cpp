#include "views/DragSteps.h"

#include <algorithm>
#include <vector>

#include "scene/Coordinates.h"
#include "scene/Scene.h"
#include "scene/VertexTransforms.h"

namespace kvx {
namespace {

// The moved-vertex marks, one per vertex of the table, for a step about to move some.
std::vector<std::uint8_t>& MovedMarks(const Scene& scene, ToolState& tools) {
    if (tools.movedVertices.size() < scene.vertices.size())
        tools.movedVertices.resize(scene.vertices.size(), 0);
    tools.anyMoved = true;
    return tools.movedVertices;
}

// Moves every selected vertex, in selection order, to position(vertex) and marks it moved.
template <typename Position>
void MoveEverySelected(Scene& scene, ToolState& tools, Position position) {
    std::vector<std::uint8_t>& moved = MovedMarks(scene, tools);
    for (const std::int32_t i : scene.selectedVertices) {
        Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        const Position3 p = position(v);
        v.MoveTo(p.x, p.y, p.z);
        moved[static_cast<std::size_t>(i)] = 1;
    }
}

// MoveEverySelected, all or none: a step that would take any coordinate beyond the float range
// is refused whole and the selection stays where it was, so a scene never holds a coordinate it
// cannot save.
template <typename Position>
void MoveSelected(Scene& scene, ToolState& tools, Position position) {
    if (scene.selectedVertices.empty()) return;
    for (const std::int32_t i : scene.selectedVertices) {
        const Position3 p = position(scene.vertices[static_cast<std::size_t>(i)]);
        if (!FitsFloat(p.x, p.y, p.z)) return;
    }
    MoveEverySelected(scene, tools, position);
}

// MoveSelected for a translation by d, checked from the selection's bounds: each vertex is
// read once more rather than translated twice.
void TranslateSelection(Scene& scene, ToolState& tools, const double d[3]) {
    if (scene.selectedVertices.empty()) return;
    CoordinateBounds bounds;
    for (const std::int32_t i : scene.selectedVertices) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        bounds.Take(v.x, v.y, v.z);
    }
    if (!bounds.FitAfterAdding(d)) return;
    MoveEverySelected(scene, tools,
                      [&](const Vertex& v) { return Translated(v, d[0], d[1], d[2]); });
}

}  // namespace

void MoveStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view, ToolMode mode,
              bool takeAnchor) {
    MoveOrigin& origin = tools.moveOrigin;
    if (origin.view != view || origin.mode != mode || origin.vertices != scene.selectedVertices) {
        // A new origin where the vertices and the anchor are now.
        origin.vertices = scene.selectedVertices;
        origin.start.resize(origin.vertices.size() * 3);
        origin.bounds = {};
        for (std::size_t k = 0; k < origin.vertices.size(); ++k) {
            const Vertex& v = scene.vertices[static_cast<std::size_t>(origin.vertices[k])];
            origin.start[3 * k] = v.x;
            origin.start[3 * k + 1] = v.y;
            origin.start[3 * k + 2] = v.z;
            origin.bounds.Take(v.x, v.y, v.z);
        }
        origin.anchor[0] = tools.moveAnchor[0];
        origin.anchor[1] = tools.moveAnchor[1];
        origin.mode = mode;
        origin.view = view;
    }
    const ViewAxisSet a = ViewAxes(view);
    const double dh = mouse.World(a.uAxis) - origin.anchor[0];
    const double dv = mouse.World(a.vAxis) - origin.anchor[1];
    if (takeAnchor) {
        tools.moveAnchor[0] = mouse.World(a.uAxis);
        tools.moveAnchor[1] = mouse.World(a.vAxis);
    }
    double d[3] = {0, 0, 0};
    switch (mode) {
        case ToolMode::MoveXY:
            d[a.uAxis] = dh;
            d[a.vAxis] = dv;
            break;
        case ToolMode::MoveX:
            d[a.uAxis] = dh;
            break;
        case ToolMode::MoveY:
            d[a.vAxis] = dv;
            break;
        case ToolMode::MoveZ:
            d[a.depthAxis] = dv;
            break;
        default:
            return;
    }
    // All or none, as MoveSelected.
    if (origin.vertices.empty() || !origin.bounds.FitAfterAdding(d)) return;
    std::vector<std::uint8_t>& moved = MovedMarks(scene, tools);
    const float* start = origin.start.data();
    for (const std::int32_t i : origin.vertices) {
        scene.vertices[static_cast<std::size_t>(i)].MoveTo(static_cast<double>(start[0]) + d[0],
                                                           static_cast<double>(start[1]) + d[1],
                                                           static_cast<double>(start[2]) + d[2]);
        moved[static_cast<std::size_t>(i)] = 1;
        start += 3;
    }
}

void RotationStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view) {
    const std::int32_t angle =
        TruncateToInt32((mouse.pixelY - mouse.previousMouseY) * RotationDegreesPerPixel);
    if (angle == 0) return;
    std::int32_t degrees[3] = {0, 0, 0};
    degrees[ViewAxes(view).depthAxis] = angle;
    const Rotation r = Rotation::Degrees(degrees[0], degrees[1], degrees[2]);
    const double* c = tools.rotationCentre;
    MoveSelected(scene, tools, [&](const Vertex& v) { return Rotated(v, r, c[0], c[1], c[2]); });
}

std::int32_t ScalePercent(const MouseState& mouse) {
    const std::int32_t p =
        TruncateToInt32((mouse.pixelY - mouse.previousMouseY) * ScalePercentPerPixel + 100.0);
    return std::clamp(p, MinScalePercent, MaxScalePercent);
}

void ScalingStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view,
                 ToolMode mode) {
    const std::int32_t p = ScalePercent(mouse);
    if (p == 100) return;
    const ViewAxisSet a = ViewAxes(view);
    std::int32_t s[3] = {100, 100, 100};
    switch (mode) {
        case ToolMode::ScaleXYZ:
            s[0] = s[1] = s[2] = p;
            break;
        case ToolMode::ScaleXY:
            s[a.uAxis] = s[a.vAxis] = p;
            break;
        case ToolMode::ScaleX:
            s[a.uAxis] = p;
            break;
        case ToolMode::ScaleY:
            s[a.vAxis] = p;
            break;
        default:
            return;
    }
    const double* c = tools.scaleCentre;
    MoveSelected(scene, tools,
                 [&](const Vertex& v) { return Scaled(v, s[0], s[1], s[2], c[0], c[1], c[2]); });
}

void MirrorSelection(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view) {
    const ViewAxisSet a = ViewAxes(view);
    const double* anchor = tools.mirrorAnchor;
    const Line2D line = Line2D::Through(anchor[a.uAxis], anchor[a.vAxis], mouse.World(a.uAxis),
                                        mouse.World(a.vAxis));
    MoveSelected(scene, tools, [&](const Vertex& v) {
        switch (a.depthAxis) {
            case 1:
                return MirroredXZ(v, line);
            case 0:
                return MirroredZY(v, line);
            default:
                return MirroredXY(v, line);
        }
    });
}

bool NudgeSelection(Scene& scene, ToolState& tools, ViewId view, NudgeDirection direction) {
    if (scene.selectedVertices.empty()) return false;
    const ViewAxisSet a = ViewAxes(view);
    double d[3] = {0, 0, 0};
    // Screen right is +u and screen down is +v.
    switch (direction) {
        case NudgeDirection::Left:
            d[a.uAxis] = -a.uSign * NudgeStep;
            break;
        case NudgeDirection::Right:
            d[a.uAxis] = a.uSign * NudgeStep;
            break;
        case NudgeDirection::Up:
            d[a.vAxis] = -a.vSign * NudgeStep;
            break;
        case NudgeDirection::Down:
            d[a.vAxis] = a.vSign * NudgeStep;
            break;
    }
    TranslateSelection(scene, tools, d);
    // A move drag under way goes on from where the nudge left the selection.
    tools.moveOrigin.Clear();
    return true;
}

void RefreshNormals(Scene& scene, ToolState& tools) {
    if (!tools.anyMoved) return;
    scene.UpdateNormalsAfterMove(tools.movedVertices);
    std::fill(tools.movedVertices.begin(), tools.movedVertices.end(), std::uint8_t{0});
    tools.anyMoved = false;
}

void RefreshNormalsDuringDrag(Scene& scene, ToolState& tools) {
    if (scene.faceCount() <= LiveNormalsFaceLimit) RefreshNormals(scene, tools);
}

}  // namespace kvx
