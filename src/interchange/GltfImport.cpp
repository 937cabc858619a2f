#include "interchange/GltfImport.h"

#include <tiny_gltf.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string_view>

#include "interchange/AssimpImport.h"
#include "interchange/ModelWelding.h"
#include "interchange/ObjImport.h"
#include "interchange/ObjNames.h"
#include "scene/Face.h"
#include "scene/Limits.h"

namespace kvx {
namespace {

constexpr int MaxNodeDepth = 64;

// Buffers are read from the file's folder only.
struct Folder {
    std::filesystem::path dir;
};

bool Exists(const std::string&, void*) {
    return true;  // the reading itself says why a buffer is missing
}
std::string Expand(const std::string& name, void*) {
    return name;
}
bool ReadBeside(std::vector<unsigned char>* out, std::string* err, const std::string& name,
                void* user) {
    const std::optional<std::string> refusal = OutsideFolderRefusal(name);
    std::string why = refusal.value_or("");
    std::optional<std::string> bytes;
    if (!refusal)
        bytes =
            ReadPlainFile((static_cast<Folder*>(user)->dir / name).string(), MaxObjFileBytes, why);
    if (!bytes) {
        *err = "buffer '" + name + "' not read (" + (why.empty() ? "missing" : why) + ")";
        return false;
    }
    out->assign(bytes->begin(), bytes->end());
    return true;
}
bool NoWrite(std::string*, const std::string&, const std::vector<unsigned char>&, void*) {
    return false;
}
bool NoImage(tinygltf::Image*, const int, std::string*, std::string*, int, int,
             const unsigned char*, int, void*) {
    return true;  // images are not used
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

bool IsGlb(const std::string& bytes) {
    return bytes.compare(0, 4, "glTF") == 0;
}

// Whether another program wrote the file (its asset's generator is not Kolvex), from its JSON
// alone: such a file, buffers and all, is left to the library that reads every format. A file
// whose JSON cannot be read is not: the glTF parser says what is wrong with it.
bool WrittenByAnotherProgram(const std::string& bytes) {
    std::string_view json(bytes);
    if (IsGlb(bytes)) {
        if (bytes.size() < 20) return false;
        std::uint32_t length = 0;
        std::memcpy(&length, bytes.data() + 12, 4);
        json = json.substr(20, length);
    }
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded() || !document.is_object()) return false;
    const auto asset = document.find("asset");
    if (asset == document.end() || !asset->is_object()) return false;
    const auto generator = asset->find("generator");
    return generator == asset->end() || *generator != "Kolvex";
}

bool Load(const std::string& bytes, const std::string& path, tinygltf::Model& model,
          std::string& reason) {
    Folder folder{std::filesystem::path(path).parent_path()};
    tinygltf::TinyGLTF loader;
    loader.SetFsCallbacks({Exists, Expand, ReadBeside, NoWrite, &folder});
    loader.SetImageLoader(NoImage, nullptr);
    std::string error, warning;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned int>(bytes.size());
    const bool loaded =
        IsGlb(bytes) ? loader.LoadBinaryFromMemory(&model, &error, &warning, data, size, "")
                     : loader.LoadASCIIFromString(&model, &error, &warning, bytes.data(), size, "");
    if (!loaded) reason = "not a readable glTF file: " + FirstLine(error.empty() ? warning : error);
    return loaded;
}

// An accessor's values, components per element, as T; every byte it names is checked to lie in
// its buffer.
template <typename T>
bool Values(const tinygltf::Model& m, int index, int components, std::vector<T>& out,
            std::string& reason) {
    const auto bad = [&](const char* what) {
        reason = "accessor " + std::to_string(index) + ": " + what;
        return false;
    };
    if (index < 0 || static_cast<std::size_t>(index) >= m.accessors.size()) return bad("missing");
    const tinygltf::Accessor& a = m.accessors[static_cast<std::size_t>(index)];
    if (a.sparse.isSparse) return bad("sparse accessors are not read");
    if (tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type)) != components)
        return bad("of an unexpected type");
    const int size = tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(a.componentType));
    if (size <= 0) return bad("of an unknown component type");
    if (a.bufferView < 0 || static_cast<std::size_t>(a.bufferView) >= m.bufferViews.size())
        return bad("without its buffer view");
    const tinygltf::BufferView& v = m.bufferViews[static_cast<std::size_t>(a.bufferView)];
    if (v.buffer < 0 || static_cast<std::size_t>(v.buffer) >= m.buffers.size())
        return bad("without its buffer");
    const std::vector<unsigned char>& buffer = m.buffers[static_cast<std::size_t>(v.buffer)].data;
    const std::uint64_t element = std::uint64_t(size) * static_cast<std::uint64_t>(components);
    const std::uint64_t stride = v.byteStride ? v.byteStride : element;
    const std::uint64_t count = a.count;
    if (v.byteOffset + v.byteLength > buffer.size() ||
        (count && a.byteOffset + (count - 1) * stride + element > v.byteLength))
        return bad("reaches beyond its buffer");
    out.resize(count * static_cast<std::uint64_t>(components));
    const unsigned char* base = buffer.data() + v.byteOffset + a.byteOffset;
    for (std::uint64_t e = 0; e < count; ++e)
        for (int c = 0; c < components; ++c) {
            const unsigned char* at = base + e * stride + static_cast<std::uint64_t>(c * size);
            T& value =
                out[e * static_cast<std::uint64_t>(components) + static_cast<std::uint64_t>(c)];
            switch (a.componentType) {
                case TINYGLTF_COMPONENT_TYPE_FLOAT: {
                    float f;
                    std::memcpy(&f, at, 4);
                    value = static_cast<T>(f);
                    break;
                }
                case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
                    value = static_cast<T>(*at);
                    break;
                case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
                    std::uint16_t s;
                    std::memcpy(&s, at, 2);
                    value = static_cast<T>(s);
                    break;
                }
                case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
                    std::uint32_t u;
                    std::memcpy(&u, at, 4);
                    value = static_cast<T>(u);
                    break;
                }
                default:
                    return bad("of a component type that is not read");
            }
        }
    return true;
}

