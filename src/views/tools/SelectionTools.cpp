// The three selection tools: a click picks a vertex or a face (Ctrl alone adds to or removes from
// the selection), and the fence selects every shown vertex inside a dragged rectangle.

#include "scene/Scene.h"
#include "views/FenceSelection.h"
#include "views/Picking.h"
#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void SelectVertexRelease(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.ctrlOnly) ctx.scene.ClearVertexSelection();
    const std::int32_t v = PickVertex(ctx.scene, ctx.state, ctx.view, ctx.mouse);
    if (v != -1) ctx.scene.ToggleVertex(v);
    out.Redraw(RedrawScope::Orthographic);
}

void SelectFaceRelease(ToolContext& ctx, ViewOutcome& out) {
    if (!ctx.ctrlOnly) ctx.scene.ClearFaceSelection();
    PickFace(ctx.scene, ctx.state, ctx.view, ctx.mouse);
    out.Redraw(RedrawScope::Orthographic);
}

void FencePress(ToolContext& ctx, ViewOutcome& out) {
    ctx.scene.ClearVertexSelection();
    ctx.scene.ClearFaceSelection();
    ctx.tools.rubberBandStart = {TruncateToInt32(ctx.mouse.pixelX),
                                 TruncateToInt32(ctx.mouse.pixelY)};
    ctx.tools.fenceDragActive = true;
    out.Redraw(RedrawScope::Orthographic);
}

void FenceMove(ToolContext& ctx, ViewOutcome& out) {
    if (ctx.tools.fenceDragActive) out.Redraw(RedrawScope::ThisView);
}

void FenceRelease(ToolContext& ctx, ViewOutcome& out) {
    // Only a fence that began here: a rubber band from an earlier drag means nothing now.
    if (!ctx.tools.fenceDragActive) return;
    ctx.tools.fenceDragActive = false;
    const PixelPoint start = ctx.tools.rubberBandStart;
    ToggleVerticesInRect(ctx.scene, start.x, start.y, TruncateToInt32(ctx.mouse.pixelX),
                         TruncateToInt32(ctx.mouse.pixelY), ctx.state, ctx.view);
    out.Redraw(RedrawScope::Orthographic);
}

}  // namespace kvx
