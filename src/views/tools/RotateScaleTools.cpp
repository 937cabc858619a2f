// Rotation and scaling: the first press takes the centre, every mouse move with the left button
// held turns or scales the selection, across several presses, until the right button ends the
// operation.

#include <algorithm>

#include "scene/Scene.h"
#include "views/DragSteps.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {
namespace {

void TakeCentre(const MouseState& mouse, double centre[3]) {
    centre[0] = mouse.worldX;
    centre[1] = mouse.worldY;
    centre[2] = mouse.worldZ;
}

}  // namespace

void RotatePress(ToolContext& ctx, ViewOutcome& out) {
    if (ctx.tools.rotateActive) return;
    TakeCentre(ctx.mouse, ctx.tools.rotationCentre);
    ctx.tools.rotateActive = true;
    out.showCursor = CursorId::Rotate;
}

void RotateMove(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.tools.rotateActive || !ctx.tools.leftButtonDown) return;
    RotationStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view);
    RefreshNormalsDuringDrag(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

void ScalePress(ToolContext& ctx, ViewOutcome& out) {
    if (ctx.tools.scaleActive) return;
    TakeCentre(ctx.mouse, ctx.tools.scaleCentre);
    ctx.tools.scaleActive = true;
    out.showCursor = CursorId::Scale;
}

void ScaleMove(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.tools.scaleActive || !ctx.tools.leftButtonDown) return;
    ScalingStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view, ctx.mode);
    RefreshNormalsDuringDrag(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

void RotateScaleRelease(ToolContext& ctx, ViewOutcome& out) {
    // The operation goes on, but the model the user sees between presses is lit right.
    if (!ctx.tools.anyMoved) return;
    RefreshNormals(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

}  // namespace kvx
