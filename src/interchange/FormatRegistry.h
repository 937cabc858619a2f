#pragma once
// The one list of model formats the editor and kvxtool write and read. An export's format follows
// the target's extension; an import's follows the file's own signature, else its extension. A
// format that has no writer (or no reader) is refused with a reason, never written or read as
// another one.

#include <string>
#include <vector>

#include "interchange/FileSignature.h"
#include "scene/SceneFile.h"

namespace kvx {

class Scene;

struct ExportOptions {
    bool text = false;  // STL as text instead of binary
};

using SceneWriter = bool (*)(const Scene& scene, const std::string& path,
                             const ExportOptions& options, std::string& reason);
// What a written file holds beside the scene's records, or what of them it cannot hold.
using ExportSummary = std::string (*)(const std::string& path, const ExportOptions& options);

struct ExportFormat {
    const char* name;
    std::vector<std::string> extensions;  // lower case, with the dot
    SceneWriter write;
    ExportSummary summary;
};

// Reads a file into checked scene data; notes receives what was left out, one line each.
using SceneReader = bool (*)(const std::string& path, SceneFileData& data, std::string& reason,
                             std::string& notes);

struct ImportFormat {
    const char* name;
    FileSignature signature;              // None: known by its extensions only
    std::vector<std::string> extensions;  // lower case, with the dot
    SceneReader read;                     // nullptr: recognised, but not read
};

const std::vector<ExportFormat>& ExportFormats();
const std::vector<ImportFormat>& ImportFormats();

// path's extension in lower case, with its dot; empty without one.
std::string LowerExtension(const std::string& path);

// The format path's extension asks for; nullptr, with a reason naming the extensions that are
// written, when there is none.
const ExportFormat* ExportFormatFor(const std::string& path, std::string& reason);
// The format of the file at path: by signature, else by extension. nullptr with a reason when it
// is unknown or has no reader.
const ImportFormat* ImportFormatFor(const std::string& path, std::string& reason);

// Writes the scene in the format path's extension asks for. False with a reason when there is no
// such format or the file cannot be written; the file is then as it was.
bool ExportByExtension(const Scene& scene, const std::string& path, const ExportOptions& options,
                       std::string& reason);
// Reads the file at path in its own format. False with a reason when it is unknown, has no reader
// or is refused by its reader.
bool ImportByFormat(const std::string& path, SceneFileData& data, std::string& reason,
                    std::string& notes);

}  // namespace kvx
