#pragma once
// The desktop's window manager as the shell uses it: window classes, the MDI frame and its
// children, geometry, menus and check marks, popup menus, cursors, presentation of pixels in a
// window's client area and timers. The editor implements it on Qt (qt/); tests use a fake that
// records every call. Events come back as messages posted to the program's MessageQueue.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "platform/Menu.h"
#include "platform/Message.h"

namespace kvx::platform {

struct WindowClassInfo {
    std::string name;
    bool arrowCursor = false;  // false: the window procedure sets the cursor itself
};

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // --- desktop ----------------------------------------------------------------------------
    // Bits per pixel of the desktop.
    virtual int DesktopBitsPerPixel() = 0;
    // Width and height of the screen in pixels.
    virtual Point ScreenSize() = 0;

    // --- classes and windows ----------------------------------------------------------------
    virtual bool RegisterClass(const WindowClassInfo& info) = 0;
    virtual void UnregisterClass(const std::string& name) = 0;
    // A top-level window at (x, y), w x h outer pixels. NoWindow on failure.
    virtual WindowHandle CreateTopLevel(const std::string& className, const std::string& title,
                                        std::uint32_t style, std::uint32_t exStyle, Rect outer) = 0;
    // The MDI client filling frame; the popup at windowMenuIndex of the frame's menu lists the
    // children.
    virtual WindowHandle CreateMdiClient(WindowHandle frame, int windowMenuIndex) = 0;
    // An MDI child of mdiClient at (x, y) in the client's coordinates, w x h outer pixels.
    virtual WindowHandle CreateMdiChild(WindowHandle mdiClient, const std::string& className,
                                        const std::string& title, std::uint32_t style,
                                        Rect outer) = 0;
    virtual void DestroyWindow(WindowHandle window) = 0;
    virtual void ShowWindow(WindowHandle window, std::int32_t command) = 0;
    // Moves and sizes (outer size) in the parent's coordinates, or the screen's for a top-level.
    virtual void MoveWindow(WindowHandle window, Rect outer) = 0;
    // Moves without sizing and without changing the z-order.
    virtual void SetWindowPosition(WindowHandle window, Point topLeft) = 0;
    // Whether the window, or the frame around it, is minimised (nothing of it can be seen).
    virtual bool IsMinimized(WindowHandle window) = 0;
    // (0, 0, client width, client height).
    virtual Rect GetClientRect(WindowHandle window) = 0;
    // The whole window in screen coordinates.
    virtual Rect GetWindowRect(WindowHandle window) = 0;
    virtual Point ClientToScreen(WindowHandle window, Point p) = 0;
    // The outer rectangle of a window whose client area is `client`, with the given styles and
    // menu (the result's left and top are zero or negative).
    virtual Rect AdjustWindowRect(Rect client, std::uint32_t style, bool hasMenu,
                                  std::uint32_t exStyle) = 0;

    // --- menus and cursors ------------------------------------------------------------------
    // Gives frame its menu bar; choosing an item posts WM_COMMAND with its identifier to frame.
    virtual void SetMenu(WindowHandle frame, const Menu& menu) = 0;
    // Checks or unchecks the item with identifier id of the frame's menu bar.
    virtual void CheckMenuItem(std::uint32_t id, bool checked) = 0;
    // Gives a menu bar item another text, or hides it (shown false).
    virtual void SetMenuItemText(std::uint32_t id, const std::string& text, bool shown) = 0;
    // Gives the frame's menu bar the texts of menu, which holds the same popups and items in the
    // same places as the menu it was given (another language); check marks, hidden items and
    // shortcuts stay.
    virtual void SetMenuTexts(WindowHandle /*frame*/, const Menu& /*menu*/) {}
    // Shows popup at a screen point; the chosen item arrives later as WM_COMMAND to owner.
    virtual void TrackPopupMenu(const MenuItem& popup, std::uint32_t flags, Point screen,
                                WindowHandle owner) = 0;
    // Shows the cursor with this index of the cursor table.
    virtual void SetCursor(int index) = 0;
    // Confines the cursor to a screen rectangle, or frees it.
    virtual void ClipCursor(std::optional<Rect> screen) = 0;

    // Shows text in the frame's status bar, below its client area.
    virtual void SetStatusText(WindowHandle frame, const std::string& text) = 0;
    // A second, shorter text at the right of the status bar (what the mouse does now).
    virtual void SetStatusHint(WindowHandle /*frame*/, const std::string& /*text*/) {}

    // --- presentation and timers ------------------------------------------------------------
    // Shows pixels stretched over the window's client area. The memory is read again whenever
    // the window repaints, until the next Present or ForgetPixels for that window.
    virtual bool Present(WindowHandle window, const PixelBuffer& pixels) = 0;
    virtual void ForgetPixels(WindowHandle window) = 0;
    // Posts WM_TIMER with wParam id to window every `milliseconds` until KillTimer.
    virtual void SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t milliseconds) = 0;
    virtual void KillTimer(WindowHandle window, std::uint32_t id) = 0;

    // --- long work --------------------------------------------------------------------------
    // While the program works at something long on another thread: delivers the pending events
    // that are not input (painting, resizing, timers, which only post messages) for at most
    // `milliseconds`, and keeps keys and mouse buttons for later.
    virtual void ProcessNonInputEvents(int /*milliseconds*/) {}
    // Shows the busy cursor over every window of the program, or takes it away again.
    virtual void SetBusyCursor(bool /*busy*/) {}

    // The files last dropped on the frame, which posted WM_DROPFILES to it; taking them empties
    // the list.
    virtual std::vector<std::string> TakeDroppedFiles() { return {}; }
    // Shows (or brings forward, with the new text) a window of reference text beside the frame:
    // HTML whose images "cursor:N" are the cursor table's pictures. Nothing where no window
    // can be shown.
    virtual void ShowReference(const std::string& /*title*/, const std::string& /*html*/) {}
    // Gives the reference window new text if it is on the screen; shows nothing otherwise.
    virtual void UpdateReference(const std::string& /*title*/, const std::string& /*html*/) {}
};

}  // namespace kvx::platform
