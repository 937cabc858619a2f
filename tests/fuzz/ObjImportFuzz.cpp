// Fuzz target: the OBJ import over any bytes. The input is an OBJ file, then optionally the line
// "@@mtl" and the text every material file it names holds. A file it refuses gives a reason; a
// file it accepts adds to a sound scene (CheckSceneInvariants) that holds what was read, exports
// as OBJ and imports back to the same scene, byte for byte as a scene file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzExpect.h"
#include "interchange/ObjImport.h"
#include "interchange/ObjText.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "scene/SceneInvariants.h"

namespace kvx {
namespace {

void Expect(bool ok, const char* what) {
    fuzz::Expect(ok, "OBJ import", what);
}

constexpr std::string_view MaterialMark = "\n@@mtl\n";

// Imports obj (with material files holding mtl) into scene; false when refused.
bool Import(const std::string& obj, const std::string& mtl, Scene& scene) {
    SceneFileData data;
    ObjReading reading;
    const bool read = ReadObjBytes(
        obj, [&](const std::string&, std::string&) -> std::optional<std::string> { return mtl; },
        data, reading);
    if (!read) {
        Expect(!reading.reason.empty(), "a refusal without a reason");
        Expect(data.vertices.empty() && data.faces.empty(), "a refusal with data");
        return false;
    }
    Expect(data.vertices.size() + data.faces.size() > 0, "an accepted file without geometry");
    for (const auto& f : data.faces) {
        Expect(f.indexCount >= 3 && f.indexCount <= MaxFaceVertices, "a face's corner count");
        for (std::int32_t k = 0; k < f.indexCount; ++k) {
            const std::int32_t v = data.indices[static_cast<std::size_t>(f.firstIndex + k)];
            Expect(v >= 0 && static_cast<std::size_t>(v) < data.vertices.size(), "a corner");
        }
    }
    std::string reason;
    if (!AddSceneFileToScene(scene, data, true, reason)) {
        Expect(!reason.empty(), "a scene that cannot hold it says nothing");
        return false;
    }
    Expect(scene.vertices.size() == data.vertices.size() && scene.faces.size() == data.faces.size(),
           "the scene holds other counts than the file");
    Expect(CheckSceneInvariants(scene).empty(), "an imported scene breaks an invariant");
    return true;
}

}  // namespace
}  // namespace kvx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvx;
    const std::string input(reinterpret_cast<const char*>(bytes), size);
    const std::size_t mark = input.find(MaterialMark);
    const std::string obj = input.substr(0, mark);
    const std::string mtl =
        mark == std::string::npos ? std::string() : input.substr(mark + MaterialMark.size());
    rm::SceneRoot root;
    root.Create();
    Scene first(root);
    if (!Import(obj, mtl, first)) return 0;

    StringSink objText, mtlText;
    WriteObjText(first, "exported.mtl", objText);
    WriteMaterialText(SceneObjColors(first), mtlText);
    Scene second(root);
    Expect(Import(objText.Text(), mtlText.Text(), second), "an exported scene does not import");
    Expect(SceneBytes(second) == SceneBytes(first), "an exported scene imports as another");
    return 0;
}
