#pragma once
// One message of the desktop platform: the window it is for, its id and its two parameters, with
// the numeric values of Constants.h and WindowConstants.h.

#include <cstdint>

namespace kvx::platform {

// Names a window of the platform; 0 is no window.
using WindowHandle = std::uint32_t;
inline constexpr WindowHandle NoWindow = 0;

struct Message {
    WindowHandle window = NoWindow;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
};

inline bool operator==(const Message& a, const Message& b) {
    return a.window == b.window && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam;
}

struct Point {
    std::int32_t x = 0, y = 0;
};

// right and bottom exclusive, as the platform counts.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
};

// Client coordinates of a mouse message packed as the platform does: x in the low 16 bits, y in
// the high 16 bits, each cut to 16 bits (negative positions wrap).
constexpr std::uint32_t PackMousePosition(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(x) & 0xFFFFu) | (static_cast<std::uint32_t>(y) & 0xFFFFu)
                                                           << 16;
}

}  // namespace kvx::platform
