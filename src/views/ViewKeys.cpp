#include "views/ViewKeys.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "scene/Scene.h"
#include "views/DragSteps.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;

// Tab walks the move tools, the quote key the selection tools; from elsewhere each starts its
// family.
ToolMode NextMoveTool(ToolMode m) {
    return m >= ToolMode::MoveXY && m < ToolMode::MoveZ
               ? static_cast<ToolMode>(ToolModeValue(m) + 1)
               : ToolMode::MoveXY;
}

ToolMode NextSelectionTool(ToolMode m) {
    return m >= ToolMode::SelectVertex && m < ToolMode::Fence
               ? static_cast<ToolMode>(ToolModeValue(m) + 1)
               : ToolMode::SelectVertex;
}

ViewOutcome Nudge(ToolContext& ctx, NudgeDirection direction) {
    if (NudgeSelection(ctx.scene, ctx.tools, ctx.view, direction))
        RefreshNormals(ctx.scene, ctx.tools);
    ViewOutcome out;
    out.Redraw(RedrawScope::All);
    return out;
}

}  // namespace

ViewOutcome ViewKey(ToolContext& ctx, std::uint32_t message, std::uint32_t key) {
    if (message != WM_KEYDOWN) return {};
    Scene& scene = ctx.scene;
    const auto choose = [&](ToolMode m) { return ChangeToolMode(scene, ctx.tools, m); };
    switch (key) {
        case VK_TAB:
            return choose(NextMoveTool(ctx.mode));
        case VK_OEM_7:
            return choose(NextSelectionTool(ctx.mode));
        case 'W':
            return choose(ToolMode::CreateVertex);
        case 'Q':
            return choose(ToolMode::SelectVertex);
        case 'S':
            return choose(ToolMode::Fence);
        case 'D':
            return choose(ToolMode::SelectFace);
        case 'E':
            return choose(ToolMode::MoveXY);
        case 'R':
            return choose(ToolMode::MoveX);
        case 'T':
            return choose(ToolMode::MoveY);
        case 'G':
            return choose(ToolMode::MoveZ);
        case VK_SPACE:
            scene.CreateFaceFromSelection();
            return ViewOutcome::Redrawing(RedrawScope::All);
        case VK_LEFT:
            return Nudge(ctx, NudgeDirection::Left);
        case VK_UP:
            return Nudge(ctx, NudgeDirection::Up);
        case VK_RIGHT:
            return Nudge(ctx, NudgeDirection::Right);
        case VK_DOWN:
            return Nudge(ctx, NudgeDirection::Down);
        case 'B':
            scene.HideSelectedVertices();
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case 'V':
            scene.ShowAllVertices();
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case 'C':
            scene.HideSelectedFaces();
            return {};
        case 'X':
            scene.ShowAllFaces();
            return {};
        default:
            return {};
    }
}

}  // namespace kvx
