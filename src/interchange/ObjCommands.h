#pragma once
// The editor's OBJ commands: "Exporter OBJ..." and "Importer OBJ...", with their file dialogs
// and messages. The frame wires them to its menu; they only need the prompts.

#include <string>

#include "platform/Prompts.h"

namespace kvx {

class Scene;

inline constexpr const char* ObjExportErrorText = "Erreur lors de l'export du fichier OBJ!";
inline constexpr const char* ObjImportErrorText = "Erreur lors de l'import du fichier OBJ:";
inline constexpr const char* ObjImportNotesText = "Fichier OBJ importé, avec ces remarques :";
inline constexpr const char* ObjErrorTitle = "Attention...";

// The settings records of the export (save) and import (open) dialogs: titles, filters and the
// flags of the scene dialogs.
platform::FileDialogSettings ObjExportDialogSettings();
platform::FileDialogSettings ObjImportDialogSettings();

// Asks for a name and writes the scene there as OBJ with its material file. 1 written, 0
// cancelled or failed (a failure shows the export message followed by the reason).
int ExportObjScene(const Scene& scene, platform::Prompts& prompts,
                   platform::FileDialogSettings& dialog);

// Asks for a name and adds the OBJ file's vertices and faces to the scene, as "Importer..." adds a
// scene file. 1 added, 0 cancelled or failed (a failure shows the import message followed by the
// reason, and the scene is unchanged). What was left out of an imported file (a refused material
// file) is shown after it.
int ImportObjScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog);
// The same for a file already chosen (a file dropped on the window).
int ImportObjFile(Scene& scene, platform::Prompts& prompts, const std::string& path);

}  // namespace kvx
