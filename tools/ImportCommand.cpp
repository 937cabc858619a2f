#include <cstdio>

#include "interchange/ObjImport.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "tools/Commands.h"

namespace kvx::tools {

int RunImport(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kvxtool import IN.obj OUT.KVX\n");
        return 2;
    }
    // Into an empty scene with layer 0 current: records of no layer group go to layer 0.
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    SceneFileData data;
    std::string reason;
    if (!ReadObjFile(args[0], data, reason) || !AddSceneFileToScene(scene, data, false, reason)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    if (!SaveSceneToPath(scene, args[1], reason)) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(), reason.c_str());
        return 1;
    }
    std::printf("%s: %d vertices, %d faces written (version 2)\n", args[1].c_str(),
                scene.vertexCount(), scene.faceCount());
    return 0;
}

}  // namespace kvx::tools
