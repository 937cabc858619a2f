#pragma once
// A window system without a screen: it keeps every window's geometry, the check marks, timers and
// the pixels presented in each window, and records the calls the shell makes.

#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/WindowConstants.h"
#include "platform/WindowSystem.h"

namespace kvx::test {

class FakeWindowSystem : public platform::WindowSystem {
  public:
    // Decoration of every window: borders and caption, and the frame's menu bar.
    static constexpr int Border = 4;
    static constexpr int Caption = 20;
    static constexpr int MenuHeight = 20;

    struct FakeWindow {
        std::string className;
        std::string title;
        platform::WindowHandle parent = platform::NoWindow;  // the MDI client for a view
        platform::Rect outer;  // parent coordinates, or screen for a top-level window
        bool hasMenu = false;
        bool isMdiClient = false;
        std::int32_t showCommand = -1;
        bool destroyed = false;
    };
    struct Presented {
        platform::WindowHandle window;
        std::int32_t width = 0, height = 0, bitsPerPixel = 0;
        std::vector<std::uint8_t> pixels;  // rows packed without padding
        std::uint32_t Pixel(int x, int y) const {
            const int bytes = bitsPerPixel / 8;
            const std::uint8_t* p = &pixels[static_cast<std::size_t>((y * width + x) * bytes)];
            std::uint32_t v = p[0] | std::uint32_t{p[1]} << 8;
            if (bytes == 3) v |= std::uint32_t{p[2]} << 16;
            return v;
        }
    };

    int depth = 24;
    platform::Point screen{1024, 768};
    std::map<platform::WindowHandle, FakeWindow> windows;
    std::set<std::string> registeredClasses;
    std::map<std::uint32_t, bool> checks;
    std::map<std::uint32_t, std::string> itemTexts;  // set by SetMenuItemText; "" when hidden
    const platform::Menu* menu = nullptr;
    std::map<platform::WindowHandle, Presented> lastPresented;
    std::vector<platform::WindowHandle> presentOrder;
    std::set<std::pair<platform::WindowHandle, std::uint32_t>> timers;
    std::vector<int> cursors;
    std::vector<std::string> popups;
    std::optional<platform::Rect> clip;  // where the cursor is held, if anywhere
    std::string statusHint;
    std::string statusText;
    std::vector<std::string> statusTexts;  // every text given, in order
    // Long work: the rounds of non-input events delivered (each runs duringNonInputEvents
    // first), and the busy cursor shown (true) and taken away (false), in order.
    int nonInputRounds = 0;
    std::function<void()> duringNonInputEvents;
    std::vector<bool> busyCursor;
    // The reference window's title and HTML while it is open.
    std::optional<std::pair<std::string, std::string>> reference;
    std::vector<std::string> dropped;  // what the next WM_DROPFILES hands over
    std::string emptyClientTitle;      // a window so titled has no client area (nothing fits)

    bool Checked(std::uint32_t id) const {
        auto it = checks.find(id);
        return it != checks.end() && it->second;
    }
    const FakeWindow* Find(platform::WindowHandle h) const {
        auto it = windows.find(h);
        return it == windows.end() || it->second.destroyed ? nullptr : &it->second;
    }
    int LiveWindowCount() const {
        int n = 0;
        for (const auto& [h, w] : windows)
            n += w.destroyed ? 0 : 1;
        return n;
    }
    platform::WindowHandle Frame() const { return frame_; }

