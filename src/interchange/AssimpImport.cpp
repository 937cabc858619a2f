#include "interchange/AssimpImport.h"

#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "interchange/FaceSplit.h"
#include "interchange/ModelWelding.h"
#include "interchange/ObjNames.h"
#include "scene/Limits.h"

namespace kvx {
namespace {

using Color = obj::ColorBytes;
constexpr Color NewFaceColor = {0, 0, 255};

Color MaterialColor(const aiMaterial* m) {
    if (!m) return NewFaceColor;
    aiString name;
    if (m->Get(AI_MATKEY_NAME, name) == AI_SUCCESS) {
        if (const auto bytes = obj::ParseMaterialName(name.C_Str())) return *bytes;
        if (std::string(name.C_Str()) == AI_DEFAULT_MATERIAL_NAME) return NewFaceColor;
    }
    aiColor4D c;
    if (m->Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS ||
        m->Get(AI_MATKEY_BASE_COLOR, c) == AI_SUCCESS)
        return {obj::ColorByte(c.r), obj::ColorByte(c.g), obj::ColorByte(c.b)};
    return NewFaceColor;
}

Color MeanColor(const aiMesh& mesh, const aiFace& face) {
    double sum[3] = {0, 0, 0};
    for (unsigned k = 0; k < face.mNumIndices; ++k) {
        const aiColor4D& c = mesh.mColors[0][face.mIndices[k]];
        sum[0] += c.r;
        sum[1] += c.g;
        sum[2] += c.b;
    }
    const double n = face.mNumIndices;
    return {obj::ColorByte(sum[0] / n), obj::ColorByte(sum[1] / n), obj::ColorByte(sum[2] / n)};
}

struct Conversion {
    SceneFileData& data;
    std::string& reason;
    VertexWelder welder{data};
    std::uint64_t points = 0, lines = 0;

    bool Corner(const aiMesh& mesh, unsigned index, std::vector<std::int32_t>& slot,
                std::int32_t& out) {
        if (index >= mesh.mNumVertices) {
            reason = "a face refers to a vertex the mesh does not have";
            return false;
        }
        if (slot[index] < 0) {
            const aiVector3D& p = mesh.mVertices[index];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                reason = "a coordinate lies beyond the range of a 32-bit float";
                return false;
            }
            slot[index] = welder.At(p.x, p.y, p.z);
            if (data.vertices.size() > static_cast<std::size_t>(MaxVertices)) {
                reason = "more vertices than a scene holds (" + std::to_string(MaxVertices) + ")";
                return false;
            }
        }
        out = slot[index];
        return true;
    }

    bool Mesh(const aiScene& scene, const aiMesh& mesh) {
        const Color materialColor = mesh.mMaterialIndex < scene.mNumMaterials
                                        ? MaterialColor(scene.mMaterials[mesh.mMaterialIndex])
                                        : NewFaceColor;
        std::vector<std::int32_t> slot(mesh.mNumVertices, -1);
        std::vector<std::int32_t> corners;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices < 3) {
                (face.mNumIndices == 2 ? lines : points) += 1;
                continue;
            }
            corners.resize(face.mNumIndices);
            for (unsigned k = 0; k < face.mNumIndices; ++k)
                if (!Corner(mesh, face.mIndices[k], slot, corners[k])) return false;
            const Color c = mesh.HasVertexColors(0) ? MeanColor(mesh, face) : materialColor;
            if (!AppendModelPolygon(corners, c, data, reason)) return false;
        }
        return true;
    }
};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

bool ReadWithAssimp(const std::string& path, SceneFileData& data, std::string& reason,
                    std::string& notes) {
    data = SceneFileData{};
    data.version = SceneFileVersion;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        reason = "cannot read the file (not a plain file)";
        return false;
    }
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path, aiProcess_PreTransformVertices | aiProcess_ValidateDataStructure);
    if (!scene) {
        reason = "cannot be read: " + FirstLine(importer.GetErrorString());
        return false;
    }
    Conversion conversion{data, reason};
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        if (scene->mMeshes[m] && !conversion.Mesh(*scene, *scene->mMeshes[m])) {
            data = SceneFileData{};
            return false;
        }
    if (conversion.points || conversion.lines)
        notes += std::to_string(conversion.points) + " points and " +
                 std::to_string(conversion.lines) + " lines skipped\n";
    if (data.faces.empty()) {
        reason = "no face in the file";
        if (!notes.empty()) reason += " (" + FirstLine(notes) + ")";
        data = SceneFileData{};
        return false;
    }
    return true;
}

std::vector<std::string> AssimpExtensions() {
    std::string list;
    Assimp::Importer().GetExtensionList(list);  // "*.3ds;*.obj;..."
    std::vector<std::string> extensions;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ';'))
        if (item.size() > 2 && item.compare(0, 2, "*.") == 0) extensions.push_back(item.substr(1));
    return extensions;
}

}  // namespace kvx
