// Start-up: the depth check, the frame with its menu and check marks, the seven views of
// "Aligner", and the first picture of the views.

#include <filesystem>

#include "TempDir.h"
#include "interchange/FormatRegistry.h"
#include "scene/SceneFile.h"
#include "shell/CommandLine.h"
#include "shell/EditorFixture.h"

namespace kvx::test {
namespace {

using namespace platform;

class StartupTest : public EditorFixture {};

TEST_F(StartupTest, RefusedDepthShowsTheMessageAndCreatesNoWindowAndThirtyTwoBitsDrawIn24) {
    for (int depth : {8, 15, 1}) {
        FakeWindowSystem w;
        w.depth = depth;
        ScriptedPrompts p;
        MessageQueue q;
        Editor e(w, p, q);
        struct NoEvents : EventPump {
            bool ProcessEvents(bool) override { return false; }
        } pump;
        EXPECT_EQ(RunEditor(e, pump), 0);
        ASSERT_EQ(p.messages().size(), 1u);
        EXPECT_EQ(
            p.messages()[0].text,
            "Vous devez configurer votre bureau avec 16 ou 24bits de profondeurs de couleur.");
        EXPECT_EQ(p.messages()[0].title, "Attention...");
        EXPECT_EQ(w.LiveWindowCount(), 0);
        EXPECT_TRUE(w.registeredClasses.empty());
    }
    // A 32-bit desktop draws on 24-bit canvases.
    EXPECT_EQ(CanvasDepthFor(16), 16);
    EXPECT_EQ(CanvasDepthFor(32), 24);
    Start(32);
    ASSERT_TRUE(started);
    EXPECT_EQ(View(ViewTop).canvas.BitsPerPixel(), 24);
    EXPECT_EQ(View(ViewPerspective).canvas.BitsPerPixel(), 24);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(StartupTest, FrameIsCentredTitledMaximisedAndHasTheMenu) {
    Start();
    const auto* frame = ws.Find(editor.frame.handle);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title, "Kolvex v1.0");
    EXPECT_EQ(frame->className, "ClassFenetrePrincipale");
    EXPECT_EQ(frame->outer.left, 1024 / 2 - 200);
    EXPECT_EQ(frame->outer.top, 768 / 2 - 200);
    EXPECT_EQ(frame->outer.Width(), 400);
    EXPECT_EQ(frame->outer.Height(), 400);
    EXPECT_EQ(frame->showCommand, SW_SHOWMAXIMIZED);
    ASSERT_NE(ws.menu, nullptr);
    EXPECT_EQ(ws.menu->name, "MENU1");
    EXPECT_EQ(ws.registeredClasses.size(), 9u);
    EXPECT_EQ(editor.frame.style, 0x10CF0000u);
    EXPECT_EQ(editor.frame.extendedStyle, 0x300u);
}

// The start-up check marks, and "Aligner" opening all seven views at their places.
TEST_F(StartupTest, AlignerOpensAllSevenViewsAtTheirPlacesAndThePerspectiveRig) {
    Start();
    EXPECT_TRUE(ws.Checked(cmd::Layer0));
    EXPECT_TRUE(ws.Checked(cmd::Deplacement));
    EXPECT_TRUE(ws.Checked(cmd::Regles));
    for (std::uint32_t id = cmd::Layer0 + 1; id <= cmd::Layer9; ++id)
        EXPECT_FALSE(ws.Checked(id));
    EXPECT_FALSE(ws.Checked(cmd::Grille));
    for (const ViewDescription& d : ViewTable) {
        SCOPED_TRACE(d.title);
        EXPECT_TRUE(View(d.id).isOpen);
        EXPECT_TRUE(ws.Checked(d.menuItem));
        const auto* w = ws.Find(ViewWindow(d.id).handle);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->title, d.title);
        EXPECT_EQ(w->className, d.className);
        EXPECT_EQ(w->parent, editor.frame.mdiClient);
        EXPECT_EQ(w->outer.left, d.alignedPosition.x);
        EXPECT_EQ(w->outer.top, d.alignedPosition.y);
        EXPECT_EQ(ViewWindow(d.id).clientWidth, 250);
        EXPECT_EQ(ViewWindow(d.id).clientHeight, 250);
        EXPECT_EQ(ViewWindow(d.id).style, 0x10C80000u);
        EXPECT_EQ(ViewWindow(d.id).extendedStyle, 0x300u);
        EXPECT_EQ(View(d.id).canvas.Width(), 250);
        EXPECT_EQ(View(d.id).uses3D, d.id == ViewPerspective);
    }
    // The perspective view has its device, camera and lights; the flat views have none.
    ViewObject& p = View(ViewPerspective);
    EXPECT_TRUE(p.rig.device.device != nullptr);
    EXPECT_EQ(p.rig.device.quality, 0x89u);
    EXPECT_TRUE(p.rig.viewport.viewport != nullptr);
    EXPECT_EQ(p.rig.viewport.width, 250);
    EXPECT_EQ(p.rig.viewport.height, 250);
    EXPECT_TRUE(p.rig.camera.frame != nullptr);
    EXPECT_EQ(p.rig.camera.parent, &editor.sceneRoot.root);
    EXPECT_TRUE(p.rig.ambient.light != nullptr);
    EXPECT_TRUE(p.rig.directional.light != nullptr);
    EXPECT_TRUE(editor.pointLight.light != nullptr);
    EXPECT_EQ(View(ViewTop).rig.device.device, nullptr);
    EXPECT_EQ(editor.scene->layerMeshCount(), 10);
}

// The first picture at 16 bits: background and rulers in the top view, black in the perspective.
TEST_F(StartupTest, FirstPictureAtSixteenBitsHasBackgroundAndRulers) {
    Start(16);
    const auto& shot = ws.lastPresented.at(ViewWindow(ViewTop).handle);
    EXPECT_EQ(shot.Pixel(60, 60), 0x9CD3u);
    EXPECT_EQ(shot.Pixel(60, 125), 0x632Cu);
    EXPECT_EQ(shot.Pixel(125, 60), 0x632Cu);
    EXPECT_EQ(ws.lastPresented.at(ViewWindow(ViewPerspective).handle).Pixel(10, 10), 0u);
}

}  // namespace
}  // namespace kvx::test

