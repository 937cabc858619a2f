// Export and import of the benchmark grid of a million triangles in each model format, through
// the format registry as the editor and kvxtool use it: the export writes the file (safe replace
// included); the import reads it (in its child process where the format's library is of other
// hands) and adds it to an empty scene. With flat faces too (`_flat`): each triangle then has
// vertices of its own in glTF.
//   build/bench/bench_formats [--benchmark_filter=Glb]
// The files go to $TMPDIR (else /tmp) and are removed at the end.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GridScene.h"
#include "interchange/FormatRegistry.h"
#include "scene/SceneFile.h"

namespace kvx::bench {
namespace {

constexpr std::int64_t Triangles = 1000000;

std::string Target(const std::string& name) {
    const char* tmp = std::getenv("TMPDIR");
    return (std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
            ("kolvex-bench-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

struct FlatGrid : OwnedGrid {
    FlatGrid() : OwnedGrid(Triangles) {
        for (Face& f : scene->faces)
            f.renderType = RenderFlat;
    }
};

OwnedGrid& Grid(bool flat) {
    static OwnedGrid smooth(Triangles);
    static FlatGrid flatGrid;
    return flat ? static_cast<OwnedGrid&>(flatGrid) : smooth;
}

void Export(benchmark::State& state, const std::string& extension, bool flat) {
    const Scene& scene = *Grid(flat).scene;
    const std::string path = Target("export" + extension);
    for (auto _ : state) {
        std::string reason;
        if (!ExportByExtension(scene, path, ExportOptions{}, reason))
            state.SkipWithError(reason.c_str());
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".bin"));
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".mtl"));
}

void Import(benchmark::State& state, const std::string& extension, bool flat) {
    const std::string path = Target("import" + extension);
    std::string reason;
    if (!ExportByExtension(*Grid(flat).scene, path, ExportOptions{}, reason)) {
        state.SkipWithError(reason.c_str());
        return;
    }
    rm::SceneRoot root;
    root.Create();
    for (auto _ : state) {
        Scene scene(root);
        SceneFileData data;
        std::string notes;
        if (!ImportByFormat(path, data, reason, notes) ||
            !AddSceneFileToScene(scene, data, true, reason))
            state.SkipWithError(reason.c_str());
        state.counters["faces"] = static_cast<double>(scene.faceCount());
    }
    std::filesystem::remove(path);
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".bin"));
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".mtl"));
}

void Register() {
    for (const bool flat : {false, true})
        for (const char* extension : {".glb", ".gltf", ".obj", ".ply", ".stl"}) {
            const std::string suffix = std::string(extension + 1) + (flat ? "_flat" : "");
            benchmark::RegisterBenchmark(("Export/" + suffix).c_str(), Export, extension, flat)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
            benchmark::RegisterBenchmark(("Import/" + suffix).c_str(), Import, extension, flat)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
        }
}

const bool registered = (Register(), true);

}  // namespace
}  // namespace kvx::bench
