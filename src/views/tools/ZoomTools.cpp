// The two zoom tools: the pan drag slides the view, the loupe drag zooms onto a rectangle.

#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void PanPress(ToolContext& ctx, ViewOutcome&) {
    ctx.tools.pan.Begin(ctx.mouse);
}

void PanMove(ToolContext& ctx, ViewOutcome& out) {
    if (ctx.tools.pan.Move(ctx.state, ctx.mouse)) out.Redraw(RedrawScope::Orthographic);
}

void PanRelease(ToolContext& ctx, ViewOutcome&) {
    ctx.tools.pan.End();
}

void LoupePress(ToolContext& ctx, ViewOutcome&) {
    ctx.tools.loupe.Begin(ctx.mouse, ctx.view);
    ctx.tools.rubberBandStart = {ctx.tools.loupe.startX, ctx.tools.loupe.startY};
}

void LoupeMove(ToolContext& ctx, ViewOutcome& out) {
    if (ctx.tools.loupe.active) out.Redraw(RedrawScope::ThisView);
}

void LoupeRelease(ToolContext& ctx, ViewOutcome& out) {
    const bool wasActive = ctx.tools.loupe.active;
    ctx.tools.loupe.End(ctx.state, ctx.mouse, ctx.view);
    // Also when the zoom stayed: the rubber band must go.
    if (wasActive) out.Redraw(RedrawScope::Orthographic);
}

}  // namespace kvx
