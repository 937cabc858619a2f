#include "interchange/ObjImport.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string_view>

#include "interchange/ObjLineScan.h"
#include "interchange/ObjNames.h"
#include "scene/Coordinates.h"
#include "scene/Face.h"
#include "scene/Limits.h"

namespace kvx {
namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

// The material files named in the OBJ file, read from its folder (or where an absolute name
// says), one after the other. Missing ones are skipped: their faces come out blue.
std::string ReadMaterialFiles(const std::string& objPath, const std::vector<std::string>& names) {
    const std::filesystem::path folder = std::filesystem::path(objPath).parent_path();
    std::string text;
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second) continue;
        std::string one;
        if (ReadWholeFile((folder / name).string(), one)) text += one + "\n";
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

// Appends the polygon as faces of at most eight corners, a fan around its corner 0 (ObjImport.h).
void AppendSplit(const std::vector<std::int32_t>& corners, SceneFileData::FaceRecord face,
                 SceneFileData& data) {
    const auto n = static_cast<std::int32_t>(corners.size());
    std::int32_t next = 0;  // the first corner the next face takes after corner 0
    do {
        face.firstIndex = static_cast<std::int32_t>(data.indices.size());
        if (next > 0) data.indices.push_back(corners[0]);
        const std::int32_t end = std::min(n, next + MaxFaceVertices - (next > 0 ? 1 : 0));
        for (std::int32_t k = next; k < end; ++k)
            data.indices.push_back(corners[static_cast<std::size_t>(k)]);
        face.indexCount = static_cast<std::int32_t>(data.indices.size()) - face.firstIndex;
        data.faces.push_back(face);
        next = end - 1;
    } while (next < n - 1);
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

bool ReadObjFile(const std::string& path, SceneFileData& data, std::string& reason) {
    data = SceneFileData{};
    std::string text;
    if (!ReadWholeFile(path, text)) {
        reason = "cannot read the file (missing or not readable)";
        return false;
    }
    obj::ObjLineScan scan;
    if (!obj::ScanObjLines(text, scan, reason)) return false;

    tinyobj::ObjReaderConfig config;
    config.triangulate = false;  // polygons keep their corners
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromString(text, ReadMaterialFiles(path, scan.materialFiles), config)) {
        reason = FirstLine(reader.Error());
        return false;
    }
    if (reader.GetAttrib().vertices.size() != 3 * scan.vertices.size()) {
        reason = "the OBJ parser and the line scan disagree on the vertex count";
        return false;
    }
    if (!ReadVertices(reader.GetAttrib(), scan, data, reason) ||
        !ReadFaces(reader, scan, data, reason)) {
        data = SceneFileData{};
        return false;
    }
    TakeLayersFromFaces(scan, data);
    return true;
}

}  // namespace kvx
