#include "shell/HistoryCommands.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/CommandTable.h"
#include "shell/RecentFiles.h"
#include "views/tools/Tools.h"

namespace kvx {

using namespace platform;

namespace {

unsigned ToolParts(ToolMode mode) {
    switch (mode) {
        case ToolMode::CreateVertex:
            return PartStructure;
        case ToolMode::SelectVertex:
        case ToolMode::SelectFace:
        case ToolMode::Fence:
            return PartSelection;
        case ToolMode::ZoomPan:
        case ToolMode::ZoomLoupe:
            return 0;
        default:  // the move, rotation, scaling and mirror tools
            return PartPositions | PartSelection;
    }
}

bool ToolBusy(const ToolState& tools) {
    return tools.leftButtonDown || tools.rotateActive || tools.scaleActive;
}

// After an undo or redo the layer items show the restored layer, and no drag carries on from
// positions that are no longer there.
void AfterHistoryMove(Editor& editor) {
    const Scene& scene = *editor.scene;
    for (std::uint32_t n = 0; n <= cmd::Layer9 - cmd::Layer0; ++n)
        editor.menuBar.SetChecked(cmd::Layer0 + n,
                                  static_cast<std::int32_t>(n) == scene.currentLayer);
    editor.menuBar.SetChecked(cmd::TousLesLayers, scene.allLayers == 1);
    editor.tools.moveOrigin.Clear();
    editor.tools.movedVertices.clear();
    editor.tools.anyMoved = false;
    editor.RequestRedraw(RedrawScope::All);
}

}  // namespace

unsigned ViewInputParts(const Message& m, ToolMode mode) {
    switch (m.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return ToolParts(mode);
        case WM_KEYDOWN: {
            // Tools and zooms record nothing; nudges, hiding and faces do.
            const CommandRow* row = FindKey(CommandSource::FlatView, m.wParam);
            return row ? row->parts : 0;
        }
        case WM_COMMAND: {
            // Choosing a tool may end a rotation or scaling, which closes its step.
            const CommandRow* row = FindCommand(CommandSource::FlatView, LowWord(m.wParam));
            return row ? row->parts : 0;
        }
        default:
            return 0;
    }
}

void BeginViewStep(Editor& editor, const Message& m) {
    if (m.message == WM_COMMAND) {
        BeginCommandStep(editor, ViewInputParts(m, editor.toolMode()));
        return;
    }
    unsigned parts = ViewInputParts(m, editor.toolMode());
    // A rotation or scaling goes on after a command closed its step: the rest is a new step.
    if (parts == 0 && ToolBusy(editor.tools) && !editor.history.IsOpen())
        parts = PartPositions | PartSelection;
    if (parts != 0) editor.history.Begin(*editor.scene, parts);
}

void BeginCommandStep(Editor& editor, unsigned parts) {
    editor.history.End(*editor.scene);
    if (parts != 0) editor.history.Begin(*editor.scene, parts);
}

void EndCommandStep(Editor& editor) {
    editor.history.End(*editor.scene);
}

void EndStepIfIdle(Editor& editor) {
    if (editor.history.IsOpen() && !ToolBusy(editor.tools)) editor.history.End(*editor.scene);
}

void UndoStep(Editor& editor) {
    if (editor.history.Undo(*editor.scene)) AfterHistoryMove(editor);
}

void RedoStep(Editor& editor) {
    if (editor.history.Redo(*editor.scene)) AfterHistoryMove(editor);
}

int SaveAndMark(Editor& editor) {
    std::string path;
    const int saved = SaveScene(*editor.scene, editor.prompts, editor.saveDialog, &path);
    if (saved == 1) {
        editor.history.MarkSaved();
        SetDocumentPath(editor, path);
    }
    return saved;
}

int QuickSave(Editor& editor) {
    editor.history.End(*editor.scene);
    if (editor.documentPath.empty()) return SaveAndMark(editor);
    const int saved = SaveSceneNamed(*editor.scene, editor.prompts, editor.documentPath);
    if (saved == 1) {
        editor.history.MarkSaved();
        SetDocumentPath(editor, editor.documentPath);  // heads the recent files again
    }
    return saved;
}

bool ConfirmDiscardChanges(Editor& editor) {
    editor.history.End(*editor.scene);  // what a running rotation did so far counts too
    if (!editor.history.Modified()) return true;
    switch (
        editor.prompts.MessageBox(SaveChangesText, FrameTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return SaveAndMark(editor) == 1;
        case IDNO:
            return true;
        default:
            return false;
    }
}

}  // namespace kvx
