#pragma once
// The platform's window system on Qt Widgets: the frame is a main window around an MDI area, the
// views are MDI subwindows whose client widget shows the presented pixels. Every Qt event the
// program cares about is posted to the message queue as a message.

#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/MessageQueue.h"
#include "platform/WindowSystem.h"
#include "platform/qt/QtWindows.h"

class QAction;
class QMenu;

namespace kvx::qt {

class QtWindowSystem : public platform::WindowSystem {
  public:
    explicit QtWindowSystem(platform::MessageQueue& queue);
    ~QtWindowSystem() override;

    // Tests answer popup menus here instead of showing them: the returned identifier (or none)
    // is what the user chose.
    using PopupAnswerer = std::function<std::optional<std::uint32_t>(const platform::MenuItem&)>;
    void SetPopupAnswerer(PopupAnswerer answerer) { popupAnswerer_ = std::move(answerer); }
    // With tracing on, every presentation is reported on stderr with the view's title and its
    // client area on the screen, and so are the menu bar's menus and every popup menu shown
    // (for scripts that look at the screen and drive it), with what QtTrace.h lists.
    void SetTrace(bool on);

    // The widgets behind a handle, or null.
    QWidget* Widget(platform::WindowHandle window) const;
    ViewWidget* Client(platform::WindowHandle window) const;
    QAction* MenuAction(std::uint32_t id) const;

    int DesktopBitsPerPixel() override;
    platform::Point ScreenSize() override;
    bool RegisterClass(const platform::WindowClassInfo& info) override;
    void UnregisterClass(const std::string& name) override;
    platform::WindowHandle CreateTopLevel(const std::string& className, const std::string& title,
                                          std::uint32_t style, std::uint32_t exStyle,
                                          platform::Rect outer) override;
    platform::WindowHandle CreateMdiClient(platform::WindowHandle frame,
                                           int windowMenuIndex) override;
    platform::WindowHandle CreateMdiChild(platform::WindowHandle mdiClient,
                                          const std::string& className, const std::string& title,
                                          std::uint32_t style, platform::Rect outer) override;
    void DestroyWindow(platform::WindowHandle window) override;
    void ShowWindow(platform::WindowHandle window, std::int32_t command) override;
    void MoveWindow(platform::WindowHandle window, platform::Rect outer) override;
    void SetWindowPosition(platform::WindowHandle window, platform::Point topLeft) override;
    bool IsMinimized(platform::WindowHandle window) override;
    platform::Rect GetClientRect(platform::WindowHandle window) override;
    platform::Rect GetWindowRect(platform::WindowHandle window) override;
    platform::Point ClientToScreen(platform::WindowHandle window, platform::Point p) override;
    platform::Rect AdjustWindowRect(platform::Rect client, std::uint32_t style, bool hasMenu,
                                    std::uint32_t exStyle) override;
    void SetMenu(platform::WindowHandle frame, const platform::Menu& menu) override;
    void CheckMenuItem(std::uint32_t id, bool checked) override;
    void SetMenuItemText(std::uint32_t id, const std::string& text, bool shown) override;
    void SetMenuTexts(platform::WindowHandle frame, const platform::Menu& menu) override;
    void TrackPopupMenu(const platform::MenuItem& popup, std::uint32_t flags,
                        platform::Point screen, platform::WindowHandle owner) override;
    void SetCursor(int index) override;
    void SetStatusText(platform::WindowHandle frame, const std::string& text) override;
    void SetStatusHint(platform::WindowHandle frame, const std::string& text) override;
    void ClipCursor(std::optional<platform::Rect> screen) override;
    bool Present(platform::WindowHandle window, const PixelBuffer& pixels) override;
    void ForgetPixels(platform::WindowHandle window) override;
    void SetTimer(platform::WindowHandle window, std::uint32_t id,
                  std::uint32_t milliseconds) override;
    void KillTimer(platform::WindowHandle window, std::uint32_t id) override;
    void ProcessNonInputEvents(int milliseconds) override;
    void SetBusyCursor(bool busy) override;
    std::vector<std::string> TakeDroppedFiles() override;
    void ShowReference(const std::string& title, const std::string& html) override;
    void UpdateReference(const std::string& title, const std::string& html) override;

  private:
    enum class Kind { Frame, MdiClient, View };
    struct Entry {
        Kind kind;
        QPointer<QWidget> widget;  // the frame, the MDI area or the subwindow
        platform::WindowHandle owner = platform::NoWindow;  // the frame of an MDI client
        std::string title;
    };

    platform::WindowHandle Add(Kind kind, QWidget* widget, platform::WindowHandle owner,
                               const std::string& title);
    const Entry* Find(platform::WindowHandle window) const;
    MessagePoster PosterFor(platform::WindowHandle window);
    void AddMenuItems(QMenu* menu, const std::vector<platform::MenuItem>& items, bool menuBar,
                      platform::WindowHandle owner);
    void FillWindowList(QMenu* menu);
    void ApplyCursor(QWidget* widget) const;
    // With tracing: where each menu of the menu bar is on the screen, whenever that changed.
    void TraceMenuBar();
    void SetItemTexts(QMenu* menu, const std::vector<platform::MenuItem>& items);
    void FillReference(const std::string& title, const std::string& html);

    platform::MessageQueue& queue_;
    std::map<platform::WindowHandle, Entry> entries_;
    platform::WindowHandle nextHandle_ = 0;
    platform::WindowHandle frame_ = platform::NoWindow;
    std::map<std::uint32_t, QPointer<QAction>> menuActions_;
    QPointer<QMenu> windowMenu_;
    std::map<std::pair<platform::WindowHandle, std::uint32_t>, std::unique_ptr<QTimer>> timers_;
    PopupAnswerer popupAnswerer_;
    int cursorIndex_ = 5;
    std::optional<platform::Rect> clip_;
    QPointer<ViewWidget> confinedIn_;  // the view holding the pointer while it is confined
    bool trace_ = false;
    std::string tracedMenus_;
    QPointer<QWidget> reference_;  // the key reference while it is open
};

// GetMessage's pump on Qt: delivers pending events, or waits for the next one.
class QtEventPump : public platform::EventPump {
  public:
    bool ProcessEvents(bool wait) override;
};

}  // namespace kvx::qt
