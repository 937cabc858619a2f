// Recovery copies across runs: kept while there are unsaved changes, offered to the next run once
// the run that wrote them has ended without cleaning up, and gone after a save.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TempDir.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/FakeWindowSystem.h"
#include "shell/MainLoop.h"
#include "shell/Startup.h"

namespace kvx::test {
namespace {

using namespace platform;
namespace fs = std::filesystem;

// One run of the editor on the fake window system.
struct EditorRun {
    EditorRun() {
        EXPECT_TRUE(StartEditor(editor));
        Pump();
    }
    // Starts its recovery copies in folder, answering the question (if any) with answer.
    void Begin(const std::string& folder, const std::string& id, int answer = IDNO) {
        prompts.questionAnswer = answer;
        editor.recovery.Start(editor, folder, id);
        editor.recovery.WaitForWriter();
        Pump();
    }
    void Pump() {
        Message m;
        for (int guard = 0; editor.queue.TryTake(m) && guard < 1000; ++guard)
            ProcessMessage(editor, m);
        editor.recovery.WaitForWriter();
    }
    void Send(WindowHandle window, std::uint32_t message, std::uint32_t wParam = 0) {
        queue.Post(window, message, wParam, 0);
        Pump();
    }
    void Command(std::uint32_t id) { Send(editor.frame.handle, WM_COMMAND, id); }
    void Idle() { Send(editor.frame.handle, WM_TIMER, RecoveryTimerId); }
    bool TimerOn() const { return ws.timers.contains({editor.frame.handle, RecoveryTimerId}); }

    FakeWindowSystem ws;
    ScriptedPrompts prompts;
    MessageQueue queue;
    Editor editor{ws, prompts, queue};
};

// The files in the recovery folder, by extension.
std::size_t Files(const std::string& folder, const char* extension) {
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().extension() == extension ? 1 : 0;
    return n;
}

TEST(RecoveryTest, AKilledRunsWorkComesBackWithItsNameAndASaveClearsIt) {
    TempDir dir;
    const std::string folder = dir.File("state");
    auto first = std::make_unique<EditorRun>();
    first->Begin(folder, "1");
    first->editor.documentPath = dir.File("pyramide.KVX");
    first->Command(cmd::Mesh);
    EXPECT_TRUE(first->TimerOn());  // a change starts the wait for idle time
    EXPECT_EQ(Files(folder, ".KVX"), 0u);
    first->Idle();
    ASSERT_TRUE(first->editor.recovery.HasCopy());
    EXPECT_EQ(ReadAll(first->editor.recovery.CopyPath()), SceneBytes(*first->editor.scene));
    // Fifty changes write a fresh copy without waiting.
    first->Command(cmd::SelectionnerVertex);
    for (int i = 0; i < RecoveryStepInterval; ++i)
        first->Send(first->editor.viewWindows[ViewTop]->handle, WM_KEYDOWN, VK_RIGHT);
    const std::vector<std::uint8_t> lost = SceneBytes(*first->editor.scene);
    EXPECT_EQ(ReadAll(first->editor.recovery.CopyPath()), lost);

    // While the first run goes on, another is not offered its work.
    {
        EditorRun second;
        second.Begin(folder, "2", IDYES);
        EXPECT_TRUE(second.prompts.messages().empty());
        second.editor.recovery.Finish();
    }
    first.reset();  // killed: its lock goes with it, its copy stays
    EXPECT_EQ(Files(folder, ".KVX"), 1u);

    EditorRun third;
    third.Begin(folder, "3", IDYES);
    ASSERT_EQ(third.prompts.messages().size(), 1u);
    EXPECT_EQ(third.prompts.messages()[0].text, "Récupérer le travail non enregistré ?");
    EXPECT_EQ(SceneBytes(*third.editor.scene), lost);
    EXPECT_TRUE(third.editor.history.Modified());
    EXPECT_EQ(third.editor.documentPath, dir.File("pyramide.KVX"));
    // The old copy has become this run's own.
    EXPECT_EQ(Files(folder, ".KVX"), 1u);
    EXPECT_EQ(ReadAll(third.editor.recovery.CopyPath()), lost);

    third.prompts.QueueFileName(dir.File("saved.KVX"));
    third.Command(cmd::Enregistrer);
    EXPECT_EQ(Files(folder, ".KVX"), 0u);
    EXPECT_FALSE(third.TimerOn());
    EXPECT_EQ(third.editor.documentPath, dir.File("saved.KVX"));
    third.editor.recovery.Finish();
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(RecoveryTest, NonDropsTheCopyAndAnUndoToTheSavedSceneRemovesIt) {
    TempDir dir;
    const std::string folder = dir.File("state");
    {
        EditorRun crashed;
        crashed.Begin(folder, "crashed");
        crashed.Command(cmd::Mesh);
        crashed.Idle();
    }
    EditorRun next;
    next.Begin(folder, "next", IDNO);
    ASSERT_EQ(next.prompts.messages().size(), 1u);
    EXPECT_EQ(next.editor.scene->vertexCount(), 0);
    EXPECT_FALSE(next.editor.history.Modified());
    EXPECT_EQ(Files(folder, ".KVX"), 0u);

    next.Command(cmd::Mesh);
    next.Idle();
    EXPECT_EQ(Files(folder, ".KVX"), 1u);
    next.Command(cmd::Annuler);
    EXPECT_EQ(Files(folder, ".KVX"), 0u);
    EXPECT_FALSE(next.TimerOn());
}

}  // namespace
}  // namespace kvx::test
