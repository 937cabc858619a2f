#pragma once
// The key and tool reference ("?" > "Aide...", F1): every tool of the flat views with its cursor
// and what the mouse buttons do with it, every key of the flat views and of the perspective view,
// the frame's shortcuts and the popup commands. Made from the command rows, the tool table and
// the perspective keys, so it lists exactly what the editor does; shown as a window and written
// into the README in the same words.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/Language.h"

namespace kvx {

struct Editor;

struct ReferenceLine {
    std::string keys;  // the keys, buttons or menu place
    std::string text;  // what they do
    int cursor = -1;   // the cursor shown (index in the cursor table), or -1
};

struct ReferenceSection {
    std::string title;
    std::vector<ReferenceLine> lines;
};

inline constexpr const char* ReferenceTitle = "Aide - touches et outils";

// The reference in language (the README carries it in French).
std::vector<ReferenceSection> KeyReference(Language language = Language::French);
// The name of a key as the reference writes it ("W", "Tab", "Page Up", "Flèche gauche").
std::string KeyName(std::uint32_t virtualKey);
std::string KeyName(std::uint32_t virtualKey, Language language);
// Shows the reference window in the editor's language ("?" > "Aide...", F1).
void ShowKeyReference(Editor& editor);
// Gives the reference window, if it is on the screen, the editor's language.
void RefreshKeyReference(Editor& editor);
// The reference as HTML for the window: a table per section, cursor images as "cursor:N".
std::string ReferenceHtml(const std::vector<ReferenceSection>& sections);
// The reference as Markdown tables, for the README.
std::string ReferenceMarkdown(const std::vector<ReferenceSection>& sections);

}  // namespace kvx
