#include "interchange/ObjImport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <tiny_obj_loader.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string_view>

#include "interchange/FaceSplit.h"
#include "interchange/ObjExport.h"
#include "interchange/ObjLineScan.h"
#include "interchange/ObjNames.h"
#include "interchange/TextDecoding.h"
#include "scene/Coordinates.h"
#include "scene/Face.h"
#include "scene/Limits.h"

namespace kvx {
std::optional<std::string> OutsideFolderRefusal(const std::string& name) {
    const std::filesystem::path p(name);
    if (p.is_absolute()) return "an absolute path";
    for (const auto& part : p)
        if (part == "..") return "outside the model's folder";
    return std::nullopt;
}

namespace {

// The material files named in the OBJ file, one after the other, as tinyobjloader reads them:
// each once, however its name is spelt, and MaxMaterialFileBytes of them in all. Refused ones are
// left out (their faces come out blue) with a note; missing ones too, silently.
std::string ReadMaterialFiles(const MaterialFileReader& read, const std::vector<std::string>& names,
                              std::string& notes) {
    std::string text;
    std::set<std::string> seen;
    std::uint64_t budget = MaxMaterialFileBytes;
    for (const std::string& name : names) {
        if (!seen.insert(std::filesystem::path(name).lexically_normal().string()).second) continue;
        std::string why;
        std::optional<std::string> one;
        if (const auto refusal = OutsideFolderRefusal(name))
            why = *refusal;
        else
            one = read(name, why);
        if (one && one->size() > budget) {
            one.reset();
            why = "larger than " + std::to_string(MaxMaterialFileBytes) + " bytes";
        }
        if (one && !DecodeText(*one, why)) one.reset();
        if (one) {
            budget -= one->size();
            text += obj::ParserMaterialText(*one);
        } else if (!why.empty()) {
            notes += "material file '" + name + "' not read (" + why +
                     "): its faces keep the default colour\n";
        }
    }
    return text;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

obj::ColorBytes MaterialColor(const std::vector<tinyobj::material_t>& materials, int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= materials.size()) return {0, 0, 255};
    const tinyobj::material_t& m = materials[static_cast<std::size_t>(id)];
    if (const auto bytes = obj::ParseMaterialName(m.name)) return *bytes;
    return {obj::ColorByte(m.diffuse[0]), obj::ColorByte(m.diffuse[1]),
            obj::ColorByte(m.diffuse[2])};
}

bool ReadVertices(const tinyobj::attrib_t& attrib, const obj::ObjLineScan& scan,
                  SceneFileData& data, std::string& reason) {
    data.vertices.resize(scan.vertices.size());
    for (std::size_t i = 0; i < scan.vertices.size(); ++i) {
        SceneFileData::VertexRecord& v = data.vertices[i];
        const double xyz[3] = {attrib.vertices[3 * i], attrib.vertices[3 * i + 1],
                               attrib.vertices[3 * i + 2]};
        for (const double c : xyz) {
            if (FitsFloat(c)) continue;
            reason = "line " + std::to_string(scan.vertices[i].line) + ": coordinate " +
                     (std::isfinite(c) ? "too large for a 32-bit float" : "is not a finite number");
            return false;
        }
        v.x = xyz[0];
        v.y = xyz[1];
        v.z = xyz[2];
        v.layer = scan.vertices[i].groups.layer;
        v.hidden = scan.vertices[i].groups.hidden ? 1 : 0;
    }
    return true;
}

bool ReadFaces(const tinyobj::ObjReader& reader, const obj::ObjLineScan& scan, SceneFileData& data,
               std::string& reason) {
    const auto vertexCount = static_cast<std::int64_t>(scan.vertices.size());
    const std::string mismatch = "the OBJ parser and the line scan disagree";
    data.faces.reserve(static_cast<std::size_t>(scan.splitFaceCount));
    std::size_t next = 0;  // the next face of the scan
    std::vector<std::int32_t> corners;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const tinyobj::mesh_t& mesh = shape.mesh;
        const obj::ObjGroups groups = obj::ParseGroupNames(shape.name);
        std::size_t index = 0;
        for (std::size_t f = 0; f < mesh.num_face_vertices.size(); ++f, ++next) {
            if (next >= scan.faces.size()) {
                reason = mismatch;
                return false;
            }
            const obj::ObjLineScan::FaceLine& line = scan.faces[next];
            // tinyobjloader counts corners in a byte; the scan's count is the real one.
            const auto n = static_cast<std::size_t>(line.corners);
            if ((n & 0xFF) != mesh.num_face_vertices[f] || index + n > mesh.indices.size()) {
                reason = mismatch + " at line " + std::to_string(line.line);
                return false;
            }
            corners.clear();
            for (std::size_t k = 0; k < n; ++k) {
                const int v = mesh.indices[index + k].vertex_index;
                if (v < 0 || v >= vertexCount) {
                    reason = "line " + std::to_string(line.line) + ": corner " +
                             std::to_string(k + 1) +
                             (v < 0 ? " refers to a vertex before the first one"
                                    : " refers to vertex " + std::to_string(v + 1) + " of " +
                                          std::to_string(vertexCount));
                    return false;
                }
                corners.push_back(v);
            }
            index += n;
            SceneFileData::FaceRecord face;
            const obj::ColorBytes color =
                MaterialColor(reader.GetMaterials(), mesh.material_ids[f]);
            face.red = color[0];
            face.green = color[1];
            face.blue = color[2];
            face.layer = groups.layer;
            face.hidden = groups.hidden ? 1 : 0;
            face.renderType = mesh.smoothing_group_ids[f] != 0 ? RenderSmooth : RenderFlat;
            AppendSplit(corners, face, data);
        }
        if (index != mesh.indices.size()) {
            reason = mismatch;
            return false;
        }
    }
    if (next != scan.faces.size()) {
        reason = mismatch;
        return false;
    }
    return true;
}

// A vertex written under no layer group takes the layer of the first face that uses it.
void TakeLayersFromFaces(const obj::ObjLineScan& scan, SceneFileData& data) {
    std::vector<bool> open(data.vertices.size());
    for (std::size_t i = 0; i < data.vertices.size(); ++i)
        open[i] = scan.vertices[i].groups.layer < 0;
    for (const SceneFileData::FaceRecord& f : data.faces) {
        for (std::int32_t k = 0; k < f.indexCount; ++k) {
            const auto v =
                static_cast<std::size_t>(data.indices[static_cast<std::size_t>(f.firstIndex + k)]);
            if (!open[v]) continue;
            open[v] = false;
            data.vertices[v].layer = f.layer;
        }
    }
}

}  // namespace

