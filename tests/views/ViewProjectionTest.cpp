#include <algorithm>

#include <gtest/gtest.h>

#include "platform/Constants.h"
#include "platform/Message.h"
#include "views/ViewNavigation.h"
#include "views/ViewProjection.h"

namespace kvx {
namespace {

std::uint32_t At(int x, int y) {
    return platform::MakeLong(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
}

TEST(ProjectToView, EachViewShowsItsAxesWithTheirSigns) {
    const ViewState s;  // width 20 over 250 pixels: 12.5 pixels a unit
    // (2, 4, 6): u and v per view, then (u + 10) * 12.5 and (v + 10) * 12.5 truncated.
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewTop), (PixelPoint{150, 50}));      // x, -z
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewBottom), (PixelPoint{150, 200}));  // x, z
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewLeft), (PixelPoint{50, 75}));      // -z, -y
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewRight), (PixelPoint{200, 75}));    // z, -y
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewFront), (PixelPoint{150, 75}));    // x, -y
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewBack), (PixelPoint{100, 75}));     // -x, -y
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewPerspective), (PixelPoint{0, 0}));
    EXPECT_EQ(ProjectToView(2, 4, 6, s, ViewNone), (PixelPoint{0, 0}));
}

TEST(ProjectToView, EdgesAndTruncationTowardZero) {
    ViewState s;
    s.centerU = 3;
    s.width = 10;  // 25 pixels a unit; u from -2 to 8
    EXPECT_EQ(ProjectToView(-2, 0, 0, s, ViewTop).x, 0);
    EXPECT_EQ(ProjectToView(8, 0, 0, s, ViewTop).x, 250);
    EXPECT_EQ(ProjectToView(-2.03f, 0, 0, s, ViewTop).x, 0);   // under a pixel left: still 0
    EXPECT_EQ(ProjectToView(-2.06f, 0, 0, s, ViewTop).x, -1);  // a pixel and a half left
    // Far or broken coordinates saturate instead of overflowing.
    s.width = 1e-30;
    EXPECT_EQ(ProjectToView(1e30f, 0, 0, s, ViewTop).x, 2147483647);
    EXPECT_EQ(ProjectToView(NAN, 0, 0, s, ViewTop).x, 0);
}

TEST(MouseToWorld, MagneticGridSnapsTowardZeroAndMovesThePixel) {
    ViewStates states;
    MouseState m;
    // (116, 76) in the top view is about (-0.72, 0, 3.92).
    MouseToWorld(m, states, ViewTop, At(116, 76), true);
    EXPECT_EQ(m.worldX, 0.0);
    EXPECT_EQ(m.worldY, 0.0);
    EXPECT_EQ(m.worldZ, 3.0);
    EXPECT_EQ(m.pixelX, 125.0);
    EXPECT_EQ(m.pixelY, 87.0);
    MouseToWorld(m, states, ViewTop, At(0, 0), true);
    EXPECT_EQ(m.previousMouseY, 87);  // the snapped position counts as the previous one
    EXPECT_EQ(m.worldX, -10.0);
}

TEST(Zoom, NormalOutAndPan) {
    ViewState s;
    s.width = 3;
    s.centerU = 4;
    ResetZoom(s);
    EXPECT_EQ(s.width, 20.0);
    EXPECT_EQ(s.centerU, 0.0);
    s.centerV = 1.5;
    ZoomOutView(s);
    ZoomOutView(s);
    EXPECT_EQ(s.width, 80.0);
    EXPECT_EQ(s.centerV, 1.5);

    PanDrag pan;
    MouseState m;
    m.pixelX = 100;
    m.pixelY = 100;
    EXPECT_FALSE(pan.Move(s, m));  // not begun
    pan.Begin(m);
    m.pixelX = 125;
    EXPECT_TRUE(pan.Move(s, m));
    EXPECT_DOUBLE_EQ(s.centerU, 2.5);  // a tenth of a unit a pixel, whatever the zoom
    m.pixelY = 90;
    pan.Move(s, m);
    EXPECT_DOUBLE_EQ(s.centerU, 2.5);
    EXPECT_DOUBLE_EQ(s.centerV, 0.5);
    pan.End();
    EXPECT_FALSE(pan.active);
}

TEST(Loupe, TheDraggedRectangleBecomesTheView) {
    ViewState s;
    MouseState m;
    m.worldX = 2;
    m.worldZ = 5;
    m.pixelX = 150.7;
    LoupeDrag loupe;
    loupe.Begin(m, ViewTop);
    EXPECT_EQ(loupe.startX, 150);
    m.worldX = 6;
    m.worldZ = -1;
    EXPECT_TRUE(loupe.End(s, m, ViewTop));
    EXPECT_EQ(s.width, 6.0);
    EXPECT_EQ(s.centerU, 5.0);
    EXPECT_EQ(s.centerV, -2.0);
    // The view now shows x from 2 to 8 and z from 5 down to -1.
    EXPECT_EQ(ProjectToView(2, 0, 5, s, ViewTop), (PixelPoint{0, 0}));
    EXPECT_EQ(ProjectToView(8, 0, -1, s, ViewTop), (PixelPoint{250, 250}));

    ViewState back;
    m.worldX = 1;
    m.worldY = 1;
    loupe.Begin(m, ViewBack);
    m.worldX = 3;
    m.worldY = 2;
    loupe.End(back, m, ViewBack);
    EXPECT_EQ(back.centerU, 1.0 - 3.0);  // w/2 - max x
    EXPECT_EQ(back.centerV, 1.0 - 2.0);  // w/2 - max y
}