bool Flag(const tinygltf::Value& extras, const char* name) {
    return extras.IsObject() && extras.Has(name) && extras.Get(name).IsBool() &&
           extras.Get(name).Get<bool>();
}

struct Part {
    std::int32_t layer = -1;
    std::int32_t hidden = 0;
};

obj::ColorBytes MaterialColor(const tinygltf::Model& m, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m.materials.size()) return {0, 0, 255};
    const tinygltf::Material& material = m.materials[static_cast<std::size_t>(index)];
    if (const auto bytes = obj::ParseMaterialName(material.name)) return *bytes;
    const std::vector<double>& f = material.pbrMetallicRoughness.baseColorFactor;
    if (f.size() < 3) return {255, 255, 255};
    return {obj::ColorByte(f[0]), obj::ColorByte(f[1]), obj::ColorByte(f[2])};
}

// A Kolvex file back into scene data.
class KolvexReading {
  public:
    KolvexReading(const tinygltf::Model& m, SceneFileData& data, std::string& reason)
        : m_(m), data_(data), reason_(reason), welder_(data) {}

    bool Scene() {
        const int s = m_.defaultScene >= 0 ? m_.defaultScene : 0;
        if (static_cast<std::size_t>(s) >= m_.scenes.size()) {
            reason_ = "no scene in the file";
            return false;
        }
        for (const int node : m_.scenes[static_cast<std::size_t>(s)].nodes)
            if (!Node(node, Part{}, 0)) return false;
        if (data_.vertices.size() > static_cast<std::size_t>(MaxVertices) ||
            data_.faces.size() > static_cast<std::size_t>(MaxFaces)) {
            reason_ =
                "more vertices or faces than a scene holds (" + std::to_string(MaxVertices) + ")";
            return false;
        }
        PutInOrder();
        return true;
    }
    std::uint64_t skipped = 0;

  private:
    bool Node(int index, Part part, int depth) {
        if (index < 0 || static_cast<std::size_t>(index) >= m_.nodes.size() ||
            depth > MaxNodeDepth) {
            reason_ = "the nodes refer to missing ones or nest too deep";
            return false;
        }
        const tinygltf::Node& node = m_.nodes[static_cast<std::size_t>(index)];
        if (node.name.size() == 6 && node.name.compare(0, 5, "layer") == 0 && node.name[5] >= '0' &&
            node.name[5] <= '9')
            part.layer = node.name[5] - '0';
        if (Flag(node.extras, "hidden")) part.hidden = 1;
        if (node.mesh >= 0) {
            if (static_cast<std::size_t>(node.mesh) >= m_.meshes.size()) {
                reason_ = "node " + std::to_string(index) + " refers to a missing mesh";
                return false;
            }
            for (const tinygltf::Primitive& p :
                 m_.meshes[static_cast<std::size_t>(node.mesh)].primitives)
                if (!Primitive(p, part)) return false;
        }
        for (const int child : node.children)
            if (!Node(child, part, depth + 1)) return false;
        return true;
    }

    std::int32_t Vertex(const float* p, double id, Part part, bool point) {
        const bool known = id >= 0 && id < MaxVertices && id == std::floor(id);
        const std::size_t before = data_.vertices.size();
        const std::int32_t slot =
            welder_.At(p[0], p[1], p[2], known ? static_cast<std::int64_t>(id) : -1);
        const bool added = data_.vertices.size() > before;
        if (added) ids_.push_back(known ? static_cast<std::int64_t>(id) : -1);
        // A vertex listed among its part's points takes that part, whatever faces used it
        // before; a vertex only on faces takes the part of the first.
        if (point || added) {
            SceneFileData::VertexRecord& v = data_.vertices[static_cast<std::size_t>(slot)];
            v.layer = part.layer;
            v.hidden = part.hidden;
        }
        return slot;
    }

