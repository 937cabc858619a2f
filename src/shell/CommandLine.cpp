#include "shell/CommandLine.h"

#include <filesystem>

#include "interchange/FormatRegistry.h"
#include "interchange/FrenchReasons.h"
#include "platform/Constants.h"
#include "scene/SceneFile.h"
#include "shell/Editor.h"
#include "shell/RecentFiles.h"

namespace kvx {
namespace {

// A file given that is not a scene is a model to start from: its format is known by what it holds,
// else by its extension (a missing file too); a file there of no known format is still a model,
// so its import says why it is refused.
bool IsModelToStartFrom(const std::string& path) {
    std::string reason;
    if (const ImportFormat* format = ImportFormatFor(path, reason))
        return format->signature != FileSignature::KvxScene;
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Starts from the model of a file in any format read; false with the message to show.
bool StartFromModel(Scene& scene, const std::string& path, std::string& message) {
    SceneFileData data;
    std::string reason, notes;
    if (ImportByFormat(path, data, reason, notes) && AddSceneFileToScene(scene, data, true, reason))
        return true;
    message = std::string(LoadErrorText) + "\n" + path + "\n" + FrenchReason(reason);
    return false;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnd = false;
    for (const std::string& a : args) {
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            line.files.push_back(a);
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help" || a == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (a == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (a == "--trace") {
            line.trace = true;
        } else if (a == "--trace-times") {
            line.trace = true;
            line.traceTimes = true;
        } else {
            line.action = CommandLine::Action::Wrong;
            line.wrong = a;
            return line;
        }
    }
    return line;
}

void OpenCommandLineFiles(Editor& editor, const std::vector<std::string>& files) {
    if (files.empty()) return;
    bool opened = false;
    if (files.size() > 1) {
        editor.prompts.MessageBox("Kolvex ouvre un seul fichier à la fois : aucun des " +
                                      std::to_string(files.size()) +
                                      " fichiers donnés n'a été ouvert.",
                                  SaveErrorTitle, platform::MB_OK);
    } else if (!IsModelToStartFrom(files[0])) {
        opened = OpenSceneAt(editor, files[0]);
    } else if (std::string message; StartFromModel(*editor.scene, files[0], message)) {
        // The model to start from: its file is still there, nothing is unsaved.
        SceneOpened(editor, {});
        opened = true;
    } else {
        editor.prompts.MessageBox(message, SaveErrorTitle, platform::MB_OK);
    }
    if (opened) return;
    editor.scene->ClearScene();
    editor.history.Clear();
}

}  // namespace kvx
