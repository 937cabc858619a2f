#include <cstdio>

#include "interchange/ObjExport.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "tools/Commands.h"

namespace kvx::tools {

int RunExport(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kvxtool export IN.KVX OUT.obj\n");
        return 2;
    }
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    std::string reason;
    if (!LoadSceneFromPath(scene, args[0], true, reason)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    if (!ExportObj(scene, args[1], reason)) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(), reason.c_str());
        return 1;
    }
    std::printf("%s: %d vertices, %d faces written (materials in %s)\n", args[1].c_str(),
                scene.vertexCount(), scene.faceCount(), ObjMaterialPath(args[1]).c_str());
    return 0;
}

}  // namespace kvx::tools
