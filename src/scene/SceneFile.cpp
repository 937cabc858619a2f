#include "scene/SceneFile.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "platform/Constants.h"
#include "scene/ByteSpanReader.h"
#include "scene/Coordinates.h"
#include "scene/FileAccess.h"
#include "scene/FileReplace.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

// Only these signature characters are compared when reading.
constexpr std::int64_t SignatureChecks[] = {0, 5, 10, 20};

std::int64_t VertexRecordSize(std::int32_t version) {
    return version == 2 ? 30 : 26;
}
// A face record with n indices.
std::int64_t FaceRecordSize(std::int32_t version, std::int64_t n) {
    return (version == 2 ? 14 : 8) + 4 * n;
}

std::string Hex(std::uint8_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

bool ValidLayer(std::int32_t layer) {
    return layer >= 0 && layer < LayerCount;
}

// Empty when the three coordinates fit the scene's floats, else what is wrong with the first
// that does not.
std::string CoordinateFault(double x, double y, double z) {
    const double value[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis) {
        if (FitsFloat(value[axis])) continue;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%c %g does not fit a 32-bit float", "xyz"[axis],
                      value[axis]);
        return buf;
    }
    return {};
}

// The one checker of scene files, over anything that reads like FileAccess. All counts are
// checked against the limits and the size before anything is allocated for them.
template <typename Source>
bool ReadScene(Source& file, std::int64_t size, SceneFileData& data, std::string& reason) {
    data = SceneFileData{};
    if (size < SceneHeaderSize) {
        reason = "file too short for a scene header (" + std::to_string(size) + " bytes)";
        return false;
    }
    for (const std::int64_t at : SignatureChecks) {
        if (file.ReadU8(at) != static_cast<std::uint8_t>(SceneSignature[at])) {
            reason = "not a Kolvex scene file (signature byte " + std::to_string(at) + " differs)";
            return false;
        }
    }
    data.version = file.ReadI8(24);
    if (data.version != 1 && data.version != 2) {
        reason = "unknown version " + std::to_string(data.version);
        return false;
    }
    const std::int32_t vertexCount = file.ReadI32(25);
    const std::int32_t faceCount = file.ReadI32(29);
    if (vertexCount < 0 || faceCount < 0) {
        reason = "negative record count";
        return false;
    }
    if (vertexCount > MaxVertices || faceCount > MaxFaces) {
        reason = "more records announced (" + std::to_string(vertexCount) + " vertices, " +
                 std::to_string(faceCount) + " faces) than a scene holds (" +
                 std::to_string(MaxVertices) + ")";
        return false;
    }
    const std::int64_t vertexBytes = vertexCount * VertexRecordSize(data.version);
    if (SceneHeaderSize + vertexBytes + faceCount * FaceRecordSize(data.version, 3) > size) {
        reason = "file too short for its " + std::to_string(vertexCount) + " vertices and " +
                 std::to_string(faceCount) + " faces";
        return false;
    }

    file.Seek(SceneHeaderSize);
    data.vertices.resize(static_cast<std::size_t>(vertexCount));
    for (std::int32_t i = 0; i < vertexCount; ++i) {
        // Named only when something is wrong: no string is built per good record.
        const auto where = [i] { return "vertex " + std::to_string(i); };
        const std::uint8_t marker = file.ReadU8();
        if (marker != VertexMarker) {
            reason = where() + ": marker " + Hex(marker) + " instead of 0x7F";
            return false;
        }
        auto& v = data.vertices[static_cast<std::size_t>(i)];
        v.x = file.ReadF64();
        v.y = file.ReadF64();
        v.z = file.ReadF64();
        v.hidden = file.ReadI8();
        if (data.version == 2) v.layer = file.ReadI32();
        if (file.ReadFailed()) {
            reason = "file ends inside " + where();
            return false;
        }
        if (!FitsFloat(v.x, v.y, v.z)) {
            reason = where() + ": " + CoordinateFault(v.x, v.y, v.z);
            return false;
        }
        if (data.version == 2 && !ValidLayer(v.layer)) {
            reason = where() + ": layer " + std::to_string(v.layer) + " outside 0..9";
            return false;
        }
    }

    data.faces.resize(static_cast<std::size_t>(faceCount));
    data.indices.reserve(static_cast<std::size_t>(faceCount) * 3);
    for (std::int32_t i = 0; i < faceCount; ++i) {
        const auto where = [i] { return "face " + std::to_string(i); };
        const std::uint8_t marker = file.ReadU8();
        if (marker != FaceMarker) {
            reason = file.ReadFailed() ? "file ends inside " + where()
                                       : where() + ": marker " + Hex(marker) + " instead of 0x7E";
            return false;
        }
        const std::int32_t n = file.ReadI32();
        if (file.ReadFailed()) {
            reason = "file ends inside " + where();
            return false;
        }
        if (n < 3) {
            reason = where() + ": " + std::to_string(n) + " vertex indices (at least 3 needed)";
            return false;
        }
        // The rest of this record and the smallest possible rest of the file must fit.
        const std::int64_t need =
            FaceRecordSize(data.version, n) - 5 +
            static_cast<std::int64_t>(faceCount - 1 - i) * FaceRecordSize(data.version, 3);
        if (file.Position() + need > size) {
            reason = "file ends inside " + where() + " (" + std::to_string(n) +
                     " vertex indices announced)";
            return false;
        }
        auto& f = data.faces[static_cast<std::size_t>(i)];
        f.firstIndex = static_cast<std::int32_t>(data.indices.size());
        for (std::int32_t k = 0; k < n; ++k) {
            const std::int32_t index = file.ReadI32();
            if (index < 0 || index >= vertexCount) {
                reason = where() + ": vertex index " + std::to_string(index) + " out of range";
                return false;
            }
            if (k < MaxFaceVertices)
                data.indices.push_back(index);  // later ones are read and ignored
        }
        f.indexCount = std::min(n, MaxFaceVertices);
        f.red = file.ReadU8();
        f.green = file.ReadU8();
        f.blue = file.ReadU8();
        if (data.version == 2) {
            f.layer = file.ReadI32();
            f.hidden = file.ReadI8();
            f.renderType = file.ReadI8();
        }
        if (file.ReadFailed()) {
            reason = "file ends inside " + where();
            return false;
        }
        if (data.version == 2 && !ValidLayer(f.layer)) {
            reason = where() + ": layer " + std::to_string(f.layer) + " outside 0..9";
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadSceneFile(const std::string& path, SceneFileData& data, std::string& reason) {
    FileAccess file;
    if (!file.OpenForRead(path)) {
        data = SceneFileData{};
        reason = "cannot open the file for reading and writing (missing, read-only or in use)";
        return false;
    }
    return ReadScene(file, static_cast<std::int64_t>(file.size), data, reason);
}

bool ReadSceneBytes(std::span<const std::uint8_t> bytes, SceneFileData& data, std::string& reason) {
    ByteSpanReader reader(bytes);
    return ReadScene(reader, static_cast<std::int64_t>(bytes.size()), data, reason);
}

bool AddSceneFileToScene(Scene& scene, const SceneFileData& data, bool clearFirst,
                         std::string& reason) {
    const std::int64_t haveVertices = clearFirst ? 0 : scene.vertexCount();
    const std::int64_t haveFaces = clearFirst ? 0 : scene.faceCount();
    if (haveVertices + static_cast<std::int64_t>(data.vertices.size()) > scene.vertexCapacity ||
        haveFaces + static_cast<std::int64_t>(data.faces.size()) > scene.faceCapacity) {
        reason = "the scene cannot hold that many more vertices or faces";
        return false;
    }
    if (clearFirst) scene.ClearScene();

    const std::int32_t base = scene.vertexCount();
    const std::int32_t layer = scene.currentLayer;
    LayerMesh* mesh = scene.currentMesh();
    mesh->builder->Reserve(mesh->builder->Positions().size() + data.vertices.size(),
                           mesh->builder->Normals().size() + data.indices.size(),
                           mesh->builder->Faces().size() + data.faces.size());
    scene.vertices.reserve(scene.vertices.size() + data.vertices.size());
    scene.faces.reserve(scene.faces.size() + data.faces.size());

    for (const auto& r : data.vertices) {
        const std::int32_t i = scene.AppendVertex(r.x, r.y, r.z, r.layer < 0 ? layer : r.layer);
        scene.vertices[static_cast<std::size_t>(i)].hidden = r.hidden;
    }
    for (const auto& r : data.faces) {
        Face& f = scene.faces.emplace_back();
        f.Attach(mesh);
        for (std::int32_t k = 0; k < r.indexCount; ++k)
            f.AddVertex(scene.vertices[static_cast<std::size_t>(
                base + data.indices[static_cast<std::size_t>(r.firstIndex + k)])]);
        f.SetColor(r.red, r.green, r.blue);
        f.layer = r.layer < 0 ? layer : r.layer;
        f.hidden = r.hidden;
        f.renderType = r.renderType;
    }
    // Every face's normals, flat or smooth, the earlier faces included.
    scene.UpdateAllVertexNormals();
    return true;
}

bool LoadSceneFromPath(Scene& scene, const std::string& path, bool clearFirst,
                       std::string& reason) {
    SceneFileData data;
    return ReadSceneFile(path, data, reason) &&
           AddSceneFileToScene(scene, data, clearFirst, reason);
}

namespace {

// Writes the scene in version 2 to anything that writes like FileAccess.
template <typename Sink>
void WriteScene(const Scene& scene, Sink& file) {
    file.WriteBytes(SceneSignature, SceneSignatureLength);
    file.WriteU8(SceneFileVersion);
    file.WriteI32(scene.vertexCount());
    file.WriteI32(scene.faceCount());
    for (const Vertex& v : scene.vertices) {
        file.WriteU8(VertexMarker);
        file.WriteF64(v.x);
        file.WriteF64(v.y);
        file.WriteF64(v.z);
        file.WriteU8(v.hidden);
        file.WriteI32(v.layer);
    }
    for (const Face& f : scene.faces) {
        file.WriteU8(FaceMarker);
        file.WriteI32(f.vertexCount);
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            file.WriteI32(f.sceneIndices[static_cast<std::size_t>(k)]);
        file.WriteU8(static_cast<std::int32_t>(f.red));
        file.WriteU8(static_cast<std::int32_t>(f.green));
        file.WriteU8(static_cast<std::int32_t>(f.blue));
        file.WriteI32(f.layer);
        file.WriteU8(f.hidden);
        file.WriteU8(f.renderType);
    }
}

// Little-endian bytes in memory, written as FileAccess writes them.
struct ByteSink {
    std::vector<std::uint8_t> bytes;
    void WriteBytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    void WriteU8(std::int32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void WriteI32(std::int32_t v) { WriteBytes(&v, 4); }
    void WriteF64(double v) { WriteBytes(&v, 8); }
};

}  // namespace

bool SaveSceneToPath(const Scene& scene, const std::string& path, std::string& reason) {
    return ReplaceFile(
        path, SceneTemporarySuffix,
        [&](FileAccess& file) {
            WriteScene(scene, file);
            return true;
        },
        reason);
}

std::vector<std::uint8_t> SceneBytes(const Scene& scene) {
    ByteSink sink;
    WriteScene(scene, sink);
    return std::move(sink.bytes);
}

std::string WithSceneExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.find('.', nameStart) != std::string::npos) return path;
    return path + ".KVX";
}

platform::FileDialogSettings SceneOpenDialogSettings() {
    return {"Ouverture d'un fichier Kolvex...",
            {{"Fichiers Kolvex", "*.KVX"}, {"Tous les fichiers", "*.*"}},
            platform::OFN_FILEMUSTEXIST | platform::OFN_HIDEREADONLY,
            1,
            {},
            false};
}

platform::FileDialogSettings SceneSaveDialogSettings() {
    return {
        "Sauvegarde d'un fichier Kolvex...",
        {{"Fichiers Kolvex", "*.KVX"}, {"Tous les fichiers", "*.*"}},
        platform::OFN_PATHMUSTEXIST | platform::OFN_OVERWRITEPROMPT | platform::OFN_HIDEREADONLY,
        1,
        {},
        false};
}

int SaveScene(const Scene& scene, platform::Prompts& prompts,
              platform::FileDialogSettings& dialog) {
    const auto name = prompts.SaveFileName(dialog);
    if (!name || name->empty()) return 0;
    std::string reason;
    if (!SaveSceneToPath(scene, WithSceneExtension(*name), reason)) {
        prompts.MessageBox(SaveErrorText, SaveErrorTitle, platform::MB_OK);
        return 0;
    }
    return 1;
}

int LoadScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
              int clearFirst) {
    const auto name = prompts.OpenFileName(dialog);
    if (!name || name->empty()) return 0;
    std::string reason;
    if (!LoadSceneFromPath(scene, *name, clearFirst != 0, reason)) {
        prompts.MessageBox(LoadErrorText, LoadErrorTitle, platform::MB_OK);
        return 0;
    }
    return 1;
}

}  // namespace kvx
