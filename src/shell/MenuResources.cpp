#include "shell/MenuResources.h"

#include <array>
#include <string>

#include "shell/Language.h"

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

// The same items with their texts in language: the popups' by their French text, the commands'
// by their row.
void PutInLanguage(std::vector<MenuItem>& items, CommandSource source, Language language) {
    for (MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Popup) {
            item.text = InLanguage(language, item.text);
            PutInLanguage(item.items, source, language);
        } else if (const CommandRow* row = FindCommand(source, item.id)) {
            item.text = CommandLabel(language, *row);
        }
    }
}

Menu BuildMenuIn(Language language, const char* name, CommandSource source) {
    Menu menu = BuildMenu(name, source);
    PutInLanguage(menu.popups, source, language);
    return menu;
}

constexpr std::array<const char*, 3> MenuNames = {"MENU1", "SUBMENU1", "SUBMENU2"};

std::array<Menu, 3> MenusIn(Language language) {
    return {BuildMenuIn(language, MenuNames[0], CommandSource::Frame),
            BuildMenuIn(language, MenuNames[1], CommandSource::FlatView),
            BuildMenuIn(language, MenuNames[2], CommandSource::Perspective)};
}

}  // namespace

const Menu& MenuOf(CommandSource source, Language language) {
    static const std::array<Menu, 3> french = MenusIn(Language::French);
    static const std::array<Menu, 3> english = MenusIn(Language::English);
    return (language == Language::English ? english : french)[static_cast<std::size_t>(source)];
}

const Menu* LoadMenuResource(std::string_view name, Language language) {
    for (std::size_t n = 0; n < MenuNames.size(); ++n) {
        if (name == MenuNames[n]) return &MenuOf(static_cast<CommandSource>(n), language);
    }
    return nullptr;
}

}  // namespace kvx
