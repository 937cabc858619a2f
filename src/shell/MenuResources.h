#pragma once
// The menus "MENU1" (the menu bar), "SUBMENU1" (the flat views' popup) and "SUBMENU2" (the
// perspective view's popup), built from the command rows in their order.

#include <string_view>

#include "platform/Menu.h"
#include "shell/CommandTable.h"
#include "shell/Language.h"

namespace kvx {

// The popup of "MENU1" that lists the MDI children ("Fenetre").
inline constexpr int WindowMenuIndex = 8;

// The menu of the commands given from source, its texts in language (the described French menus
// by default); the menus of both languages have the same items in the same places.
const platform::Menu& MenuOf(CommandSource source, Language language = Language::French);
// The menu with this resource name, in French, or null.
const platform::Menu* LoadMenuResource(std::string_view name, Language language = Language::French);

}  // namespace kvx
