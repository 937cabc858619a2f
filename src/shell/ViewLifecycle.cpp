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
    ViewObject& view = editor.views[id];
    ChildWindow& window = *editor.viewWindows[id];
    editor.display.viewSwitching = true;
    editor.WaitUntilNotRedrawing();
    window.Setup(editor.app, ClassOf(editor, d.className), d.title);
    window.ApplyStylePreset(3);
    window.CreateMdiChild(editor.frame, 0, 0, ViewClientSize, ViewClientSize, SizeIsClient);
    const bool perspective = id == ViewPerspective;
    view.Init(editor.sceneRoot, window, perspective, editor.windows);
    editor.RequestRedraw(RedrawScope::ThisView, id);
    if (perspective) {
        // A view without its device, camera or viewport shows nothing: it closes again at once,
        // with whatever was made released.
        editor.camera = OrbitCamera::Start();  // the view's camera starts where it always does
        if (!view.Open3D(editor.pointLight)) {
            CloseView(editor, id);
            return;
        }
    } else {
        ViewState& state = editor.viewStates[id];
        state.pixelSize = ViewPixels;
        state.width = DefaultViewWidth;
    }
    // The window's position and size messages of its creation come before the view counts as
    // open, so they change nothing (a view reopened while views are pinned stays where it was
    // made); the toolkit only posts them, so they are dropped here.
    editor.queue.Discard(window.handle, platform::WM_MOVE);
    editor.queue.Discard(window.handle, platform::WM_SIZE);
    view.isOpen = true;
    editor.menuBar.Check(d.menuItem);
    editor.display.viewSwitching = false;
}

void CloseView(Editor& editor, ViewId id) {
    ViewObject& view = editor.views[id];
    ChildWindow& window = *editor.viewWindows[id];
    editor.display.viewSwitching = true;
    editor.WaitUntilNotRedrawing();
    // A drag held in a closing view can no longer end by the mouse.
    if (IsOrthographic(id) && (editor.tools.confined || editor.tools.leftButtonDown))
        ApplyViewOutcome(editor, id, AbandonOperations(*editor.scene, editor.tools));
    editor.menuBar.Uncheck(DescribeView(id).menuItem);
    view.Release();
    editor.redraw.Done(id);
    if (window.handle != platform::NoWindow) editor.windows.DestroyWindow(window.handle);
    window.ClearRecord();
    editor.display.viewSwitching = false;
}

void ToggleView(Editor& editor, ViewId id) {
    if (editor.views[id].isOpen) {
        CloseView(editor, id);
    } else {
        OpenView(editor, id);
    }
}

void AlignViews(Editor& editor) {
    for (const ViewDescription& d : ViewTable) {
        if (!editor.views[d.id].isOpen) OpenView(editor, d.id);
        editor.viewWindows[d.id]->MoveTo(d.alignedPosition.x, d.alignedPosition.y);
    }
}

}  // namespace kvx
