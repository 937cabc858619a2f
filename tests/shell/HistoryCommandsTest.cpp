// Undo and redo through the editor's own messages, and the question before unsaved work goes.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "shell/EditorFixture.h"
#include "shell/HistoryCommands.h"

namespace kvx::test {
namespace {

using namespace platform;

class HistoryCommandsTest : public EditorFixture {
  protected:
    void SetUp() override { Start(); }
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
    EXPECT_EQ(View(ViewLeft).isOpen, 1);  // the posted "Aligner" reopened it
    // Nothing to save: Escape closes the frame and its views without a question.
    prompts.ClearRecord();
    Send(editor.frame.handle, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_EQ(editor.display.quitRequested, 1);
    EXPECT_EQ(ws.Find(editor.frame.handle), nullptr);
}

}  // namespace
}  // namespace kvx::test
