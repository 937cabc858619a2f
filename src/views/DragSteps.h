#pragma once
// How mouse movement and the arrow keys move the selected vertices of an orthographic view: the
// move, rotation, scaling and mirror steps and the nudge. Every step transforms the vertices from
// where the previous one left them, in selection order, and marks them moved so that the normals
// of their faces can be brought up to date (RefreshNormals). A step that would take any selected
// coordinate beyond the float range is refused whole: the selection stays where it was.

#include <cstdint>

#include "views/ViewProjection.h"
#include "views/tools/ToolMode.h"
#include "views/tools/ToolState.h"

namespace kvx {

class Scene;

// Degrees of rotation per pixel of vertical mouse movement, and percent of scaling.
inline constexpr double RotationDegreesPerPixel = 2.0;
inline constexpr double ScalePercentPerPixel = 4.0;
inline constexpr std::int32_t MinScalePercent = 1;
inline constexpr std::int32_t MaxScalePercent = 200;
// World units an arrow key moves the selection.
inline constexpr double NudgeStep = 0.1;
// Up to this many faces the normals follow every step of a drag; above it they are brought up to
// date when the operation ends (a left release, or the right button for a rotation or scaling),
// so that a step on a big model stays interactive.
inline constexpr std::int32_t LiveNormalsFaceLimit = 65536;

// One move step of a move tool: the selection goes to where it was when the drag began, moved
// by the world cursor's change since then along the view's axes as the mode drives them (see
// MoveOrigin). With takeAnchor the move anchor then moves to the cursor.
void MoveStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view, ToolMode mode,
              bool takeAnchor);
// Rotation about the rotation centre on the view's depth axis, by two degrees per pixel of
// vertical movement since the previous mouse message (downwards positive).
void RotationStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view);
// The percentage of one scaling step: 100 plus 4 per pixel of downward movement, kept to 1..200.
std::int32_t ScalePercent(const MouseState& mouse);
// Scaling about the scale centre on the axes the mode names in this view.
void ScalingStep(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view,
                 ToolMode mode);
// Reflects the selection across the line from the mirror anchor to the world cursor, in the
// view's plane.
void MirrorSelection(Scene& scene, ToolState& tools, const MouseState& mouse, ViewId view);

enum class NudgeDirection { Left, Up, Right, Down };
// Moves the selection 0.1 unit the way the arrow points on the view's screen. False when nothing
// is selected. A move drag under way takes a new origin, so the nudge is kept.
bool NudgeSelection(Scene& scene, ToolState& tools, ViewId view, NudgeDirection direction);

// The normals of the faces on every vertex moved since the last refresh; nothing when none moved.
void RefreshNormals(Scene& scene, ToolState& tools);
// The same during a drag, on models small enough for it to keep up (LiveNormalsFaceLimit).
void RefreshNormalsDuringDrag(Scene& scene, ToolState& tools);

}  // namespace kvx
