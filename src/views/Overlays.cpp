#include "views/RenderPasses.h"

#include <cmath>

#include "views/PassSteps.h"

namespace kvx {

using passes::Project;
using passes::Segment;
using passes::Whole;

void DrawGrid(Canvas& canvas, const ViewState& state, ViewId view, PixelValue colour) {
    const double e = GridExtent;
    for (std::int32_t i = TruncateToInt32(-e); static_cast<double>(i) < e; ++i) {
        const double d = i;
        switch (view) {
            case ViewTop:
            case ViewBottom:
                Segment(canvas, Project(d, 0, -e, state, view), Project(d, 0, e, state, view),
                        colour);
                break;
            case ViewLeft:
            case ViewRight:
                Segment(canvas, Project(0, d, -e, state, view), Project(0, d, e, state, view),
                        colour);
                break;
            default:
                Segment(canvas, Project(-e, d, 0, state, view), Project(e, d, 0, state, view),
                        colour);
                break;
        }
    }
    for (std::int32_t i = TruncateToInt32(-e); static_cast<double>(i) < e; ++i) {
        const double d = i;
        switch (view) {
            case ViewTop:
            case ViewBottom:
                Segment(canvas, Project(-e, 0, d, state, view), Project(e, 0, d, state, view),
                        colour);
                break;
            case ViewLeft:
            case ViewRight:
                Segment(canvas, Project(0, -e, d, state, view), Project(0, e, d, state, view),
                        colour);
                break;
            default:
                Segment(canvas, Project(d, -e, 0, state, view), Project(d, e, 0, state, view),
                        colour);
                break;
        }
    }
}

void DrawRulers(Canvas& canvas, const ViewState& state, ViewId view, bool showMouseAxes,
                const MouseState& mouse, PixelValue colour) {
    const double e = GridExtent;
    Segment(canvas, Project(-e, 0, 0, state, view), Project(e, 0, 0, state, view), colour);
    Segment(canvas, Project(0, 0, -e, state, view), Project(0, 0, e, state, view), colour);
    Segment(canvas, Project(0, -e, 0, state, view), Project(0, e, 0, state, view), colour);
    if (showMouseAxes && mouse.activeView == view) {
        const std::int32_t mx = TruncateToInt32(mouse.pixelX);
        const std::int32_t my = TruncateToInt32(mouse.pixelY);
        const std::int32_t last = state.pixelSize - 1;
        canvas.DrawLine(mx, 0, mx, last, colour);
        canvas.DrawLine(0, my, last, my, colour);
    }
}

void DrawSnapMarker(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    PixelValue colour) {
    const PixelPosition at = Project(mouse.worldX, mouse.worldY, mouse.worldZ, state, view);
    if (!InExactRange(at)) return;  // too far away to reach the canvas
    const PixelPoint c = Whole(at);
    canvas.DrawLine(c.x - 2, c.y - 1, c.x + 2, c.y - 1, colour);
    canvas.DrawLine(c.x - 2, c.y + 1, c.x + 2, c.y + 1, colour);
    canvas.DrawLine(c.x - 1, c.y - 2, c.x - 1, c.y + 2, colour);
    canvas.DrawLine(c.x + 1, c.y - 2, c.x + 1, c.y + 2, colour);
}

void DrawRubberBand(Canvas& canvas, PixelPoint start, const MouseState& mouse, PixelValue colour) {
    const std::int32_t mx = TruncateToInt32(mouse.pixelX);
    const std::int32_t my = TruncateToInt32(mouse.pixelY);
    canvas.DrawLine(mx, my, mx, start.y, colour);
    canvas.DrawLine(mx, my, start.x, my, colour);
    canvas.DrawLine(start.x, my, start.x, start.y, colour);
    canvas.DrawLine(mx, start.y, start.x, start.y, colour);
}

void DrawMirrorLine(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    const double anchor[3], PixelValue colour) {
    const PixelPosition m{std::trunc(mouse.pixelX), std::trunc(mouse.pixelY)};
    Segment(canvas, m, Project(anchor[0], anchor[1], anchor[2], state, view), colour);
}

void DrawOverlays(Canvas& canvas, const ViewState& state, ViewId view, const ViewPassInputs& in) {
    const PixelValue blue = canvas.Pack(0, 0, 255);
    if (in.showGrid) DrawGrid(canvas, state, view, in.colours.grey120);
    if (in.showRulers)
        DrawRulers(canvas, state, view, in.showMouseAxes, in.mouse, in.colours.grey100);
    if (in.magneticGrid) DrawSnapMarker(canvas, state, view, in.mouse, in.colours.black);
    if (in.fenceDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.loupeDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.mirrorLineActive) DrawMirrorLine(canvas, state, view, in.mouse, in.mirrorAnchor, blue);
}

}  // namespace kvx
