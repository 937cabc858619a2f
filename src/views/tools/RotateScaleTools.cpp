// Rotation and scaling: the first press takes the centre, every mouse move with the left button
// held turns or scales the selection, across several presses, until the right button ends the
// operation.

#include "scene/Scene.h"
#include "views/DragSteps.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {
namespace {

// The first press of the operation takes its centre and shows its cursor; later presses keep them.
void Begin(bool& active, double centre[3], CursorId cursor, const MouseState& mouse,
           ToolState& tools) {
    if (active) return;
    centre[0] = mouse.worldX;
    centre[1] = mouse.worldY;
    centre[2] = mouse.worldZ;
    active = true;
    tools.cursor = cursor;
}

// A step on every mouse move while the operation runs and the left button is held.
template <typename Step>
void StepWhileHeld(ToolContext& ctx, ViewOutcome& out, bool active, Step step) {
    if (!active || !ctx.tools.leftButtonDown) return;
    step();
    RefreshNormalsDuringDrag(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

}  // namespace

void RotatePress(ToolContext& ctx, ViewOutcome&) {
    Begin(ctx.tools.rotateActive, ctx.tools.rotationCentre, CursorId::Rotate, ctx.mouse, ctx.tools);
}

void RotateMove(ToolContext& ctx, ViewOutcome& out) {
    StepWhileHeld(ctx, out, ctx.tools.rotateActive,
                  [&] { RotationStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view); });
}

void ScalePress(ToolContext& ctx, ViewOutcome&) {
    Begin(ctx.tools.scaleActive, ctx.tools.scaleCentre, CursorId::Scale, ctx.mouse, ctx.tools);
}

void ScaleMove(ToolContext& ctx, ViewOutcome& out) {
    StepWhileHeld(ctx, out, ctx.tools.scaleActive,
                  [&] { ScalingStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view, ctx.mode); });
}

void RotateScaleRelease(ToolContext& ctx, ViewOutcome& out) {
    // The operation goes on, but the model the user sees between presses is lit right.
    if (!ctx.tools.anyMoved) return;
    RefreshNormals(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

}  // namespace kvx
