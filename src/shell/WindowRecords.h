#pragma once
// The records that remember each window of the program: its handle, styles and measured
// geometry. The frame owns the MDI client; the views are MDI children of it.

#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"
#include "shell/DisplayState.h"
#include "shell/MenuBar.h"
#include "shell/WindowClasses.h"

namespace kvx {

// How a creation size is meant: the client area (1, and any other value) or the whole window (2).
inline constexpr int SizeIsClient = 1;
inline constexpr int SizeIsOuter = 2;

class Window {
  public:
    explicit Window(platform::WindowSystem& windows) : windows_(windows) {}
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Measures the client area (also in screen coordinates) and the whole window.
    virtual void UpdateGeometry();
    // Moves the window's top-left corner, keeping its size and z-order.
    virtual void MoveTo(std::int32_t newX, std::int32_t newY);
    // Back to the state of a window that does not exist.
    void ClearRecord();

    platform::Rect clientRect;  // screen coordinates: where a canvas presents
    platform::Rect windowRect;  // screen coordinates
    std::int32_t clientWidth = 0, clientHeight = 0;
    std::int32_t windowWidth = 0, windowHeight = 0;
    platform::WindowHandle handle = platform::NoWindow;
    AppInfo* application = nullptr;
    std::int32_t x = 0, y = 0;  // requested position: screen for the frame, MDI client for a view

  protected:
    platform::WindowSystem& windows_;
};

class StyledWindow : public Window {
  public:
    using Window::Window;

    // Presets 0 and 1 also set the extended style; the others keep it.
    void ApplyStylePreset(int preset);
    void Setup(AppInfo& app, WindowClassRecord& cls, const std::string& windowTitle);
    void SetupWithMenu(AppInfo& app, WindowClassRecord& cls, MenuBar& bar,
                       const std::string& windowTitle);
    // Sizes the window so that its client area is w x h.
    void ResizeClient(std::int32_t w, std::int32_t h);
    // Sizes the whole window to w x h.
    void ResizeWindow(std::int32_t w, std::int32_t h);

    MenuBar* menuBar = nullptr;
    std::int32_t hasMenu = 0;
    std::uint32_t extendedStyle = 0;
    std::uint32_t style = 0;
    std::string title;
    std::int32_t showCommand = 0;
    WindowClassRecord* windowClass = nullptr;

  protected:
    void SizeBy(int mode, std::int32_t w, std::int32_t h);
};

class FrameWindow : public StyledWindow {
  public:
    using StyledWindow::StyledWindow;

    // Also refits the MDI client over the frame's client area.
    void UpdateGeometry() override;
    // The frame centred on the screen with its menu, then its MDI client. 0 when a window could
    // not be created.
    int Create(std::int32_t w, std::int32_t h, int mode);

    platform::WindowHandle mdiClient = platform::NoWindow;  // the parent of the views
    int windowMenuIndex = 8;                                // the "Fenetre" popup
};

class ChildWindow : public StyledWindow {
  public:
    using StyledWindow::StyledWindow;

    // An MDI child of the frame at (x, y) in the MDI client. 0 when it could not be created.
    int CreateMdiChild(FrameWindow& owner, std::int32_t atX, std::int32_t atY, std::int32_t w,
                       std::int32_t h, int mode);

    FrameWindow* frame = nullptr;
};

}  // namespace kvx
