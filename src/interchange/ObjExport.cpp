#include "interchange/ObjExport.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

#include "interchange/ObjNames.h"
#include "scene/FileAccess.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

// A text file written through FileAccess into a temporary name beside its target.
class TemporaryText {
  public:
    explicit TemporaryText(std::string target)
        : target_(std::move(target)), temporary_(target_ + ObjTemporarySuffix) {}
    ~TemporaryText() {
        if (!committed_) {
            file_.Close();
            ::unlink(temporary_.c_str());
        }
    }
    TemporaryText(const TemporaryText&) = delete;
    TemporaryText& operator=(const TemporaryText&) = delete;

    bool Open(std::string& reason) {
        if (file_.OpenForWrite(temporary_)) return true;
        reason = "cannot create " + temporary_;
        return false;
    }
    void Write(std::string_view text) { file_.WriteBytes(text.data(), text.size()); }
    // Stores what was written and closes the file; the target is not touched yet.
    bool Finish(std::string& reason) {
        const bool written = file_.Flush(true);
        if (!file_.Close() || !written) {
            reason = "cannot write " + temporary_;
            return false;
        }
        return true;
    }
    bool Commit(std::string& reason) {
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
            reason = "cannot replace " + target_;
            return false;
        }
        committed_ = true;
        return true;
    }

  private:
    std::string target_;
    std::string temporary_;
    FileAccess file_;
    bool committed_ = false;
};

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

void WriteMaterials(TemporaryText& mtl, const std::map<std::uint32_t, obj::ColorBytes>& colors) {
    mtl.Write("# Kolvex face colours\n");
    std::string text;
    for (const auto& [key, color] : colors) {
        text = "\nnewmtl " + obj::MaterialName(color) + "\nKd";
        for (const std::uint8_t c : color) {
            text += ' ';
            AppendNumber(text, c / 255.0);
        }
        text += "\n";
        mtl.Write(text);
    }
}

// Writes a "g" line when a record of this layer and hidden flag is not in the group open (or no
// group is open yet); whether it did.
bool EnterGroup(TemporaryText& out, std::optional<obj::ObjGroups>& open, std::int32_t layer,
                bool hidden) {
    if (open && open->layer == layer && open->hidden == hidden) return false;
    open = obj::ObjGroups{layer, hidden};
    out.Write("g " + obj::GroupNames(layer, hidden) + "\n");
    return true;
}

void WriteVertices(TemporaryText& out, const Scene& scene) {
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

void WriteFaces(TemporaryText& out, const Scene& scene) {
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

std::string ObjMaterialPath(const std::string& objPath) {
    return std::filesystem::path(objPath).replace_extension(".mtl").string();
}

bool ExportObj(const Scene& scene, const std::string& objPath, std::string& reason) {
    const std::string mtlPath = ObjMaterialPath(objPath);
    if (mtlPath == objPath) {
        reason = objPath + " would also be its own material file";
        return false;
    }
    std::map<std::uint32_t, obj::ColorBytes> colors;
    for (const Face& f : scene.faces)
        if (f.vertexCount >= 3) colors.emplace(ColorKey(FaceColor(f)), FaceColor(f));

    TemporaryText mtl(mtlPath);
    TemporaryText out(objPath);
    if (!mtl.Open(reason) || !out.Open(reason)) return false;
    WriteMaterials(mtl, colors);
    out.Write("# Kolvex scene: " + std::to_string(scene.vertexCount()) + " vertices, " +
              std::to_string(scene.faceCount()) + " faces\n");
    out.Write("mtllib " + EscapedFileName(std::filesystem::path(mtlPath).filename().string()) +
              "\n");
    WriteVertices(out, scene);
    WriteFaces(out, scene);
    return mtl.Finish(reason) && out.Finish(reason) && mtl.Commit(reason) && out.Commit(reason);
}

}  // namespace kvx
