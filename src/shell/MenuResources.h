#pragma once
// The menus "MENU1" (the menu bar), "SUBMENU1" (the flat views' popup) and "SUBMENU2" (the
// perspective view's popup), built from the command rows in their order.

#include <string_view>

#include "platform/Menu.h"
#include "shell/CommandTable.h"

namespace kvx {

// The popup of "MENU1" that lists the MDI children ("Fenetre").
inline constexpr int WindowMenuIndex = 8;

const platform::Menu& MenuOf(CommandSource source);
// The menu with this resource name, or null.
const platform::Menu* LoadMenuResource(std::string_view name);

}  // namespace kvx
