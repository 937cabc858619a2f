#include "interchange/ModelCommands.h"

#include <algorithm>

#include "interchange/FormatRegistry.h"
#include "interchange/FrenchReasons.h"
#include "interchange/Wordings.h"
#include "platform/Constants.h"
#include "scene/SceneFile.h"

namespace kvx {
namespace {

// Records beyond which adding a model to the scene shows the busy cursor (about a tenth of a
// second's work).
constexpr std::size_t BigModelRecords = 100000;

using platform::FileDialogSettings;
using platform::FileFilter;

constexpr const char* AllFilesText = "Tous les fichiers";
constexpr const char* AllFilesPattern = "*.*";
// The export filter chosen the first time: the format today's tools take most readily.
constexpr const char* FirstExportExtension = ".glb";
// STL is written in binary; this filter, right after STL's, asks for text.
constexpr const char* TextStlFilterText = "STL texte";

// The registry's names and summaries, English and French.
constexpr Wording FormatNames[] = {
    {"Kolvex scene", "Scène Kolvex"},
    {"glTF 2.0 binary (GLB)", "glTF 2.0 binaire (GLB)"},
    {"glTF binary (GLB)", "glTF binaire (GLB)"},
    {"binary STL", "STL binaire"},
    {"other model formats", "autres formats de modèles"},
};

constexpr Wording Summaries[] = {
    {"materials in {}", "matières dans {}"},
    {"binary STL of triangles: {r}", "STL binaire de triangles : {r}"},
    {"text STL of triangles: {r}", "STL texte de triangles : {r}"},
    {"binary PLY with face colours: {r}", "PLY binaire avec les couleurs des faces : {r}"},
    {"face colours, layers, hidden flags and smooth faces are not kept",
     "les couleurs des faces, les layers, les éléments cachés et le lissage ne sont pas gardés"},
    {"layers, hidden flags and smooth faces are not kept",
     "les layers, les éléments cachés et le lissage ne sont pas gardés"},
    {"glTF 2.0, its buffer in {}", "glTF 2.0, ses données dans {}"},
    {"glTF 2.0 binary", "glTF 2.0 binaire"},
};

std::string InFrench(std::span<const Wording> table, std::string_view english) {
    return Reworded(table, WordingSide::English, english).value_or(std::string(english));
}

// "*.lwo *.lws" for a format's extensions.
std::string Patterns(const std::vector<std::string>& extensions) {
    std::string patterns;
    for (const std::string& e : extensions)
        patterns += (patterns.empty() ? "*" : " *") + e;
    return patterns;
}

// The extension of a filter's first pattern, with its dot: ".glb" for "*.glb", none for "*.*".
std::string PatternExtension(const std::string& pattern) {
    const std::string first = pattern.substr(0, pattern.find(' '));
    if (!first.starts_with("*.") || first.find('*', 1) != std::string::npos) return {};
    return first.substr(1);
}

void ShowFailure(platform::Prompts& prompts, const char* text, const std::string& reason) {
    prompts.MessageBox(std::string(text) + "\n" + FrenchReason(reason), ModelErrorTitle,
                       platform::MB_OK);
}

}  // namespace

std::string FrenchFormatName(std::string_view english) {
    return InFrench(FormatNames, english);
}

std::string FrenchExportSummary(std::string_view english) {
    return InFrench(Summaries, english);
}

FileDialogSettings ModelExportDialogSettings() {
    FileDialogSettings settings = SceneSaveDialogSettings();
    settings.title = ModelExportTitle;
    settings.filters.clear();
    for (const ExportFormat& f : ExportFormats()) {
        if (f.extensions.empty()) continue;
        settings.filters.push_back({FrenchFormatName(f.name), Patterns(f.extensions)});
        if (f.extensions.front() == FirstExportExtension)
            settings.filterIndex = static_cast<int>(settings.filters.size());
        if (f.extensions.front() == ".stl")
            settings.filters.push_back({TextStlFilterText, Patterns(f.extensions)});
    }
    settings.filters.push_back({AllFilesText, AllFilesPattern});
    settings.defaultExtension.clear();
    settings.extensionFollowsFilter = true;
    return settings;
}

FileDialogSettings ModelImportDialogSettings() {
    FileDialogSettings settings = SceneOpenDialogSettings();
    settings.title = ModelImportTitle;
    settings.filters.clear();
    std::vector<std::string> all;
    for (const ImportFormat& f : ImportFormats()) {
        if (!f.read || f.extensions.empty()) continue;
        settings.filters.push_back({FrenchFormatName(f.name), Patterns(f.extensions)});
        for (const std::string& e : f.extensions)
            if (std::find(all.begin(), all.end(), e) == all.end()) all.push_back(e);
    }
    settings.filters.insert(settings.filters.begin(), FileFilter{ModelFilesText, Patterns(all)});
    settings.filters.push_back({AllFilesText, AllFilesPattern});
    settings.filterIndex = 1;
    return settings;
}

std::string ExportPathFor(const std::string& chosen, const FileDialogSettings& dialog) {
    if (!LowerExtension(chosen).empty()) return chosen;
    const auto index = static_cast<std::size_t>(dialog.filterIndex - 1);
    if (dialog.filterIndex < 1 || index >= dialog.filters.size()) return chosen;
    return chosen + PatternExtension(dialog.filters[index].pattern);
}

int ExportModelScene(const Scene& scene, platform::Prompts& prompts, FileDialogSettings& dialog,
                     platform::LongWork& work, ModelExport& written) {
    const auto name = prompts.SaveFileName(dialog);
    if (!name || name->empty()) return 0;
    const std::string path = ExportPathFor(*name, dialog);
    ExportOptions options;
    const auto chosen = static_cast<std::size_t>(dialog.filterIndex - 1);
    options.text = dialog.filterIndex >= 1 && chosen < dialog.filters.size() &&
                   dialog.filters[chosen].description == TextStlFilterText &&
                   LowerExtension(path) == ".stl";
    std::string reason;
    bool done = false;
    work.Run(ExportBusyText, [&] { done = ExportByExtension(scene, path, options, reason); });
    if (!done) {
        ShowFailure(prompts, ModelExportErrorText, reason);
        return 0;
    }
    const ExportFormat* format = ExportFormatFor(path, reason);
    written = {path, format && format->summary ? format->summary(path, options) : ""};
    return 1;
}

int ImportModelScene(Scene& scene, platform::Prompts& prompts, FileDialogSettings& dialog,
                     platform::LongWork& work) {
    const auto name = prompts.OpenFileName(dialog);
    if (!name || name->empty()) return 0;
    return ImportModelFile(scene, prompts, *name, work);
}

int ImportModelFile(Scene& scene, platform::Prompts& prompts, const std::string& path,
                    platform::LongWork& work) {
    SceneFileData data;
    std::string reason;
    std::string notes;
    bool read = false;
    work.Run(ImportBusyText, [&] { read = ImportByFormat(path, data, reason, notes); });
    // Only the main thread changes the scene: a big model's records take it a while.
    const auto add = [&] { read = read && AddSceneFileToScene(scene, data, false, reason); };
    if (data.vertices.size() + data.faces.size() > BigModelRecords)
        work.RunHere(add);
    else
        add();
    if (!read) {
        ShowFailure(prompts, ModelImportErrorText, reason);
        return 0;
    }
    if (!notes.empty())
        prompts.MessageBox(std::string(ModelImportNotesText) + "\n" + FrenchReason(notes),
                           ModelErrorTitle, platform::MB_OK);
    return 1;
}

bool IsSceneFile(const std::string& path) {
    std::string reason;
    if (const ImportFormat* format = ImportFormatFor(path, reason))
        return format->signature == FileSignature::KvxScene;
    return LowerExtension(path) == ".kvx";
}

}  // namespace kvx
