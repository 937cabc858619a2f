#include "interchange/ObjExport.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "interchange/ObjLineScan.h"
#include "interchange/ObjText.h"
#include "interchange/PairCommit.h"
#include "scene/FileReplace.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

class FileSink : public TextSink {
  public:
    explicit FileSink(FileAccess& file) : file_(file) {}
    void Write(std::string_view text) override { file_.WriteBytes(text.data(), text.size()); }

  private:
    FileAccess& file_;
};

// The earlier material file's text, when it can be read whole and is not too large.
std::optional<std::string> EarlierText(ReplaceTarget& target) {
    FileAccess& file = target.Earlier();
    if (!target.Exists() || !file.IsOpen() || file.size > MaxMaterialFileBytes) return std::nullopt;
    std::string text(static_cast<std::size_t>(file.size), '\0');
    if (!text.empty() && !file.ReadBytes(text.data(), text.size(), 0)) return std::nullopt;
    return text;
}

// The earlier material file's text followed by the new materials it does not declare.
std::string MergedMaterials(const std::string& earlier, const ObjColors& colors) {
    std::string text = earlier;
    if (!text.empty() && text.back() != '\n') text += '\n';
    const std::vector<std::string> names = obj::DeclaredMaterialNames(earlier);
    const std::set<std::string> declared(names.begin(), names.end());
    for (const auto& [key, color] : colors)
        if (!declared.contains(obj::MaterialName(color))) text += MaterialText(color);
    return text;
}

bool WriteTemporary(TemporaryFile& file, const ReplaceTarget& target,
                    const std::function<void(TextSink&)>& write, std::string& reason) {
    if (!file.Create(target, reason)) return false;
    FileSink sink(file.File());
    write(sink);
    return file.Finish(reason);
}

}  // namespace

std::string ObjMaterialPath(const std::string& objPath) {
    return std::filesystem::path(objPath).replace_extension(".mtl").string();
}

bool ExportObj(const Scene& scene, const std::string& objPath, std::string& reason,
               const std::function<void()>& afterEachStep) {
    const std::string mtlPath = ObjMaterialPath(objPath);
    ReplaceTarget objTarget;
    ReplaceTarget mtlTarget;
    if (!objTarget.Hold(objPath, reason) || !mtlTarget.Hold(mtlPath, reason)) return false;
    if (objTarget.Path() == mtlTarget.Path()) {
        reason = objPath + " would also be its own material file";
        return false;
    }
    const ObjColors colors = SceneObjColors(scene);
    const std::string mtlName = std::filesystem::path(mtlPath).filename().string();
    TemporaryFile mtl;
    TemporaryFile obj;
    if (!WriteTemporary(
            mtl, mtlTarget, [&](TextSink& s) { WriteMaterialText(colors, s); }, reason) ||
        !WriteTemporary(
            obj, objTarget, [&](TextSink& s) { WriteObjText(scene, mtlName, s); }, reason)) {
        return false;
    }
    TemporaryFile merged;
    const std::optional<std::string> earlier = EarlierText(mtlTarget);
    if (earlier && !WriteTemporary(
                       merged, mtlTarget,
                       [&](TextSink& s) { s.Write(MergedMaterials(*earlier, colors)); }, reason)) {
        return false;
    }
    // With an earlier material file, its merged text goes first; the new materials alone follow
    // once the OBJ file is in place. Should that last step fail, the pair on disk is whole: the
    // material file holds more.
    return CommitPair(obj, objTarget, earlier ? merged : mtl, mtlTarget, afterEachStep, reason,
                      earlier ? &mtl : nullptr);
}

}  // namespace kvx
