#pragma once
// What handling one message of an orthographic view asks of the program around it: which views
// to redraw, a new tool mode or cursor, confining or freeing the cursor, the popup menu, the
// point light moved, the face colour to be chosen. The view code changes the scene and its own
// state directly and reports the rest as this value.

#include <algorithm>
#include <optional>

#include "views/tools/ToolMode.h"

namespace kvx {

// Ordered from least to most.
enum class RedrawScope { None, ThisView, Orthographic, All };

enum class Confinement { Keep, Confine, Free };

struct ViewOutcome {
    RedrawScope redraw = RedrawScope::None;
    std::optional<ToolMode> newMode;     // toolMode changes; the cursor follows
    std::optional<CursorId> showCursor;  // shown at once in every view
    Confinement confinement = Confinement::Keep;
    bool openPopup = false;         // the view's popup menu, centred on the mouse
    bool pointLightMoved = false;   // the light placement changed: move the light there
    bool chooseFaceColour = false;  // ask for a colour for the selected faces

    void Redraw(RedrawScope scope) { redraw = std::max(redraw, scope); }
    static ViewOutcome Redrawing(RedrawScope scope) {
        ViewOutcome out;
        out.redraw = scope;
        return out;
    }
};

}  // namespace kvx
