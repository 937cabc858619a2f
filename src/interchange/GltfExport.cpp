#include "interchange/GltfExport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <unordered_map>

#include "interchange/PairCommit.h"
#include "scene/FileReplace.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

using Vec = std::array<float, 3>;

struct Primitive {
    int material = -1;  // -1: points
    bool smooth = false;
    std::vector<Vec> positions;
    std::vector<Vec> normals;
    std::vector<float> numbers;  // each vertex's number in the scene
    std::vector<std::uint32_t> indices;
    std::unordered_map<std::int32_t, std::uint32_t> shared;  // scene vertex -> smooth vertex
};

// The shown or the hidden part of one layer.
struct Part {
    std::map<std::pair<int, bool>, Primitive> faces;  // by material and smoothness
    Primitive points;
    bool Empty() const { return faces.empty() && points.positions.empty(); }
};

std::uint32_t ColorKey(const Face& f) {
    // As the scene file stores colours: each component truncated to a byte.
    return std::uint32_t{static_cast<std::uint8_t>(f.red)} << 16 |
           std::uint32_t{static_cast<std::uint8_t>(f.green)} << 8 |
           static_cast<std::uint8_t>(f.blue);
}

// A unit normal the validator accepts: a degenerate face's zero normal becomes +y.
Vec UnitOrUp(double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0)) return {0, 1, 0};
    return {static_cast<float>(x / length) + 0.0f, static_cast<float>(y / length) + 0.0f,
            static_cast<float>(z / length) + 0.0f};
}

Vec SlotNormal(const Scene& scene, const Face& f, std::int32_t k) {
    if (const std::int32_t slot = f.SlotNormalIndex(k); slot >= 0) {
        const rm::Vec3f n = f.Builder()->Normals()[static_cast<std::size_t>(slot)];
        return UnitOrUp(n.x, n.y, n.z);
    }
    const rm::Vec3 n = f.Normal(scene.vertices);
    return UnitOrUp(n.x, n.y, n.z);
}

void AddFace(const Scene& scene, const Face& f, Primitive& p) {
    const rm::Vec3 faceNormal = f.Normal(scene.vertices);
    std::vector<std::uint32_t> corners;
    for (std::int32_t k = 0; k < f.vertexCount; ++k) {
        const std::int32_t i = f.sceneIndices[static_cast<std::size_t>(k)];
        const Vertex& v = scene.vertices[static_cast<std::size_t>(i)];
        if (p.smooth) {
            const auto [at, added] = p.shared.try_emplace(i, p.positions.size());
            if (added) {
                p.positions.push_back({v.x, v.y, v.z});
                p.normals.push_back(SlotNormal(scene, f, k));
                p.numbers.push_back(static_cast<float>(i));
            }
            corners.push_back(at->second);
        } else {
            corners.push_back(static_cast<std::uint32_t>(p.positions.size()));
            p.positions.push_back({v.x, v.y, v.z});
            p.normals.push_back(UnitOrUp(faceNormal.x, faceNormal.y, faceNormal.z));
            p.numbers.push_back(static_cast<float>(i));
        }
    }
    for (std::size_t k = 1; k + 1 < corners.size(); ++k)
        p.indices.insert(p.indices.end(), {corners[0], corners[k], corners[k + 1]});
}

struct Layout {
    std::map<std::uint32_t, int> materials;             // colour key -> material index
    std::array<std::array<Part, 2>, LayerCount> parts;  // [layer][hidden]
};

Layout Collect(const Scene& scene) {
    Layout layout;
    for (const Face& f : scene.faces)
        if (f.vertexCount >= 3) layout.materials.emplace(ColorKey(f), 0);
    int next = 0;
    for (auto& [key, index] : layout.materials)
        index = next++;
    // A vertex is listed among its own part's points unless every face using it is of that
    // part: so each vertex's layer and hidden flag come back.
    std::vector<std::uint8_t> onFaces(scene.vertices.size(), 0),
        elsewhere(scene.vertices.size(), 0);
    for (const Face& f : scene.faces) {
        if (f.vertexCount < 3 || f.layer < 0 || f.layer >= LayerCount) continue;
        for (std::int32_t k = 0; k < f.vertexCount; ++k) {
            const auto i = static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)]);
            onFaces[i] = 1;
            const Vertex& v = scene.vertices[i];
            if (v.layer != f.layer || (v.hidden != 0) != (f.hidden != 0)) elsewhere[i] = 1;
        }
        Part& part = layout.parts[static_cast<std::size_t>(f.layer)][f.hidden ? 1 : 0];
        const int material = layout.materials.at(ColorKey(f));
        Primitive& p = part.faces[{material, f.IsSmooth()}];
        p.material = material;
        p.smooth = f.IsSmooth();
        AddFace(scene, f, p);
    }
    for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
        const Vertex& v = scene.vertices[i];
        if ((onFaces[i] && !elsewhere[i]) || v.layer < 0 || v.layer >= LayerCount) continue;
        Primitive& points =
            layout.parts[static_cast<std::size_t>(v.layer)][v.hidden ? 1 : 0].points;
        points.positions.push_back({v.x, v.y, v.z});
        points.numbers.push_back(static_cast<float>(i));
    }
    return layout;
}

