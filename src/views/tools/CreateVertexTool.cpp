// The start tool: a click appends a vertex where it was released, on the current layer.

#include "scene/Coordinates.h"
#include "scene/Scene.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void CreateVertexRelease(ToolContext& ctx, ViewOutcome& out) {
    // A cursor beyond the float range (a view panned or zoomed out that far) makes no vertex; a
    // full table refuses the vertex with its message; nothing else changes.
    if (!FitsFloat(ctx.mouse.worldX, ctx.mouse.worldY, ctx.mouse.worldZ)) return;
    if (!ctx.scene.Fits(1, 0)) return;
    ctx.scene.AppendVertex(ctx.mouse.worldX, ctx.mouse.worldY, ctx.mouse.worldZ,
                           ctx.scene.currentLayer);
    out.Redraw(RedrawScope::All);
}

}  // namespace kvx