    bool Primitive(const tinygltf::Primitive& p, Part part) {
        const bool triangles = p.mode == -1 || p.mode == TINYGLTF_MODE_TRIANGLES;
        if (!triangles && p.mode != TINYGLTF_MODE_POINTS) {
            ++skipped;
            return true;
        }
        const auto position = p.attributes.find("POSITION");
        if (position == p.attributes.end()) {
            reason_ = "a primitive without positions";
            return false;
        }
        std::vector<float> xyz;
        std::vector<double> ids;
        if (!Values(m_, position->second, 3, xyz, reason_)) return false;
        const auto idAt = p.attributes.find("_KVX_VERTEX");
        if (idAt != p.attributes.end() && !Values(m_, idAt->second, 1, ids, reason_)) return false;
        const std::size_t count = xyz.size() / 3;
        if (!ids.empty() && ids.size() != count) {
            reason_ = "a primitive's vertex numbers do not match its positions";
            return false;
        }
        for (const float c : xyz)
            if (!std::isfinite(c)) {
                reason_ = "a coordinate is not a finite number";
                return false;
            }
        std::vector<std::int32_t> slots(count);
        for (std::size_t i = 0; i < count; ++i)
            slots[i] = Vertex(&xyz[3 * i], ids.empty() ? -1.0 : ids[i], part, !triangles);
        return triangles ? Triangles(p, part, slots) : true;
    }

    bool Triangles(const tinygltf::Primitive& p, Part part,
                   const std::vector<std::int32_t>& slots) {
        std::vector<std::uint32_t> indices;
        if (p.indices >= 0) {
            if (!Values(m_, p.indices, 1, indices, reason_)) return false;
        } else {
            indices.resize(slots.size());
            std::iota(indices.begin(), indices.end(), 0u);
        }
        if (indices.size() % 3) {
            reason_ = "a list of triangles whose length is not a multiple of 3";
            return false;
        }
        const obj::ColorBytes color = MaterialColor(m_, p.material);
        SceneFileData::FaceRecord face;
        face.red = color[0];
        face.green = color[1];
        face.blue = color[2];
        face.layer = part.layer;
        face.hidden = part.hidden;
        face.renderType = Flag(p.extras, "smooth") ? RenderSmooth : RenderFlat;
        face.indexCount = 3;
        for (std::size_t t = 0; t < indices.size(); t += 3) {
            face.firstIndex = static_cast<std::int32_t>(data_.indices.size());
            for (std::size_t k = 0; k < 3; ++k) {
                if (indices[t + k] >= slots.size()) {
                    reason_ = "a triangle refers to a vertex its primitive does not have";
                    return false;
                }
                data_.indices.push_back(slots[indices[t + k]]);
            }
            data_.faces.push_back(face);
            if (data_.faces.size() > static_cast<std::size_t>(MaxFaces)) {
                reason_ = "more faces than a scene holds (" + std::to_string(MaxFaces) + ")";
                return false;
            }
        }
        return true;
    }

    // The vertices in the order of their numbers, as they were in the scene written.
    void PutInOrder() {
        if (std::find(ids_.begin(), ids_.end(), -1) != ids_.end()) return;
        std::vector<std::int32_t> order(ids_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            return ids_[static_cast<std::size_t>(a)] < ids_[static_cast<std::size_t>(b)];
        });
        std::vector<std::int32_t> newSlot(order.size());
        std::vector<SceneFileData::VertexRecord> vertices(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            newSlot[static_cast<std::size_t>(order[i])] = static_cast<std::int32_t>(i);
            vertices[i] = data_.vertices[static_cast<std::size_t>(order[i])];
        }
        data_.vertices = std::move(vertices);
        for (std::int32_t& i : data_.indices)
            i = newSlot[static_cast<std::size_t>(i)];
    }

    const tinygltf::Model& m_;
    SceneFileData& data_;
    std::string& reason_;
    VertexWelder welder_;
    std::vector<std::int64_t> ids_;  // per vertex: its number in the file, -1 without
};

}  // namespace

bool ReadGltfFile(const std::string& path, SceneFileData& data, std::string& reason,
                  std::string& notes) {
    data = SceneFileData{};
    std::string why;
    const std::optional<std::string> bytes = ReadPlainFile(path, MaxObjFileBytes, why);
    if (!bytes) {
        reason = "cannot read the file (" + (why.empty() ? "missing" : why) + ")";
        return false;
    }
    if (WrittenByAnotherProgram(*bytes)) return ReadWithAssimp(path, data, reason, notes);
    tinygltf::Model model;
    if (!Load(*bytes, path, model, reason)) return false;
    data.version = SceneFileVersion;
    KolvexReading reading(model, data, reason);
    if (!reading.Scene()) {
        data = SceneFileData{};
        return false;
    }
    if (reading.skipped)
        notes += std::to_string(reading.skipped) + " primitives of lines or strips skipped\n";
    if (data.vertices.empty()) {
        reason = "no vertex in the file";
        return false;
    }
    return true;
}

}  // namespace kvx
