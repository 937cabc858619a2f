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

// A second name for the earlier material file, to put it back if a later step fails.
class Keepsake {
  public:
    explicit Keepsake(const ReplaceTarget& target) : target_(target.Path()) {
        if (!target.Exists()) return;
        for (int attempt = 0; attempt < 16 && name_.empty(); ++attempt) {
            const std::string name = TemporaryNameBeside(target_);
            if (::link(target_.c_str(), name.c_str()) == 0)
                name_ = name;
            else if (errno != EEXIST)
                break;
        }
    }
    ~Keepsake() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    Keepsake(const Keepsake&) = delete;
    Keepsake& operator=(const Keepsake&) = delete;
    // Puts the earlier file back; without one, removes what was put in its place.
    void Restore(bool existed) {
        if (!name_.empty() && std::rename(name_.c_str(), target_.c_str()) == 0)
            name_.clear();
        else if (!existed)
            ::unlink(target_.c_str());
    }

  private:
    std::string target_;
    std::string name_;
};

bool Commit(TemporaryFile& obj, const ReplaceTarget& objTarget, TemporaryFile& mtl,
            TemporaryFile* merged, const ReplaceTarget& mtlTarget,
            const std::function<void()>& afterEachStep, std::string& reason) {
    const auto step = [&] {
        if (afterEachStep) afterEachStep();
    };
    const FolderCommit locks({FolderOf(objTarget.Path()), FolderOf(mtlTarget.Path())});
    if (!locks.Held(reason) || !objTarget.Unchanged(reason) || !mtlTarget.Unchanged(reason))
        return false;

    Keepsake keepsake(mtlTarget);
    if (!(merged ? merged : &mtl)->RenameOver(mtlTarget, reason)) return false;
    step();
    if (!obj.RenameOver(objTarget, reason)) {
        keepsake.Restore(mtlTarget.Exists());
        return false;
    }
    step();
    // Should this last step fail, the pair on disk is whole: the material file holds more.
    if (merged && mtl.RenameOver(mtlTarget, reason)) step();
    return true;
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
    return Commit(obj, objTarget, mtl, earlier ? &merged : nullptr, mtlTarget, afterEachStep,
                  reason);
}

}  // namespace kvx
