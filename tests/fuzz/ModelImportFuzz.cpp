// Fuzz target: what the model import runs in the editor's own process over any bytes. The first
// byte chooses: 'P' the PLY reader over the rest, anything else the check of a reader's answer
// from its child process (IsolatedRead.h). Whatever is refused gives a reason and no data; what
// is accepted holds together, adds to a sound scene (CheckSceneInvariants) and, as an answer,
// written as the child's bytes again, reads back the same.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "FuzzExpect.h"
#include "interchange/IsolatedRead.h"
#include "interchange/PlyImport.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "scene/SceneInvariants.h"

namespace kvx {
namespace {

void Expect(bool ok, const char* what) {
    fuzz::Expect(ok, "model import", what);
}

void Accepted(const SceneFileData& data) {
    std::string reason;
    Expect(CheckSceneFileData(data, reason), "accepted data that does not hold together");
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    if (!AddSceneFileToScene(scene, data, true, reason)) {
        Expect(!reason.empty(), "a scene that cannot hold it says nothing");
        return;
    }
    Expect(scene.vertices.size() == data.vertices.size() && scene.faces.size() == data.faces.size(),
           "the scene holds other counts than the data");
    Expect(CheckSceneInvariants(scene).empty(), "an imported scene breaks an invariant");
}

}  // namespace
}  // namespace kvx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvx;
    if (size == 0) return 0;
    const std::span<const std::uint8_t> rest(bytes + 1, size - 1);
    SceneFileData data;
    std::string reason, notes;
    bool read = false;
    if (bytes[0] == 'P') {
        read =
            ReadPlyBytes(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()),
                         data, reason, notes);
    } else {
        read = ParseReadingBytes(rest, data, reason, notes);
        if (read) {
            // Written again (an accepted answer's reason is not kept), it reads back the same.
            const auto again = ReadingBytes(true, "", notes, data);
            SceneFileData second;
            std::string secondNotes;
            Expect(ParseReadingBytes(again, second, reason, secondNotes) &&
                       ReadingBytes(true, "", secondNotes, second) == again,
                   "an accepted answer reads back otherwise");
        }
    }
    if (!read) {
        Expect(!reason.empty(), "a refusal without a reason");
        Expect(data.vertices.empty() && data.faces.empty(), "a refusal with data");
        return 0;
    }
    Accepted(data);
    return 0;
}
