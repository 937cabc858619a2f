#include "scene/SceneFile.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// The header of a scene file: its version and record counts, checked against the limits and
// the size.
struct SceneHeader {
    std::int32_t version = 0, vertexCount = 0, faceCount = 0;
};

template <typename Source>
bool ReadHeader(Source& file, std::int64_t size, SceneHeader& header, std::string& reason) {
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
    const std::int32_t version = file.ReadI8(24);
    if (version != 1 && version != 2) {
        reason = "unknown version " + std::to_string(version);
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
    const std::int64_t vertexBytes = vertexCount * VertexRecordSize(version);
    if (SceneHeaderSize + vertexBytes + faceCount * FaceRecordSize(version, 3) > size) {
        reason = "file too short for its " + std::to_string(vertexCount) + " vertices and " +
                 std::to_string(faceCount) + " faces";
        return false;
    }
    header = {version, vertexCount, faceCount};
    return true;
}

// Vertex record i, from where the file stands.
template <typename Source>
bool ReadVertex(Source& file, std::int32_t version, std::int32_t i, SceneFileData::VertexRecord& v,
                std::string& reason) {
    // Named only when something is wrong: no string is built per good record.
    const auto where = [i] { return "vertex " + std::to_string(i); };
    const std::uint8_t marker = file.ReadU8();
    if (marker != VertexMarker) {
        reason = where() + ": marker " + Hex(marker) + " instead of 0x7F";
        return false;
    }
    v.x = file.ReadF64();
    v.y = file.ReadF64();
    v.z = file.ReadF64();
    v.hidden = file.ReadI8();
    if (version == 2) v.layer = file.ReadI32();
    if (file.ReadFailed()) {
        reason = "file ends inside " + where();
        return false;
    }
    if (!FitsFloat(v.x, v.y, v.z)) {
        reason = where() + ": " + CoordinateFault(v.x, v.y, v.z);
        return false;
    }
    if (version == 2 && !ValidLayer(v.layer)) {
        reason = where() + ": layer " + std::to_string(v.layer) + " outside 0..9";
        return false;
    }
    return true;
}

// Face record i, from where the file stands, its first MaxFaceVertices vertex indices into
// indices.
template <typename Source>
bool ReadFace(Source& file, std::int64_t size, const SceneHeader& header, std::int32_t i,
              SceneFileData::FaceRecord& f, std::int32_t* indices, std::string& reason) {
    const std::int32_t version = header.version;
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
        FaceRecordSize(version, n) - 5 +
        static_cast<std::int64_t>(header.faceCount - 1 - i) * FaceRecordSize(version, 3);
    if (file.Position() + need > size) {
        reason =
            "file ends inside " + where() + " (" + std::to_string(n) + " vertex indices announced)";
        return false;
    }
    for (std::int32_t k = 0; k < n; ++k) {
        const std::int32_t index = file.ReadI32();
        if (index < 0 || index >= header.vertexCount) {
            reason = where() + ": vertex index " + std::to_string(index) + " out of range";
            return false;
        }
        if (k < MaxFaceVertices) indices[k] = index;  // later ones are read and ignored
    }
    f.indexCount = std::min(n, MaxFaceVertices);
    f.red = file.ReadU8();
    f.green = file.ReadU8();
    f.blue = file.ReadU8();
    if (version == 2) {
        f.layer = file.ReadI32();
        f.hidden = file.ReadI8();
        f.renderType = file.ReadI8();
    }
    if (file.ReadFailed()) {
        reason = "file ends inside " + where();
        return false;
    }
    if (version == 2 && !ValidLayer(f.layer)) {
        reason = where() + ": layer " + std::to_string(f.layer) + " outside 0..9";
        return false;
    }
    return true;
}

// The one checker of scene files, over anything that reads like FileAccess. Each good record
// goes to the sink as it is read (Begin(version, vertices, faces) first, which may refuse, then
// Vertex(record) and Face(record, indices)); a fault stops the reading. All counts are checked
// against the limits and the size before the sink hears of them, so it may allocate for them.
template <typename Source, typename Sink>
bool ReadScene(Source& file, std::int64_t size, Sink& sink, std::string& reason) {
    SceneHeader header;
    if (!ReadHeader(file, size, header, reason)) return false;
    file.Seek(SceneHeaderSize);
    if (!sink.Begin(header.version, header.vertexCount, header.faceCount)) {
        reason = "the file changed while it was read";
        return false;
    }
    for (std::int32_t i = 0; i < header.vertexCount; ++i) {
        SceneFileData::VertexRecord v;
        if (!ReadVertex(file, header.version, i, v, reason)) return false;
        sink.Vertex(v);
    }
    std::array<std::int32_t, MaxFaceVertices> indices{};
    for (std::int32_t i = 0; i < header.faceCount; ++i) {
        SceneFileData::FaceRecord f;
        if (!ReadFace(file, size, header, i, f, indices.data(), reason)) return false;
        sink.Face(f, indices.data());
    }
    sink.End(size - file.Position());
    return true;
}

// Collects the records into SceneFileData.
struct DataSink {
    SceneFileData& data;
    bool Begin(std::int32_t version, std::int32_t vertices, std::int32_t faces) {
        data.version = version;
        data.vertices.reserve(static_cast<std::size_t>(vertices));
        data.faces.reserve(static_cast<std::size_t>(faces));
        data.indices.reserve(static_cast<std::size_t>(faces) * 3);
        return true;
    }
    void Vertex(const SceneFileData::VertexRecord& v) { data.vertices.push_back(v); }
    void Face(SceneFileData::FaceRecord f, const std::int32_t* indices) {
        f.firstIndex = static_cast<std::int32_t>(data.indices.size());
        data.indices.insert(data.indices.end(), indices, indices + f.indexCount);
        data.faces.push_back(f);
    }
    void End(std::int64_t ignoredBytes) { data.ignoredBytes = ignoredBytes; }
};

// Only checks, keeping the counts.
struct CheckSink {
    std::int32_t vertexCount = 0, faceCount = 0;
    bool Begin(std::int32_t, std::int32_t vertices, std::int32_t faces) {
        vertexCount = vertices;
        faceCount = faces;
        return true;
    }
    std::int64_t ignoredBytes = 0;
    void Vertex(const SceneFileData::VertexRecord&) {}
    void Face(const SceneFileData::FaceRecord&, const std::int32_t*) {}
    void End(std::int64_t ignored) { ignoredBytes = ignored; }
};

// Adds records to a scene as they come: vertices and faces to the current layer's mesh, face
// indices relative to the first vertex added. Begin refuses (and changes nothing) when the scene
// cannot hold them; Finish computes every face's normals, the earlier faces included.
class SceneAdder {
  public:
    SceneAdder(Scene& scene, bool clearFirst) : scene_(scene), clearFirst_(clearFirst) {}

    bool Fits(std::int64_t vertices, std::int64_t faces, std::string& reason) const {
        const std::int64_t haveVertices = clearFirst_ ? 0 : scene_.vertexCount();
        const std::int64_t haveFaces = clearFirst_ ? 0 : scene_.faceCount();
        if (haveVertices + vertices > scene_.vertexCapacity ||
            haveFaces + faces > scene_.faceCapacity) {
            reason = "the scene cannot hold that many more vertices or faces";
            return false;
        }
        return true;
    }
    // Call once Fits said yes; indexCount is the total of the faces' indices.
    void Begin(std::size_t vertices, std::size_t faces, std::size_t indexCount) {
        if (clearFirst_) scene_.ClearScene();
        base_ = scene_.vertexCount();
        layer_ = scene_.currentLayer;
        mesh_ = scene_.currentMesh();
        const rm::MeshBuilder& b = *mesh_->builder;
        mesh_->builder->Reserve(b.Positions().size() + vertices, b.Normals().size() + indexCount,
                                b.Faces().size() + faces, b.CornerCount() + indexCount);
        scene_.vertices.reserve(scene_.vertices.size() + vertices);
        scene_.faces.reserve(scene_.faces.size() + faces);
    }
    void Vertex(const SceneFileData::VertexRecord& r) {
        const std::int32_t i = scene_.AppendVertex(r.x, r.y, r.z, r.layer < 0 ? layer_ : r.layer);
        scene_.vertices[static_cast<std::size_t>(i)].hidden = r.hidden;
    }
    void Face(const SceneFileData::FaceRecord& r, const std::int32_t* indices) {
        kvx::Face& f = scene_.faces.emplace_back();
        f.Attach(mesh_);
        for (std::int32_t k = 0; k < r.indexCount; ++k)
            f.AddVertex(scene_.vertices[static_cast<std::size_t>(base_ + indices[k])]);
        f.SetColor(r.red, r.green, r.blue);
        f.layer = r.layer < 0 ? layer_ : r.layer;
        f.hidden = r.hidden;
        f.renderType = r.renderType;
    }
    void Finish() { scene_.UpdateAllVertexNormals(); }

  private:
    Scene& scene_;
    bool clearFirst_;
    std::int32_t base_ = 0;
    std::int32_t layer_ = 0;
    LayerMesh* mesh_ = nullptr;
};

// The adder as the reader's sink, once the file has been checked whole with these counts.
struct AdderSink {
    SceneAdder& adder;
    CheckSink checked;
    bool Begin(std::int32_t, std::int32_t vertices, std::int32_t faces) {
        if (vertices != checked.vertexCount || faces != checked.faceCount) return false;
        // Room for triangles; bigger faces grow the normals as they come.
        adder.Begin(static_cast<std::size_t>(vertices), static_cast<std::size_t>(faces),
                    3 * static_cast<std::size_t>(faces));
        return true;
    }
    void Vertex(const SceneFileData::VertexRecord& v) { adder.Vertex(v); }
    void Face(const SceneFileData::FaceRecord& f, const std::int32_t* indices) {
        adder.Face(f, indices);
    }
    void End(std::int64_t) {}
};

bool OpenSceneFile(FileAccess& file, const std::string& path, std::string& reason) {
    if (file.OpenForRead(path)) return true;
    reason = "cannot open the file (missing, not readable or in use)";
    return false;
}

}  // namespace

