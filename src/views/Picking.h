#pragma once
// Picking a vertex or a face under the mouse in an orthographic view. Between candidates the one
// nearer the viewer wins, and on equal depth the lower table index.

#include <cstdint>
#include <span>

#include "views/ViewProjection.h"

namespace kvx {

class Scene;

// Half the side of the square around the mouse in which a vertex's pixel must lie, exclusive.
inline constexpr double PickTolerance = 3.0;

// True when depth a is nearer the viewer of the view than depth b (the view looks along its
// depth axis: the top view down from larger y, the front view from smaller z, ...).
bool NearerToViewer(ViewId view, double a, double b);

// Drops the face selection, then returns the scene index of the shown vertex whose pixel lies
// strictly within 3 pixels of the mouse both ways, nearest the viewer; -1 when there is none.
std::int32_t PickVertex(Scene& scene, const ViewState& state, ViewId view, const MouseState& mouse);

// Drops the vertex selection, then finds the shown face whose pixel bounding rectangle holds the
// mouse strictly inside and whose outline holds it by the nonzero winding rule, nearest the viewer
// by the sum of its corners' depths; toggles it in the face selection. Returns its index or -1.
std::int32_t PickFace(Scene& scene, const ViewState& state, ViewId view, const MouseState& mouse);

// Whether (x, y) lies inside the closed polygon by the nonzero winding rule.
bool InsidePolygonNonzero(std::span<const PixelPoint> polygon, std::int32_t x, std::int32_t y);

}  // namespace kvx
