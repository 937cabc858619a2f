#pragma once
// The menu resources: the frame's menu bar "MENU1" and the popups "SUBMENU1" (orthographic views)
// and "SUBMENU2" (perspective view).

#include <string_view>

#include "platform/Menu.h"

namespace kvx::resources {

// The popup of "MENU1" that lists the MDI children ("Fenetre").
inline constexpr int WindowMenuIndex = 8;

const platform::Menu& Menu1();
const platform::Menu& SubMenu1();
const platform::Menu& SubMenu2();

// The menu resource with this name, or null.
const platform::Menu* LoadMenuResource(std::string_view name);

}  // namespace kvx::resources
