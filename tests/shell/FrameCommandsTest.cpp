// The frame procedure driven by synthetic messages: toggles with their check marks, views,
// layers, scene commands, files, the animation, undo and redo, and closing.

#include <cstdio>
#include <fstream>
#include <functional>

#include "TempDir.h"
#include "platform/Settings.h"
#include "scene/SceneFile.h"
#include "shell/EditorFixture.h"
#include "shell/HistoryCommands.h"
#include "shell/RecentFiles.h"

namespace kvx::test {
namespace {

using namespace platform;

class FrameCommandsTest : public EditorFixture {
  protected:
    void SetUp() override { Start(); }
};

// Each toggle flips its flag and the check mark; "Deplacement" is checked while the flag is off.
// "Enregistrer" (Ctrl+S) asks for a name only once the scene has none; the status bar names the
// scene's file and says when it has unsaved changes.
TEST_F(FrameCommandsTest, QuickSaveAsksOnlyForANewSceneAndTheStatusBarNamesTheFile) {
    TempDir dir;
    Command(cmd::Mesh);
    EXPECT_TRUE(ws.statusText.ends_with("   Fichier: sans nom (modifié)")) << ws.statusText;
    prompts.QueueFileName(dir.File("pyramide"));
    Command(cmd::EnregistrerFichier);
    ASSERT_EQ(prompts.dialogs().size(), 1u);
    EXPECT_TRUE(ws.statusText.ends_with("   Fichier: pyramide.KVX")) << ws.statusText;
    Command(cmd::Mesh);
    EXPECT_TRUE(ws.statusText.ends_with("   Fichier: pyramide.KVX (modifié)")) << ws.statusText;
    Command(cmd::EnregistrerFichier);
    EXPECT_EQ(prompts.dialogs().size(), 1u);  // no second dialog
    EXPECT_FALSE(editor.history.Modified());
    EXPECT_EQ(ReadAll(dir.File("pyramide.KVX")), SceneBytes(scene()));
    EXPECT_EQ(scene().vertexCount(), 450);
    // "Nouveau" forgets the name.
    Command(cmd::Nouveau);
    EXPECT_EQ(ws.statusText.find("Fichier:"), std::string::npos) << ws.statusText;
}

// Files dropped on the frame: a scene opens after the unsaved-changes question, an OBJ file is
// added as one step that can be undone, two scenes at once open nothing.
TEST_F(FrameCommandsTest, DroppedFilesOpenAsTheirMenuCommandsOpenThem) {
    TempDir dir;
    Command(cmd::Mesh);
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene(), dir.File("mesh.KVX"), reason)) << reason;
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    WriteAll(dir.File("tri.obj"), {triangle.begin(), triangle.end()});
    const auto drop = [&](std::vector<std::string> files) {
        prompts.ClearRecord();
        ws.dropped = std::move(files);
        Send(editor.frame.handle, WM_DROPFILES, static_cast<std::uint32_t>(ws.dropped.size()));
        return prompts.messages().size();
    };
    Command(cmd::Mesh);  // 450 vertices, unsaved: the question comes (answered Non)
    EXPECT_EQ(drop({dir.File("mesh.KVX")}), 1u);
    EXPECT_EQ(prompts.messages()[0].text, SaveChangesText);
    EXPECT_EQ(scene().vertexCount(), 225);
    EXPECT_FALSE(editor.history.Modified());
    EXPECT_EQ(drop({dir.File("tri.obj")}), 0u);
    EXPECT_EQ(scene().vertexCount(), 228);
    Command(cmd::Annuler);
    EXPECT_EQ(scene().vertexCount(), 225);
    EXPECT_EQ(drop({dir.File("mesh.KVX"), dir.File("mesh.KVX"), dir.File("tri.obj")}), 1u);
    EXPECT_EQ(scene().vertexCount(), 225);
}

