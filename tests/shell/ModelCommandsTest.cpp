// "Exporter..." and "Importer un modèle..." in the editor: the status bar's note, one undo step,
// dropped models, and the long work beside the windows (busy cursor, progress, no command run
// meanwhile), on a clock the test moves.

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "TempDir.h"
#include "scene/SceneFile.h"
#include "shell/BusyWork.h"
#include "shell/EditorFixture.h"

namespace kvx::test {
namespace {

using namespace platform;
using namespace std::chrono_literals;

class ModelCommandsTest : public EditorFixture {
  protected:
    void SetUp() override {
        Start();
        Command(cmd::Mesh);  // 450 vertices, 392 faces on layer 0
    }
    // A clock that moves 100 ms each round of non-input events, and work that lasts `rounds`
    // of them.
    void MoveClockWithRounds() {
        editor.busyWork.now = [this] { return BusyWork::Clock::time_point(clock.load() * 1ms); };
        ws.duringNonInputEvents = [this] {
            clock += 100;
            ++rounds;
        };
    }
    std::function<void()> LastingRounds(int n) {
        return [this, n] {
            while (rounds.load() < n)
                std::this_thread::sleep_for(1ms);
        };
    }
    TempDir dir;
    std::atomic<long> clock{0};
    std::atomic<int> rounds{0};
};

// Σ (corners - 2) over the scene's faces: the triangles an STL file holds.
std::uintmax_t Triangles(const Scene& scene) {
    std::uintmax_t n = 0;
    for (const Face& f : scene.faces)
        n += static_cast<std::uintmax_t>(f.vertexCount - 2);
    return n;
}

TEST_F(ModelCommandsTest, ExportSaysInTheStatusBarWhatWasWrittenUntilTheNextClick) {
    prompts.QueueFileName(dir.File("mesh"));
    Command(cmd::Exporter);
    EXPECT_EQ(ReadAll(dir.File("mesh.glb")).size() > 12, true);
    EXPECT_TRUE(ws.statusText.starts_with("Exporté : " + dir.File("mesh.glb") + " (glTF 2.0"))
        << ws.statusText;
    prompts.QueueFileName(dir.File("mesh.stl"));
    Command(cmd::Exporter);
    ASSERT_GT(Triangles(scene()), 0u);
    EXPECT_EQ(std::filesystem::file_size(dir.File("mesh.stl")), 84u + 50u * Triangles(scene()));
    EXPECT_NE(ws.statusText.find("les couleurs des faces"), std::string::npos) << ws.statusText;
    EXPECT_EQ(ws.statusHint, "");  // the note has the whole bar
    Mouse(ViewTop, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(ViewTop, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(ws.statusText.starts_with("Vertex: ")) << ws.statusText;
    EXPECT_NE(ws.statusHint, "");

    Command(cmd::English);
    prompts.QueueFileName(dir.File("mesh.stl"));
    Command(cmd::Exporter);
    EXPECT_TRUE(ws.statusText.starts_with("Exported: " + dir.File("mesh.stl") +
                                          " (binary STL of triangles: face colours"))
        << ws.statusText;
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(ModelCommandsTest, ImportIsOneStepAndAFailureChangesNothing) {
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    WriteAll(dir.File("tri.obj"), {triangle.begin(), triangle.end()});
    WriteAll(dir.File("notes.txt"), {'h', 'i', '\n'});
    const int vertices = scene().vertexCount();
    prompts.QueueFileName(dir.File("tri.obj"));
    Command(cmd::ImporterModele);
    EXPECT_EQ(scene().vertexCount(), vertices + 3);
    EXPECT_TRUE(prompts.messages().empty());
    Command(cmd::Annuler);
    EXPECT_EQ(scene().vertexCount(), vertices);
    Command(cmd::Retablir);
    EXPECT_EQ(scene().vertexCount(), vertices + 3);

    const std::vector<std::uint8_t> before = SceneBytes(scene());
    prompts.QueueFileName(dir.File("notes.txt"));
    Command(cmd::ImporterModele);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.starts_with("Erreur lors de l'import du modèle:\n"))
        << prompts.messages()[0].text;
    EXPECT_EQ(SceneBytes(scene()), before);
    Command(cmd::Annuler);  // the failed import left no step: the model's import is undone
    EXPECT_EQ(scene().vertexCount(), vertices);
}

// A dropped model of any format read is imported as one step; a scene, known by its first bytes
// whatever its name, still replaces the scene.
TEST_F(ModelCommandsTest, DroppedModelsAreImportedAndScenesKnownByTheirBytesOpen) {
    std::string reason;
    ASSERT_TRUE(SaveSceneToPath(scene(), dir.File("mesh.backup"), reason)) << reason;
    const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    WriteAll(dir.File("tri.obj"), {triangle.begin(), triangle.end()});
    const int vertices = scene().vertexCount();
    ws.dropped = {dir.File("tri.obj"), dir.File("notes.xyz")};
    Send(editor.frame.handle, WM_DROPFILES, 2);
    EXPECT_EQ(scene().vertexCount(), vertices + 3);
    ASSERT_EQ(prompts.messages().size(), 1u);  // the missing one, with its reason
    EXPECT_NE(prompts.messages()[0].text.find("Erreur lors de l'import du modèle:\n"),
              std::string::npos);
    Command(cmd::Annuler);
    EXPECT_EQ(scene().vertexCount(), vertices);

    prompts.ClearRecord();
    prompts.questionAnswer = IDNO;
    ws.dropped = {dir.File("mesh.backup")};
    Send(editor.frame.handle, WM_DROPFILES, 1);
    EXPECT_EQ(editor.documentPath, dir.File("mesh.backup"));
    EXPECT_FALSE(editor.history.Modified());
}

TEST(BusyStatus, SaysWhatRunsAndTheSecondsRoundedInTheLanguage) {
    EXPECT_EQ(BusyStatus(Language::French, "Import en cours...", 500ms), "Import en cours... 1 s");
    EXPECT_EQ(BusyStatus(Language::French, "Export en cours...", 2499ms), "Export en cours... 2 s");
    EXPECT_EQ(BusyStatus(Language::English, "Import en cours...", 1500ms), "Importing... 2 s");
}

// The work runs on its own thread while the main thread delivers the toolkit's non-input events:
// after half a second the busy cursor and the progress, every quarter second, and the messages
// posted meanwhile (a click's command) wait for the work's end.
TEST_F(ModelCommandsTest, LongWorkShowsProgressAndRunsNoCommandMeanwhile) {
    MoveClockWithRounds();
    const int vertices = scene().vertexCount();
    queue.Post(editor.frame.handle, WM_COMMAND, cmd::Mesh);
    ws.statusTexts.clear();
    editor.busyWork.Run("Import en cours...", LastingRounds(20));
    EXPECT_GE(rounds.load(), 20);
    EXPECT_EQ(ws.busyCursor, (std::vector<bool>{true, false}));
    // At 0.5 s, then every 0.3 s (a round is 0.1 s): 0.5, 0.8, 1.1, 1.4 s, then 1.7 s.
    ASSERT_GE(ws.statusTexts.size(), 5u);
    EXPECT_EQ(ws.statusTexts[0], "Import en cours... 1 s");
    EXPECT_EQ(ws.statusTexts[3], "Import en cours... 1 s");
    EXPECT_EQ(ws.statusTexts[4], "Import en cours... 2 s");
    EXPECT_EQ(queue.Size(), 1u);
    EXPECT_EQ(scene().vertexCount(), vertices);
    Pump();
    EXPECT_GT(scene().vertexCount(), vertices);
    EXPECT_TRUE(ws.statusText.starts_with("Vertex: ")) << ws.statusText;
}

TEST_F(ModelCommandsTest, ShortWorkShowsNothingAndAFailureComesBackWithTheCursorRestored) {
    // Work done before any time has passed.
    editor.busyWork.now = [] { return BusyWork::Clock::time_point(); };
    bool ran = false;
    editor.busyWork.Run("Import en cours...", [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(ws.busyCursor.empty());
    for (const std::string& text : ws.statusTexts)
        EXPECT_EQ(text.find("en cours"), std::string::npos) << text;
    MoveClockWithRounds();
    const auto failing = [this] {
        LastingRounds(8)();
        throw std::runtime_error("out of memory");
    };
    EXPECT_THROW(editor.busyWork.Run("Export en cours...", failing), std::runtime_error);
    EXPECT_EQ(ws.busyCursor, (std::vector<bool>{true, false}));
}

// Work that stays on the main thread (adding a big model to the scene) shows the busy cursor while
// it runs, and takes it away when it throws too.
TEST_F(ModelCommandsTest, WorkOnTheMainThreadShowsTheBusyCursorWhileItRuns) {
    std::vector<bool> during;
    editor.busyWork.RunHere([&] { during = ws.busyCursor; });
    EXPECT_EQ(during, std::vector<bool>{true});
    EXPECT_EQ(ws.busyCursor, (std::vector<bool>{true, false}));
    EXPECT_THROW(editor.busyWork.RunHere([] { throw std::runtime_error("full"); }),
                 std::runtime_error);
    EXPECT_EQ(ws.busyCursor, (std::vector<bool>{true, false, true, false}));
}

}  // namespace
}  // namespace kvx::test
