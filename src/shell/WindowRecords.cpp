#include "shell/WindowRecords.h"

#include <cstdlib>

#include "platform/WindowConstants.h"

namespace kvx {

using namespace platform;

void Window::UpdateGeometry() {
    if (handle == NoWindow) return;
    const Rect client = windows_.GetClientRect(handle);
    clientWidth = client.right;
    clientHeight = client.bottom;
    const Point topLeft = windows_.ClientToScreen(handle, Point{client.left, client.top});
    const Point bottomRight = windows_.ClientToScreen(handle, Point{client.right, client.bottom});
    clientRect = Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    windowRect = windows_.GetWindowRect(handle);
    windowWidth = windowRect.Width();
    windowHeight = windowRect.Height();
}

void Window::MoveTo(std::int32_t newX, std::int32_t newY) {
    x = newX;
    y = newY;
    if (handle != NoWindow) windows_.SetWindowPosition(handle, Point{newX, newY});
}

void Window::ClearRecord() {
    handle = NoWindow;
    clientWidth = clientHeight = windowWidth = windowHeight = 0;
    x = y = 0;
    application = nullptr;
    clientRect = Rect{};
    windowRect = Rect{};
}

void StyledWindow::ApplyStylePreset(int preset) {
    switch (preset) {
        case 0:
            style = WS_POPUP | WS_VISIBLE;
            extendedStyle = WS_EX_APPWINDOW;
            break;
        case 1:
            style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
            extendedStyle = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
            break;
        case 2:
            style = WS_CAPTION | WS_VISIBLE;
            break;
        case 3:
            style = WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
            break;
        case 4:
            style = WS_CAPTION | WS_SYSMENU | WS_HSCROLL | WS_VSCROLL | WS_VISIBLE;
            break;
        case 5:
            style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
            break;
        case 6:
            style = WS_CAPTION | WS_MINIMIZEBOX | WS_VISIBLE;
            break;
        default:
            break;
    }
}

void StyledWindow::Setup(AppInfo& app, WindowClassRecord& cls, const std::string& windowTitle) {
    application = &app;
    windowClass = &cls;
    ApplyStylePreset(1);
    showCommand = app.showCommand;
    title = windowTitle.substr(0, 255);
}

void StyledWindow::SetupWithMenu(AppInfo& app, WindowClassRecord& cls, MenuBar& bar,
                                 const std::string& windowTitle) {
    Setup(app, cls, windowTitle);
    menuBar = &bar;
}

void StyledWindow::ResizeClient(std::int32_t w, std::int32_t h) {
    const Rect outer =
        windows_.AdjustWindowRect(Rect{0, 0, w, h}, style, hasMenu != 0, extendedStyle);
    windowWidth = outer.right + std::abs(outer.left);
    windowHeight = outer.bottom + std::abs(outer.top);
    if (handle != NoWindow)
        windows_.MoveWindow(handle, Rect{x, y, x + windowWidth, y + windowHeight});
    UpdateGeometry();
}

void StyledWindow::ResizeWindow(std::int32_t w, std::int32_t h) {
    windowWidth = w;
    windowHeight = h;
    if (handle != NoWindow) windows_.MoveWindow(handle, Rect{x, y, x + w, y + h});
    UpdateGeometry();
}

void StyledWindow::SizeBy(int mode, std::int32_t w, std::int32_t h) {
    if (mode == SizeIsOuter) {
        ResizeWindow(w, h);
    } else {
        ResizeClient(w, h);
    }
}

void FrameWindow::UpdateGeometry() {
    StyledWindow::UpdateGeometry();
    if (mdiClient != NoWindow)
        windows_.MoveWindow(mdiClient, Rect{0, 0, clientWidth, clientHeight});
}

int FrameWindow::Create(std::int32_t w, std::int32_t h, int mode) {
    windowWidth = w;
    windowHeight = h;
    const Point screen = windows_.ScreenSize();
    x = screen.x / 2 - w / 2;
    y = screen.y / 2 - h / 2;
    const std::string className = windowClass != nullptr ? windowClass->Name() : FrameClassName;
    handle =
        windows_.CreateTopLevel(className, title, style, extendedStyle, Rect{x, y, x + w, y + h});
    if (handle == NoWindow) return 0;
    if (menuBar != nullptr && menuBar->menu != nullptr) {
        windows_.SetMenu(handle, *menuBar->menu);
        hasMenu = 1;
    }
    windows_.ShowWindow(handle, showCommand);
    if (menuBar != nullptr) windowMenuIndex = menuBar->windowMenuIndex;
    mdiClient = windows_.CreateMdiClient(handle, windowMenuIndex);
    if (mdiClient == NoWindow) return 0;
    SizeBy(mode, w, h);
    return 1;
}

int ChildWindow::CreateMdiChild(FrameWindow& owner, std::int32_t atX, std::int32_t atY,
                                std::int32_t w, std::int32_t h, int mode) {
    frame = &owner;
    windowWidth = w;
    windowHeight = h;
    x = atX;
    y = atY;
    const std::string className = windowClass != nullptr ? windowClass->Name() : std::string();
    handle = windows_.CreateMdiChild(owner.mdiClient, className, title, style,
                                     Rect{atX, atY, atX + w, atY + h});
    if (handle == NoWindow) return 0;
    windows_.ShowWindow(handle, SW_SHOW);
    SizeBy(mode, w, h);
    return 1;
}

}  // namespace kvx
