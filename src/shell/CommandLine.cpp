#include "shell/CommandLine.h"

#include <algorithm>
#include <cctype>

#include "interchange/FrenchReasons.h"
#include "interchange/ObjImport.h"
#include "platform/Constants.h"
#include "scene/SceneFile.h"
#include "shell/Editor.h"
#include "shell/RecentFiles.h"

namespace kvx {
namespace {

bool EndsWithNoCase(const std::string& s, const std::string& end) {
    if (s.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), s.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace

bool IsObjPath(const std::string& path) {
    return EndsWithNoCase(path, ".obj");
}

namespace {

// Starts from the model of an OBJ file; false with the message to show.
bool StartFromModel(Scene& scene, const std::string& path, std::string& message) {
    SceneFileData data;
    ObjReading reading;
    if (ReadObjFile(path, data, reading) && AddSceneFileToScene(scene, data, true, reading.reason))
        return true;
    message = std::string(LoadErrorText) + "\n" + path + "\n" + FrenchReason(reading.reason);
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
    } else if (!IsObjPath(files[0])) {
        opened = OpenSceneAt(editor, files[0]);
    } else if (std::string message; StartFromModel(*editor.scene, files[0], message)) {
        // The model to start from: the OBJ file is still there, nothing is unsaved.
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
