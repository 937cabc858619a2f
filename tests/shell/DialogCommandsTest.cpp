// The dialogs as the editor's commands open them, answered through a scripted dialog host.

#include <gtest/gtest.h>

#include <cstdio>

#include "resources/DialogTemplates.h"
#include "shell/EditorFixture.h"
#include "shell/FakeDialogHost.h"

namespace kvx::test {
namespace {

using namespace platform;

class DialogCommandsTest : public EditorFixture {
  protected:
    void SetUp() override {
        editor.dialogHost = &dialogs;
        Start();
    }
    Message Mouse(std::uint32_t m, int x, int y) { return {0, m, 0, PackMousePosition(x, y)}; }
    std::string Text(WindowHandle dialog, std::uint32_t id) { return dialogs.texts[{dialog, id}]; }
    void Popup(ViewId v, std::uint32_t id) { Send(ViewWindow(v).handle, WM_COMMAND, id); }
    FakeDialogHost dialogs{queue};
};

TEST_F(DialogCommandsTest, ThePickedColourReachesTheBackgroundOnlyAfterOk) {
    // A click on strip entry 50, then OK.
    dialogs.script = {
        Mouse(WM_LBUTTONDOWN, 60, 80), Mouse(WM_LBUTTONUP, 60, 80), {0, WM_COMMAND, IDOK, 0}};
    Popup(ViewPerspective, cmd::BackgroundColour);
    EXPECT_EQ(dialogs.shown.back(), "Dialog");
    EXPECT_EQ(dialogs.presentedRegions, 8u);
    const RgbColour bg = editor.background.entries[ViewPerspective];
    EXPECT_EQ((std::array{bg.red, bg.green, bg.blue}), (std::array{111, 255, 0}));
    // The same with Cancel changes nothing, for the faces too.
    Command(cmd::Mesh);
    Command(cmd::SelectionnerFaces);
    dialogs.script.back() = {0, WM_COMMAND, IDCANCEL, 0};
    Popup(ViewTop, cmd::FaceColour);
    EXPECT_EQ(editor.scene->faces[0].red, 33);  // the mesh's own colour
    dialogs.script.back() = {0, WM_COMMAND, IDOK, 0};
    ClearPresented();
    Popup(ViewTop, cmd::FaceColour);
    EXPECT_EQ(editor.scene->faces[0].red, 111);
    EXPECT_EQ(ws.presentOrder.size(), 7u);  // every view shows the new colour
}

TEST_F(DialogCommandsTest, ThePositionDialogFollowsTheMouseWhileOpen) {
    Command(cmd::PositionSouris);
    EXPECT_TRUE(ws.Checked(cmd::PositionSouris));
    ASSERT_EQ(dialogs.open.size(), 1u);
    const WindowHandle dialog = dialogs.open[0];
    Send(ViewWindow(ViewTop).handle, WM_MOUSEMOVE, 0, PackMousePosition(150, 100));
    EXPECT_EQ(Text(dialog, 1000), "2.000000");
    EXPECT_EQ(Text(dialog, 1002), "2.000000");
    EXPECT_EQ(Text(dialog, 1005), "150.000000");
    EXPECT_EQ(dialogs.texts.count({dialog, 1006}), 0u);
    Command(cmd::PositionSouris);  // already shown: no second one
    EXPECT_EQ(dialogs.open.size(), 1u);
    Send(dialog, WM_CLOSE);
    EXPECT_FALSE(ws.Checked(cmd::PositionSouris));
    EXPECT_TRUE(dialogs.open.empty());
    Send(ViewWindow(ViewTop).handle, WM_MOUSEMOVE, 0, PackMousePosition(10, 10));
    EXPECT_EQ(Text(dialog, 1005), "150.000000");
}

TEST_F(DialogCommandsTest, ThePointLightDialogShowsAndAppliesTheAttenuation) {
    Popup(ViewPerspective, cmd::PointLightEdit);
    ASSERT_EQ(dialogs.open.size(), 1u);
    const WindowHandle dialog = dialogs.open[0];
    EXPECT_EQ(Text(dialog, 1020), "1.");
    dialogs.texts[{dialog, 1018}] = "0.5";
    dialogs.texts[{dialog, 1020}] = "1e999";
    Send(dialog, WM_COMMAND, 1021);
    EXPECT_EQ(editor.pointLight.linear, 0.5);
    EXPECT_EQ(editor.pointLight.quadratic, 0.0);
    Send(dialog, WM_COMMAND, IDOK);
    EXPECT_TRUE(dialogs.open.empty());
    Popup(ViewPerspective, cmd::PointLightEdit);  // it can be opened again
    ASSERT_EQ(dialogs.open.size(), 1u);
    dialogs.texts[{dialogs.open[0], 1018}] = "7";  // Cancel applies nothing
    Send(dialogs.open[0], WM_COMMAND, IDCANCEL);
    EXPECT_EQ(editor.pointLight.linear, 0.5);
    EXPECT_TRUE(dialogs.open.empty());
}

TEST_F(DialogCommandsTest, TheAboutBoxIsModalAndEndsWhenClosed) {
    dialogs.script = {{0, WM_COMMAND, IDOK, 0}, {0, WM_CLOSE, 0, 0}};
    Command(cmd::About);
    EXPECT_EQ(dialogs.shown.back(), "A propos de ....");
}

// "Position des vertex...": one vertex takes the typed position, several are moved, turned and
// scaled about their centre; a refused box is named and changes nothing; each is one undo step.
TEST_F(DialogCommandsTest, TypedPositionsPlaceTheSelectionAsOneStep) {
    for (const double x : {1.0, 3.0})
        scene().AppendVertex(x, 0, 0, 0);
    scene().ToggleVertex(0);
    const std::uint32_t box = resources::IdPlacementBox;
    dialogs.typed = {{box, "x"}, {box + 1, " 0,5 "}, {box + 2, "-2"}};
    dialogs.script = {{0, WM_COMMAND, IDOK, 0}, {0, WM_COMMAND, IDCANCEL, 0}};
    Popup(ViewTop, cmd::PositionVertex);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_NE(prompts.messages()[0].text.find("(Position, x)"), std::string::npos)
        << prompts.messages()[0].text;
    EXPECT_EQ(scene().vertices[0].x, 1.0f);  // the refusal changed nothing
    dialogs.typed[box] = "1e39";             // beyond a float
    Popup(ViewTop, cmd::PositionVertex);
    EXPECT_NE(prompts.messages().back().text.find("3.4e38"), std::string::npos);
    dialogs.typed[box] = "1.1";
    Popup(ViewTop, cmd::PositionVertex);
    const Vertex& v = scene().vertices[0];
    EXPECT_EQ((std::array{v.x, v.y, v.z}), (std::array{1.1f, 0.5f, -2.0f}));
    ASSERT_TRUE(editor.history.CanUndo());
    Command(cmd::Annuler);
    EXPECT_EQ((std::array{v.x, v.y, v.z}), (std::array{1.0f, 0.0f, 0.0f}));

    // Two vertices (1, 0, 0) and (3, 0, 0): moved by (0, 0, 1), turned 90 degrees about y about
    // their centre (2, 0, 1), then doubled along x.
    scene().ToggleVertex(1);
    dialogs.typed = {{box, "0"},     {box + 1, "0"},  {box + 2, "1"},
                     {box + 3, "0"}, {box + 4, "90"}, {box + 5, "0"},
                     {box + 6, "2"}, {box + 7, "1"},  {box + 8, "1"}};
    dialogs.script = {{0, WM_COMMAND, IDOK, 0}};
    Popup(ViewTop, cmd::PositionVertex);
    const Vertex& a = scene().vertices[0];
    const Vertex& b = scene().vertices[1];
    // (-1, 0, 0) from the centre turns to (0, 0, 1) about y (x' = x cos + z sin, z' = -x sin +
    // z cos), and (1, 0, 0) to (0, 0, -1).
    EXPECT_NEAR(a.x, 2.0, 1e-6);
    EXPECT_NEAR(a.z, 2.0, 1e-6);
    EXPECT_NEAR(b.x, 2.0, 1e-6);
    EXPECT_NEAR(b.z, 0.0, 1e-6);
    Command(cmd::Annuler);
    EXPECT_EQ((std::array{a.x, b.x, a.z}), (std::array{1.0f, 3.0f, 0.0f}));
}

}  // namespace
}  // namespace kvx::test
