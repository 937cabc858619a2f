#pragma once
// A menu as a resource describes it: popups holding items, separators and further popups. Each
// item carries its command identifier and whether it starts checked.

#include <cstdint>
#include <string>
#include <vector>

namespace kvx::platform {

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    std::string text;
    std::uint32_t id = 0;  // commands only
    bool checked = false;
    std::vector<MenuItem> items;  // popups only
    // Key combinations that choose the item from anywhere in the frame, such as "Ctrl+Z"; the
    // first is shown beside the text. Menu bar items only.
    std::vector<std::string> shortcuts;

    static MenuItem Command(std::string text, std::uint32_t id, bool checked = false) {
        return MenuItem{Kind::Command, std::move(text), id, checked, {}, {}};
    }
    static MenuItem Command(std::string text, std::uint32_t id,
                            std::vector<std::string> shortcuts) {
        return MenuItem{Kind::Command, std::move(text), id, false, {}, std::move(shortcuts)};
    }
    static MenuItem Separator() { return MenuItem{Kind::Separator, {}, 0, false, {}, {}}; }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items) {
        return MenuItem{Kind::Popup, std::move(text), 0, false, std::move(items), {}};
    }
};

// A menu resource: its name and its top-level popups.
struct Menu {
    std::string name;
    std::vector<MenuItem> popups;
};

// The command item with identifier id anywhere in items, or null.
inline const MenuItem* FindMenuCommand(const std::vector<MenuItem>& items, std::uint32_t id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.id == id) return &item;
        if (item.kind == MenuItem::Kind::Popup) {
            if (const MenuItem* found = FindMenuCommand(item.items, id)) return found;
        }
    }
    return nullptr;
}

}  // namespace kvx::platform
