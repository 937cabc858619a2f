// The colour dialog: its palette, strip and blends, the mouse rules, and its picture at 16 and
// 24 bits against golden images.

#include "dialogs/ColorDialog.h"

#include <gtest/gtest.h>

#include "perspective/GoldenImage.h"
#include "platform/Constants.h"
#include "platform/Dialogs.h"

namespace kvx::test {
namespace {

using namespace platform;

class ColorDialogTest : public ::testing::Test {
  protected:
    bool Send(std::uint32_t message, int x = 0, int y = 0, std::uint32_t wParam = 0) {
        bool redraw = false;
        return ColorDialogProc(state, Message{1, message, wParam, PackMousePosition(x, y)}, redraw);
    }
    void Click(int x, int y) {
        Send(WM_LBUTTONDOWN, x, y);
        Send(WM_LBUTTONUP, x, y);
    }
    ColorDialogState state;
};

TEST_F(ColorDialogTest, ClicksPickFromSquaresAndStripAndSelectInTheGrid) {
    Click(35, 35);  // white square at t = 25 over the red base
    EXPECT_EQ(state.picked, (ColorBytes{254, 127, 127}));
    Click(40, 80);  // strip entry 30: also the new base
    EXPECT_EQ(state.picked, (ColorBytes{255, 240, 0}));
    Click(71, 35);  // black square at t = 1: the base almost whole
    EXPECT_EQ(state.picked, (ColorBytes{249, 235, 0}));
    Click(308, 80);  // entry 298 lies past the strip's end
    Click(299, 80);
    EXPECT_EQ(state.picked, (ColorBytes{}));
    // Pressing in the grid selects nothing until the release.
    Send(WM_LBUTTONDOWN, 55, 125);
    Send(WM_MOUSEMOVE, 55, 125, MK_LBUTTON);
    EXPECT_EQ(state.selectedColumn, 0);
    Send(WM_LBUTTONUP, 55, 125);
    EXPECT_EQ(state.selectedColumn, 4);
    EXPECT_EQ(state.selectedRow, 2);
    EXPECT_EQ(state.picked, (ColorBytes{}));  // selecting does not pick
}

TEST_F(ColorDialogTest, ADoubleClickPicksACellOrStoresThePickInTheSelectedCell) {
    Send(WM_LBUTTONDBLCLK, 15, 105);
    EXPECT_EQ(state.picked, (ColorBytes{103, 147, 90}));
    Send(WM_LBUTTONDBLCLK, 35, 35);  // the blend goes into cell (0, 0) ...
    state.StartShowing();            // ... and stays there for the next showing
    EXPECT_EQ(state.palette[0][0], (std::array<std::int32_t, 3>{254, 127, 127}));
    EXPECT_EQ(state.picked, (ColorBytes{}));
}

TEST_F(ColorDialogTest, TheCloseBoxEndsTheDialogAsCancel) {
    Send(WM_COMMAND, 0, 0, IDOK);
    EXPECT_TRUE(Send(WM_CLOSE));
    EXPECT_FALSE(state.accepted);
    EXPECT_FALSE(Send(WM_LBUTTONDOWN, 5, 5));
}

class ColorDialogPicture : public ::testing::TestWithParam<int> {};

// The drawing after a pick on the strip and a cell selected, in two 250-pixel-wide halves.
TEST_P(ColorDialogPicture, MatchesTheGoldenImages) {
    const int depth = GetParam();
    ColorDialogState state;
    bool redraw = false;
    for (std::uint32_t m : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        ColorDialogProc(state, Message{1, m, 0, PackMousePosition(100, 80)}, redraw);
    ColorDialogProc(state, Message{1, WM_LBUTTONUP, 0, PackMousePosition(125, 135)}, redraw);
    Canvas canvas;
    ASSERT_TRUE(canvas.Create(ColorDialogDrawWidth, ColorDialogDrawHeight, depth));
    DrawColorDialog(state, canvas);
    const std::string suffix = "_" + std::to_string(depth);
    PixelBuffer left = canvas.Surface();
    left.width = 250;
    PixelBuffer right = left;
    right.base += 100 * (depth / 8);
    EXPECT_TRUE(MatchesGolden(left, "colordlg_left" + suffix));
    EXPECT_TRUE(MatchesGolden(right, "colordlg_right" + suffix));
}

INSTANTIATE_TEST_SUITE_P(Depths, ColorDialogPicture, ::testing::Values(16, 24));

}  // namespace
}  // namespace kvx::test
