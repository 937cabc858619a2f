#pragma once
// What the orthographic views' mouse tools remember between messages: the left button, the
// running drags with their anchors and centres, the rubber band's start, the cursor shown in the
// views and whether it is confined. The overlays of the redraw read it too.

#include <cstdint>
#include <vector>

#include "scene/Coordinates.h"
#include "views/ViewProjection.h"
#include "views/tools/ToolMode.h"

namespace kvx {

// Where a move drag started: the vertices it moves, their positions then, and the world cursor
// then. Each step places the vertices at their start plus the whole displacement so far, so a
// drag of 25 pixels moves them by exactly 2 units instead of piling up the rounding of every
// step. A change of selection, tool or view during the drag starts a new origin where things are.
struct MoveOrigin {
    std::vector<std::int32_t> vertices;  // the selection when the origin was taken
    std::vector<float> start;            // x, y, z of each of them
    CoordinateBounds bounds;             // of start
    double anchor[2] = {0, 0};           // WorldCursor on the view's u and v axes then
    ToolMode mode = ToolMode::MoveXY;
    ViewId view = ViewNone;

    void Clear() {
        vertices = {};
        start = {};
        bounds = {};
        view = ViewNone;
    }
};

struct ToolState {
    bool leftButtonDown = false;
    bool moveDragActive = false;
    bool fenceDragActive = false;
    bool mirrorDragActive = false;  // a mirror line is being drawn
    bool rotateActive = false;      // survives button releases until the right button ends it
    bool scaleActive = false;       // likewise
    PanDrag pan;
    LoupeDrag loupe;
    double moveAnchor[2] = {0, 0};  // WorldCursor on the view's u and v axes at the last step
    MoveOrigin moveOrigin;
    PixelPoint rubberBandStart;  // where a fence or loupe drag began
    double rotationCentre[3] = {0, 0, 0};
    double scaleCentre[3] = {0, 0, 0};
    double mirrorAnchor[3] = {0, 0, 0};
    CursorId cursor = CursorId::Cross;  // shown in every view
    bool confined = false;              // the cursor is held inside a view

    // Vertices moved since the normals of their faces were last brought up to date: one byte per
    // vertex, grown on demand; `anyMoved` says whether any byte is set.
    std::vector<std::uint8_t> movedVertices;
    bool anyMoved = false;
};

}  // namespace kvx
