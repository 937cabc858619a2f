#pragma once
// The display and interaction values shared by the frame commands, the view windows, the render
// passes and the main loop, the per-view background colours, and what start-up learns about the
// desktop.

#include <array>
#include <cstdint>

#include "views/ViewProjection.h"
#include "views/tools/ToolMode.h"

namespace kvx {

struct DisplayState {
    bool quitRequested = false;  // the main loop ends before the next message
    bool redrawing = false;      // from just after dispatch to the end of the iteration
    bool viewSwitching = false;  // while a view is being opened or closed
    bool showGrid = false;       // "Grille"
    bool showRulers = true;      // "Regles"
    bool magneticGrid = false;   // "Grille Magnetique"
    bool showMouseAxes = false;  // "Axe de la souris"
    bool showNormals = false;    // "Vecteurs Normaux"
    bool lightsOn = false;       // "Lumieres"
    bool animate = false;        // "Start" / "Stop"
    bool pinViews = false;       // while "Deplacement" is unchecked
    ToolMode toolMode = ToolMode::CreateVertex;  // the orthographic views' mouse tool
};

struct RgbColour {
    std::int32_t red = 0, green = 0, blue = 0;
};

// Background colour of each view.
struct BackgroundTable {
    PerView<RgbColour> entries;

    BackgroundTable() {
        entries.fill(RgbColour{155, 155, 155});
        entries[ViewPerspective] = RgbColour{0, 0, 0};
    }
};

// What start-up measured: the show command given to every window and the desktop depth, 16 or
// 24, which every canvas uses.
struct AppInfo {
    std::int32_t showCommand = 5;
    std::int32_t bitsPerPixel = 0;
};

}  // namespace kvx