std::string Number(double value) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%.9g", value);
    return std::string(buf, static_cast<std::size_t>(n));
}

// Builds the buffer, its views and accessors as the primitives are written.
class Writer {
  public:
    std::string accessors, views, meshes, nodes, sceneNodes;
    std::vector<std::uint8_t> buffer;
    int accessorCount = 0, viewCount = 0, meshCount = 0, nodeCount = 0;

    int Vectors(const std::vector<Vec>& values, bool withBounds) {
        const int view = View(values.data(), values.size() * sizeof(Vec), 34962);
        std::string bounds;
        if (withBounds) {
            Vec lo = values[0], hi = values[0];
            for (const Vec& v : values)
                for (int c = 0; c < 3; ++c) {
                    lo[c] = std::min(lo[c], v[c]);
                    hi[c] = std::max(hi[c], v[c]);
                }
            bounds = ",\"min\":[" + Number(lo[0]) + "," + Number(lo[1]) + "," + Number(lo[2]) +
                     "],\"max\":[" + Number(hi[0]) + "," + Number(hi[1]) + "," + Number(hi[2]) +
                     "]";
        }
        return Accessor(view, 5126, values.size(), "VEC3", bounds);
    }
    int Scalars(const std::vector<float>& values) {
        const int view = View(values.data(), values.size() * 4, 34962);
        return Accessor(view, 5126, values.size(), "SCALAR", "");
    }
    int Indices(const std::vector<std::uint32_t>& values) {
        const int view = View(values.data(), values.size() * 4, 34963);
        return Accessor(view, 5125, values.size(), "SCALAR", "");
    }
    std::string PrimitiveText(const Primitive& p) {
        const int positions = Vectors(p.positions, true);
        const int numbers = Scalars(p.numbers);
        std::string text = "{\"attributes\":{\"POSITION\":" + std::to_string(positions) +
                           ",\"_KVX_VERTEX\":" + std::to_string(numbers);
        if (p.material < 0) return text + "},\"mode\":0}";
        text += ",\"NORMAL\":" + std::to_string(Vectors(p.normals, false)) + "}";
        text += ",\"indices\":" + std::to_string(Indices(p.indices));
        text += ",\"material\":" + std::to_string(p.material);
        if (p.smooth) text += ",\"extras\":{\"smooth\":true}";
        return text + "}";
    }
    // A mesh of the part's primitives; its index.
    int Mesh(const Part& part, const std::string& name) {
        std::string text = "{\"name\":\"" + name + "\",\"primitives\":[";
        bool first = true;
        for (const auto& [key, p] : part.faces) {
            text += (first ? "" : ",") + PrimitiveText(p);
            first = false;
        }
        if (!part.points.positions.empty()) text += (first ? "" : ",") + PrimitiveText(part.points);
        Append(meshes, text + "]}");
        return meshCount++;
    }
    int Node(const std::string& fields) {
        Append(nodes, "{" + fields + "}");
        return nodeCount++;
    }

  private:
    static void Append(std::string& list, const std::string& item) {
        if (!list.empty()) list += ',';
        list += item;
    }
    int View(const void* data, std::size_t bytes, int target) {
        const std::size_t offset = buffer.size();
        const auto* b = static_cast<const std::uint8_t*>(data);
        buffer.insert(buffer.end(), b, b + bytes);
        Append(views, "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) +
                          ",\"byteLength\":" + std::to_string(bytes) +
                          ",\"target\":" + std::to_string(target) + "}");
        return viewCount++;
    }
    int Accessor(int view, int type, std::size_t count, const char* kind,
                 const std::string& bounds) {
        Append(accessors, "{\"bufferView\":" + std::to_string(view) + ",\"componentType\":" +
                              std::to_string(type) + ",\"count\":" + std::to_string(count) +
                              ",\"type\":\"" + kind + "\"" + bounds + "}");
        return accessorCount++;
    }
};

std::string MaterialsText(const Layout& layout) {
    std::string text;
    for (const auto& [key, index] : layout.materials) {
        const int r = static_cast<int>(key >> 16), g = static_cast<int>(key >> 8 & 255),
                  b = static_cast<int>(key & 255);
        if (!text.empty()) text += ',';
        text += "{\"name\":\"kvx_" + std::to_string(r) + "_" + std::to_string(g) + "_" +
                std::to_string(b) + "\",\"pbrMetallicRoughness\":{\"baseColorFactor\":[" +
                Number(r / 255.0) + "," + Number(g / 255.0) + "," + Number(b / 255.0) +
                ",1],\"metallicFactor\":0}}";
    }
    return text;
}

