#pragma once
// The scene's own file and the recent files of "Fichier": the last eight scenes opened or saved,
// newest first, kept between runs in the settings (key "recentFiles"). A recent file that has
// vanished is removed from the list when chosen, with a message.

#include <cstdint>
#include <string>

namespace kvx {

class Editor;

inline constexpr const char* RecentFilesKey = "recentFiles";

// Reads the list from the settings and shows it.
void LoadRecentFiles(Editor& editor);
// The scene's own file is now path (opened or saved): it heads the recent files.
void SetDocumentPath(Editor& editor, const std::string& path);
// What follows a scene opened from path: a new history, path as the scene's own file, the views
// drawn again and aligned.
void SceneOpened(Editor& editor, const std::string& path);
// Opens the scene at path as "Ouvrir..." does once a name is chosen (the unsaved-changes
// question is the caller's); a fault shows the load message with the file's name. Whether it
// opened.
bool OpenSceneAt(Editor& editor, const std::string& path);
// The recent file at index 0..7 chosen in "Fichier": opened as "Ouvrir..." opens a scene.
void OpenRecentFile(Editor& editor, std::uint32_t index);

}  // namespace kvx
