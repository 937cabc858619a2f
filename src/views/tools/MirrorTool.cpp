// The mirror tool: a drag draws a line in the view's plane; at the release the selection is
// reflected across it.

#include "views/DragSteps.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void MirrorPress(ToolContext& ctx, ViewOutcome& out) {
    ctx.tools.mirrorAnchor[0] = ctx.mouse.worldX;
    ctx.tools.mirrorAnchor[1] = ctx.mouse.worldY;
    ctx.tools.mirrorAnchor[2] = ctx.mouse.worldZ;
    ctx.tools.mirrorDragActive = true;
    out.Redraw(RedrawScope::ThisView);
}

void MirrorMove(ToolContext&, ViewOutcome& out) {
    out.Redraw(RedrawScope::ThisView);  // the mirror line follows the mouse
}

void MirrorRelease(ToolContext& ctx, ViewOutcome& out) {
    // Only a line that began with a press of this tool: an older anchor means nothing now.
    if (!ctx.tools.mirrorDragActive) return;
    ctx.tools.mirrorDragActive = false;
    MirrorSelection(ctx.scene, ctx.tools, ctx.mouse, ctx.view);
    RefreshNormals(ctx.scene, ctx.tools);
    out.Redraw(RedrawScope::All);
}

}  // namespace kvx
