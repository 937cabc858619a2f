#pragma once
// Every command of the editor as one row: where it is given (the frame's menu bar, a flat view's
// popup menu or key, the perspective view's popup menu), its place and text in its menu, its
// identifier, shortcuts and key, the tool it chooses, what its undo step records, what it
// redraws, and its handler. The menus, the keys, the undo steps and the key reference all read
// these rows, so a new command is one row and its handler.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "views/ViewProjection.h"
#include "views/tools/ToolMode.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

struct Editor;
struct CommandRow;

// Where a command is given: each has its own menu ("MENU1", "SUBMENU1", "SUBMENU2").
enum class CommandSource : std::uint8_t { Frame, FlatView, Perspective };

// What a handler gets: the editor, the view the command came from (the frame's commands: the
// active flat view) and its row.
struct CommandCall {
    Editor& editor;
    ViewId view;
    const CommandRow& row;
};
using CommandHandler = void (*)(const CommandCall&);

struct CommandRow {
    CommandSource source = CommandSource::Frame;
    // The popups that hold the item, outermost first, separated by "/"; null for a key only.
    const char* menu = nullptr;
    // The item's text; null for a separator.
    const char* label = nullptr;
    std::uint32_t id = 0;  // 0 for a key only and a separator
    // Key combinations choosing a menu bar item from anywhere in the frame; the first is shown.
    const char* shortcut = nullptr;
    const char* otherShortcut = nullptr;
    std::uint32_t key = 0;  // the key (virtual-key code) giving it in its views, or 0
    std::optional<ToolMode> tool =
        std::nullopt;    // the tool it chooses; a row with a tool needs no handler
    unsigned parts = 0;  // what its undo step records (StepPart bits); 0: no step
    RedrawScope redraw = RedrawScope::None;  // asked once the handler ran
    CommandHandler run = nullptr;
    // What it does, in French, for the key reference (a tool's row says it through the tool).
    const char* help = nullptr;

    constexpr CommandRow Shortcut(const char* first, const char* second = nullptr) const {
        CommandRow r = *this;
        r.shortcut = first;
        r.otherShortcut = second;
        return r;
    }
    constexpr CommandRow Key(std::uint32_t virtualKey) const {
        CommandRow r = *this;
        r.key = virtualKey;
        return r;
    }
    constexpr CommandRow Records(unsigned stepParts) const {
        CommandRow r = *this;
        r.parts = stepParts;
        return r;
    }
    constexpr CommandRow Redraws(RedrawScope scope) const {
        CommandRow r = *this;
        r.redraw = scope;
        return r;
    }
    constexpr CommandRow Help(const char* text) const {
        CommandRow r = *this;
        r.help = text;
        return r;
    }
    bool IsSeparator() const { return menu != nullptr && label == nullptr; }
    bool InMenu() const { return menu != nullptr && label != nullptr; }
};

// Every row, in menu order within each source.
std::span<const CommandRow> CommandTable();

// The menu row with this identifier given from this source, or null.
const CommandRow* FindCommand(CommandSource source, std::uint32_t id);
// The row for this key in the views of this source, or null.
const CommandRow* FindKey(CommandSource source, std::uint32_t key);

// Runs a row as one step: a step still open is closed, the row's step opened, the handler (or
// the tool choice) run, the row's redraw asked, and the step closed.
void RunCommand(Editor& editor, ViewId view, const CommandRow& row);

}  // namespace kvx
