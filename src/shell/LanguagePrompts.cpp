#include "shell/LanguagePrompts.h"

namespace kvx {

int LanguagePrompts::MessageBox(const std::string& text, const std::string& title,
                                std::uint32_t type) {
    shown_.SetQuestionButtons({InLanguage(language_, "Oui"), InLanguage(language_, "Non"),
                               InLanguage(language_, "Annuler")});
    return shown_.MessageBox(InLanguage(language_, text), InLanguage(language_, title), type);
}

std::optional<std::string> LanguagePrompts::FileName(platform::FileDialogSettings& settings,
                                                     bool save) {
    // The dialog gets its texts in the language; what it chooses (the filter, the name kept)
    // comes back to the editor's own record.
    platform::FileDialogSettings shown = settings;
    shown.title = InLanguage(language_, settings.title);
    for (platform::FileFilter& f : shown.filters)
        f.description = InLanguage(language_, f.description);
    auto name = save ? shown_.SaveFileName(shown) : shown_.OpenFileName(shown);
    settings.filterIndex = shown.filterIndex;
    settings.fileName = shown.fileName;
    return name;
}

std::optional<std::string> LanguagePrompts::OpenFileName(platform::FileDialogSettings& settings) {
    return FileName(settings, false);
}

std::optional<std::string> LanguagePrompts::SaveFileName(platform::FileDialogSettings& settings) {
    return FileName(settings, true);
}

}  // namespace kvx
