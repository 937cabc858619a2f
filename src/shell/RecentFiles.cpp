#include "shell/RecentFiles.h"

#include <algorithm>
#include <filesystem>

#include "platform/Constants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/Editor.h"
#include "shell/HistoryCommands.h"
#include "shell/Navigation.h"

namespace kvx {
namespace {

void ShowRecentFiles(Editor& editor) {
    for (std::uint32_t n = 0; n < cmd::RecentFileCount; ++n) {
        const bool shown = n < editor.recentFiles.size();
        const std::string text =
            shown ? std::to_string(n + 1) + " " +
                        std::filesystem::path(editor.recentFiles[n]).filename().string()
                  : std::string();
        editor.windows.SetMenuItemText(cmd::RecentFile0 + n, text, shown);
    }
}

void StoreRecentFiles(Editor& editor) {
    if (editor.settings) editor.settings->SetStringList(RecentFilesKey, editor.recentFiles);
    ShowRecentFiles(editor);
}

}  // namespace

void LoadRecentFiles(Editor& editor) {
    editor.recentFiles.clear();
    if (editor.settings) {
        for (const std::string& f : editor.settings->StringList(RecentFilesKey))
            if (!f.empty() && editor.recentFiles.size() < cmd::RecentFileCount)
                editor.recentFiles.push_back(f);
    }
    ShowRecentFiles(editor);
}

void SetDocumentPath(Editor& editor, const std::string& path) {
    editor.documentPath = path;
    if (path.empty()) return;
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    const std::string remembered = ec ? path : absolute;
    std::vector<std::string>& list = editor.recentFiles;
    std::erase(list, remembered);
    list.insert(list.begin(), remembered);
    if (list.size() > cmd::RecentFileCount) list.resize(cmd::RecentFileCount);
    StoreRecentFiles(editor);
}

void OpenRecentFile(Editor& editor, std::uint32_t index) {
    if (index >= editor.recentFiles.size()) return;
    const std::string path = editor.recentFiles[index];
    if (!std::filesystem::exists(path)) {
        editor.recentFiles.erase(editor.recentFiles.begin() + index);
        StoreRecentFiles(editor);
        editor.prompts.MessageBox(
            "Le fichier " + path + " n'existe plus : il est retiré des fichiers récents.",
            SaveErrorTitle, platform::MB_OK);
        return;
    }
    if (ConfirmDiscardChanges(editor)) OpenSceneAt(editor, path);
}

void SceneOpened(Editor& editor, const std::string& path) {
    editor.history.Clear();
    SetDocumentPath(editor, path);
    NoteFramingAfterLoad(editor);
    editor.RequestRedraw(RedrawScope::All);
    editor.PostCommand(cmd::Aligner);
}

bool OpenSceneAt(Editor& editor, const std::string& path) {
    if (LoadSceneNamed(*editor.scene, editor.prompts, path, 1,
                       std::string(LoadErrorText) + "\n" + path) == 0)
        return false;
    SceneOpened(editor, path);
    return true;
}

}  // namespace kvx