    int DesktopBitsPerPixel() override { return depth; }
    platform::Point ScreenSize() override { return screen; }
    bool RegisterClass(const platform::WindowClassInfo& info) override {
        return registeredClasses.insert(info.name).second;
    }
    void UnregisterClass(const std::string& name) override { registeredClasses.erase(name); }
    platform::WindowHandle CreateTopLevel(const std::string& className, const std::string& title,
                                          std::uint32_t, std::uint32_t,
                                          platform::Rect outer) override {
        const auto h = Add(FakeWindow{className, title, platform::NoWindow, outer});
        if (frame_ == platform::NoWindow) frame_ = h;
        return h;
    }
    platform::WindowHandle CreateMdiClient(platform::WindowHandle frame, int) override {
        FakeWindow w;
        w.parent = frame;
        w.isMdiClient = true;
        mdiClient_ = Add(w);
        return mdiClient_;
    }
    platform::WindowHandle CreateMdiChild(platform::WindowHandle client,
                                          const std::string& className, const std::string& title,
                                          std::uint32_t, platform::Rect outer) override {
        return Add(FakeWindow{className, title, client, outer});
    }
    void DestroyWindow(platform::WindowHandle h) override {
        if (auto it = windows.find(h); it != windows.end()) it->second.destroyed = true;
    }
    void ShowWindow(platform::WindowHandle h, std::int32_t command) override {
        if (auto it = windows.find(h); it != windows.end()) it->second.showCommand = command;
    }
    bool IsMinimized(platform::WindowHandle h) override {
        auto it = windows.find(h);
        return it != windows.end() && it->second.showCommand == platform::SW_MINIMIZE;
    }
    void MoveWindow(platform::WindowHandle h, platform::Rect outer) override {
        if (auto it = windows.find(h); it != windows.end()) it->second.outer = outer;
    }
    void SetWindowPosition(platform::WindowHandle h, platform::Point p) override {
        if (auto it = windows.find(h); it != windows.end()) {
            platform::Rect& r = it->second.outer;
            r = platform::Rect{p.x, p.y, p.x + r.Width(), p.y + r.Height()};
        }
    }
    platform::Rect GetClientRect(platform::WindowHandle h) override {
        const FakeWindow& w = windows.at(h);
        if (w.isMdiClient) return platform::Rect{0, 0, w.outer.Width(), w.outer.Height()};
        if (w.title == emptyClientTitle) return platform::Rect{};
        const int top = Caption + Border + (w.hasMenu ? MenuHeight : 0);
        return platform::Rect{0, 0, w.outer.Width() - 2 * Border, w.outer.Height() - top - Border};
    }
    platform::Rect GetWindowRect(platform::WindowHandle h) override {
        const FakeWindow& w = windows.at(h);
        const platform::Point origin = ParentOrigin(w);
        return platform::Rect{origin.x + w.outer.left, origin.y + w.outer.top,
                              origin.x + w.outer.right, origin.y + w.outer.bottom};
    }
    platform::Point ClientToScreen(platform::WindowHandle h, platform::Point p) override {
        const FakeWindow& w = windows.at(h);
        const platform::Rect r = GetWindowRect(h);
        if (w.isMdiClient) return platform::Point{r.left + p.x, r.top + p.y};
        const int top = Caption + Border + (w.hasMenu ? MenuHeight : 0);
        return platform::Point{r.left + Border + p.x, r.top + top + p.y};
    }
    platform::Rect AdjustWindowRect(platform::Rect client, std::uint32_t, bool hasMenu,
                                    std::uint32_t) override {
        const int top = Caption + Border + (hasMenu ? MenuHeight : 0);
        return platform::Rect{client.left - Border, client.top - top, client.right + Border,
                              client.bottom + Border};
    }
    void SetMenu(platform::WindowHandle h, const platform::Menu& m) override {
        menu = &m;
        windows.at(h).hasMenu = true;
    }
    void CheckMenuItem(std::uint32_t id, bool checked) override { checks[id] = checked; }
    void SetMenuItemText(std::uint32_t id, const std::string& text, bool shown) override {
        itemTexts[id] = shown ? text : std::string();
    }
    void SetMenuTexts(platform::WindowHandle, const platform::Menu& m) override { menu = &m; }
    void ShowReference(const std::string& title, const std::string& html) override {
        reference = {title, html};
    }
    void UpdateReference(const std::string& title, const std::string& html) override {
        if (reference) reference = {title, html};
    }
    void TrackPopupMenu(const platform::MenuItem& popup, std::uint32_t, platform::Point,
                        platform::WindowHandle) override {
        popups.push_back(popup.text);
    }
    void SetCursor(int index) override { cursors.push_back(index); }
    void SetStatusText(platform::WindowHandle, const std::string& text) override {
        statusText = text;
        statusTexts.push_back(text);
    }
    void SetStatusHint(platform::WindowHandle, const std::string& text) override {
        statusHint = text;
    }
    void ClipCursor(std::optional<platform::Rect> r) override { clip = r; }
    bool Present(platform::WindowHandle h, const PixelBuffer& b) override {
        Presented p{h, b.width, b.height, b.bitsPerPixel, {}};
        const int rowBytes = b.width * b.BytesPerPixel();
        p.pixels.resize(static_cast<std::size_t>(rowBytes * b.height));
        for (int y = 0; y < b.height; ++y) {
            std::memcpy(&p.pixels[static_cast<std::size_t>(y * rowBytes)], b.Address(0, y),
                        static_cast<std::size_t>(rowBytes));
        }
        lastPresented[h] = std::move(p);
        presentOrder.push_back(h);
        return true;
    }
    void ForgetPixels(platform::WindowHandle h) override { lastPresented.erase(h); }
    void SetTimer(platform::WindowHandle h, std::uint32_t id, std::uint32_t) override {
        timers.insert({h, id});
    }
    void KillTimer(platform::WindowHandle h, std::uint32_t id) override { timers.erase({h, id}); }
    std::vector<std::string> TakeDroppedFiles() override { return std::exchange(dropped, {}); }
    void ProcessNonInputEvents(int) override {
        ++nonInputRounds;
        if (duringNonInputEvents) duringNonInputEvents();
    }
    void SetBusyCursor(bool busy) override { busyCursor.push_back(busy); }

  private:
    platform::WindowHandle Add(const FakeWindow& w) {
        windows[++next_] = w;
        return next_;
    }
    platform::Point ParentOrigin(const FakeWindow& w) {
        if (w.parent == platform::NoWindow) return platform::Point{0, 0};
        const FakeWindow& parent = windows.at(w.parent);
        if (parent.isMdiClient) {
            // The MDI client fills the frame's client area.
            return ClientToScreen(parent.parent,
                                  platform::Point{parent.outer.left, parent.outer.top});
        }
        return ClientToScreen(w.parent, platform::Point{0, 0});
    }

    platform::WindowHandle next_ = 0;
    platform::WindowHandle frame_ = platform::NoWindow;
    platform::WindowHandle mdiClient_ = platform::NoWindow;
};

}  // namespace kvx::test
