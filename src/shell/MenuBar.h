#pragma once
// The frame's menu bar "MENU1": its resource, the index of the "Fenetre" popup handed to the MDI
// client, and the check marks of its items.

#include <cstdint>

#include "platform/Menu.h"
#include "platform/WindowSystem.h"
#include "shell/DisplayState.h"
#include "shell/Language.h"

namespace kvx {

class MenuBar {
  public:
    explicit MenuBar(platform::WindowSystem& windows) : windows_(windows) {}

    // Loads the resource in language; false when there is no menu of that name.
    bool Load(const char* resourceName, AppInfo& app, Language language = Language::French);
    void Check(std::uint32_t id) { windows_.CheckMenuItem(id, true); }
    void Uncheck(std::uint32_t id) { windows_.CheckMenuItem(id, false); }
    void SetChecked(std::uint32_t id, bool checked) { windows_.CheckMenuItem(id, checked); }

    const char* resourceName = "MENU1";
    AppInfo* application = nullptr;
    int windowMenuIndex = 8;
    const platform::Menu* menu = nullptr;

  private:
    platform::WindowSystem& windows_;
};

}  // namespace kvx
