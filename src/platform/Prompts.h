#pragma once
// Everything that waits for the user goes through Prompts: message boxes and the open and save
// file dialogs. The editor answers with real dialogs (qt/), tests and tools with ScriptedPrompts.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Constants.h"

namespace kvx::platform {

// One file filter: a description and a pattern such as "*.KVX".
struct FileFilter {
    std::string description;
    std::string pattern;
};

// The settings record of one file dialog. It lives as long as the program, so the filter last
// chosen is preselected the next time the same dialog opens.
struct FileDialogSettings {
    std::string title;
    std::vector<FileFilter> filters;
    std::uint32_t flags = 0;
    int filterIndex = 1;  // 1-based, as the platform counts filters
    // The name the dialog starts with; a dialog that keeps it is given the last name chosen.
    std::string fileName;
    bool keepFileName = false;
    // The extension (without its dot) the program adds to a name chosen without one: a save
    // dialog asks before overwriting the file of the name with it, which is the one written.
    std::string defaultExtension;
    // A save dialog whose extension follows the chosen filter instead: a name chosen without one
    // gets the extension of the filter's first pattern ("*.glb"), none for "*.*".
    bool extensionFollowsFilter = false;
};

// The buttons of a question box (MB_YESNOCANCEL, MB_YESNO).
struct QuestionButtons {
    std::string yes = "Oui";
    std::string no = "Non";
    std::string cancel = "Annuler";
};

class Prompts {
  public:
    virtual ~Prompts() = default;
    // The texts of the next questions' buttons.
    void SetQuestionButtons(QuestionButtons buttons) { buttons_ = std::move(buttons); }
    const QuestionButtons& questionButtons() const { return buttons_; }
    // Shows text under title with no owner window: an OK button (MB_OK), Oui / Non / Annuler
    // (MB_YESNOCANCEL) or Oui / Non (MB_YESNO), as questionButtons() words them. Returns the button
    // pressed (IDOK, IDYES, IDNO, IDCANCEL).
    virtual int MessageBox(const std::string& text, const std::string& title,
                           std::uint32_t type) = 0;
    // A file name to open or save, or nothing when the user cancelled. Updates
    // settings.filterIndex.
    virtual std::optional<std::string> OpenFileName(FileDialogSettings& settings) = 0;
    virtual std::optional<std::string> SaveFileName(FileDialogSettings& settings) = 0;

  private:
    QuestionButtons buttons_;
};

// Answers from a script and remembers what was asked: for tests and command-line tools.
class ScriptedPrompts : public Prompts {
  public:
    struct Shown {
        std::string text;
        std::string title;
    };
    struct Asked {
        bool save = false;
        FileDialogSettings settings;
    };

    // File names handed out in order by the next dialogs; nullopt stands for "cancelled".
    void QueueFileName(std::optional<std::string> name) { fileNames_.push_back(std::move(name)); }
    // Buttons pressed in the next message boxes, in order. Without one, an OK box answers IDOK and
    // a question questionAnswer.
    void QueueAnswer(int button) { answers_.push_back(button); }
    int questionAnswer = IDNO;

    int MessageBox(const std::string& text, const std::string& title, std::uint32_t type) override;
    std::optional<std::string> OpenFileName(FileDialogSettings& settings) override;
    std::optional<std::string> SaveFileName(FileDialogSettings& settings) override;

    const std::vector<Shown>& messages() const { return messages_; }
    const std::vector<Asked>& dialogs() const { return dialogs_; }
    void ClearRecord() {
        messages_.clear();
        dialogs_.clear();
    }

  private:
    std::optional<std::string> Next(bool save, FileDialogSettings& settings);

    std::deque<std::optional<std::string>> fileNames_;
    std::deque<int> answers_;
    std::vector<Shown> messages_;
    std::vector<Asked> dialogs_;
};

}  // namespace kvx::platform
