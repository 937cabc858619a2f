#pragma once
// The frame's status bar: vertex and face counts with the selected ones, the current layer, the
// current tool and, while the mouse is over a flat view, its position in the world; at the right,
// what the mouse buttons do with the current tool.

#include <string>

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

// The status bar's text for the editor as it stands.
std::string StatusText(const Editor& editor);
// Its hint at the right: what the mouse buttons do with the tool, and where help is.
std::string ToolHint(ToolMode mode, Language language = Language::French);

// Follows the mouse over the views (a move over a flat view shows its position, leaving it or
// moving over the perspective view hides it), then shows the text when it changed.
void UpdateStatusBar(Editor& editor, const platform::Message& m);

}  // namespace kvx
