#include "shell/DroppedFiles.h"

#include <algorithm>

#include "interchange/FrenchReasons.h"
#include "interchange/ObjCommands.h"
#include "interchange/ObjImport.h"
#include "platform/Constants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/CommandLine.h"
#include "shell/Editor.h"
#include "shell/HistoryCommands.h"
#include "shell/RecentFiles.h"

namespace kvx {
namespace {

void OpenScene(Editor& editor, const std::string& path) {
    if (!ConfirmDiscardChanges(editor)) return;
    std::string reason;
    std::int64_t ignoredBytes = 0;
    if (!LoadSceneFromPath(*editor.scene, path, true, reason, &ignoredBytes)) {
        editor.prompts.MessageBox(std::string(LoadErrorText) + "\n" + path, LoadErrorTitle,
                                  platform::MB_OK);
        return;
    }
    if (ignoredBytes > 0)
        editor.prompts.MessageBox(IgnoredBytesText(ignoredBytes), SaveErrorTitle, platform::MB_OK);
    editor.history.Clear();
    SetDocumentPath(editor, path);
}

void ImportModel(Editor& editor, const std::string& path) {
    BeginCommandStep(editor, FrameCommandParts(cmd::ImporterObj));
    SceneFileData data;
    ObjReading reading;
    if (!ReadObjFile(path, data, reading) ||
        !AddSceneFileToScene(*editor.scene, data, false, reading.reason)) {
        editor.prompts.MessageBox(
            std::string(ObjImportErrorText) + "\n" + path + "\n" + FrenchReason(reading.reason),
            ObjErrorTitle, platform::MB_OK);
    } else if (!reading.notes.empty()) {
        editor.prompts.MessageBox(
            std::string(ObjImportNotesText) + "\n" + FrenchReason(reading.notes), ObjErrorTitle,
            platform::MB_OK);
    }
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
        if (!IsObjPath(f)) OpenScene(editor, f);
    for (const std::string& f : files)
        if (IsObjPath(f)) ImportModel(editor, f);
    editor.RequestRedraw(0);
    editor.PostCommand(cmd::Aligner);
}

}  // namespace kvx
