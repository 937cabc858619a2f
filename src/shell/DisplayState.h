#pragma once
// The display and interaction values shared by the frame commands, the view windows, the render
// passes and the main loop, the per-view background colours, and what start-up learns about the
// desktop.

#include <array>
#include <cstdint>

namespace kvx {

struct DisplayState {
    std::int32_t quitRequested = 0;  // the main loop ends before the next message
    std::int32_t redrawing = 0;      // 1 from just after dispatch to the end of the iteration
    std::int32_t viewSwitching = 0;  // 1 while a view is being opened or closed
    std::int32_t showGrid = 0;       // "Grille"
    std::int32_t showRulers = 1;     // "Regles"
    std::int32_t magneticGrid = 0;   // "Grille Magnetique"
    std::int32_t showMouseAxes = 0;  // "Axe de la souris"
    std::int32_t showNormals = 0;    // "Vecteurs Normaux"
    std::int32_t lightsOn = 0;       // "Lumieres"
    std::int32_t animate = 0;        // "Start" / "Stop"
    std::int32_t pinViews = 0;       // 1 while "Deplacement" is unchecked
    std::int32_t toolMode = 1;       // the orthographic views' mouse tool
};

struct RgbColour {
    std::int32_t red = 0, green = 0, blue = 0;
};

// Background colour of each view, indexed by view number (entry 0 unused, 7 the perspective).
struct BackgroundTable {
    std::array<RgbColour, 8> entries;

    BackgroundTable() {
        entries.fill(RgbColour{155, 155, 155});
        entries[7] = RgbColour{0, 0, 0};
    }
};

// What start-up measured: the show command given to every window and the desktop depth, 16 or
// 24, which every canvas uses.
struct AppInfo {
    std::int32_t showCommand = 5;
    std::int32_t bitsPerPixel = 0;
};

}  // namespace kvx
