#pragma once
// The narrow view of the program a mouse tool works in: the scene, the view it acts in with its
// zoom and pan, the shared mouse, the tools' own state, and the current mode.

#include "views/ViewProjection.h"
#include "views/tools/ToolMode.h"
#include "views/tools/ToolState.h"

namespace kvx {

class Scene;

struct ToolContext {
    Scene& scene;
    ViewState& state;  // the view's zoom and pan
    const MouseState& mouse;
    ToolState& tools;
    ViewId view;  // 1..6
    ToolMode mode;
    bool ctrlOnly = false;  // the mouse message's key flags were Ctrl alone
};

struct ViewOutcome;

// One handler per tool family and message; each lives in the file of its family.
using ToolHandler = void (*)(ToolContext&, ViewOutcome&);

// Create vertex.
void CreateVertexRelease(ToolContext& ctx, ViewOutcome& out);
// Move XY, X, Y, Z.
void MovePress(ToolContext& ctx, ViewOutcome& out);
void MoveMove(ToolContext& ctx, ViewOutcome& out);
void MoveRelease(ToolContext& ctx, ViewOutcome& out);
// Select vertex, select face, fence.
void SelectVertexRelease(ToolContext& ctx, ViewOutcome& out);
void SelectFaceRelease(ToolContext& ctx, ViewOutcome& out);
void FencePress(ToolContext& ctx, ViewOutcome& out);
void FenceMove(ToolContext& ctx, ViewOutcome& out);
void FenceRelease(ToolContext& ctx, ViewOutcome& out);
// Pan and loupe.
void PanPress(ToolContext& ctx, ViewOutcome& out);
void PanMove(ToolContext& ctx, ViewOutcome& out);
void PanRelease(ToolContext& ctx, ViewOutcome& out);
void LoupePress(ToolContext& ctx, ViewOutcome& out);
void LoupeMove(ToolContext& ctx, ViewOutcome& out);
void LoupeRelease(ToolContext& ctx, ViewOutcome& out);
// Rotation and the four scalings; they end at the right button (EndRotateOrScale).
void RotatePress(ToolContext& ctx, ViewOutcome& out);
void RotateMove(ToolContext& ctx, ViewOutcome& out);
void ScalePress(ToolContext& ctx, ViewOutcome& out);
void ScaleMove(ToolContext& ctx, ViewOutcome& out);
void RotateScaleRelease(ToolContext& ctx, ViewOutcome& out);
// Mirror.
void MirrorPress(ToolContext& ctx, ViewOutcome& out);
void MirrorMove(ToolContext& ctx, ViewOutcome& out);
void MirrorRelease(ToolContext& ctx, ViewOutcome& out);

}  // namespace kvx
