// The four move tools: a drag moves the selection with the mouse along the view's axes, step by
// step, and once more at the release.

#include "scene/Scene.h"
#include "views/DragSteps.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void MovePress(ToolContext& ctx, ViewOutcome&) {
    if (ctx.scene.selectedVertices.empty()) return;
    if (!ctx.tools.moveDragActive) {
        const ViewAxisSet a = ViewAxes(ctx.view);
        ctx.tools.moveAnchor[0] = ctx.mouse.World(a.uAxis);
        ctx.tools.moveAnchor[1] = ctx.mouse.World(a.vAxis);
        ctx.tools.moveOrigin.Clear();
    }
    ctx.tools.moveDragActive = true;
}

void MoveMove(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.tools.moveDragActive) return;
    MoveStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view, ctx.mode, true);
    RefreshNormalsDuringDrag(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

void MoveRelease(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.tools.moveDragActive) return;
    ctx.tools.moveDragActive = false;
    MoveStep(ctx.scene, ctx.tools, ctx.mouse, ctx.view, ctx.mode, false);
    ctx.tools.moveOrigin.Clear();
    RefreshNormals(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

}  // namespace kvx
