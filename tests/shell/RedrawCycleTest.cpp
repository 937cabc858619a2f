// The redraw cycle and the view windows: what is redrawn after which message, in which order,
// and the views' own window messages.

#include <map>

#include "shell/EditorFixture.h"
#include "views/RenderPasses.h"

namespace kvx::test {
namespace {

using namespace platform;

class RedrawCycleTest : public EditorFixture {
  protected:
    void SetUp() override { Start(); }
    std::vector<int> PresentedViews() const {
        std::vector<int> ids;
        for (const WindowHandle h : ws.presentOrder)
            ids.push_back(editor.ViewOfWindow(h));
        return ids;
    }
};

TEST_F(RedrawCycleTest, StartupDrawsEveryViewInTheLoopOrder) {
    // Start() ran "Aligner"; the first redraw after it presented every view once, in order.
    const std::vector<int> expected = {1, 2, 3, 4, 6, 5, 7};
    EXPECT_EQ(PresentedViews(), expected);
    for (const ViewDescription& d : ViewTable)
        EXPECT_FALSE(editor.redraw.Marked(d.id));
}

// A display toggle redraws the six flat views, a model change all seven, a message that changes
// nothing none; a closed view is left out, and a reopened one alone is drawn.
TEST_F(RedrawCycleTest, EachMessageRedrawsTheViewsItChanges) {
    ClearPresented();
    Command(cmd::Grille);
    EXPECT_EQ(PresentedViews(), (std::vector<int>{1, 2, 3, 4, 6, 5}));
    // The grid is in the picture: x = 1 is column 137 of the top view.
    const auto& top = ws.lastPresented.at(ViewWindow(ViewTop).handle);
    EXPECT_EQ(top.Pixel(137, 10), PackedColours::For(24).grey120);

    ClearPresented();
    Command(cmd::Mesh);
    EXPECT_EQ(PresentedViews(), (std::vector<int>{1, 2, 3, 4, 6, 5, 7}));

    ClearPresented();
    Command(cmd::GrilleMagnetique);  // no redraw request of its own
    Send(editor.frame.handle, WM_PAINT);
    EXPECT_TRUE(ws.presentOrder.empty());

    Command(cmd::VueBas);
    ClearPresented();
    Command(cmd::Regles);
    EXPECT_EQ(PresentedViews(), (std::vector<int>{1, 3, 4, 6, 5}));
    EXPECT_EQ(ws.lastPresented.count(ViewWindow(ViewBottom).handle), 0u);

    ClearPresented();
    Command(cmd::VueBas);
    EXPECT_EQ(PresentedViews(), (std::vector<int>{2}));
}

TEST_F(RedrawCycleTest, ViewsDrawnSideBySideGiveTheSameBytesInTheSameOrder) {
    Command(cmd::Mesh);
    Command(cmd::SelectionnerVertex);
    Command(cmd::SelectionnerFaces);
    Send(ViewWindow(ViewPerspective).handle, WM_KEYDOWN, VK_PRIOR);
    // Without and then with the normals, which the views draw each on its own.
    for (int normals = 0; normals < 2; ++normals) {
        if (normals == 1) Command(cmd::VecteursNormaux);
        std::map<WindowHandle, std::vector<std::uint8_t>> pictures[3];
        for (int threads : {1, 2, 4}) {
            editor.redrawThreads = threads;
            ClearPresented();
            editor.RequestRedraw(RedrawScope::All);
            Send(editor.frame.handle, WM_PAINT);  // any message: the loop then redraws
            EXPECT_EQ(PresentedViews(), (std::vector<int>{1, 2, 3, 4, 6, 5, 7})) << threads;
            for (const auto& [h, shown] : ws.lastPresented)
                pictures[threads / 2][h] = shown.pixels;
        }
        EXPECT_EQ(pictures[1], pictures[0]) << normals;
        EXPECT_EQ(pictures[2], pictures[0]) << normals;
    }
}

TEST_F(RedrawCycleTest, FrameMoveRemeasuresTheViewsAndRedrawsTheFlatOnes) {
    ws.MoveWindow(editor.frame.handle, Rect{100, 50, 900, 650});
    ClearPresented();
    Send(editor.frame.handle, WM_MOVE);
    EXPECT_EQ(PresentedViews().size(), 6u);
    // Each view presents exactly over its client area again.
    const Point origin = ws.ClientToScreen(ViewWindow(ViewRight).handle, Point{0, 0});
    EXPECT_EQ(ViewWindow(ViewRight).clientRect.left, origin.x);
    EXPECT_EQ(ViewWindow(ViewRight).clientRect.top, origin.y);
    EXPECT_EQ(ViewWindow(ViewRight).clientRect.Width(), 250);
}

TEST_F(RedrawCycleTest, ACloseBoxReleasesTheViewAndItsWindowAndEndsItsDrawing) {
    const WindowHandle h = ViewWindow(ViewLeft).handle;
    Send(h, WM_CLOSE);
    EXPECT_FALSE(View(ViewLeft).isOpen);
    EXPECT_FALSE(ws.Checked(cmd::VueGauche));
    EXPECT_EQ(ws.Find(h), nullptr);
    EXPECT_EQ(ws.lastPresented.count(h), 0u);  // the window no longer reads the pixels
    EXPECT_FALSE(editor.display.viewSwitching);
    Send(h, WM_MOUSEMOVE);  // messages left for the gone window are dropped
    Command(cmd::VueGauche);
    EXPECT_TRUE(View(ViewLeft).isOpen);
    // The perspective view closed while animated is drawn no more.
    Command(cmd::Start);
    Send(ViewWindow(ViewPerspective).handle, WM_CLOSE);
    EXPECT_FALSE(View(ViewPerspective).isOpen);
    EXPECT_FALSE(ws.Checked(cmd::VuePerspective));
    ClearPresented();
    Send(editor.frame.handle, WM_TIMER, AnimationTimerId);
    EXPECT_TRUE(ws.presentOrder.empty());
}

TEST_F(RedrawCycleTest, PinnedViewsReturnToTheirPlaceWhenMoved) {
    const WindowHandle h = ViewWindow(ViewFront).handle;
    ws.SetWindowPosition(h, Point{40, 40});
    Send(h, WM_MOVE);
    EXPECT_EQ(ws.Find(h)->outer.left, 40);  // free while "Deplacement" is checked
    Command(cmd::Deplacement);
    Send(h, WM_MOVE);
    EXPECT_EQ(ws.Find(h)->outer.left, 512);
    EXPECT_EQ(ws.Find(h)->outer.top, 0);
}

TEST_F(RedrawCycleTest, MouseAxesFollowTheMouseInTheViewUnderIt) {
    Command(cmd::AxeSouris);
    ClearPresented();
    Send(ViewWindow(ViewBack).handle, WM_MOUSEMOVE, 0, PackMousePosition(40, 70));
    const std::vector<int> expected = {6};
    EXPECT_EQ(PresentedViews(), expected);
    const auto& back = ws.lastPresented.at(ViewWindow(ViewBack).handle);
    const PixelValue grey = PackedColours::For(24).grey100;
    EXPECT_EQ(back.Pixel(40, 10), grey);
    EXPECT_EQ(back.Pixel(10, 70), grey);
    EXPECT_EQ(editor.mouse.activeView, ViewBack);
}

TEST_F(RedrawCycleTest, SelectedFacesShowInEveryFlatView) {
    Command(cmd::Mesh);
    Command(cmd::SelectionnerFaces);
    const auto& top = ws.lastPresented.at(ViewWindow(ViewTop).handle);
    int selectedPixels = 0;
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 250; ++x)
            selectedPixels += top.Pixel(x, y) == 0xFFFFu ? 1 : 0;
    EXPECT_GT(selectedPixels, 1000);
}

}  // namespace
}  // namespace kvx::test
