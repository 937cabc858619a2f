#include "interchange/ObjText.h"

#include <cstdio>
#include <optional>

#include "scene/Scene.h"

namespace kvx {
namespace {

obj::ColorBytes FaceColor(const Face& f) {
    // As the scene file stores colours: each component truncated to a byte.
    return {static_cast<std::uint8_t>(f.red), static_cast<std::uint8_t>(f.green),
            static_cast<std::uint8_t>(f.blue)};
}

std::uint32_t ColorKey(const obj::ColorBytes& c) {
    return std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2];
}

// "%.9g": the shortest printf form that reads back as the same 32-bit float, always.
void AppendNumber(std::string& line, double value) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%.9g", value);
    line.append(buf, static_cast<std::size_t>(n));
}

// Blanks in a file name on an "mtllib" line are escaped with a backslash.
std::string EscapedFileName(const std::string& name) {
    std::string escaped;
    for (const char c : name) {
        if (c == ' ' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Writes a "g" line when a record of this layer and hidden flag is not in the group open (or no
// group is open yet); whether it did.
bool EnterGroup(TextSink& out, std::optional<obj::ObjGroups>& open, std::int32_t layer,
                bool hidden) {
    if (open && open->layer == layer && open->hidden == hidden) return false;
    open = obj::ObjGroups{layer, hidden};
    out.Write("g " + obj::GroupNames(layer, hidden) + "\n");
    return true;
}

void WriteVertices(TextSink& out, const Scene& scene) {
    std::string line;
    std::optional<obj::ObjGroups> group;
    for (const Vertex& v : scene.vertices) {
        EnterGroup(out, group, v.layer, v.hidden != 0);
        line = "v ";
        AppendNumber(line, v.x);
        line += ' ';
        AppendNumber(line, v.y);
        line += ' ';
        AppendNumber(line, v.z);
        line += '\n';
        out.Write(line);
    }
}

void WriteFaces(TextSink& out, const Scene& scene) {
    std::string line;
    std::optional<obj::ObjGroups> group;
    std::uint32_t material = 0;
    bool smooth = false;
    for (const Face& f : scene.faces) {
        if (f.vertexCount < 3) continue;
        // A new group repeats the material and smoothing lines, for readers that reset them.
        const bool newGroup = EnterGroup(out, group, f.layer, f.hidden != 0);
        const obj::ColorBytes color = FaceColor(f);
        if (newGroup || ColorKey(color) != material) {
            material = ColorKey(color);
            out.Write("usemtl " + obj::MaterialName(color) + "\n");
        }
        if (newGroup || f.IsSmooth() != smooth) {
            smooth = f.IsSmooth();
            out.Write(smooth ? "s 1\n" : "s off\n");
        }
        line = "f";
        for (std::int32_t k = 0; k < f.vertexCount; ++k)
            line += " " + std::to_string(f.sceneIndices[static_cast<std::size_t>(k)] + 1);
        line += '\n';
        out.Write(line);
    }
}

}  // namespace

ObjColors SceneObjColors(const Scene& scene) {
    ObjColors colors;
    for (const Face& f : scene.faces)
        if (f.vertexCount >= 3) colors.emplace(ColorKey(FaceColor(f)), FaceColor(f));
    return colors;
}

std::string MaterialText(const obj::ColorBytes& color) {
    std::string text = "\nnewmtl " + obj::MaterialName(color) + "\nKd";
    for (const std::uint8_t c : color) {
        text += ' ';
        AppendNumber(text, c / 255.0);
    }
    return text + "\n";
}

void WriteMaterialText(const ObjColors& colors, TextSink& out) {
    out.Write("# Kolvex face colours\n");
    for (const auto& [key, color] : colors)
        out.Write(MaterialText(color));
}

void WriteObjText(const Scene& scene, const std::string& materialFileName, TextSink& out) {
    out.Write("# Kolvex scene: " + std::to_string(scene.vertexCount()) + " vertices, " +
              std::to_string(scene.faceCount()) + " faces\n");
    out.Write("mtllib " + EscapedFileName(materialFileName) + "\n");
    WriteVertices(out, scene);
    WriteFaces(out, scene);
}

}  // namespace kvx
