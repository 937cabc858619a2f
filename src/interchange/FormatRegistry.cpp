#include "interchange/FormatRegistry.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "interchange/AssimpImport.h"
#include "interchange/GltfExport.h"
#include "interchange/GltfImport.h"
#include "interchange/IsolatedRead.h"
#include "interchange/ObjExport.h"
#include "interchange/ObjImport.h"
#include "interchange/PlyExport.h"
#include "interchange/PlyImport.h"
#include "interchange/StlExport.h"

namespace kvx {
namespace {

bool WriteObj(const Scene& scene, const std::string& path, const ExportOptions&,
              std::string& reason) {
    return ExportObj(scene, path, reason);
}

std::string ObjSummary(const std::string& path, const ExportOptions&) {
    return "materials in " + ObjMaterialPath(path);
}

bool WriteStl(const Scene& scene, const std::string& path, const ExportOptions& options,
              std::string& reason) {
    return ExportStl(scene, path, options.text, reason);
}

std::string StlSummary(const std::string&, const ExportOptions& options) {
    return std::string(options.text ? "text" : "binary") +
           " STL of triangles: face colours, layers, hidden flags and smooth faces are not kept";
}

bool WritePly(const Scene& scene, const std::string& path, const ExportOptions&,
              std::string& reason) {
    return ExportPly(scene, path, reason);
}

std::string PlySummary(const std::string&, const ExportOptions&) {
    return "binary PLY with face colours: layers, hidden flags and smooth faces are not kept";
}

bool WriteGltf(const Scene& scene, const std::string& path, const ExportOptions&,
               std::string& reason) {
    return ExportGltf(scene, path, reason);
}

std::string GltfSummary(const std::string& path, const ExportOptions&) {
    return "glTF 2.0, its buffer in " + GltfBufferPath(path);
}

bool WriteGlb(const Scene& scene, const std::string& path, const ExportOptions&,
              std::string& reason) {
    return ExportGlb(scene, path, reason);
}

std::string GlbSummary(const std::string&, const ExportOptions&) {
    return "glTF 2.0 binary";
}

bool ReadObj(const std::string& path, SceneFileData& data, std::string& reason,
             std::string& notes) {
    ObjReading reading;
    const bool read = ReadObjFile(path, data, reading);
    reason = reading.reason;
    notes = reading.notes;
    return read;
}

// Libraries of other hands read in a child process (IsolatedRead.h).
bool ReadGltf(const std::string& path, SceneFileData& data, std::string& reason,
              std::string& notes) {
    return ReadIsolated([&](SceneFileData& d, std::string& r,
                            std::string& n) { return ReadGltfFile(path, d, r, n); },
                        data, reason, notes);
}

bool ReadOther(const std::string& path, SceneFileData& data, std::string& reason,
               std::string& notes) {
    return ReadIsolated([&](SceneFileData& d, std::string& r,
                            std::string& n) { return ReadWithAssimp(path, d, r, n); },
                        data, reason, notes);
}

bool ReadKvx(const std::string& path, SceneFileData& data, std::string& reason, std::string&) {
    return ReadSceneFile(path, data, reason);
}

bool ReadPly(const std::string& path, SceneFileData& data, std::string& reason,
             std::string& notes) {
    return ReadPlyFile(path, data, reason, notes);
}

template <typename Format>
bool HasExtension(const Format& format, const std::string& extension) {
    return std::find(format.extensions.begin(), format.extensions.end(), extension) !=
           format.extensions.end();
}

std::string WrittenExtensions() {
    std::string list;
    for (const ExportFormat& f : ExportFormats())
        for (const std::string& e : f.extensions)
            list += (list.empty() ? "" : ", ") + e;
    return list;
}

std::string ReadFormats() {
    std::string list;
    for (const ImportFormat& f : ImportFormats())
        if (f.read) list += (list.empty() ? "" : ", ") + std::string(f.name);
    return list;
}

}  // namespace

const std::vector<ExportFormat>& ExportFormats() {
    static const std::vector<ExportFormat> formats = {
        {"Wavefront OBJ", {".obj"}, WriteObj, ObjSummary},
        {"STL", {".stl"}, WriteStl, StlSummary},
        {"PLY", {".ply"}, WritePly, PlySummary},
        {"glTF 2.0", {".gltf"}, WriteGltf, GltfSummary},
        {"glTF 2.0 binary (GLB)", {".glb"}, WriteGlb, GlbSummary},
    };
    return formats;
}

const std::vector<ImportFormat>& ImportFormats() {
    static const std::vector<ImportFormat> formats = [] {
        std::vector<ImportFormat> list = {
            {"Kolvex scene", FileSignature::KvxScene, {".kvx"}, ReadKvx},
            {"Wavefront OBJ", FileSignature::None, {".obj"}, ReadObj},
            {"glTF binary (GLB)", FileSignature::GltfBinary, {".glb"}, ReadGltf},
            {"glTF", FileSignature::None, {".gltf"}, ReadGltf},
            {"PLY", FileSignature::Ply, {".ply"}, ReadPly},
            {"binary STL", FileSignature::StlBinary, {}, ReadOther},
            {"STL", FileSignature::StlText, {".stl"}, ReadOther},
            {"FBX", FileSignature::FbxBinary, {".fbx"}, ReadOther},
            {"3DS", FileSignature::None, {".3ds"}, ReadOther},
            {"Collada", FileSignature::None, {".dae"}, ReadOther},
            {"LightWave", FileSignature::None, {".lwo", ".lws"}, ReadOther},
            {"DirectX", FileSignature::None, {".x"}, ReadOther},
            {"OFF", FileSignature::None, {".off"}, ReadOther},
            {"3MF", FileSignature::None, {".3mf"}, ReadOther},
        };
        // Whatever else the library reads, under its own extensions.
        ImportFormat other{"other model formats", FileSignature::None, {}, ReadOther};
        for (const std::string& e : AssimpExtensions())
            if (std::none_of(list.begin(), list.end(),
                             [&](const ImportFormat& f) { return HasExtension(f, e); }))
                other.extensions.push_back(e);
        list.push_back(other);
        return list;
    }();
    return formats;
}

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

const ExportFormat* ExportFormatFor(const std::string& path, std::string& reason) {
    const std::string extension = LowerExtension(path);
    for (const ExportFormat& f : ExportFormats())
        if (HasExtension(f, extension)) return &f;
    reason = (extension.empty() ? std::string("no extension to choose the format by")
                                : "no format is written as \"" + extension + "\" files") +
             " (written: " + WrittenExtensions() + ")";
    return nullptr;
}

const ImportFormat* ImportFormatFor(const std::string& path, std::string& reason) {
    const FileSignature signature = IdentifyFile(path);
    const std::string extension = LowerExtension(path);
    const ImportFormat* found = nullptr;
    for (const ImportFormat& f : ImportFormats())
        if (signature != FileSignature::None ? f.signature == signature
                                             : HasExtension(f, extension)) {
            found = &f;
            break;
        }
    std::error_code error;
    if (!found && !std::filesystem::exists(path, error)) {
        reason = "cannot be read: no such file";
        return nullptr;
    }
    if (!found) {
        reason =
            "unknown format: neither its first bytes nor its extension name one that is read"
            " (read: " +
            ReadFormats() + ")";
        return nullptr;
    }
    if (!found->read) {
        reason = std::string("a ") + found->name +
                 " file, which cannot be imported (read: " + ReadFormats() + ")";
        return nullptr;
    }
    return found;
}

bool ExportByExtension(const Scene& scene, const std::string& path, const ExportOptions& options,
                       std::string& reason) {
    const ExportFormat* format = ExportFormatFor(path, reason);
    return format && format->write(scene, path, options, reason);
}

bool ImportByFormat(const std::string& path, SceneFileData& data, std::string& reason,
                    std::string& notes) {
    const ImportFormat* format = ImportFormatFor(path, reason);
    return format && format->read(path, data, reason, notes);
}

}  // namespace kvx
