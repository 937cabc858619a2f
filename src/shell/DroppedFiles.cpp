#include "shell/DroppedFiles.h"

#include <algorithm>

#include "interchange/ModelCommands.h"
#include "platform/Constants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/CommandLine.h"
#include "shell/CommandTable.h"
#include "shell/Editor.h"
#include "shell/HistoryCommands.h"
#include "shell/Navigation.h"
#include "shell/RecentFiles.h"

namespace kvx {
namespace {

void ImportModel(Editor& editor, const std::string& path) {
    BeginCommandStep(editor, FindCommand(CommandSource::Frame, cmd::ImporterModele)->parts);
    ImportModelFile(*editor.scene, editor.prompts, path, editor.busyWork);
    EndCommandStep(editor);
}

}  // namespace

void OpenDroppedFiles(Editor& editor, const std::vector<std::string>& files) {
    std::vector<bool> isScene;
    for (const std::string& f : files)
        isScene.push_back(IsSceneFile(f));
    const auto scenes = std::count(isScene.begin(), isScene.end(), true);
    if (scenes > 1) {
        editor.prompts.MessageBox("Kolvex ouvre une seule scène à la fois : aucun des " +
                                      std::to_string(files.size()) +
                                      " fichiers déposés n'a été ouvert.",
                                  SaveErrorTitle, platform::MB_OK);
        return;
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (isScene[i] && ConfirmDiscardChanges(editor)) OpenSceneAt(editor, files[i]);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!isScene[i]) ImportModel(editor, files[i]);
    NoteFramingAfterLoad(editor);
    editor.RequestRedraw(RedrawScope::All);
    editor.PostCommand(cmd::Aligner);
}

}  // namespace kvx