// The last eight scenes opened or saved, newest first, in "Fichier" and in the settings; one
// that has vanished goes from the list when chosen.
TEST_F(FrameCommandsTest, RecentFilesFollowOpeningAndSavingAndLoseVanishedOnes) {
    TempDir dir;
    platform::MemorySettings settings;
    settings.SetStringList(RecentFilesKey, {dir.File("gone.KVX")});
    editor.settings = &settings;
    LoadRecentFiles(editor);
    EXPECT_EQ(ws.itemTexts[cmd::RecentFile0], "1 gone.KVX");
    EXPECT_EQ(ws.itemTexts[cmd::RecentFile0 + 1], "");
    Command(cmd::Mesh);
    for (const char* name : {"a", "b"}) {
        prompts.QueueFileName(dir.File(name));
        Command(cmd::Enregistrer);
    }
    EXPECT_EQ(
        settings.StringList(RecentFilesKey),
        (std::vector<std::string>{dir.File("b.KVX"), dir.File("a.KVX"), dir.File("gone.KVX")}));
    EXPECT_EQ(ws.itemTexts[cmd::RecentFile0 + 1], "2 a.KVX");
    Command(cmd::Nouveau);
    Command(cmd::RecentFile0 + 1);  // a.KVX
    EXPECT_EQ(scene().vertexCount(), 225);
    EXPECT_EQ(editor.documentPath, dir.File("a.KVX"));
    EXPECT_EQ(ws.itemTexts[cmd::RecentFile0], "1 a.KVX");
    prompts.ClearRecord();
    Command(cmd::RecentFile0 + 2);  // gone.KVX
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_NE(prompts.messages()[0].text.find("n'existe plus"), std::string::npos);
    EXPECT_EQ(settings.StringList(RecentFilesKey),
              (std::vector<std::string>{dir.File("a.KVX"), dir.File("b.KVX")}));
    for (int i = 0; i < 10; ++i) {
        prompts.QueueFileName(dir.File("n" + std::to_string(i)));
        Command(cmd::Enregistrer);
    }
    ASSERT_EQ(settings.StringList(RecentFilesKey).size(), 8u);
    EXPECT_EQ(settings.StringList(RecentFilesKey)[0], dir.File("n9.KVX"));
    EXPECT_EQ(ws.itemTexts[cmd::RecentFile0 + 7], "8 n2.KVX");
}

