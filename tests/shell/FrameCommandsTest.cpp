// The frame procedure driven by synthetic messages: toggles with their check marks, views,
// layers, scene commands, files, the animation and closing.

#include <cstdio>
#include <fstream>

#include "shell/EditorFixture.h"

namespace kvx::test {
namespace {

using namespace platform;

class FrameCommandsTest : public EditorFixture {
  protected:
    void SetUp() override { Start(); }
};

// Each toggle flips its flag and the check mark; "Deplacement" is checked while the flag is off.
TEST_F(FrameCommandsTest, TogglesFlipTheirFlagAndCheckMark) {
    DisplayState& d = editor.display;
    struct Case {
        std::uint32_t id;
        const std::int32_t* flag;
        std::int32_t initial;
        bool checkedWhenSet;
    };
    const Case cases[] = {{cmd::AxeSouris, &d.showMouseAxes, 0, true},
                          {cmd::Regles, &d.showRulers, 1, true},
                          {cmd::Grille, &d.showGrid, 0, true},
                          {cmd::GrilleMagnetique, &d.magneticGrid, 0, true},
                          {cmd::VecteursNormaux, &d.showNormals, 0, true},
                          {cmd::Lumieres, &d.lightsOn, 0, true},
                          {cmd::Deplacement, &d.pinViews, 0, false},
                          {cmd::TousLesLayers, &editor.scene->allLayers, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(*c.flag, c.initial);
        for (std::int32_t expected : {1 - c.initial, c.initial}) {
            Command(c.id);
            EXPECT_EQ(*c.flag, expected);
            EXPECT_EQ(ws.Checked(c.id), (expected == 1) == c.checkedWhenSet);
        }
    }
    // "Lumieres" shows both light markers, and hides them again.
    Command(cmd::Lumieres);
    EXPECT_EQ(editor.pointLight.markerShown, 1);
    EXPECT_EQ(View(ViewPerspective).rig.directional.markerShown, 1);
    Command(cmd::Lumieres);
    EXPECT_EQ(editor.pointLight.markerShown, 0);
    EXPECT_EQ(View(ViewPerspective).rig.directional.markerShown, 0);
}

TEST_F(FrameCommandsTest, LayerCommandsMoveTheCheckMarkAndClearSelectionsOnChange) {
    editor.scene->AppendVertex(0, 0, 0, 0);
    editor.scene->ToggleVertex(0);
    Command(cmd::Layer0);  // the current layer again keeps the selection
    EXPECT_EQ(editor.scene->selectedVertexCount(), 1);
    EXPECT_TRUE(ws.Checked(cmd::Layer0));
    Command(cmd::Layer0 + 3);
    EXPECT_EQ(editor.scene->currentLayer, 3);
    EXPECT_EQ(editor.scene->selectedVertexCount(), 0);
    EXPECT_FALSE(ws.Checked(cmd::Layer0));
    EXPECT_TRUE(ws.Checked(cmd::Layer0 + 3));
    Command(cmd::Layer9);
    EXPECT_EQ(editor.scene->currentLayer, 9);
    EXPECT_FALSE(ws.Checked(cmd::Layer0 + 3));
    EXPECT_TRUE(ws.Checked(cmd::Layer9));
}

// Each "Vues" item closes its own view, releasing its window and canvas, and opens it again
// with the zoom reset and the pan kept.
TEST_F(FrameCommandsTest, ViewCommandsCloseAndReopenTheirViewWithCheckMarks) {
    ViewState& top = editor.viewStates[ViewTop];
    top.width = 80.0;
    top.centerU = 3.0;
    const std::pair<std::uint32_t, ViewId> items[] = {{cmd::VueDessus, ViewTop},
                                                      {cmd::VueBas, ViewBottom},
                                                      {cmd::VueGauche, ViewLeft},
                                                      {cmd::VueDroite, ViewRight},
                                                      {cmd::VueDevant, ViewFront},
                                                      {cmd::VueDerriere, ViewBack},
                                                      {cmd::VuePerspective, ViewPerspective}};
    for (const auto& [id, view] : items) {
        SCOPED_TRACE(id);
        const WindowHandle old = ViewWindow(view).handle;
        Command(id);
        EXPECT_EQ(View(view).isOpen, 0);
        EXPECT_FALSE(ws.Checked(id));
        EXPECT_EQ(ws.Find(old), nullptr);
        EXPECT_EQ(ViewWindow(view).handle, NoWindow);
        EXPECT_FALSE(View(view).canvas.IsCreated());
        for (const ViewDescription& d : ViewTable) {
            if (d.id != view) {
                EXPECT_EQ(View(d.id).isOpen, 1) << d.title;
            }
        }
        Command(id);
        EXPECT_EQ(View(view).isOpen, 1);
        EXPECT_TRUE(ws.Checked(id));
        EXPECT_NE(ViewWindow(view).handle, old);
    }
    EXPECT_EQ(top.width, 20.0);
    EXPECT_EQ(top.centerU, 3.0);
}

TEST_F(FrameCommandsTest, AlignerReopensClosedViewsAndMovesAll) {
    Command(cmd::VueBas);
    Command(cmd::VuePerspective);
    ws.SetWindowPosition(ViewWindow(ViewFront).handle, Point{77, 88});
    Command(cmd::Aligner);
    for (const ViewDescription& d : ViewTable) {
        EXPECT_EQ(View(d.id).isOpen, 1) << d.title;
        EXPECT_TRUE(ws.Checked(d.menuItem)) << d.title;
        EXPECT_EQ(ws.Find(ViewWindow(d.id).handle)->outer.left, d.alignedPosition.x);
        EXPECT_EQ(ws.Find(ViewWindow(d.id).handle)->outer.top, d.alignedPosition.y);
    }
}

TEST_F(FrameCommandsTest, ResetRestoresTheSixViewsOnly) {
    for (auto& s : editor.viewStates)
        s = ViewState{40.0, 2.0, 3.0, 250};
    editor.scene->AppendVertex(0, 0, 0, 0);
    editor.scene->ToggleVertex(0);
    Command(cmd::Reset);
    for (ViewId v = ViewTop; v <= ViewBack; ++v) {
        EXPECT_EQ(editor.viewStates[static_cast<std::size_t>(v)].width, 20.0);
        EXPECT_EQ(editor.viewStates[static_cast<std::size_t>(v)].centerU, 0.0);
        EXPECT_EQ(editor.viewStates[static_cast<std::size_t>(v)].centerV, 0.0);
    }
    EXPECT_EQ(editor.scene->selectedVertexCount(), 1);
}

TEST_F(FrameCommandsTest, EditionCommandsReachTheScene) {
    Command(cmd::Mesh);
    Command(cmd::SelectionnerVertex);
    EXPECT_EQ(editor.scene->selectedVertexCount(), 225);
    editor.scene->ToggleVertex(0);
    Command(cmd::InverserSelection);
    EXPECT_EQ(editor.scene->selectedVertexCount(), 1);
    Command(cmd::SelectionnerFaces);
    EXPECT_EQ(editor.scene->selectedFaceCount(), 392);
    Command(cmd::Suprimer);
    EXPECT_EQ(editor.scene->faceCount(), 0);
    EXPECT_EQ(editor.scene->selectedFaceCount(), 0);
    // "Copier" copies the selected vertex and switches to "Deplacer XY" with its cursor.
    editor.scene->ToggleVertex(0);
    Command(cmd::Copier);
    EXPECT_EQ(editor.scene->vertexCount(), 226);
    EXPECT_EQ(editor.display.toolMode, 2);
    ASSERT_FALSE(ws.cursors.empty());
    EXPECT_EQ(ws.cursors.back(), 6);  // "ALLDIRECTION"
}

TEST_F(FrameCommandsTest, CreationsFaceShowsTheLayerMessage) {
    editor.scene->AppendVertex(0, 0, 0, 0);
    editor.scene->AppendVertex(1, 0, 0, 0);
    editor.scene->AppendVertex(1, 0, 1, 1);
    editor.scene->allLayers = 1;
    for (int i = 0; i < 3; ++i)
        editor.scene->ToggleVertex(i);
    Command(cmd::CreerFace);
    EXPECT_EQ(editor.scene->faceCount(), 0);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, "Attention...");
}

TEST_F(FrameCommandsTest, OuvrirOfABadFileShowsTheLoadMessageAndRealigns) {
    const std::string path = ::testing::TempDir() + "kolvex_bad.KVX";
    std::ofstream(path, std::ios::binary) << "not a scene file at all, not at all";
    Command(cmd::Mesh);
    Command(cmd::VueBas);
    prompts.QueueFileName(path);
    prompts.QueueAnswer(IDNO);  // the mesh is not kept
    Command(cmd::Ouvrir);
    ASSERT_EQ(prompts.dialogs().size(), 1u);
    EXPECT_FALSE(prompts.dialogs()[0].save);
    EXPECT_EQ(prompts.dialogs()[0].settings.title, "Ouverture d'un fichier Kolvex...");
    ASSERT_EQ(prompts.messages().size(), 2u);
    EXPECT_EQ(prompts.messages()[0].text, "Enregistrer les modifications ?");
    EXPECT_EQ(prompts.messages()[1].text, "Erreur lors du chargement du Fichier!");
    EXPECT_EQ(prompts.messages()[1].title, "Attenntion...");
    EXPECT_EQ(editor.scene->faceCount(), 392);  // a bad file changes nothing
    EXPECT_EQ(View(ViewBottom).isOpen, 1);      // "Aligner" followed
    std::remove(path.c_str());
}

TEST_F(FrameCommandsTest, EnregistrerThenImporterRoundTrips) {
    const std::string path = ::testing::TempDir() + "kolvex_round";
    Command(cmd::Mesh);
    prompts.QueueFileName(path);
    Command(cmd::Enregistrer);
    ASSERT_EQ(prompts.dialogs().size(), 1u);
    EXPECT_TRUE(prompts.dialogs()[0].save);
    EXPECT_EQ(prompts.dialogs()[0].settings.title, "Sauvegarde d'un fichier Kolvex...");
    prompts.QueueFileName(path + ".KVX");
    Command(cmd::Importer);
    EXPECT_EQ(editor.scene->faceCount(), 2 * 392);
    prompts.QueueAnswer(IDNO);
    prompts.QueueFileName(std::nullopt);  // cancelled
    Command(cmd::Ouvrir);
    EXPECT_EQ(editor.scene->faceCount(), 2 * 392);
    ASSERT_EQ(prompts.messages().size(), 1u);  // only the question about the import
    EXPECT_EQ(prompts.messages()[0].text, "Enregistrer les modifications ?");
    std::remove((path + ".KVX").c_str());
}

TEST_F(FrameCommandsTest, StartTurnsLayerZeroOnTicksAndStopResetsIt) {
    Command(cmd::Start);
    EXPECT_EQ(editor.display.animate, 1);
    EXPECT_EQ(ws.timers.count({editor.frame.handle, AnimationTimerId}), 1u);
    const auto& frame = *editor.scene->placementFrame(0).frame;
    const auto before = frame.Transform().m;
    Send(editor.frame.handle, WM_MOUSEMOVE);  // ordinary messages take no step
    EXPECT_EQ(frame.Transform().m, before);
    Send(editor.frame.handle, WM_TIMER, AnimationTimerId);
    EXPECT_NE(frame.Transform().m, before);
    EXPECT_EQ(View(ViewPerspective).needsRedraw, 1);
    Command(cmd::Stop);
    EXPECT_EQ(editor.display.animate, 0);
    EXPECT_EQ(ws.timers.size(), 0u);
    EXPECT_EQ(frame.Transform().m, before);
}

TEST_F(FrameCommandsTest, FrameCloseEndsTheLoopWithThePostedViewCloses) {
    struct QuietPump : EventPump {
        bool ProcessEvents(bool) override { return false; }
    } pump;
    queue.Post(editor.frame.handle, WM_COMMAND, cmd::Quitter);
    EXPECT_EQ(RunMessageLoop(editor, pump), 0u);
    EXPECT_EQ(editor.display.quitRequested, 1);
    // Each open view was sent a close; the loop ended before handling them.
    EXPECT_EQ(queue.Size(), 7u);
}

TEST_F(FrameCommandsTest, CommandsOutsideTheRangeAreIgnored) {
    Command(40114);
    Command(40000);
    EXPECT_EQ(editor.display.showGrid, 0);
    EXPECT_EQ(editor.display.quitRequested, 0);
}

}  // namespace
}  // namespace kvx::test
