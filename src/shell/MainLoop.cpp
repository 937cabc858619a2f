#include "shell/MainLoop.h"

#include <algorithm>
#include <functional>
#include <span>
#include <vector>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/DialogCommands.h"
#include "shell/FrameProc.h"
#include "shell/HistoryCommands.h"
#include "shell/StatusBar.h"
#include "shell/ViewTable.h"
#include "shell/ViewWindowProc.h"

namespace kvx {
namespace {

using namespace platform;

ViewPassInputs PassInputs(const Editor& editor) {
    const DisplayState& d = editor.display;
    ViewPassInputs in;
    in.showGrid = d.showGrid;
    in.showRulers = d.showRulers;
    in.showMouseAxes = d.showMouseAxes;
    in.showNormals = d.showNormals;
    in.magneticGrid = d.magneticGrid;
    in.fenceDragActive = editor.tools.fenceDragActive;
    in.loupeDragActive = editor.tools.loupe.active;
    in.mirrorLineActive = editor.toolMode() == ToolMode::Mirror && editor.tools.mirrorDragActive;
    in.rubberBandStart = editor.tools.rubberBandStart;
    for (int i = 0; i < 3; ++i)
        in.mirrorAnchor[i] = editor.tools.mirrorAnchor[i];
    in.mouse = editor.mouse;
    in.pointLight = editor.lightPlacement;
    in.pointLight.shown = editor.pointLight.markerShown == 1;
    in.colours = editor.colours;
    return in;
}

// Clears the flat views' canvases and locks them for drawing. A canvas that cannot be locked is
// not drawn into; it still shows its background.
std::vector<ViewTarget> LockedTargets(Editor& editor, std::span<const ViewId> ids) {
    std::vector<ViewTarget> targets;
    for (const ViewId id : ids) {
        ViewObject& view = editor.views[id];
        const RgbColour& bg = editor.background.entries[id];
        view.Clear(static_cast<std::uint8_t>(bg.red), static_cast<std::uint8_t>(bg.green),
                   static_cast<std::uint8_t>(bg.blue), 1);
        if (view.Lock()) targets.push_back({&view.canvas, &editor.viewStates[id], id});
    }
    return targets;
}

// Unlocks the canvases LockedTargets locked, however the drawing ends.
struct UnlockTargets {
    Editor& editor;
    const std::vector<ViewTarget>& targets;
    ~UnlockTargets() {
        for (const ViewTarget& t : targets)
            editor.views[t.view].Unlock();
    }
};

void DrawPerspective(Editor& editor) {
    ViewObject& view = editor.views[ViewPerspective];
    const RgbColour& bg = editor.background.entries[ViewPerspective];
    view.ClearValue(
        PackColor(static_cast<std::uint8_t>(bg.red), static_cast<std::uint8_t>(bg.green),
                  static_cast<std::uint8_t>(bg.blue), editor.app.bitsPerPixel),
        1);
    view.Render3D();
}

// Draws the marked views on up to `threads` threads (ViewsRedraw); nothing is presented until
// all are drawn.
void DrawSideBySide(Editor& editor, const std::vector<ViewId>& marked, int threads) {
    const bool perspective = !marked.empty() && marked.back() == ViewPerspective;
    const std::span<const ViewId> flat(marked.data(), marked.size() - (perspective ? 1 : 0));
    const std::vector<ViewTarget> targets = LockedTargets(editor, flat);
    const UnlockTargets unlock{editor, targets};
    std::function<void()> drawPerspective;
    if (perspective) drawPerspective = [&editor] { DrawPerspective(editor); };
    editor.viewsRedraw.Draw(*editor.scene, targets, PassInputs(editor), threads, drawPerspective);
}

// A minimised view is not drawn; its redraw waits until it is shown again.
bool Minimized(Editor& editor, ViewId id) {
    return editor.windows.IsMinimized(editor.viewWindows[id]->handle);
}

// Marked for redrawing, open and not minimised (a minimised view keeps its mark).
bool Due(Editor& editor, ViewId id) {
    return editor.redraw.Marked(id) && editor.views[id].isOpen && !Minimized(editor, id);
}

bool IsAnimationTick(const Editor& editor, const Message& m) {
    return m.message == WM_TIMER && m.window == editor.frame.handle && m.wParam == AnimationTimerId;
}

}  // namespace

void DispatchMessage(Editor& editor, const Message& m) {
    if (m.window != NoWindow && m.window == editor.frame.handle) {
        FrameProc(editor, m);
        return;
    }
    if (DispatchDialogMessage(editor, m)) return;
    if (const ViewId v = editor.ViewOfWindow(m.window); v != ViewNone) {
        ViewWindowProc(editor, v, m);
        // A view closed during a drag ends the drag, and with it the step.
        EndStepIfIdle(editor);
    }
}

void RedrawMarkedViews(Editor& editor, const Message& m) {
    editor.display.redrawing = true;
    // The marked views, in the order they are presented: flat views 1, 2, 3, 4, 6, 5, then the
    // perspective view. A minimised view keeps its mark until it is shown again.
    std::vector<ViewId> marked;
    for (const ViewId id : OrthographicRedrawOrder) {
        if (Due(editor, id)) marked.push_back(id);
    }
    if (Due(editor, ViewPerspective)) marked.push_back(ViewPerspective);
    if (!marked.empty()) {
        DrawSideBySide(editor, marked, editor.redrawThreads);
        for (const ViewId id : marked) {
            editor.views[id].Present();
            editor.redraw.Done(id);
        }
    }
    ViewObject& perspective = editor.views[ViewPerspective];
    if (perspective.isOpen) {
        // The model turns one step per animation tick, not per message.
        if (editor.display.animate && IsAnimationTick(editor, m)) {
            editor.scene->placementFrame(0).RotateDegrees(0, 5, 0);
            editor.RequestRedraw(RedrawScope::ThisView, ViewPerspective);
        }
    }
    editor.display.redrawing = false;
}

void ProcessMessage(Editor& editor, const Message& m) {
    if (m.message == WM_TIMER && m.wParam == RecoveryTimerId && m.window == editor.frame.handle) {
        editor.recovery.OnIdle(editor);
        return;
    }
    DispatchMessage(editor, m);
    UpdateStatusBar(editor, m);
    RedrawMarkedViews(editor, m);
    editor.recovery.AfterMessage(editor);
}

std::uint32_t RunMessageLoop(Editor& editor, EventPump& pump) {
    Message m;
    while (!editor.display.quitRequested) {
        if (!GetMessage(editor.queue, pump, m)) break;
        ProcessMessage(editor, m);
    }
    return m.wParam;
}

}  // namespace kvx
