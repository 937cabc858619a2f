#pragma once
// Selecting vertices by a rectangle drawn in an orthographic view.

#include <cstdint>

#include "views/ViewProjection.h"

namespace kvx {

class Scene;

// Toggles every vertex that is not hidden and whose projection lies strictly inside the
// rectangle (corners in any order), in table order. Vertices already selected inside it are
// deselected; the layer rule of toggling applies.
void ToggleVerticesInRect(Scene& scene, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                          std::int32_t y1, const ViewState& state, ViewId view);

}  // namespace kvx
