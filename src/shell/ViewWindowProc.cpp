#include "shell/ViewWindowProc.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/HistoryCommands.h"
#include "shell/PerspectiveWindowProc.h"
#include "shell/ViewLifecycle.h"
#include "shell/ViewTable.h"
#include "views/ViewCommands.h"
#include "views/ViewKeys.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;

ToolContext ContextFor(Editor& editor, ViewId id, bool ctrlOnly = false) {
    return ToolContext{*editor.scene,
                       editor.viewStates[static_cast<std::size_t>(id)],
                       editor.mouse,
                       editor.tools,
                       id,
                       editor.toolMode(),
                       ctrlOnly};
}

void TakeMouse(Editor& editor, ViewId id, std::uint32_t lParam) {
    MouseToWorld(editor.mouse, editor.viewStates, id, lParam, editor.display.magneticGrid != 0);
}

void MouseMoved(Editor& editor, ViewId id, ViewObject& view, const Message& m) {
    TakeMouse(editor, id, m.lParam);
    if (editor.display.showMouseAxes != 0) view.needsRedraw = 1;
    if (editor.positionDialog) editor.positionDialog(PositionTexts(editor.mouse));
    if (editor.display.magneticGrid != 0) view.needsRedraw = 1;
    ToolContext ctx = ContextFor(editor, id);
    ApplyViewOutcome(editor, id, ToolMouseMove(ctx));
}

// The mouse, keys and popup commands of an orthographic view.
void OrthographicInput(Editor& editor, ViewId id, ViewObject& view, const Message& m) {
    switch (m.message) {
        case WM_MOUSEMOVE:
            MouseMoved(editor, id, view, m);
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
        case WM_SYSKEYDOWN: {
            ToolContext ctx = ContextFor(editor, id);
            ApplyViewOutcome(editor, id, ViewKey(ctx, m.message, m.wParam));
            break;
        }
        case WM_COMMAND: {
            ToolContext ctx = ContextFor(editor, id);
            ApplyViewOutcome(editor, id,
                             ViewCommand(ctx, editor.lightPlacement, LowWord(m.wParam)));
            break;
        }
        default:
            break;
    }
}

}  // namespace

void ApplyViewOutcome(Editor& editor, ViewId id, const ViewOutcome& out) {
    switch (out.redraw) {
        case RedrawScope::None:
            break;
        case RedrawScope::ThisView:
            editor.views[static_cast<std::size_t>(id)].needsRedraw = 1;
            break;
        case RedrawScope::Orthographic:
            editor.RequestRedraw(1);
            break;
        case RedrawScope::All:
            editor.RequestRedraw(0);
            break;
    }
    if (out.newMode) editor.display.toolMode = ToolModeValue(*out.newMode);
    if (out.showCursor) {
        editor.tools.cursor = *out.showCursor;
        editor.windows.SetCursor(static_cast<int>(*out.showCursor));
    }
    if (out.confinement == Confinement::Confine) {
        const ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
        editor.windows.ClipCursor(window.clientRect);
    } else if (out.confinement == Confinement::Free) {
        editor.windows.ClipCursor(std::nullopt);
    }
    if (out.pointLightMoved) {
        const PointLightMarker& p = editor.lightPlacement;
        editor.pointLight.SetPosition(p.x, p.y, p.z);
    }
    if (out.chooseFaceColour) {
        if (const auto c = editor.ChooseColour()) {
            editor.scene->SetSelectedFacesColor(c->red, c->green, c->blue);
            editor.RequestRedraw(0);  // only when a colour was picked
        }
    }
    if (out.openPopup) ShowViewPopup(editor, id, editor.viewPopupMenu);
}

void ShowViewPopup(Editor& editor, ViewId id, const platform::Menu* menu) {
    if (!menu || menu->popups.empty()) return;
    const ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
    const Point client{TruncateToInt32(editor.mouse.pixelX), TruncateToInt32(editor.mouse.pixelY)};
    editor.windows.TrackPopupMenu(menu->popups.front(), TPM_CENTERALIGN | TPM_VCENTERALIGN,
                                  editor.windows.ClientToScreen(window.handle, client),
                                  window.handle);
}

void ViewWindowProc(Editor& editor, ViewId id, const Message& m) {
    ViewObject& view = editor.views[static_cast<std::size_t>(id)];
    ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
    if (id != ViewPerspective) editor.mouse.activeView = id;
    switch (m.message) {
        case WM_PAINT:
            // The toolkit shows the last presented picture by itself; a pending redraw stays
            // pending until the main loop has drawn it, so no animation step is lost.
            if (view.isOpen == 1) view.Paint();
            break;
        case WM_NCPAINT:
            if (view.isOpen == 1) view.needsRedraw = 1;
            break;
        case WM_ACTIVATE:
            view.Activate(m.wParam);
            break;
        case WM_MOVE:
            if (view.isOpen == 1) {
                if (editor.display.pinViews == 1) {
                    const Point p = DescribeView(id).alignedPosition;
                    window.MoveTo(p.x, p.y);
                }
                window.UpdateGeometry();
                view.needsRedraw = 1;
            }
            break;
        case WM_SIZE:
            if (view.isOpen == 1) {
                window.UpdateGeometry();
                view.needsRedraw = 1;
            }
            break;
        case WM_NCACTIVATE:
            // The flat views redraw on an activation change, the perspective view on a
            // non-client paint only.
            if (view.isOpen == 1 && id != ViewPerspective) view.needsRedraw = 1;
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
                if (view.isOpen == 1) PerspectiveInput(editor, m);
            } else if (view.isOpen == 1) {
                BeginViewStep(editor, m);
                OrthographicInput(editor, id, view, m);
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
