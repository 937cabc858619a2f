#pragma once
// Message boxes and the open and save file dialogs on Qt. With auto-answer on (only the test
// harness turns it on, from the environment variable KOLVEX_AUTO_ANSWER=1), nothing is shown: a
// message box prints its title and text on stderr and answers OK, a file dialog prints its title
// and answers "cancelled", so scripts can run the editor where nobody can answer. With
// KOLVEX_AUTO_FOLDER set as well, a save dialog answers a new name in that folder ("saved-PID-N"
// and the extension of its first filter) and an open dialog the latest file saved there with the
// extension of its own first filter.

#include <string>

#include "platform/Prompts.h"

namespace kvx::qt {

class QtPrompts : public platform::Prompts {
  public:
    explicit QtPrompts(bool autoAnswer = false, bool trace = false)
        : autoAnswer_(autoAnswer), trace_(trace) {}
    // Auto-answer as the environment asks.
    static bool AutoAnswerFromEnvironment();

    int MessageBox(const std::string& text, const std::string& title, std::uint32_t type) override;
    std::optional<std::string> OpenFileName(platform::FileDialogSettings& settings) override;
    std::optional<std::string> SaveFileName(platform::FileDialogSettings& settings) override;

  private:
    std::optional<std::string> FileName(platform::FileDialogSettings& settings, bool save);
    std::optional<std::string> AutoFileName(const platform::FileDialogSettings& settings,
                                            bool save);

    bool autoAnswer_;
    bool trace_;
    int autoSaves_ = 0;
};

// The Qt name filter of one filter pair: "Fichiers Kolvex (*.KVX)".
std::string QtNameFilter(const platform::FileFilter& filter);

}  // namespace kvx::qt
