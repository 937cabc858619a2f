#include "shell/FrameProc.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/CommandTable.h"
#include "shell/DroppedFiles.h"
#include "shell/HistoryCommands.h"
#include "shell/ViewTable.h"

namespace kvx {
namespace {

using namespace platform;

void CloseFrame(Editor& editor) {
    editor.display.viewSwitching = true;
    editor.WaitUntilNotRedrawing();
    for (const ViewDescription& d : ViewTable) {
        if (editor.views[d.id].isOpen) {
            editor.queue.Post(editor.viewWindows[d.id]->handle, WM_CLOSE);
        }
    }
    editor.display.quitRequested = true;
    editor.windows.KillTimer(editor.frame.handle, AnimationTimerId);
    editor.windows.DestroyWindow(editor.frame.handle);
}

// After the frame moved or changed size every canvas must present over its view again.
void FrameGeometryChanged(Editor& editor) {
    editor.frame.UpdateGeometry();
    for (const ViewId v :
         {ViewTop, ViewBack, ViewFront, ViewBottom, ViewRight, ViewLeft, ViewPerspective}) {
        if (editor.views[v].isOpen) {
            editor.viewWindows[v]->UpdateGeometry();
        }
    }
    editor.RequestRedraw(RedrawScope::Orthographic);
}

}  // namespace

void FrameCommand(Editor& editor, std::uint32_t id) {
    const CommandRow* row = FindCommand(CommandSource::Frame, id);
    if (!row) return;
    BeginCommandStep(editor, row->parts);
    RunCommand(editor, editor.mouse.activeView, *row);
    EndCommandStep(editor);
}

void FrameProc(Editor& editor, const Message& m) {
    switch (m.message) {
        case WM_CLOSE:
            // "Quitter", Escape and the close box all come here.
            if (ConfirmDiscardChanges(editor)) CloseFrame(editor);
            break;
        case WM_MOVE:
        case WM_SIZE:
            FrameGeometryChanged(editor);
            break;
        case WM_KEYDOWN:
            if (m.wParam == VK_ESCAPE) editor.queue.Post(editor.frame.handle, WM_CLOSE);
            break;
        case WM_DROPFILES:
            OpenDroppedFiles(editor, editor.windows.TakeDroppedFiles());
            break;
        case WM_COMMAND:
            FrameCommand(editor, LowWord(m.wParam));
            break;
        default:
            break;
    }
}

}  // namespace kvx
