#include "shell/ViewLifecycle.h"

#include "shell/ViewTable.h"
#include "shell/ViewWindowProc.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

// Window classes are registered in the order of WindowClassTable; find a view's by name.
WindowClassRecord& ClassOf(Editor& editor, const char* name) {
    for (WindowClassRecord& c : editor.classes) {
        if (c.Name() == name) return c;
    }
    return editor.classes[0];
}

}  // namespace

void OpenView(Editor& editor, ViewId id) {
    const ViewDescription& d = DescribeView(id);
    ViewObject& view = editor.views[static_cast<std::size_t>(id)];
    ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
    editor.display.viewSwitching = 1;
    editor.WaitUntilNotRedrawing();
    window.Setup(editor.app, ClassOf(editor, d.className), d.title);
    window.ApplyStylePreset(3);
    window.CreateMdiChild(editor.frame, 0, 0, ViewClientSize, ViewClientSize, SizeIsClient);
    const bool perspective = id == ViewPerspective;
    view.Init(editor.sceneRoot, window, perspective ? 1 : 0, editor.windows);
    if (perspective) {
        // A view without its device, camera or viewport shows nothing: it closes again at once,
        // with whatever was made released.
        if (!view.Open3D(editor.pointLight)) {
            CloseView(editor, id);
            return;
        }
    } else {
        ViewState& state = editor.viewStates[static_cast<std::size_t>(id)];
        state.pixelSize = ViewPixels;
        state.width = DefaultViewWidth;
    }
    // The window's position and size messages of its creation come before the view counts as
    // open, so they change nothing (a view reopened while views are pinned stays where it was
    // made); the toolkit only posts them, so they are dropped here.
    editor.queue.Discard(window.handle, platform::WM_MOVE);
    editor.queue.Discard(window.handle, platform::WM_SIZE);
    view.isOpen = 1;
    editor.menuBar.Check(d.menuItem);
    editor.display.viewSwitching = 0;
}

void CloseView(Editor& editor, ViewId id) {
    ViewObject& view = editor.views[static_cast<std::size_t>(id)];
    ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
    editor.display.viewSwitching = 1;
    editor.WaitUntilNotRedrawing();
    // A drag held in a closing view can no longer end by the mouse.
    if (IsOrthographic(id) && (editor.tools.confined || editor.tools.leftButtonDown))
        ApplyViewOutcome(editor, id, AbandonOperations(*editor.scene, editor.tools));
    editor.menuBar.Uncheck(DescribeView(id).menuItem);
    view.Release();
    if (window.handle != platform::NoWindow) editor.windows.DestroyWindow(window.handle);
    window.ClearRecord();
    editor.display.viewSwitching = 0;
}

void ToggleView(Editor& editor, ViewId id) {
    if (editor.views[static_cast<std::size_t>(id)].isOpen == 1) {
        CloseView(editor, id);
    } else {
        OpenView(editor, id);
    }
}

void AlignViews(Editor& editor) {
    for (const ViewDescription& d : ViewTable) {
        if (editor.views[static_cast<std::size_t>(d.id)].isOpen == 0) OpenView(editor, d.id);
        editor.viewWindows[static_cast<std::size_t>(d.id)]->MoveTo(d.alignedPosition.x,
                                                                   d.alignedPosition.y);
    }
}

}  // namespace kvx
