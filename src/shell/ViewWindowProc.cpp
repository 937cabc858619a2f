#include "shell/ViewWindowProc.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/CommandTable.h"
#include "shell/HistoryCommands.h"
#include "shell/Navigation.h"
#include "shell/PerspectiveWindowProc.h"
#include "shell/ViewLifecycle.h"
#include "shell/ViewTable.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;

ToolContext ContextFor(Editor& editor, ViewId id, bool ctrlOnly = false) {
    return ToolContext{
        *editor.scene, editor.viewStates[id], editor.mouse, editor.tools, id, editor.toolMode(),
        ctrlOnly};
}

void TakeMouse(Editor& editor, ViewId id, std::uint32_t lParam) {
    MouseToWorld(editor.mouse, editor.viewStates, id, lParam, editor.display.magneticGrid);
}

void MouseMoved(Editor& editor, ViewId id, const Message& m) {
    TakeMouse(editor, id, m.lParam);
    if (editor.display.showMouseAxes || editor.display.magneticGrid)
        editor.RequestRedraw(RedrawScope::ThisView, id);
    if (editor.positionDialog) editor.positionDialog(PositionTexts(editor.mouse));
    ToolContext ctx = ContextFor(editor, id);
    ApplyViewOutcome(editor, id, ToolMouseMove(ctx));
}

// The mouse, keys and popup commands of an orthographic view.
void OrthographicInput(Editor& editor, ViewId id, const Message& m) {
    if (FlatViewNavigation(editor, id, m)) return;
    switch (m.message) {
        case WM_MOUSEMOVE:
            MouseMoved(editor, id, m);
            break;
        case WM_LBUTTONDOWN: {
            TakeMouse(editor, id, m.lParam);
            ToolContext ctx = ContextFor(editor, id);
            ApplyViewOutcome(editor, id, ToolLeftDown(ctx));
            break;
        }
        case WM_LBUTTONUP: {
            TakeMouse(editor, id, m.lParam);
            // Ctrl alone: Ctrl with Shift (or a button flag) counts as a plain click.
            ToolContext ctx = ContextFor(editor, id, m.wParam == MK_CONTROL);
            ApplyViewOutcome(editor, id, ToolLeftUp(ctx));
            break;
        }
        case WM_RBUTTONUP: {
            TakeMouse(editor, id, m.lParam);
            ToolContext ctx = ContextFor(editor, id);
            ApplyViewOutcome(editor, id, ToolRightUp(ctx));
            break;
        }
        case WM_KEYDOWN:
            // An Alt combination (WM_SYSKEYDOWN) does nothing here.
            if (const CommandRow* row = FindKey(CommandSource::FlatView, m.wParam))
                RunCommand(editor, id, *row);
            break;
        case WM_COMMAND:
            if (const CommandRow* row = FindCommand(CommandSource::FlatView, LowWord(m.wParam)))
                RunCommand(editor, id, *row);
            break;
        default:
            break;
    }
}

}  // namespace

void ApplyViewOutcome(Editor& editor, ViewId id, const ViewOutcome& out) {
    editor.RequestRedraw(out.redraw, id);
    if (out.newMode) editor.display.toolMode = *out.newMode;
    MirrorPointer(editor, id);
    if (out.openPopup) ShowViewPopup(editor, id, editor.viewPopupMenu);
}

void MirrorPointer(Editor& editor, ViewId id) {
    const ToolState& tools = editor.tools;
    ShownPointer& shown = editor.shownPointer;
    if (tools.cursor != shown.cursor) {
        shown.cursor = tools.cursor;
        editor.windows.SetCursor(static_cast<int>(tools.cursor));
    }
    if (tools.confined != shown.confined) {
        shown.confined = tools.confined;
        if (tools.confined && IsOrthographic(id)) {
            editor.windows.ClipCursor(editor.viewWindows[id]->clientRect);
        } else {
            editor.windows.ClipCursor(std::nullopt);
        }
    }
}

void ShowViewPopup(Editor& editor, ViewId id, const platform::Menu* menu) {
    if (!menu || menu->popups.empty()) return;
    const ChildWindow& window = *editor.viewWindows[id];
    const Point client{TruncateToInt32(editor.mouse.pixelX), TruncateToInt32(editor.mouse.pixelY)};
    editor.windows.TrackPopupMenu(menu->popups.front(), TPM_CENTERALIGN | TPM_VCENTERALIGN,
                                  editor.windows.ClientToScreen(window.handle, client),
                                  window.handle);
}

void ViewWindowProc(Editor& editor, ViewId id, const Message& m) {
    ViewObject& view = editor.views[id];
    ChildWindow& window = *editor.viewWindows[id];
    if (id != ViewPerspective) editor.mouse.activeView = id;
    switch (m.message) {
        case WM_PAINT:
            // The toolkit shows the last presented picture by itself; a pending redraw stays
            // pending until the main loop has drawn it, so no animation step is lost.
            if (view.isOpen) view.Paint();
            break;
        case WM_NCPAINT:
            if (view.isOpen) editor.RequestRedraw(RedrawScope::ThisView, id);
            break;
        case WM_ACTIVATE:
            view.Activate(m.wParam);
            break;
        case WM_MOVE:
            if (view.isOpen) {
                if (editor.display.pinViews) {
                    const Point p = DescribeView(id).alignedPosition;
                    window.MoveTo(p.x, p.y);
                }
                window.UpdateGeometry();
                editor.RequestRedraw(RedrawScope::ThisView, id);
            }
            break;
        case WM_SIZE:
            if (view.isOpen) {
                window.UpdateGeometry();
                editor.RequestRedraw(RedrawScope::ThisView, id);
            }
            break;
        case WM_NCACTIVATE:
            // The flat views redraw on an activation change, the perspective view on a
            // non-client paint only.
            if (view.isOpen && id != ViewPerspective)
                editor.RequestRedraw(RedrawScope::ThisView, id);
            break;
        case WM_CLOSE:
            // A window closed by its own close box: release the view, then the window goes.
            if (window.handle != NoWindow) CloseView(editor, id);
            break;
        case WM_SETCURSOR:
            if (id != ViewPerspective)
                editor.windows.SetCursor(static_cast<int>(editor.tools.cursor));
            break;
        default:
            if (id == ViewPerspective) {
                if (view.isOpen) PerspectiveInput(editor, m);
            } else if (view.isOpen) {
                BeginViewStep(editor, m);
                OrthographicInput(editor, id, m);
                if (m.message == WM_COMMAND) {
                    EndCommandStep(editor);
                } else {
                    EndStepIfIdle(editor);
                }
            }
            break;
    }
}

}  // namespace kvx
