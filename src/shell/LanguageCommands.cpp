#include "shell/LanguageCommands.h"

#include "resources/CommandIds.h"
#include "shell/Editor.h"
#include "shell/KeyReference.h"
#include "shell/MenuResources.h"

namespace kvx {

void LoadLanguage(Editor& editor) {
    editor.language = StoredLanguage(editor.settings);
    if (editor.toolkitLanguage) editor.toolkitLanguage(editor.language);
}

void CheckLanguageItem(Editor& editor) {
    editor.menuBar.SetChecked(cmd::English, editor.language == Language::English);
    editor.menuBar.SetChecked(cmd::Francais, editor.language == Language::French);
}

void SwitchLanguage(Editor& editor, Language language) {
    const bool changed = language != editor.language;
    editor.language = language;
    StoreLanguage(editor.settings, language);
    CheckLanguageItem(editor);
    if (!changed) return;
    if (editor.toolkitLanguage) editor.toolkitLanguage(language);
    const platform::Menu& bar = MenuOf(CommandSource::Frame, language);
    editor.menuBar.menu = &bar;
    if (editor.frame.handle != platform::NoWindow)
        editor.windows.SetMenuTexts(editor.frame.handle, bar);
    editor.viewPopupMenu = &MenuOf(CommandSource::FlatView, language);
    editor.perspectivePopupMenu = &MenuOf(CommandSource::Perspective, language);
    RefreshKeyReference(editor);
}

}  // namespace kvx
