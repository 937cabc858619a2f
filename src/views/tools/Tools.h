#pragma once
// The mouse messages of an orthographic view as its tools handle them, after the mouse position
// was taken into the world cursor: the table of tools by mode, the confinement of the cursor
// during drags, the right-button end of a rotation or scaling, and changes of tool.

#include "views/tools/ToolContext.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

ViewOutcome ToolMouseMove(ToolContext& ctx);
ViewOutcome ToolLeftDown(ToolContext& ctx);
ViewOutcome ToolLeftUp(ToolContext& ctx);
// Ends a running rotation or scaling of the current mode, or else asks for the popup menu.
ViewOutcome ToolRightUp(ToolContext& ctx);

// A new mode chosen by key or command. A rotation or scaling keeps running while the mode stays
// in its family (the four scalings are one family) and ends when the user leaves it, so that
// the cursor is never left confined by an operation that can no longer be ended.
ViewOutcome ChangeToolMode(Scene& scene, ToolState& tools, ToolMode to);

// Ends every running drag and operation as if it had been finished (a view closing under it):
// the cursor is freed and the normals of moved vertices brought up to date.
ViewOutcome AbandonOperations(Scene& scene, ToolState& tools);

}  // namespace kvx
