#pragma once
// The editor's commands for every model format of the registry: "Exporter..." and "Importer un
// modèle...", with their file dialogs (a filter per format, built from the registry) and
// messages. The frame wires them to its menu; they need the prompts and something to run the
// long part of the work (the reading or writing) with.

#include <string>
#include <string_view>

#include "platform/LongWork.h"
#include "platform/Prompts.h"

namespace kvx {

class Scene;

inline constexpr const char* ModelExportTitle = "Exporter le modèle";
inline constexpr const char* ModelImportTitle = "Importer un modèle";
inline constexpr const char* ModelFilesText = "Modèles";
inline constexpr const char* ModelExportErrorText = "Erreur lors de l'export du modèle!";
inline constexpr const char* ModelImportErrorText = "Erreur lors de l'import du modèle:";
inline constexpr const char* ModelImportNotesText = "Modèle importé, avec ces remarques :";
inline constexpr const char* ModelErrorTitle = "Attention...";
// What the status bar says while the work runs, followed by the seconds it has run.
inline constexpr const char* ExportBusyText = "Export en cours...";
inline constexpr const char* ImportBusyText = "Import en cours...";

// The French name of a format of the registry; a name without one (the same words in both
// languages, or a format added since) stays as it is.
std::string FrenchFormatName(std::string_view english);
// What a written file holds or leaves out (an ExportFormat's summary) in French; a line of no
// known wording stays as it is.
std::string FrenchExportSummary(std::string_view english);

// The save dialog: one filter per export format, then "Tous les fichiers"; the glTF binary one
// chosen first. A name typed without an extension gets the chosen filter's.
platform::FileDialogSettings ModelExportDialogSettings();
// The open dialog: "Modèles" with the extensions of every format that is read, then one filter
// per such format, then "Tous les fichiers".
platform::FileDialogSettings ModelImportDialogSettings();

// The file name to write for the name chosen in the export dialog: as typed when it has an
// extension, else with the extension of the filter chosen (none for "Tous les fichiers").
std::string ExportPathFor(const std::string& chosen, const platform::FileDialogSettings& dialog);

// What an export wrote: the file and what it holds beside the scene or leaves out (English, as
// the registry words it).
struct ModelExport {
    std::string path;
    std::string summary;
};

// Asks for a name and writes the scene there in the format its extension asks for. 1 written
// (`written` says what), 0 cancelled or failed (a failure shows the export message followed by
// the reason, and no file is changed).
int ExportModelScene(const Scene& scene, platform::Prompts& prompts,
                     platform::FileDialogSettings& dialog, platform::LongWork& work,
                     ModelExport& written);

// Asks for a name and adds the model's vertices and faces to the scene, as "Importer..." adds a
// scene file. 1 added, 0 cancelled or failed (a failure shows the import message followed by the
// reason, and the scene is unchanged). What the reader left out is shown after it.
int ImportModelScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
                     platform::LongWork& work);
// The same for a file already chosen (a file dropped on the window).
int ImportModelFile(Scene& scene, platform::Prompts& prompts, const std::string& path,
                    platform::LongWork& work);

// Whether the file at path is a Kolvex scene (by its first bytes, else its extension): dropped or
// given, it replaces the scene; any other file is imported as a model.
bool IsSceneFile(const std::string& path);

}  // namespace kvx