// The URI of a file name beside the .gltf: bytes outside the unreserved set percent-encoded.
std::string UriOf(const std::string& name) {
    std::string uri;
    for (const unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            uri += buf;
        }
    }
    return uri;
}

bool WriteTemporary(TemporaryFile& file, const ReplaceTarget& target, const void* bytes,
                    std::size_t size, std::string& reason) {
    if (!file.Create(target, reason)) return false;
    file.File().WriteBytes(bytes, size);
    return file.Finish(reason);
}

}  // namespace

GltfDocument BuildGltf(const Scene& scene, const std::string& bufferUri) {
    const Layout layout = Collect(scene);
    Writer w;
    for (int layer = 0; layer < LayerCount; ++layer) {
        const auto& [shown, hidden] = layout.parts[static_cast<std::size_t>(layer)];
        if (shown.Empty() && hidden.Empty()) continue;
        const std::string name = "layer" + std::to_string(layer);
        std::string fields = "\"name\":\"" + name + "\"";
        if (!shown.Empty()) fields += ",\"mesh\":" + std::to_string(w.Mesh(shown, name));
        if (!hidden.Empty()) {
            const int mesh = w.Mesh(hidden, name + " hidden");
            const int child = w.Node("\"name\":\"hidden\",\"mesh\":" + std::to_string(mesh) +
                                     ",\"extras\":{\"hidden\":true}");
            fields += ",\"children\":[" + std::to_string(child) + "]";
        }
        const int node = w.Node(fields);
        w.sceneNodes += (w.sceneNodes.empty() ? "" : ",") + std::to_string(node);
    }
    GltfDocument doc;
    std::string& j = doc.json;
    j = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Kolvex\"},\"scene\":0,\"scenes\":[{"
        "\"nodes\":[" +
        w.sceneNodes + "]}]";
    if (w.nodeCount) j += ",\"nodes\":[" + w.nodes + "]";
    if (w.meshCount) j += ",\"meshes\":[" + w.meshes + "]";
    if (!layout.materials.empty()) j += ",\"materials\":[" + MaterialsText(layout) + "]";
    if (!w.buffer.empty()) {
        j += ",\"accessors\":[" + w.accessors + "],\"bufferViews\":[" + w.views + "]";
        j += ",\"buffers\":[{\"byteLength\":" + std::to_string(w.buffer.size());
        if (!bufferUri.empty()) j += ",\"uri\":\"" + bufferUri + "\"";
        j += "}]";
    }
    j += "}";
    doc.buffer = std::move(w.buffer);
    return doc;
}

std::vector<std::uint8_t> GlbBytes(const GltfDocument& document) {
    std::string json = document.json;
    while (json.size() % 4)
        json += ' ';
    std::vector<std::uint8_t> bin = document.buffer;
    while (bin.size() % 4)
        bin.push_back(0);
    std::vector<std::uint8_t> out;
    const auto u32 = [&](std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    };
    const std::size_t total = 12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size());
    out.insert(out.end(), {'g', 'l', 'T', 'F'});
    u32(2);
    u32(static_cast<std::uint32_t>(total));
    u32(static_cast<std::uint32_t>(json.size()));
    u32(0x4E4F534Au);  // "JSON"
    out.insert(out.end(), json.begin(), json.end());
    if (!bin.empty()) {
        u32(static_cast<std::uint32_t>(bin.size()));
        u32(0x004E4942u);  // "BIN\0"
        out.insert(out.end(), bin.begin(), bin.end());
    }
    return out;
}

std::string GltfBufferPath(const std::string& gltfPath) {
    return std::filesystem::path(gltfPath).replace_extension(".bin").string();
}

bool ExportGltf(const Scene& scene, const std::string& path, std::string& reason) {
    const std::string binPath = GltfBufferPath(path);
    const GltfDocument doc =
        BuildGltf(scene, UriOf(std::filesystem::path(binPath).filename().string()));
    if (doc.buffer.empty()) return ReplaceFileBytes(path, doc.json.data(), doc.json.size(), reason);
    ReplaceTarget gltfTarget, binTarget;
    if (!gltfTarget.Hold(path, reason) || !binTarget.Hold(binPath, reason)) return false;
    if (gltfTarget.Path() == binTarget.Path()) {
        reason = path + " would also be its own buffer file";
        return false;
    }
    TemporaryFile gltf, bin;
    return WriteTemporary(bin, binTarget, doc.buffer.data(), doc.buffer.size(), reason) &&
           WriteTemporary(gltf, gltfTarget, doc.json.data(), doc.json.size(), reason) &&
           CommitPair(gltf, gltfTarget, bin, binTarget, {}, reason);
}

bool ExportGlb(const Scene& scene, const std::string& path, std::string& reason) {
    const std::vector<std::uint8_t> glb = GlbBytes(BuildGltf(scene, ""));
    return ReplaceFileBytes(path, glb.data(), glb.size(), reason);
}

}  // namespace kvx
