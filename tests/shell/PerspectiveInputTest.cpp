// The perspective view's keys and popup commands through its window procedure.

#include <gtest/gtest.h>

#include "TempDir.h"
#include "perspective/TargaExport.h"
#include "shell/EditorFixture.h"

namespace kvx::test {
namespace {

using namespace platform;

class PerspectiveInputTest : public EditorFixture {
  protected:
    void SetUp() override {
        Start();
        Command(cmd::Mesh);
    }
    void Key(std::uint32_t key, std::uint32_t message = WM_KEYDOWN) {
        Send(ViewWindow(ViewPerspective).handle, message, key);
    }
    void Popup(std::uint32_t id) { Send(ViewWindow(ViewPerspective).handle, WM_COMMAND, id); }
    std::vector<std::uint8_t> Picture() {
        return ws.lastPresented[ViewWindow(ViewPerspective).handle].pixels;
    }
    const rm::Matrix4& Placement(int layer) {
        return editor.scene->placementFrame(layer).frame->Transform();
    }
    void ChooseNext(std::optional<RgbColour> colour) {
        editor.chooseColour = [colour] { return colour; };
    }
};

TEST_F(PerspectiveInputTest, KeysTurnAndMoveTheLayerAndEscapePutsItBackPixelForPixel) {
    const auto start = Picture();
    ClearPresented();
    Key(VK_PRIOR);
    EXPECT_NE(Picture(), start);
    EXPECT_EQ(ws.presentOrder, std::vector{ViewWindow(ViewPerspective).handle});  // only it
    Key(VK_LEFT);
    EXPECT_DOUBLE_EQ(Placement(0).m[3][0], 1.0);  // Left moves towards +x
    Key(VK_ADD);
    EXPECT_DOUBLE_EQ(Placement(0).m[3][1], -1.0);  // keypad + towards -y
    Key(VK_ESCAPE);
    EXPECT_EQ(Picture(), start);
    EXPECT_EQ(editor.display.quitRequested, 0);  // Escape here is not the frame's
}

TEST_F(PerspectiveInputTest, AllLayersMoveTogetherButAltTurnsOnlyTheCurrentSpinFrame) {
    Command(cmd::TousLesLayers);
    Key(VK_UP);
    for (int layer = 0; layer < LayerCount; ++layer)
        EXPECT_DOUBLE_EQ(Placement(layer).m[3][2], 1.0) << "layer " << layer;
    Key(VK_HOME, WM_SYSKEYDOWN);
    const auto& spin = [&](int layer) -> const rm::Matrix4& {
        return editor.scene->spinFrame(layer).frame->Transform();
    };
    EXPECT_NE(spin(0).m[1][1], 1.0);
    EXPECT_EQ(spin(1).m[1][1], 1.0);
    Key(VK_ESCAPE);
    for (int layer = 0; layer < LayerCount; ++layer)
        EXPECT_EQ(Placement(layer).m, rm::Matrix4::Identity().m) << "layer " << layer;
}

TEST_F(PerspectiveInputTest, ColourCommandsScaleTheBytesAndSwitchingOffBlackensTheLight) {
    PerspectiveRig& rig = View(ViewPerspective).rig;
    ChooseNext(RgbColour{255, 128, 0});
    Popup(cmd::PointLightColour);
    EXPECT_EQ(editor.pointLight.red, 255.0);  // unscaled
    EXPECT_EQ(editor.pointLight.green, 128.0);
    Popup(cmd::DirectionalColour);
    EXPECT_EQ(rig.directional.red, 0.99609375);  // 255 / 256
    Popup(cmd::AmbientColour);
    EXPECT_EQ(rig.ambient.green, 0.5);
    Popup(cmd::AmbientOff);
    EXPECT_EQ(rig.ambient.red, 0.0);
    Popup(cmd::PointLightOff);
    EXPECT_EQ(editor.pointLight.red, 0.0);
    // A cancelled background colour keeps the colour but still redraws.
    ChooseNext(std::nullopt);
    ClearPresented();
    Popup(cmd::BackgroundColour);
    EXPECT_EQ(editor.background.entries[ViewPerspective].red, 0);
    EXPECT_FALSE(ws.presentOrder.empty());
}

TEST_F(PerspectiveInputTest, SauvegarderWritesThePictureAsLastDrawn) {
    TempDir dir;
    const std::string path = dir.File("vue");  // no extension is added
    prompts.QueueFileName(path);
    Popup(cmd::SaveImage);
    const std::vector<std::uint8_t> file = ReadAll(path);
    ASSERT_EQ(file.size(), 187518u);
    // The bottom-left pixel of the view comes first after the header.
    const auto& shown = ws.lastPresented[ViewWindow(ViewPerspective).handle];
    const std::uint32_t bottomLeft = shown.Pixel(0, 249);
    EXPECT_EQ(file[18] | file[19] << 8 | file[20] << 16, static_cast<int>(bottomLeft));
    EXPECT_EQ(prompts.dialogs().back().settings.title, "Sauvegarde de la vue perspective");
    // The next export starts with the name used.
    prompts.QueueFileName(std::nullopt);
    Popup(cmd::SaveImage);
    EXPECT_EQ(prompts.dialogs().back().settings.fileName, path);
    // A file that cannot be written is reported, not passed over.
    prompts.QueueFileName(dir.File("missing/vue.tga"));
    Popup(cmd::SaveImage);
    ASSERT_FALSE(prompts.messages().empty());
    EXPECT_EQ(prompts.messages().back().text, TargaSaveErrorText);
}

// Regression: the paint message the toolkit sends after each present cleared the redraw of the
// next animation step, so only every second step was shown.
TEST_F(PerspectiveInputTest, EveryAnimationStepIsDrawnEvenWhenAPaintComesFirst) {
    Command(cmd::Start);
    for (int tick = 0; tick < 3; ++tick) {
        Send(editor.frame.handle, WM_TIMER, AnimationTimerId);
        ClearPresented();
        Send(ViewWindow(ViewPerspective).handle, WM_PAINT);
        EXPECT_EQ(ws.presentOrder, std::vector{ViewWindow(ViewPerspective).handle}) << tick;
    }
}

TEST_F(PerspectiveInputTest, AMinimisedViewIsDrawnOnlyOnceShownAgain) {
    const WindowHandle window = ViewWindow(ViewPerspective).handle;
    ws.ShowWindow(window, SW_MINIMIZE);
    ClearPresented();
    Key(VK_PRIOR);
    EXPECT_TRUE(ws.presentOrder.empty());
    ws.ShowWindow(window, SW_RESTORE);
    Send(window, WM_SIZE);
    EXPECT_EQ(ws.presentOrder, std::vector{window});
}

// Regression: a perspective view whose device could not be made stayed open with half its lights.
TEST_F(PerspectiveInputTest, AViewThatCannotRenderClosesWithNothingLeftBehind) {
    Command(cmd::VuePerspective);  // close
    ws.emptyClientTitle = "Perspective";
    Command(cmd::VuePerspective);
    EXPECT_FALSE(View(ViewPerspective).isOpen);
    EXPECT_FALSE(ws.Checked(cmd::VuePerspective));
    EXPECT_EQ(ViewWindow(ViewPerspective).handle, NoWindow);
    EXPECT_EQ(View(ViewPerspective).rig.ambient.light, nullptr);
    EXPECT_EQ(View(ViewPerspective).rig.directional.light, nullptr);
    Send(editor.frame.handle, WM_COMMAND, cmd::Regles);  // the loop goes on
}

}  // namespace
}  // namespace kvx::test
