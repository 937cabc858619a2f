#include "interchange/ObjCommands.h"

#include "interchange/FrenchReasons.h"
#include "interchange/ObjExport.h"
#include "interchange/ObjImport.h"
#include "platform/Constants.h"
#include "scene/SceneFile.h"

namespace kvx {

platform::FileDialogSettings ObjExportDialogSettings() {
    platform::FileDialogSettings settings = SceneSaveDialogSettings();
    settings.title = "Exporter au format OBJ";
    settings.filters = {{"Fichiers OBJ ", "*.OBJ"}, {"Tous les fichiers", "*.*"}};
    settings.defaultExtension = "obj";
    return settings;
}

platform::FileDialogSettings ObjImportDialogSettings() {
    platform::FileDialogSettings settings = SceneOpenDialogSettings();
    settings.title = "Importer un fichier OBJ";
    settings.filters = {{"Fichiers OBJ ", "*.OBJ"}, {"Tous les fichiers", "*.*"}};
    return settings;
}

int ExportObjScene(const Scene& scene, platform::Prompts& prompts,
                   platform::FileDialogSettings& dialog) {
    const auto name = prompts.SaveFileName(dialog);
    if (!name || name->empty()) return 0;
    std::string reason;
    if (!ExportObj(scene, WithDefaultExtension(*name, ".obj"), reason)) {
        prompts.MessageBox(std::string(ObjExportErrorText) + "\n" + FrenchReason(reason),
                           ObjErrorTitle, platform::MB_OK);
        return 0;
    }
    return 1;
}

int ImportObjScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog) {
    const auto name = prompts.OpenFileName(dialog);
    if (!name || name->empty()) return 0;
    return ImportObjFile(scene, prompts, *name);
}

int ImportObjFile(Scene& scene, platform::Prompts& prompts, const std::string& path) {
    SceneFileData data;
    ObjReading reading;
    if (!ReadObjFile(path, data, reading) ||
        !AddSceneFileToScene(scene, data, false, reading.reason)) {
        prompts.MessageBox(std::string(ObjImportErrorText) + "\n" + FrenchReason(reading.reason),
                           ObjErrorTitle, platform::MB_OK);
        return 0;
    }
    if (!reading.notes.empty())
        prompts.MessageBox(std::string(ObjImportNotesText) + "\n" + FrenchReason(reading.notes),
                           ObjErrorTitle, platform::MB_OK);
    return 1;
}

}  // namespace kvx
