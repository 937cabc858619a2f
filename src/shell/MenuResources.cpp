#include "shell/MenuResources.h"

#include <array>
#include <string>

namespace kvx {
namespace {

using platform::Menu;
using platform::MenuItem;

// The popup called name among items, made at the end when there is none yet.
std::vector<MenuItem>& PopupItems(std::vector<MenuItem>& items, std::string_view name) {
    for (MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Popup && item.text == name) return item.items;
    }
    items.push_back(MenuItem::Popup(std::string(name), {}));
    return items.back().items;
}

// The items of the popup at path ("Fichier", "SPM1/Deplacer.../Homothétie"), made as needed.
std::vector<MenuItem>& ItemsAt(Menu& menu, std::string_view path) {
    std::vector<MenuItem>* items = &menu.popups;
    while (true) {
        const std::size_t slash = path.find('/');
        items = &PopupItems(*items, path.substr(0, slash));
        if (slash == std::string_view::npos) return *items;
        path.remove_prefix(slash + 1);
    }
}

MenuItem ItemOf(const CommandRow& row) {
    if (row.IsSeparator()) return MenuItem::Separator();
    std::vector<std::string> shortcuts;
    for (const char* s : {row.shortcut, row.otherShortcut}) {
        if (s) shortcuts.emplace_back(s);
    }
    return MenuItem::Command(row.label, row.id, std::move(shortcuts));
}

Menu BuildMenu(const char* name, CommandSource source) {
    Menu menu{name, {}};
    for (const CommandRow& row : CommandTable()) {
        if (row.source == source && row.menu) ItemsAt(menu, row.menu).push_back(ItemOf(row));
    }
    return menu;
}

constexpr std::array<const char*, 3> MenuNames = {"MENU1", "SUBMENU1", "SUBMENU2"};

}  // namespace

const Menu& MenuOf(CommandSource source) {
    static const std::array<Menu, 3> menus = {BuildMenu(MenuNames[0], CommandSource::Frame),
                                              BuildMenu(MenuNames[1], CommandSource::FlatView),
                                              BuildMenu(MenuNames[2], CommandSource::Perspective)};
    return menus[static_cast<std::size_t>(source)];
}

const Menu* LoadMenuResource(std::string_view name) {
    for (std::size_t n = 0; n < MenuNames.size(); ++n) {
        if (name == MenuNames[n]) return &MenuOf(static_cast<CommandSource>(n));
    }
    return nullptr;
}

}  // namespace kvx
