// The commands that read a file into a scene and write it in another form: convert (KVX to KVX
// version 2), export (KVX to a model format, chosen by the extension) and import (a model file, in
// the format its signature or extension names, to KVX).

#include <cstdio>
#include <functional>

#include "interchange/FormatRegistry.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "tools/Commands.h"

namespace kvx::tools {
namespace {

using Reader = std::function<bool(Scene&, const std::string&, std::string&)>;
using Writer = std::function<bool(const Scene&, const std::string&, std::string&)>;

// Reads args[0] into an empty scene with layer 0 current (as "Ouvrir..." does) and writes it to
// args[1]; a fault prints the file and its precise reason and gives 1, a wrong use 2.
int ReadThenWrite(const std::vector<std::string>& args, const char* usage, const Reader& read,
                  const Writer& write, const std::string& written) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    std::string reason;
    if (!read(scene, args[0], reason)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    if (!write(scene, args[1], reason)) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(), reason.c_str());
        return 1;
    }
    std::printf("%s: %d vertices, %d faces written (%s)\n", args[1].c_str(), scene.vertexCount(),
                scene.faceCount(), written.c_str());
    return 0;
}

bool ReadScene(Scene& scene, const std::string& path, std::string& reason) {
    return LoadSceneFromPath(scene, path, true, reason);
}

}  // namespace

int RunConvert(const std::vector<std::string>& args) {
    return ReadThenWrite(args, "kvxtool convert IN.KVX OUT.KVX", ReadScene, SaveSceneToPath,
                         "version 2");
}

int RunExport(const std::vector<std::string>& given) {
    ExportOptions options;
    std::vector<std::string> args;
    for (const std::string& a : given) {
        if (a == "--ascii")
            options.text = true;
        else
            args.push_back(a);
    }
    // The format is checked before the scene is read: a refused one writes nothing.
    std::string summary;
    if (args.size() == 2) {
        std::string reason;
        const ExportFormat* format = ExportFormatFor(args[1], reason);
        if (!format) {
            std::fprintf(stderr, "%s: %s\n", args[1].c_str(), reason.c_str());
            return 1;
        }
        if (options.text && std::string(format->name) != "STL") {
            std::fprintf(stderr, "%s: --ascii is for STL only (%s is written one way)\n",
                         args[1].c_str(), format->name);
            return 1;
        }
        summary = format->summary(args[1], options);
    }
    const Writer write = [&](const Scene& scene, const std::string& path, std::string& reason) {
        return ExportByExtension(scene, path, options, reason);
    };
    return ReadThenWrite(args, "kvxtool export IN.KVX OUT.obj|.stl|.ply|.gltf|.glb [--ascii]",
                         ReadScene, write, summary);
}

int RunImport(const std::vector<std::string>& args) {
    // Records of no layer group go to layer 0, the current one.
    const Reader read = [](Scene& scene, const std::string& path, std::string& reason) {
        SceneFileData data;
        std::string notes;
        const bool read = ImportByFormat(path, data, reason, notes);
        if (!notes.empty()) std::fprintf(stderr, "%s: %s", path.c_str(), notes.c_str());
        return read && AddSceneFileToScene(scene, data, false, reason);
    };
    return ReadThenWrite(args, "kvxtool import IN.MODEL OUT.KVX", read, SaveSceneToPath,
                         "version 2");
}

}  // namespace kvx::tools
