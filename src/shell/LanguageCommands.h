#pragma once
// "?" > "English" and "Français": the language of the menus, dialogs, messages, status bar and
// key reference, kept between runs in the settings (key "language"). French is what starts
// when nothing is kept, whatever the desktop's language.

#include "shell/Language.h"

namespace kvx {

struct Editor;

// Takes the language kept in the settings, before the windows and menus are made.
void LoadLanguage(Editor& editor);
// Speaks language from now on and keeps it: the menu bar's and popups' texts, the check mark of
// its item, the key reference if open, the toolkit's own dialogs; the status bar follows after
// the message, the dialogs the next time they open.
void SwitchLanguage(Editor& editor, Language language);
// Checks the item of the language in use and unchecks the other.
void CheckLanguageItem(Editor& editor);

}  // namespace kvx
