#include "shell/ViewWindowProc.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "shell/ViewLifecycle.h"
#include "shell/ViewTable.h"

namespace kvx {
namespace {

using namespace platform;

void MouseMoved(Editor& editor, ViewId id, ViewObject& view, const Message& m) {
    if (id == ViewPerspective) {
        editor.mouse.pixelX = LowWord(m.lParam);
        editor.mouse.pixelY = HighWord(m.lParam);
        return;
    }
    MouseToWorld(editor.mouse, editor.viewStates, id, m.lParam, editor.display.magneticGrid != 0);
    if (editor.display.showMouseAxes != 0) view.needsRedraw = 1;
    if (editor.display.magneticGrid != 0) view.needsRedraw = 1;
}

}  // namespace

void ViewWindowProc(Editor& editor, ViewId id, const Message& m) {
    ViewObject& view = editor.views[static_cast<std::size_t>(id)];
    ChildWindow& window = *editor.viewWindows[static_cast<std::size_t>(id)];
    if (id != ViewPerspective) editor.mouse.activeView = id;
    switch (m.message) {
        case WM_PAINT:
            if (view.isOpen == 1 && view.needsRedraw == 1 && view.Paint() != 0)
                view.needsRedraw = 0;
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
            if (view.isOpen == 1) view.needsRedraw = 1;
            break;
        case WM_CLOSE:
            // A window closed by its own close box: release the view, then the window goes.
            if (window.handle != NoWindow) CloseView(editor, id);
            break;
        case WM_SETCURSOR:
            if (id != ViewPerspective) editor.windows.SetCursor(editor.tools.cursorIndex);
            break;
        case WM_MOUSEMOVE:
            MouseMoved(editor, id, view, m);
            break;
        default:
            break;
    }
}

}  // namespace kvx
