#include "tools/RenderCommand.h"

#include <cstdio>

#include "canvas/Canvas.h"
#include "perspective/PerspectiveRig.h"
#include "perspective/TargaExport.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"

namespace kvx::tools {
namespace {

constexpr const char* RenderUsage =
    "usage: kvxtool render IN.KVX OUT.TGA [--depth 16|24] [--markers]";

struct RenderOptions {
    std::string in, out;
    int depth = 24;
    bool markers = false;
};

bool ParseOptions(const std::vector<std::string>& args, RenderOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--markers") {
            options.markers = true;
        } else if (args[i] == "--depth") {
            if (i + 1 >= args.size()) return false;
            const std::string& d = args[++i];
            if (d != "16" && d != "24") return false;
            options.depth = d == "16" ? 16 : 24;
        } else if (args[i].rfind("--", 0) == 0) {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return false;
    options.in = files[0];
    options.out = files[1];
    return true;
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
    RenderOptions options;
    if (!ParseOptions(args, options)) {
        std::fprintf(stderr, "%s\n", RenderUsage);
        return 2;
    }
    // The program's objects, in the order the editor makes them: the scene root, the scene with
    // its layers, the point light that outlives the view.
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    PointLight point;
    std::string reason;
    if (!LoadSceneFromPath(scene, options.in, true, reason)) {
        std::fprintf(stderr, "%s: %s\n", options.in.c_str(), reason.c_str());
        return 1;
    }
    Canvas canvas;
    PerspectiveRig rig;
    if (!canvas.Create(TargaSide, TargaSide, options.depth) || !rig.Open(root, canvas, point)) {
        std::fprintf(stderr, "kvxtool render: the perspective view could not be set up\n");
        return 1;
    }
    if (options.markers) rig.ShowMarkers();
    if (!rig.Redraw(0, 0, 0)) {
        std::fprintf(stderr, "kvxtool render: the picture could not be rendered\n");
        return 1;
    }
    if (!WriteTarga(canvas.Surface(), options.out)) {
        std::fprintf(stderr, "%s: cannot write the image\n", options.out.c_str());
        return 1;
    }
    std::printf("%s: %dx%d at %d bits, %d faces\n", options.out.c_str(), TargaSide, TargaSide,
                options.depth, scene.faceCount());
    return 0;
}

}  // namespace kvx::tools
