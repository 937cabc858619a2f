#pragma once
// The colour dialog "COLORDLG": five squares blending the base colour into white, black, red,
// green and blue, a hue strip that also sets the base colour, a preview of the picked colour and
// a palette of 33 x 5 cells. The state lives for the whole run; the palette and its selected
// cell survive between showings, everything else starts anew.

#include <array>
#include <cstdint>
#include <vector>

#include "canvas/Canvas.h"
#include "platform/Message.h"

namespace kvx {

struct ColorBytes {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const ColorBytes&, const ColorBytes&) = default;
};

inline constexpr std::int32_t HueStripLength = 290;
inline constexpr std::int32_t PaletteColumns = 33;
inline constexpr std::int32_t PaletteRows = 5;
inline constexpr std::uint32_t PaletteSeed = 255;
// Where things are, in client pixels.
inline constexpr std::int32_t SquareTop = 10, SquareBottom = 60, SquareSide = 50;
inline constexpr std::int32_t SquareLefts[5] = {10, 70, 130, 190, 250};
inline constexpr std::int32_t StripLeft = 10, StripTop = 70, StripBottom = 90;
inline constexpr PixelRect PreviewRect = {310, 10, 340, 90};
inline constexpr std::int32_t GridLeft = 10, GridTop = 100, CellSide = 10;
// The client area the drawing needs.
inline constexpr std::int32_t ColorDialogDrawWidth = 350, ColorDialogDrawHeight = 160;

struct ColorDialogState {
    // 0 white, 1 black, 2 red, 3 green, 4 blue, 5 the base colour; 0..255 each.
    std::array<std::array<std::int32_t, 3>, 6> anchors{};
    std::array<ColorBytes, HueStripLength> hueStrip{};
    // [column][row], as the generator gave them; shown and picked through the low 8 bits.
    std::array<std::array<std::array<std::int32_t, 3>, PaletteRows>, PaletteColumns> palette{};
    std::int32_t selectedColumn = 0, selectedRow = 0;
    ColorBytes picked;
    bool dragging = false;
    bool accepted = false;

    // Fills the palette from the generator seeded with 255.
    ColorDialogState();
    // What every showing starts from: the anchors with a red base, the strip, black picked.
    void StartShowing();
};

// The component of blend square `anchor` at column offset t (0..49).
std::uint8_t BlendComponent(std::int32_t anchor, std::int32_t base, std::int32_t t);

// Draws the squares, the strip, the palette with the white cross on the selected cell and the
// preview into canvas, packed at the canvas's depth.
void DrawColorDialog(const ColorDialogState& state, Canvas& canvas);

// The eight rectangles the dialog shows of its drawing: the five squares, the strip, the preview
// and the palette.
std::vector<PixelRect> ColorDialogRegions();

// The dialog's procedure. Returns true when the dialog ends (OK, Cancel or the close box);
// redraw tells whether the picture changed.
bool ColorDialogProc(ColorDialogState& state, const platform::Message& m, bool& redraw);

}  // namespace kvx