bool ReadSceneFile(const std::string& path, SceneFileData& data, std::string& reason) {
    data = SceneFileData{};
    FileAccess file;
    if (!OpenSceneFile(file, path, reason)) return false;
    DataSink sink{data};
    return ReadScene(file, static_cast<std::int64_t>(file.size), sink, reason);
}

bool ReadSceneBytes(std::span<const std::uint8_t> bytes, SceneFileData& data, std::string& reason) {
    data = SceneFileData{};
    ByteSpanReader reader(bytes);
    DataSink sink{data};
    return ReadScene(reader, static_cast<std::int64_t>(bytes.size()), sink, reason);
}

bool AddSceneFileToScene(Scene& scene, const SceneFileData& data, bool clearFirst,
                         std::string& reason) {
    SceneAdder adder(scene, clearFirst);
    if (!adder.Fits(static_cast<std::int64_t>(data.vertices.size()),
                    static_cast<std::int64_t>(data.faces.size()), reason))
        return false;
    adder.Begin(data.vertices.size(), data.faces.size(), data.indices.size());
    for (const auto& r : data.vertices)
        adder.Vertex(r);
    for (const auto& r : data.faces)
        adder.Face(r, data.indices.data() + r.firstIndex);
    adder.Finish();
    return true;
}

// The file is read twice: once to check it whole, then to add its records straight to the
// scene. Nothing is held in between, so a big file costs no copy of itself in memory; the second
// reading comes from the system's cache.
bool LoadSceneFromPath(Scene& scene, const std::string& path, bool clearFirst, std::string& reason,
                       std::int64_t* ignoredBytes) {
    FileAccess file;
    if (!OpenSceneFile(file, path, reason)) return false;
    const auto size = static_cast<std::int64_t>(file.size);
    CheckSink counts;
    if (!ReadScene(file, size, counts, reason)) return false;
    if (ignoredBytes) *ignoredBytes = counts.ignoredBytes;
    SceneAdder adder(scene, clearFirst);
    if (!adder.Fits(counts.vertexCount, counts.faceCount, reason)) return false;
    file.Seek(0);
    AdderSink sink{adder, counts};
    // Only a program that ignores our lock can change the file between the two readings; then
    // the scene keeps the records added so far, each checked, with their normals.
    const bool read = ReadScene(file, size, sink, reason);
    adder.Finish();
    return read;
}