TEST(Loupe, ARectangleWithoutAreaKeepsTheZoom) {
    ViewState s;
    s.width = 7;
    MouseState m;
    m.worldX = 3;
    LoupeDrag loupe;
    loupe.Begin(m, ViewFront);
    EXPECT_FALSE(loupe.End(s, m, ViewFront));
    EXPECT_EQ(s.width, 7.0);
    EXPECT_FALSE(loupe.active);
}

TEST(MouseToWorld, SnappingInEveryViewLandsOnWholeUnitsAndTheirPixel) {
    ViewStates states;
    for (ViewId view = ViewTop; view <= ViewBack; ++view) {
        SCOPED_TRACE(view);
        states[view].centerU = 0.35;  // keep the grid off the pixel grid
        MouseState m;
        MouseToWorld(m, states, view, platform::MakeLong(61, 197), true);
        const ViewAxisSet a = ViewAxes(view);
        EXPECT_EQ(m.World(a.depthAxis), 0.0);
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_EQ(m.World(axis), std::trunc(m.World(axis)));
        const PixelPoint p =
            ProjectToView(static_cast<float>(m.worldX), static_cast<float>(m.worldY),
                          static_cast<float>(m.worldZ), states[view], view);
        EXPECT_EQ(m.pixelX, p.x);
        EXPECT_EQ(m.pixelY, p.y);
        // Without snapping the same pixel converts back to itself.
        MouseState plain;
        MouseToWorld(plain, states, view, platform::MakeLong(61, 197), false);
        const PixelPoint q =
            ProjectToView(static_cast<float>(plain.worldX), static_cast<float>(plain.worldY),
                          static_cast<float>(plain.worldZ), states[view], view);
        EXPECT_NEAR(q.x, 61, 1);
        EXPECT_NEAR(q.y, 197, 1);
        EXPECT_NE(plain.World(a.uAxis), m.World(a.uAxis));
    }
}

}  // namespace
}  // namespace kvx

namespace kvx {
namespace {

// The world coordinates (u, v) of the view under a pixel, as the mouse conversion finds them.
std::pair<double, double> WorldUnder(const ViewStates& states, ViewId view, int x, int y) {
    MouseState m;
    MouseToWorld(m, states, view, platform::PackMousePosition(x, y), false);
    const ViewAxisSet a = ViewAxes(view);
    return {m.World(a.uAxis), m.World(a.vAxis)};
}

TEST(Navigation, TheWheelZoomsAboutThePointerAndAMiddleDragCarriesTheWorld) {
    ViewStates states;
    states[ViewFront].centerU = 1.25;
    const auto before = WorldUnder(states, ViewFront, 40, 200);
    ZoomAboutPixel(states[ViewFront], 40, 200, 1);
    EXPECT_DOUBLE_EQ(states[ViewFront].width, 10.0);  // a notch towards the screen halves it
    const auto after = WorldUnder(states, ViewFront, 40, 200);
    EXPECT_NEAR(after.first, before.first, 1e-12);
    EXPECT_NEAR(after.second, before.second, 1e-12);
    ZoomAboutPixel(states[ViewFront], 40, 200, -3);
    EXPECT_DOUBLE_EQ(states[ViewFront].width, 80.0);
    // Never wider than the widest view.
    states[ViewTop].width = MaxViewWidth;
    ZoomAboutPixel(states[ViewTop], 125, 125, -1);
    EXPECT_EQ(states[ViewTop].width, MaxViewWidth);
    // The world point under the pointer follows it.
    const auto grabbed = WorldUnder(states, ViewFront, 100, 100);
    PanByPixels(states[ViewFront], 30, -20);
    const auto moved = WorldUnder(states, ViewFront, 130, 80);
    EXPECT_NEAR(moved.first, grabbed.first, 1e-9);
    EXPECT_NEAR(moved.second, grabbed.second, 1e-9);
}

TEST(Navigation, AFramedViewShowsTheWholeBoxOverMostOfIt) {
    const WorldBox small{{-0.5, 0.25, -0.75}, {1.0, 1.0, 0.75}};
    EXPECT_TRUE(NeedsFraming(small));                                  // 1.5 units: tiny
    EXPECT_TRUE(NeedsFraming(WorldBox{{-100, -1, -1}, {100, 1, 1}}));  // beyond the views
    EXPECT_FALSE(NeedsFraming(WorldBox{{-5, -5, -5}, {5, 5, 5}}));     // shows well
    for (ViewId view = ViewTop; view <= ViewBack; ++view) {
        const ViewState s = FramedView(small, view, ViewState{});
        int lowX = 250, highX = 0, lowY = 250, highY = 0;
        for (const float x : {-0.5f, 1.0f})
            for (const float y : {0.25f, 1.0f})
                for (const float z : {-0.75f, 0.75f}) {
                    const PixelPoint p = ProjectToView(x, y, z, s, view);
                    lowX = std::min(lowX, p.x), highX = std::max(highX, p.x);
                    lowY = std::min(lowY, p.y), highY = std::max(highY, p.y);
                }
        EXPECT_GE(lowX, 10) << view;
        EXPECT_LE(highX, 240) << view;
        EXPECT_GE(lowY, 10) << view;
        EXPECT_LE(highY, 240) << view;
        EXPECT_GE(std::max(highX - lowX, highY - lowY), 215) << view;  // about 90 %
    }
}

}  // namespace
}  // namespace kvx
