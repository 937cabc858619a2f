#pragma once
// The nine window classes, registered in this order at start-up; each record unregisters its
// class when the program ends.

#include <array>
#include <string>

#include "platform/WindowSystem.h"

namespace kvx {

inline constexpr const char* FrameClassName = "ClassFenetrePrincipale";
inline constexpr const char* PaletteClassName = "ClassFenetrePralette";

class WindowClassRecord {
  public:
    WindowClassRecord() = default;
    ~WindowClassRecord() { Unregister(); }
    WindowClassRecord(const WindowClassRecord&) = delete;
    WindowClassRecord& operator=(const WindowClassRecord&) = delete;

    bool Register(platform::WindowSystem& windows, const platform::WindowClassInfo& info);
    void Unregister();
    const std::string& Name() const { return info_.name; }
    bool IsRegistered() const { return windows_ != nullptr; }

  private:
    platform::WindowSystem* windows_ = nullptr;
    platform::WindowClassInfo info_;
};

// The classes in registration order: the frame's first; the palette class has no window.
inline const std::array<platform::WindowClassInfo, 9>& WindowClassTable() {
    static const std::array<platform::WindowClassInfo, 9> table = {{
        {FrameClassName, true},
        {"ClassFenetreTOP", false},
        {"ClassFenetreBOTTOM", false},
        {"ClassFenetreRIGHT", false},
        {"ClassFenetreLEFT", false},
        {"ClassFenetreBACK", false},
        {"ClassFenetreFRONT", false},
        {"ClassFenetrePERSPECTIVE", false},
        {PaletteClassName, true},
    }};
    return table;
}

}  // namespace kvx
