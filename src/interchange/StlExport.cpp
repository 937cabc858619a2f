#include "interchange/StlExport.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "scene/FileReplace.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

using Point = std::array<float, 3>;

Point At(const Scene& scene, const Face& f, std::int32_t k) {
    const Vertex& v =
        scene.vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
    return {v.x, v.y, v.z};
}

Point NormalOf(const Scene& scene, const Face& f) {
    const rm::Vec3 n = f.Normal(scene.vertices);
    // Adding zero turns a negative zero of the cross product into a plain zero.
    return {static_cast<float>(n.x) + 0.0f, static_cast<float>(n.y) + 0.0f,
            static_cast<float>(n.z) + 0.0f};
}

// Calls triangle(normal, a, b, c) for each triangle of each face's fan, in face order.
template <typename Triangle>
void ForEachTriangle(const Scene& scene, const Triangle& triangle) {
    for (const Face& f : scene.faces) {
        if (f.vertexCount < 3) continue;
        const Point normal = NormalOf(scene, f);
        const Point first = At(scene, f, 0);
        for (std::int32_t k = 1; k + 1 < f.vertexCount; ++k)
            triangle(normal, first, At(scene, f, k), At(scene, f, k + 1));
    }
}

void WritePoint(FileAccess& file, const Point& p) {
    file.WriteBytes(p.data(), sizeof(float) * 3);
}

void WriteBinary(const Scene& scene, FileAccess& file) {
    std::array<char, 80> header{};
    std::memcpy(header.data(), StlHeaderText, sizeof StlHeaderText - 1);
    file.WriteBytes(header.data(), header.size());
    file.WriteI32(static_cast<std::int32_t>(static_cast<std::uint32_t>(StlTriangleCount(scene))));
    const std::uint16_t attribute = 0;
    ForEachTriangle(scene, [&](const Point& n, const Point& a, const Point& b, const Point& c) {
        WritePoint(file, n);
        WritePoint(file, a);
        WritePoint(file, b);
        WritePoint(file, c);
        file.WriteBytes(&attribute, sizeof attribute);
    });
}

void WriteLine(FileAccess& file, const char* lead, const Point& p) {
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, "%s %.9g %.9g %.9g\n", lead, p[0], p[1], p[2]);
    file.WriteBytes(buf, static_cast<std::size_t>(n));
}

void WriteText(const Scene& scene, FileAccess& file) {
    const auto put = [&](const char* text) { file.WriteBytes(text, std::strlen(text)); };
    put("solid kolvex\n");
    ForEachTriangle(scene, [&](const Point& n, const Point& a, const Point& b, const Point& c) {
        WriteLine(file, "facet normal", n);
        put("outer loop\n");
        WriteLine(file, "vertex", a);
        WriteLine(file, "vertex", b);
        WriteLine(file, "vertex", c);
        put("endloop\nendfacet\n");
    });
    put("endsolid kolvex\n");
}

}  // namespace

std::uint64_t StlTriangleCount(const Scene& scene) {
    std::uint64_t count = 0;
    for (const Face& f : scene.faces)
        if (f.vertexCount >= 3) count += static_cast<std::uint64_t>(f.vertexCount - 2);
    return count;
}

bool ExportStl(const Scene& scene, const std::string& path, bool text, std::string& reason) {
    // A binary count is 32 bits: more than a scene can hold (4194304 faces of six triangles).
    return ReplaceFile(
        path,
        [&](FileAccess& file) {
            if (text)
                WriteText(scene, file);
            else
                WriteBinary(scene, file);
            return true;
        },
        reason);
}

}  // namespace kvx
