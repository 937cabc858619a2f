#pragma once
// The message boxes and file dialogs in the editor's language: every text and title the editor
// passes (the described French ones) reaches the desktop's prompts in the language in use, and
// so do the buttons of a question and the file dialogs' titles and filters.

#include "platform/Prompts.h"
#include "shell/Language.h"

namespace kvx {

class LanguagePrompts : public platform::Prompts {
  public:
    LanguagePrompts(platform::Prompts& shown, const Language& language)
        : shown_(shown), language_(language) {}

    int MessageBox(const std::string& text, const std::string& title, std::uint32_t type) override;
    std::optional<std::string> OpenFileName(platform::FileDialogSettings& settings) override;
    std::optional<std::string> SaveFileName(platform::FileDialogSettings& settings) override;

  private:
    std::optional<std::string> FileName(platform::FileDialogSettings& settings, bool save);

    platform::Prompts& shown_;
    const Language& language_;
};

}  // namespace kvx