namespace {

// One record's bytes, gathered before they are written in one piece.
class RecordBytes {
  public:
    void U8(std::int32_t v) { bytes_[size_++] = static_cast<std::uint8_t>(v); }
    void I32(std::int32_t v) { Raw(&v, 4); }
    void F64(double v) { Raw(&v, 8); }
    template <typename Sink>
    void WriteTo(Sink& file) {
        file.WriteBytes(bytes_, size_);
        size_ = 0;
    }

  private:
    void Raw(const void* p, std::size_t n) {
        std::memcpy(bytes_ + size_, p, n);
        size_ += n;
    }
    // The longest record: a face of eight indices in version 2.
    std::uint8_t bytes_[14 + 4 * MaxFaceVertices];
    std::size_t size_ = 0;
};

// Writes the scene in version 2 to anything that writes like FileAccess, a record at a time.
template <typename Sink>
void WriteScene(const Scene& scene, Sink& file) {
    file.WriteBytes(SceneSignature, SceneSignatureLength);
    file.WriteU8(SceneFileVersion);
    file.WriteI32(scene.vertexCount());
    file.WriteI32(scene.faceCount());
    RecordBytes r;
    for (const Vertex& v : scene.vertices) {
        r.U8(VertexMarker);
        r.F64(v.x);
        r.F64(v.y);
        r.F64(v.z);
        r.U8(v.hidden);
        r.I32(v.layer);
        r.WriteTo(file);
    }
    for (const Face& f : scene.faces) {
        r.U8(FaceMarker);
        r.I32(f.vertexCount);
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            r.I32(f.sceneIndices[static_cast<std::size_t>(k)]);
        r.U8(static_cast<std::int32_t>(f.red));
        r.U8(static_cast<std::int32_t>(f.green));
        r.U8(static_cast<std::int32_t>(f.blue));
        r.I32(f.layer);
        r.U8(f.hidden);
        r.U8(f.renderType);
        r.WriteTo(file);
    }
}

// Little-endian bytes in memory, written as FileAccess writes them, into room made for all of
// them beforehand.
struct ByteSink {
    explicit ByteSink(std::size_t size) : bytes(size) {}
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;
    void WriteBytes(const void* p, std::size_t n) {
        std::memcpy(bytes.data() + at, p, n);
        at += n;
    }
    void WriteU8(std::int32_t v) { bytes[at++] = static_cast<std::uint8_t>(v); }
    void WriteI32(std::int32_t v) { WriteBytes(&v, 4); }
    void WriteF64(double v) { WriteBytes(&v, 8); }
};

}  // namespace

