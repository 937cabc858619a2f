// Writes the benchmark grid of about N triangles as a scene file: grid_file OUT.KVX N.
// The peak-memory and latency scripts open it in the real editor.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GridScene.h"
#include "scene/SceneFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: grid_file OUT.KVX TRIANGLES\n");
        return 2;
    }
    const kvx::bench::OwnedGrid grid(std::atoll(argv[2]));
    const kvx::Scene& scene = *grid.scene;
    std::string reason;
    if (!kvx::SaveSceneToPath(scene, argv[1], reason)) {
        std::fprintf(stderr, "grid_file: %s\n", reason.c_str());
        return 1;
    }
    std::printf("%d faces, %d vertices\n", scene.faceCount(), scene.vertexCount());
    return 0;
}
