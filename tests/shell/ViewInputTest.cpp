// The orthographic views as the user drives them: mouse messages through each tool, the keys,
// the popup menu and its commands, cursors and confinement, through the real window procedures.

#include <gtest/gtest.h>

#include "TempDir.h"
#include "shell/EditorFixture.h"

namespace kvx::test {
namespace {

using namespace platform;

class ViewInputTest : public EditorFixture {
  protected:
    void SetUp() override { Start(); }
    void Click(ViewId v, int x, int y, std::uint32_t flags = 0) {
        Mouse(v, WM_LBUTTONDOWN, x, y, flags | MK_LBUTTON);
        Mouse(v, WM_LBUTTONUP, x, y, flags);
    }
    void Key(ViewId v, std::uint32_t key) { Send(ViewWindow(v).handle, WM_KEYDOWN, key); }
    void ViewCommand(ViewId v, std::uint32_t id) { Send(ViewWindow(v).handle, WM_COMMAND, id); }
    ToolMode Mode() { return editor.toolMode(); }
};

TEST_F(ViewInputTest, AClickWithTheStartToolAddsAVertexWhereItWasClicked) {
    Click(ViewFront, 150, 100);  // x 2, y 2 in the front view
    ASSERT_EQ(scene().vertexCount(), 1);
    const Vertex& v = scene().vertices[0];
    EXPECT_EQ((std::array{v.x, v.y, v.z}), (std::array{2.0f, 2.0f, 0.0f}));
    EXPECT_FALSE(editor.redraw.Marked(ViewPerspective));  // drawn after the message
    // A full table refuses the vertex with its message and changes nothing.
    scene().vertexCapacity = 1;
    Click(ViewFront, 10, 10);
    EXPECT_EQ(scene().vertexCount(), 1);
    EXPECT_EQ(prompts.messages().size(), 1u);
}

TEST_F(ViewInputTest, CtrlAloneAddsToTheSelectionAndCtrlShiftCountsAsAPlainClick) {
    for (int x : {0, 2, 4})
        scene().AppendVertex(x, 0, 0, 0);
    Key(ViewTop, 'Q');
    Click(ViewTop, 125, 125);
    Click(ViewTop, 150, 125, MK_CONTROL);
    EXPECT_EQ(scene().selectedVertices, (std::vector<std::int32_t>{0, 1}));
    Click(ViewTop, 175, 125, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(scene().selectedVertices, (std::vector<std::int32_t>{2}));
    Click(ViewTop, 10, 10);  // empty space
    EXPECT_TRUE(scene().selectedVertices.empty());
}

TEST_F(ViewInputTest, ARotationLastsAcrossPressesUntilTheRightButtonEndsIt) {
    scene().AppendVertex(4, 0, 0, 0);
    scene().ToggleVertex(0);
    ViewCommand(ViewTop, cmd::Rotate);
    Mouse(ViewTop, WM_LBUTTONDOWN, 125, 125, MK_LBUTTON);  // centre (0, 0, 0)
    EXPECT_EQ(editor.tools.cursor, CursorId::Rotate);
    Mouse(ViewTop, WM_MOUSEMOVE, 125, 170, MK_LBUTTON);  // 45 pixels: 90 degrees
    Mouse(ViewTop, WM_LBUTTONUP, 125, 170);
    EXPECT_TRUE(ws.clip.has_value());      // still held between presses
    Mouse(ViewTop, WM_MOUSEMOVE, 30, 30);  // no button: no step
    Mouse(ViewTop, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    Mouse(ViewTop, WM_MOUSEMOVE, 30, 75, MK_LBUTTON);  // another 90 about the first centre
    Mouse(ViewTop, WM_LBUTTONUP, 30, 75);
    EXPECT_NEAR(scene().vertices[0].x, -4, 1e-3);
    EXPECT_NEAR(scene().vertices[0].z, 0, 1e-3);
    Mouse(ViewTop, WM_RBUTTONUP, 30, 75);
    EXPECT_TRUE(ws.popups.empty());
    EXPECT_FALSE(ws.clip.has_value());
    EXPECT_EQ(editor.tools.cursor, CursorId::Cross);
    Mouse(ViewTop, WM_RBUTTONUP, 30, 75);
    EXPECT_EQ(ws.popups.size(), 1u);
}

TEST_F(ViewInputTest, KeysChooseTools) {
    // Tab from outside the move tools starts them and wraps after Z; the quote key likewise
    // walks the three selection tools.
    const std::pair<std::uint32_t, ToolMode> steps[] = {
        {'D', ToolMode::SelectFace},
        {VK_TAB, ToolMode::MoveXY},
        {'G', ToolMode::MoveZ},
        {VK_TAB, ToolMode::MoveXY},
        {VK_OEM_7, ToolMode::SelectVertex},
        {VK_OEM_7, ToolMode::SelectFace},
        {VK_OEM_7, ToolMode::Fence},
        {VK_OEM_7, ToolMode::SelectVertex},
        {'T', ToolMode::MoveY},
    };
    for (const auto& [key, mode] : steps) {
        Key(ViewLeft, key);
        EXPECT_EQ(Mode(), mode) << "key " << key;
    }
    Send(ViewWindow(ViewLeft).handle, WM_SYSKEYDOWN, 'Q');  // Alt+Q is not a view key
    EXPECT_EQ(Mode(), ToolMode::MoveY);
}

TEST_F(ViewInputTest, PopupCommandsActOnTheViewThatOpenedTheMenu) {
    editor.viewStates[ViewFront].width = 5;
    editor.viewStates[ViewTop].width = 5;
    Mouse(ViewFront, WM_RBUTTONUP, 150, 100);  // x 2, y 2
    ASSERT_EQ(ws.popups.size(), 1u);
    ViewCommand(ViewFront, cmd::ZoomNormal);
    EXPECT_EQ(editor.viewStates[ViewFront].width, 20);
    EXPECT_EQ(editor.viewStates[ViewTop].width, 5);
    Mouse(ViewFront, WM_RBUTTONUP, 150, 100);
    ViewCommand(ViewFront, cmd::PlaceLight);
    EXPECT_EQ(editor.lightPlacement.x, 2);
    EXPECT_EQ(editor.lightPlacement.y, 2);
    EXPECT_EQ(editor.lightPlacement.z, -5);   // the depth stays
    ViewCommand(ViewFront, cmd::FaceColour);  // no colour dialog yet: nothing happens
    ViewCommand(ViewFront, cmd::CloseMenu);
}

// Regression: sequences that once left a drag running or the cursor held.
TEST_F(ViewInputTest, NoSequenceLeavesADragRunningOrTheCursorHeld) {
    scene().AppendVertex(0, 0, 0, 0);
    scene().ToggleVertex(0);
    // Leaving the rotation for another tool ends it.
    ViewCommand(ViewTop, cmd::Rotate);
    Click(ViewTop, 100, 100);
    Key(ViewTop, 'E');
    EXPECT_FALSE(editor.tools.rotateActive);
    EXPECT_FALSE(ws.clip.has_value());
    // A tool changed while a move drag is held: the release ends the drag.
    Mouse(ViewTop, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    Key(ViewTop, 'Q');
    Mouse(ViewTop, WM_LBUTTONUP, 110, 100);
    EXPECT_FALSE(editor.tools.moveDragActive);
    EXPECT_FALSE(ws.clip.has_value());
    // The right button during a drag opens no menu that would swallow the release.
    Key(ViewTop, 'S');
    Mouse(ViewTop, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    Mouse(ViewTop, WM_RBUTTONUP, 120, 120, MK_LBUTTON);
    EXPECT_TRUE(ws.popups.empty());
    // Closing the view under a drag frees the cursor.
    Send(ViewWindow(ViewTop).handle, WM_CLOSE);
    EXPECT_FALSE(editor.tools.fenceDragActive);
    EXPECT_FALSE(ws.clip.has_value());
}

TEST_F(ViewInputTest, ThePerspectiveViewTakesTheMouseThroughTheConversion) {
    Mouse(ViewTop, WM_MOUSEMOVE, 150, 150);
    Mouse(ViewPerspective, WM_MOUSEMOVE, 30, 40);
    EXPECT_EQ(editor.mouse.previousMouseY, 150);
    EXPECT_EQ(editor.mouse.pixelX, 30);
    EXPECT_EQ(editor.mouse.pixelY, 40);
    EXPECT_EQ(editor.mouse.worldX, 0);
    EXPECT_EQ(editor.mouse.worldZ, 0);
}

TEST_F(ViewInputTest, TheStatusBarCountsAndFollowsTheMouseOverFlatViews) {
    Command(cmd::Mesh);
    Key(ViewTop, 'E');
    Mouse(ViewFront, WM_MOUSEMOVE, 150, 100);  // x 2, y 2 in the front view
    EXPECT_EQ(ws.statusText,
              "Vertex: 225 (0 sélectionnés)   Faces: 392 (0 sélectionnées)   Layer: 0   "
              "Outil: Déplacer XY   X: 2.000  Y: 2.000  Z: 0.000   Fichier: sans nom (modifié)");
    Send(ViewWindow(ViewFront).handle, WM_MOUSELEAVE);
    Command(cmd::SelectionnerFaces);
    EXPECT_EQ(ws.statusText,
              "Vertex: 225 (0 sélectionnés)   Faces: 392 (392 sélectionnées)   Layer: 0   "
              "Outil: Déplacer XY   Fichier: sans nom (modifié)");
    // At the right, what the buttons do with the tool.
    EXPECT_EQ(ws.statusHint,
              "Gauche : glisser : déplace la sélection dans le plan de la vue  ·  Droit : menu des "
              "outils  ·  F1 : aide");
    Key(ViewTop, 'Q');
    EXPECT_NE(ws.statusHint.find("Ctrl+clic : ajoute ou retire ce vertex"), std::string::npos)
        << ws.statusHint;
}

// The wheel zooms a flat view about the pointer and the middle button drags it; a small model
// that came in unseen is noted, and F frames it in every flat view and the perspective camera.
TEST_F(ViewInputTest, TheMouseSteersTheViewsAndFFramesAModelThatCameInUnseen) {
    const auto worldUnder = [&](ViewId v, int x, int y) {
        MouseState m;
        MouseToWorld(m, editor.viewStates, v, PackMousePosition(x, y), false);
        return std::array{m.worldX, m.worldY, m.worldZ};
    };
    const auto under = worldUnder(ViewTop, 60, 190);
    Mouse(ViewTop, WM_MOUSEWHEEL, 60, 190, std::uint32_t{WheelNotch} << 16);
    EXPECT_EQ(editor.viewStates[ViewTop].width, 10.0);
    const auto near = [](std::array<double, 3> a, std::array<double, 3> b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 1e-9;
    };
    EXPECT_TRUE(near(worldUnder(ViewTop, 60, 190), under));
    Mouse(ViewTop, WM_MBUTTONDOWN, 60, 190, MK_MBUTTON);
    Mouse(ViewTop, WM_MOUSEMOVE, 100, 150, MK_MBUTTON);
    Mouse(ViewTop, WM_MBUTTONUP, 100, 150);
    EXPECT_TRUE(near(worldUnder(ViewTop, 100, 150), under));
    EXPECT_EQ(scene().vertexCount(), 0);  // the start tool made no vertex

    TempDir dir;
    const std::string model = "v 0.5 0.5 0.5\nv 2 0.5 0.5\nv 0.5 2 1.25\nf 1 2 3\n";
    WriteAll(dir.File("small.obj"), {model.begin(), model.end()});
    ws.dropped = {dir.File("small.obj")};
    Send(editor.frame.handle, WM_DROPFILES, 1);
    EXPECT_NE(ws.statusHint.find("Cadrer tout"), std::string::npos) << ws.statusHint;
    const auto outside = [&] {
        int n = 0;
        for (const ViewId v : FlatViews)
            for (const Vertex& p : scene().vertices) {
                const PixelPoint at = ProjectToView(p.x, p.y, p.z, editor.viewStates[v], v);
                n += at.x < 0 || at.x >= 250 || at.y < 0 || at.y >= 250;
            }
        return n;
    };
    Mouse(ViewPerspective, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    Mouse(ViewPerspective, WM_MOUSEMOVE, 160, 40, MK_LBUTTON);
    Mouse(ViewPerspective, WM_LBUTTONUP, 160, 40);
    EXPECT_NE(editor.camera.yaw, OrbitCamera::Start().yaw);
    Key(ViewFront, 'F');
    EXPECT_EQ(outside(), 0);
    EXPECT_GT(editor.viewStates[ViewTop].width, 1.5);
    EXPECT_LT(editor.viewStates[ViewTop].width, 2.0);  // 1.5 units fill 90 % of it
    EXPECT_EQ(editor.camera.yaw, OrbitCamera::Start().yaw);
    EXPECT_EQ(ws.statusHint.find("Cadrer tout"), std::string::npos);
}

}  // namespace
}  // namespace kvx::test
