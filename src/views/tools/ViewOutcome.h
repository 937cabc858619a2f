#pragma once
// What handling one message of an orthographic view asks of the program around it: which views
// to redraw, a new tool mode, the popup menu. The view code changes the scene and its own state
// directly (the cursor the views show and whether it is held are the tools' state) and reports
// the rest as this value.

#include <algorithm>
#include <optional>

#include "scene/RedrawScope.h"
#include "views/tools/ToolMode.h"

namespace kvx {

struct ViewOutcome {
    RedrawScope redraw = RedrawScope::None;
    std::optional<ToolMode> newMode;  // toolMode changes
    bool openPopup = false;           // the view's popup menu, centred on the mouse

    void Redraw(RedrawScope scope) { redraw = std::max(redraw, scope); }
    static ViewOutcome Redrawing(RedrawScope scope) {
        ViewOutcome out;
        out.redraw = scope;
        return out;
    }
};

}  // namespace kvx