bool SaveSceneToPath(const Scene& scene, const std::string& path, std::string& reason) {
    return ReplaceFile(
        path,
        [&](FileAccess& file) {
            WriteScene(scene, file);
            return true;
        },
        reason);
}

std::vector<std::uint8_t> SceneBytes(const Scene& scene) {
    std::size_t size = SceneHeaderSize + scene.vertices.size() * VertexRecordSize(2);
    for (const Face& f : scene.faces)
        size += static_cast<std::size_t>(FaceRecordSize(2, f.vertexCount));
    ByteSink sink(size);
    WriteScene(scene, sink);
    sink.bytes.resize(sink.at);
    return std::move(sink.bytes);
}

std::string WithDefaultExtension(const std::string& path, const char* extension) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.find('.', nameStart) != std::string::npos) return path;
    return path + extension;
}

platform::FileDialogSettings SceneOpenDialogSettings() {
    return {"Ouverture d'un fichier Kolvex...",
            {{"Fichiers Kolvex", "*.KVX"}, {"Tous les fichiers", "*.*"}},
            platform::OFN_FILEMUSTEXIST | platform::OFN_HIDEREADONLY,
            1,
            {},
            false,
            {}};
}

platform::FileDialogSettings SceneSaveDialogSettings() {
    return {
        "Sauvegarde d'un fichier Kolvex...",
        {{"Fichiers Kolvex", "*.KVX"}, {"Tous les fichiers", "*.*"}},
        platform::OFN_PATHMUSTEXIST | platform::OFN_OVERWRITEPROMPT | platform::OFN_HIDEREADONLY,
        1,
        {},
        false,
        "KVX"};
}

std::string IgnoredBytesText(std::int64_t count) {
    return "Le fichier continue après son dernier enregistrement : " + std::to_string(count) +
           (count == 1 ? " octet ignoré." : " octets ignorés.");
}

int SaveScene(const Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
              std::string* chosen) {
    const auto name = prompts.SaveFileName(dialog);
    if (!name || name->empty()) return 0;
    const std::string path = WithSceneExtension(*name);
    if (SaveSceneNamed(scene, prompts, path) == 0) return 0;
    if (chosen) *chosen = path;
    return 1;
}

int SaveSceneNamed(const Scene& scene, platform::Prompts& prompts, const std::string& path) {
    std::string reason;
    if (SaveSceneToPath(scene, path, reason)) return 1;
    prompts.MessageBox(SaveErrorText, SaveErrorTitle, platform::MB_OK);
    return 0;
}

int LoadScene(Scene& scene, platform::Prompts& prompts, platform::FileDialogSettings& dialog,
              int clearFirst, std::string* chosen) {
    const auto name = prompts.OpenFileName(dialog);
    if (!name || name->empty()) return 0;
    if (LoadSceneNamed(scene, prompts, *name, clearFirst, LoadErrorText) == 0) return 0;
    if (chosen) *chosen = *name;
    return 1;
}

int LoadSceneNamed(Scene& scene, platform::Prompts& prompts, const std::string& path,
                   int clearFirst, const std::string& errorText) {
    std::string reason;
    std::int64_t ignoredBytes = 0;
    if (!LoadSceneFromPath(scene, path, clearFirst != 0, reason, &ignoredBytes)) {
        prompts.MessageBox(errorText, LoadErrorTitle, platform::MB_OK);
        return 0;
    }
    if (ignoredBytes > 0)
        prompts.MessageBox(IgnoredBytesText(ignoredBytes), SaveErrorTitle, platform::MB_OK);
    return 1;
}

}  // namespace kvx