std::optional<std::string> ReadPlainFile(const std::string& path, std::uint64_t limit,
                                         std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = errno == ENOENT ? "" : "not readable";
        return std::nullopt;
    }
    struct stat st {};
    std::string text;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "not a plain file";
    } else if (static_cast<std::uint64_t>(st.st_size) > limit) {
        why = "larger than " + std::to_string(limit) + " bytes";
    } else {
        // No more than the size it had when opened: a file still growing is not followed.
        const auto size = static_cast<std::size_t>(st.st_size);
        text.reserve(size);
        char buf[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0 || text.size() + static_cast<std::size_t>(n) > size) {
                if (n != 0) why = n < 0 ? "not readable" : "grew while read";
                break;
            }
            text.append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (!why.empty()) return std::nullopt;
    return text;
}

bool ReadObjBytes(std::string text, const MaterialFileReader& materialFile, SceneFileData& data,
                  ObjReading& reading) {
    data = SceneFileData{};
    reading = ObjReading{};
    if (!DecodeText(text, reading.reason)) return false;
    obj::ObjLineScan scan;
    if (!obj::ScanObjLines(text, scan, reading.reason)) return false;
    if (scan.vertices.empty() && scan.faces.empty()) {
        reading.reason = "no vertex and no face in the file (not an OBJ file?)";
        return false;
    }
    text = std::string();  // tinyobjloader reads the scan's lines

    tinyobj::ObjReaderConfig config;
    config.triangulate = false;  // polygons keep their corners
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromString(scan.parserText,
                                ReadMaterialFiles(materialFile, scan.materialFiles, reading.notes),
                                config)) {
        reading.reason = FirstLine(reader.Error());
        return false;
    }
    if (reader.GetAttrib().vertices.size() != 3 * scan.vertices.size()) {
        reading.reason = "the OBJ parser and the line scan disagree on the vertex count";
        return false;
    }
    if (!ReadVertices(reader.GetAttrib(), scan, data, reading.reason) ||
        !ReadFaces(reader, scan, data, reading.reason)) {
        data = SceneFileData{};
        return false;
    }
    TakeLayersFromFaces(scan, data);
    return true;
}

bool ReadObjFile(const std::string& path, SceneFileData& data, ObjReading& reading) {
    data = SceneFileData{};
    reading = ObjReading{};
    std::string why;
    std::optional<std::string> text = ReadPlainFile(path, MaxObjFileBytes, why);
    if (!text) {
        reading.reason = "cannot read the file (" + (why.empty() ? "missing" : why) + ")";
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return ReadObjBytes(
        std::move(*text),
        [&](const std::string& name, std::string& refusal) {
            return ReadPlainFile((folder / name).string(), MaxMaterialFileBytes, refusal);
        },
        data, reading);
}

}  // namespace kvx