namespace kvx::test {
namespace {

TEST(CommandLineTest, OptionsAndFilesAreToldApart) {
    const CommandLine run = ParseCommandLine({"--trace", "a.KVX", "--", "--b.obj"});
    EXPECT_EQ(run.action, CommandLine::Action::Run);
    EXPECT_TRUE(run.trace);
    EXPECT_FALSE(run.traceTimes);
    EXPECT_EQ(run.files, (std::vector<std::string>{"a.KVX", "--b.obj"}));
    EXPECT_EQ(ParseCommandLine({"a", "--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version", "--frob"}).action, CommandLine::Action::Version);
    const CommandLine wrong = ParseCommandLine({"--frob"});
    EXPECT_EQ(wrong.action, CommandLine::Action::Wrong);
    EXPECT_EQ(wrong.wrong, "--frob");
}

TEST(CommandLineTest, TraceTimesIsTheTraceWithTimes) {
    const CommandLine timed = ParseCommandLine({"--trace-times", "a.KVX"});
    EXPECT_EQ(timed.action, CommandLine::Action::Run);
    EXPECT_TRUE(timed.trace);
    EXPECT_TRUE(timed.traceTimes);
    EXPECT_EQ(timed.files, std::vector<std::string>{"a.KVX"});
}

// A file on the command line opens as the editor starts; a bad one or several leave an empty
// scene, with a message, and nothing counts as unsaved.
TEST_F(StartupTest, TheCommandLinesFileOpensAsTheEditorStarts) {
    Start();
    TempDir dir;
    std::string reason;
    scene().GenerateMesh();
    ASSERT_TRUE(SaveSceneToPath(scene(), dir.File("mesh.KVX"), reason)) << reason;
    scene().ClearScene();
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    WriteAll(dir.File("tri.OBJ"), {triangle.begin(), triangle.end()});
    const auto open = [&](std::vector<std::string> files) {
        prompts.ClearRecord();
        OpenCommandLineFiles(editor, files);
        Pump();
        return std::to_string(scene().vertexCount()) + " " + std::to_string(scene().faceCount()) +
               (editor.history.Modified() ? " modified" : "") +
               (prompts.messages().empty() ? "" : " | " + prompts.messages()[0].text);
    };
    EXPECT_EQ(open({dir.File("mesh.KVX")}), "225 392");
    EXPECT_EQ(open({dir.File("tri.OBJ")}), "3 1");
    EXPECT_EQ(open({dir.File("missing.KVX")}),
              "0 0 | Erreur lors du chargement du Fichier!\n" + dir.File("missing.KVX"));
    EXPECT_EQ(open({dir.File("mesh.KVX"), dir.File("tri.OBJ")}),
              "0 0 | Kolvex ouvre un seul fichier à la fois : aucun des 2 fichiers donnés n'a été "
              "ouvert.");
    EXPECT_EQ(open({dir.File("missing.obj")}), "0 0 | Erreur lors du chargement du Fichier!\n" +
                                                   dir.File("missing.obj") +
                                                   "\nimpossible de lire le fichier (absent)");
    // A model of any format read is one to start from, known by what it holds.
    std::filesystem::copy_file(dir.File("mesh.KVX"), dir.File("scene.glb"));
    EXPECT_EQ(open({dir.File("scene.glb")}), "225 392");  // a scene, whatever its name
    ASSERT_TRUE(ExportByExtension(scene(), dir.File("mesh.glb"), ExportOptions{}, reason));
    EXPECT_EQ(open({dir.File("mesh.glb")}), "225 392");
}

}  // namespace
}  // namespace kvx::test
