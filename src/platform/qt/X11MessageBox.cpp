#include "platform/qt/X11MessageBox.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/qt/QtTrace.h"

namespace kvx::qt {
namespace {

constexpr int Margin = 20;
constexpr int ButtonWidth = 64;
constexpr int ButtonHeight = 24;

// The text in Latin-1, as the core fonts draw it; other characters become '?'.
std::string Latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            out +=
                static_cast<char>((c & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else if ((c & 0xC0) != 0x80) {
            // Another character, or a broken one: its continuation bytes go with it.
            out += '?';
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
                ++i;
        }
    }
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

struct Box {
    Display* display;
    Window window;
    GC gc;
    XFontStruct* font;
    std::vector<std::string> lines;
    int width, height;
    int buttonX, buttonY;

    void Draw() const {
        XClearWindow(display, window);
        const int lineHeight = font->ascent + font->descent;
        int y = Margin + font->ascent;
        for (const std::string& line : lines) {
            XDrawString(display, window, gc, Margin, y, line.c_str(),
                        static_cast<int>(line.size()));
            y += lineHeight;
        }
        XDrawRectangle(display, window, gc, buttonX, buttonY, ButtonWidth, ButtonHeight);
        const int okWidth = XTextWidth(font, "OK", 2);
        XDrawString(display, window, gc, buttonX + (ButtonWidth - okWidth) / 2,
                    buttonY + (ButtonHeight + font->ascent - font->descent) / 2, "OK", 2);
        XFlush(display);
    }
    bool OnButton(int x, int y) const {
        return x >= buttonX && x <= buttonX + ButtonWidth && y >= buttonY &&
               y <= buttonY + ButtonHeight;
    }
};

}  // namespace

bool ShowCoreX11MessageBox(const std::string& text, const std::string& title, bool trace) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    if (!font) {
        XCloseDisplay(display);
        return false;
    }
    const int screen = DefaultScreen(display);
    Box box{display, 0, nullptr, font, Lines(Latin1(text)), 0, 0, 0, 0};
    int textWidth = 0;
    for (const std::string& line : box.lines)
        textWidth =
            std::max(textWidth, XTextWidth(font, line.c_str(), static_cast<int>(line.size())));
    const int lineHeight = font->ascent + font->descent;
    box.width = std::max(textWidth, ButtonWidth) + 2 * Margin;
    box.height = static_cast<int>(box.lines.size()) * lineHeight + ButtonHeight + 3 * Margin;
    box.buttonX = (box.width - ButtonWidth) / 2;
    box.buttonY = box.height - Margin - ButtonHeight;
    const int x = std::max(0, (DisplayWidth(display, screen) - box.width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - box.height) / 2);
    box.window =
        XCreateSimpleWindow(display, RootWindow(display, screen), x, y,
                            static_cast<unsigned>(box.width), static_cast<unsigned>(box.height), 1,
                            BlackPixel(display, screen), WhitePixel(display, screen));
    const std::string name = Latin1(title);
    XStoreName(display, box.window, name.c_str());
    Atom closeBox = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, box.window, &closeBox, 1);
    XSelectInput(display, box.window,
                 ExposureMask | ButtonPressMask | KeyPressMask | StructureNotifyMask);
    box.gc = XCreateGC(display, box.window, 0, nullptr);
    XSetForeground(display, box.gc, BlackPixel(display, screen));
    XSetBackground(display, box.gc, WhitePixel(display, screen));
    XSetFont(display, box.gc, font->fid);
    XMapRaised(display, box.window);

    for (bool answered = false; !answered;) {
        XEvent e;
        XNextEvent(display, &e);
        switch (e.type) {
            case MapNotify:
                // Without a window manager nobody gives it the keyboard.
                XSetInputFocus(display, box.window, RevertToPointerRoot, CurrentTime);
                break;
            case Expose:
                if (e.xexpose.count != 0) break;
                box.Draw();
                if (trace) {
                    // Once the server has drawn it, for scripts that look at it.
                    XSync(display, False);
                    TraceLine("kolvex: message box \"%s\" drawn", title.c_str());
                }
                break;
            case ButtonPress:
                answered = box.OnButton(e.xbutton.x, e.xbutton.y);
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&e.xkey, 0);
                answered =
                    key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
                break;
            }
            case ClientMessage:
                answered = static_cast<Atom>(e.xclient.data.l[0]) == closeBox;
                break;
            default:
                break;
        }
    }
    XFreeGC(display, box.gc);
    XDestroyWindow(display, box.window);
    XFreeFont(display, font);
    XCloseDisplay(display);
    return true;
}

}  // namespace kvx::qt