TEST_F(FrameCommandsTest, TogglesFlipTheirFlagAndCheckMark) {
    DisplayState& d = editor.display;
    struct Case {
        std::uint32_t id;
        std::function<bool()> isSet;
        bool initial;
        bool checkedWhenSet;
    };
    const auto flag = [](const bool& f) { return [&f] { return f; }; };
    const Case cases[] = {
        {cmd::AxeSouris, flag(d.showMouseAxes), false, true},
        {cmd::Regles, flag(d.showRulers), true, true},
        {cmd::Grille, flag(d.showGrid), false, true},
        {cmd::GrilleMagnetique, flag(d.magneticGrid), false, true},
        {cmd::VecteursNormaux, flag(d.showNormals), false, true},
        {cmd::Lumieres, flag(d.lightsOn), false, true},
        {cmd::Deplacement, flag(d.pinViews), false, false},
        {cmd::TousLesLayers, [this] { return editor.scene->allLayers == 1; }, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(c.isSet(), c.initial);
        for (const bool expected : {!c.initial, c.initial}) {
            Command(c.id);
            EXPECT_EQ(c.isSet(), expected);
            EXPECT_EQ(ws.Checked(c.id), expected == c.checkedWhenSet);
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
        EXPECT_FALSE(View(view).isOpen);
        EXPECT_FALSE(ws.Checked(id));
        EXPECT_EQ(ws.Find(old), nullptr);
        EXPECT_EQ(ViewWindow(view).handle, NoWindow);
        EXPECT_FALSE(View(view).canvas.IsCreated());
        for (const ViewDescription& d : ViewTable) {
            if (d.id != view) {
                EXPECT_TRUE(View(d.id).isOpen) << d.title;
            }
        }
        Command(id);
        EXPECT_TRUE(View(view).isOpen);
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
        EXPECT_TRUE(View(d.id).isOpen) << d.title;
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
        EXPECT_EQ(editor.viewStates[v].width, 20.0);
        EXPECT_EQ(editor.viewStates[v].centerU, 0.0);
        EXPECT_EQ(editor.viewStates[v].centerV, 0.0);
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
    EXPECT_EQ(editor.display.toolMode, ToolMode::MoveXY);
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
    EXPECT_TRUE(View(ViewBottom).isOpen);       // "Aligner" followed
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
    EXPECT_TRUE(editor.display.animate);
    EXPECT_EQ(ws.timers.count({editor.frame.handle, AnimationTimerId}), 1u);
    const auto& frame = *editor.scene->placementFrame(0).frame;
    const auto before = frame.Transform().m;
    Send(editor.frame.handle, WM_MOUSEMOVE);  // ordinary messages take no step
    EXPECT_EQ(frame.Transform().m, before);
    Send(editor.frame.handle, WM_TIMER, AnimationTimerId);
    EXPECT_NE(frame.Transform().m, before);
    EXPECT_TRUE(editor.redraw.Marked(ViewPerspective));
    Command(cmd::Stop);
    EXPECT_FALSE(editor.display.animate);
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

// Undo and redo through the editor's own messages, and the question before unsaved work goes.
class HistoryCommandsTest : public FrameCommandsTest {
  protected:
    void Drag(ViewId v, int x0, int y0, int x1, int y1) {
        Mouse(v, WM_LBUTTONDOWN, x0, y0, MK_LBUTTON);
        Mouse(v, WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2, MK_LBUTTON);
        Mouse(v, WM_MOUSEMOVE, x1, y1, MK_LBUTTON);
        Mouse(v, WM_LBUTTONUP, x1, y1);
    }
    // Every vertex as the table and its layer mesh hold it.
    std::vector<float> Positions() {
        std::vector<float> out;
        for (const Vertex& v : scene().vertices) {
            const auto p = v.owner->builder->Positions()[static_cast<std::size_t>(v.meshIndex)];
            out.insert(out.end(), {v.x, v.y, v.z, p.x, p.y, p.z});
        }
        return out;
    }
};

TEST_F(HistoryCommandsTest, AWholeDragIsOneStepAndUndoWalksBackToAnEmptyScene) {
    Command(cmd::Mesh);
    const std::vector<float> grid = Positions();
    Command(cmd::SelectionnerVertex);
    Send(ViewWindow(ViewTop).handle, WM_KEYDOWN, 'E');  // move tool
    Drag(ViewTop, 125, 125, 150, 140);
    const std::vector<float> moved = Positions();
    ASSERT_NE(moved, grid);
    // A rotation across two presses is one step, ended by the right button.
    Send(ViewWindow(ViewTop).handle, WM_COMMAND, cmd::Rotate);
    Drag(ViewTop, 125, 125, 125, 140);
    Drag(ViewTop, 30, 30, 30, 40);
    Mouse(ViewTop, WM_RBUTTONUP, 30, 40);
    ASSERT_NE(Positions(), moved);

    Command(cmd::Annuler);
    EXPECT_EQ(Positions(), moved);
    Command(cmd::Annuler);
    EXPECT_EQ(Positions(), grid);
    EXPECT_EQ(scene().selectedVertexCount(), 225);
    Command(cmd::Annuler);
    EXPECT_EQ(scene().selectedVertexCount(), 0);
    Command(cmd::Annuler);
    EXPECT_EQ(scene().faceCount(), 0);
    EXPECT_EQ(scene().vertexCount(), 0);
    EXPECT_FALSE(editor.history.Modified());
    Command(cmd::Annuler);  // nothing left: nothing happens
    for (int i = 0; i < 3; ++i)
        Command(cmd::Retablir);
    EXPECT_EQ(Positions(), moved);
}

TEST_F(HistoryCommandsTest, UndoingALayerChoiceMovesTheCheckMarkBack) {
    Command(cmd::Layer0 + 3);
    EXPECT_EQ(scene().currentLayer, 3);
    Command(cmd::Annuler);
    EXPECT_EQ(scene().currentLayer, 0);
    EXPECT_TRUE(ws.checks[cmd::Layer0]);
    EXPECT_FALSE(ws.checks[cmd::Layer0 + 3]);
}

TEST_F(HistoryCommandsTest, QuittingAsksOnlyWhenTheModelChangedAndAnnulerKeepsTheEditor) {
    Command(cmd::SelectionnerVertex);  // a selection is no change to the file
    Command(cmd::Mesh);
    prompts.QueueAnswer(IDCANCEL);
    Command(cmd::Quitter);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, SaveChangesText);
    EXPECT_EQ(editor.display.quitRequested, 0);
    // Oui with a cancelled save keeps the editor too.
    prompts.QueueAnswer(IDYES);
    prompts.QueueFileName(std::nullopt);
    Send(editor.frame.handle, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(editor.display.quitRequested, 0);
    // Oui with a name saves, then quits.
    const std::string path = ::testing::TempDir() + "kolvex_quit.KVX";
    prompts.QueueAnswer(IDYES);
    prompts.QueueFileName(path);
    Send(editor.frame.handle, WM_CLOSE);
    EXPECT_EQ(editor.display.quitRequested, 1);
    EXPECT_TRUE(std::ifstream(path).good());
    std::remove(path.c_str());
}

// "Nouveau" empties the scene, forgets the history and realigns the views.
TEST_F(HistoryCommandsTest, NouveauAsksThenStartsAnUnchangedSceneWithNoHistory) {
    Command(cmd::Mesh);
    editor.viewStates[ViewFront].width = 5.0;
    Command(cmd::VueGauche);
    prompts.QueueAnswer(IDCANCEL);
    Command(cmd::Nouveau);
    EXPECT_EQ(scene().faceCount(), 392);
    Command(cmd::Nouveau);  // answered Non
    EXPECT_EQ(scene().vertexCount(), 0);
    EXPECT_EQ(scene().faceCount(), 0);
    EXPECT_FALSE(editor.history.CanUndo());
    EXPECT_EQ(editor.viewStates[ViewFront].width, 20.0);
    EXPECT_TRUE(View(ViewLeft).isOpen);  // the posted "Aligner" reopened it
    // Nothing to save: Escape closes the frame and its views without a question.
    prompts.ClearRecord();
    Send(editor.frame.handle, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(editor.display.quitRequested, 1);
    EXPECT_EQ(ws.Find(editor.frame.handle), nullptr);
}

}  // namespace
}  // namespace kvx::test
