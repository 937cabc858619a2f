#pragma once
// Files dropped on the frame, opened as the menu commands open them: a scene replaces the
// current one after the unsaved-changes question, as "Ouvrir..." does; each other file (a model
// of any format that is read) is added as one step that can be undone, as "Importer un
// modèle..." does. More than one scene at once is refused
// with a message, and nothing is opened.

#include <string>
#include <vector>

namespace kvx {

class Editor;

void OpenDroppedFiles(Editor& editor, const std::vector<std::string>& files);

}  // namespace kvx
