// kvxtool: Kolvex scene files from the command line.
//   kvxtool info FILE                 what a scene file holds, or why it is bad (exit status 1)
//   kvxtool convert IN.KVX OUT.KVX    loads a scene (version 1 or 2) and saves it as version 2
//   kvxtool export IN.KVX OUT.obj     writes a scene as OBJ, its materials in a .mtl beside it, or
//                                     as .stl (binary; text with --ascii), .ply, .gltf (with
//                                     its .bin) or .glb
//   kvxtool import IN.MODEL OUT.KVX   reads a model file (OBJ, glTF, PLY, STL, ...) into a scene
//   file kvxtool --help                    the usage

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/Commands.h"
#include "tools/RenderCommand.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

const Command commands[] = {
    {"info", "kvxtool info FILE.KVX", kvx::tools::RunInfo},
    {"convert", "kvxtool convert IN.KVX OUT.KVX", kvx::tools::RunConvert},
    {"export", "kvxtool export IN.KVX OUT.obj|.stl|.ply|.gltf|.glb [--ascii]",
     kvx::tools::RunExport},
    {"import", "kvxtool import IN.MODEL OUT.KVX", kvx::tools::RunImport},
    {"render", "kvxtool render IN.KVX OUT.TGA [--depth 16|24] [--markers]", kvx::tools::RunRender},
};

// The usage on out; status 0 when asked for, 2 after a wrong use.
int Usage(std::FILE* out, int status) {
    std::fprintf(out, "usage:\n");
    for (const Command& c : commands)
        std::fprintf(out, "  %s\n", c.usage);
    std::fprintf(out, "  kvxtool --help\n");
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(stderr, 2);
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        return Usage(stdout, 0);
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : commands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(args);
    std::fprintf(stderr, "kvxtool: unknown command '%s'\n", argv[1]);
    return Usage(stderr, 2);
}
