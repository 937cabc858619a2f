#include "shell/DroppedFiles.h"

#include <algorithm>

#include "interchange/ObjCommands.h"
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
    BeginCommandStep(editor, FindCommand(CommandSource::Frame, cmd::ImporterObj)->parts);
    ImportObjFile(*editor.scene, editor.prompts, path);
    EndCommandStep(editor);
}

}  // namespace

void OpenDroppedFiles(Editor& editor, const std::vector<std::string>& files) {
    const auto scenes = std::count_if(files.begin(), files.end(),
                                      [](const std::string& f) { return !IsObjPath(f); });
    if (scenes > 1) {
        editor.prompts.MessageBox("Kolvex ouvre une seule scène à la fois : aucun des " +
                                      std::to_string(files.size()) +
                                      " fichiers déposés n'a été ouvert.",
                                  SaveErrorTitle, platform::MB_OK);
        return;
    }
    for (const std::string& f : files)
        if (!IsObjPath(f) && ConfirmDiscardChanges(editor)) OpenSceneAt(editor, f);
    for (const std::string& f : files)
        if (IsObjPath(f)) ImportModel(editor, f);
    NoteFramingAfterLoad(editor);
    editor.RequestRedraw(RedrawScope::All);
    editor.PostCommand(cmd::Aligner);
}

}  // namespace kvx
