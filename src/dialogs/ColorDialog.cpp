#include "dialogs/ColorDialog.h"

#include <algorithm>

#include "platform/Constants.h"
#include "platform/Dialogs.h"

namespace kvx {
namespace {

using namespace platform;

// The C library's generator as the palette was made with it.
class PaletteGenerator {
  public:
    explicit PaletteGenerator(std::uint32_t seed) : state_(seed) {}
    std::int32_t Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
    }

  private:
    std::uint32_t state_;
};

std::uint8_t Clamp255(std::int32_t v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// The hue strip: nine runs of 32, each component stepping by 8; the last two entries black.
void BuildHueStrip(std::array<ColorBytes, HueStripLength>& strip) {
    strip.fill(ColorBytes{});
    for (std::int32_t i = 0; i < 32; ++i) {
        const std::int32_t up = 8 * i, down = 255 - 8 * i;
        const std::int32_t runs[9][3] = {{255, up, 0},      {down, 255, 0}, {0, 255, up},
                                         {0, down, 255},    {up, 0, 255},   {255, up, 255},
                                         {down, down, 255}, {0, up, 255},   {0, down, down}};
        for (std::int32_t run = 0; run < 9; ++run)
            strip[static_cast<std::size_t>(32 * run + i)] = {
                Clamp255(runs[run][0]), Clamp255(runs[run][1]), Clamp255(runs[run][2])};
    }
}

ColorBytes Blend(const ColorDialogState& s, std::int32_t square, std::int32_t t) {
    const auto& a = s.anchors[static_cast<std::size_t>(square)];
    const auto& base = s.anchors[5];
    return {BlendComponent(a[0], base[0], t), BlendComponent(a[1], base[1], t),
            BlendComponent(a[2], base[2], t)};
}

ColorBytes CellColour(const ColorDialogState& s, std::int32_t column, std::int32_t row) {
    const auto& c = s.palette[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    return {static_cast<std::uint8_t>(c[0] & 0xFF), static_cast<std::uint8_t>(c[1] & 0xFF),
            static_cast<std::uint8_t>(c[2] & 0xFF)};
}

// A square or strip hit picks; the strip's colour also becomes the base. False when neither.
bool PickAt(ColorDialogState& s, std::int32_t x, std::int32_t y) {
    if (SquareTop < y && y < SquareBottom) {
        for (std::int32_t k = 0; k < 5; ++k) {
            const std::int32_t left = SquareLefts[k];
            if (left < x && x < left + SquareSide) {
                s.picked = Blend(s, k, x - left);
                return true;
            }
        }
    }
    if (StripLeft - 1 < x && x < StripLeft + HueStripLength && StripTop < y && y < StripBottom) {
        s.picked = s.hueStrip[static_cast<std::size_t>(x - StripLeft)];
        s.anchors[5] = {s.picked.red, s.picked.green, s.picked.blue};
        return true;
    }
    return false;
}

// A grid hit selects its cell. False outside the grid.
bool SelectAt(ColorDialogState& s, std::int32_t x, std::int32_t y) {
    const std::int32_t right = GridLeft + CellSide * PaletteColumns;
    const std::int32_t bottom = GridTop + CellSide * PaletteRows;
    if (!(GridLeft < x && x < right && GridTop < y && y < bottom)) return false;
    s.selectedColumn = (x - GridLeft) / CellSide;
    s.selectedRow = (y - GridTop) / CellSide;
    return true;
}

}  // namespace

ColorDialogState::ColorDialogState() {
    PaletteGenerator generator(PaletteSeed);
    for (auto& column : palette)
        for (auto& cell : column)
            for (auto& component : cell)
                component = generator.Next();
    StartShowing();
    accepted = false;
}

void ColorDialogState::StartShowing() {
    anchors = {{{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 0, 0}}};
    BuildHueStrip(hueStrip);
    picked = {};
    dragging = false;
}

std::uint8_t BlendComponent(std::int32_t anchor, std::int32_t base, std::int32_t t) {
    return static_cast<std::uint8_t>(anchor * t / SquareSide +
                                     base * (SquareSide - t) / SquareSide);
}

void DrawColorDialog(const ColorDialogState& s, Canvas& canvas) {
    const auto pack = [&](ColorBytes c) { return canvas.Pack(c.red, c.green, c.blue); };
    canvas.Lock();
    for (std::int32_t k = 0; k < 5; ++k)
        for (std::int32_t t = 0; t < SquareSide; ++t)
            canvas.VerticalLine(SquareLefts[k] + t, SquareTop, SquareBottom, pack(Blend(s, k, t)));
    for (std::int32_t i = 0; i < HueStripLength; ++i)
        canvas.VerticalLine(StripLeft + i, StripTop, StripBottom,
                            pack(s.hueStrip[static_cast<std::size_t>(i)]));
    canvas.Unlock();
    for (std::int32_t c = 0; c < PaletteColumns; ++c)
        for (std::int32_t r = 0; r < PaletteRows; ++r)
            canvas.Fill({GridLeft + CellSide * c, GridTop + CellSide * r,
                         GridLeft + CellSide * (c + 1), GridTop + CellSide * (r + 1)},
                        pack(CellColour(s, c, r)));
    const std::int32_t x0 = GridLeft + CellSide * s.selectedColumn;
    const std::int32_t y0 = GridTop + CellSide * s.selectedRow;
    const PixelValue white = canvas.Pack(255, 255, 255);
    canvas.Lock();
    canvas.Line(x0, y0, x0 + CellSide, y0 + CellSide, white);
    canvas.Line(x0, y0 + CellSide, x0 + CellSide, y0, white);
    canvas.Unlock();
    canvas.Fill(PreviewRect, pack(s.picked));
}

std::vector<PixelRect> ColorDialogRegions() {
    std::vector<PixelRect> regions;
    for (const std::int32_t left : SquareLefts)
        regions.push_back({left, SquareTop, left + SquareSide, SquareBottom});
    regions.push_back({StripLeft, StripTop, StripLeft + HueStripLength, StripBottom});
    regions.push_back(PreviewRect);
    regions.push_back({GridLeft, GridTop, GridLeft + CellSide * PaletteColumns,
                       GridTop + CellSide * PaletteRows});
    return regions;
}

bool ColorDialogProc(ColorDialogState& s, const Message& m, bool& redraw) {
    redraw = false;
    const std::int32_t x = LowWord(m.lParam), y = HighWord(m.lParam);
    switch (m.message) {
        case WM_INITDIALOG:
            redraw = true;
            return false;
        case WM_LBUTTONDOWN:
            s.dragging = true;
            return false;
        case WM_MOUSEMOVE:
            redraw = s.dragging && PickAt(s, x, y);
            return false;
        case WM_LBUTTONUP: {
            const bool picked = PickAt(s, x, y);
            const bool selected = SelectAt(s, x, y);
            s.dragging = false;
            redraw = picked || selected;
            return false;
        }
        case WM_LBUTTONDBLCLK:
            if (SelectAt(s, x, y)) {
                s.picked = CellColour(s, s.selectedColumn, s.selectedRow);
                redraw = true;
            } else if (PickAt(s, x, y)) {
                auto& cell = s.palette[static_cast<std::size_t>(s.selectedColumn)]
                                      [static_cast<std::size_t>(s.selectedRow)];
                cell = {s.picked.red, s.picked.green, s.picked.blue};
                redraw = true;
            }
            return false;
        case WM_COMMAND:
            if (LowWord(m.wParam) == IDOK || LowWord(m.wParam) == IDCANCEL) {
                s.accepted = LowWord(m.wParam) == IDOK;
                return true;
            }
            return false;
        case WM_CLOSE:  // the close box counts as Cancel
            s.accepted = false;
            return true;
        default:
            return false;
    }
}

}  // namespace kvx
