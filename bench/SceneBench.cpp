// Scene-model operations on big grids: saving, loading, "Sélectionner les vertex" followed by
// "Face des vertex", the normals after a move, and deleting a tenth of the faces. Each runs at
// about 100,000 and 1,000,000 triangles, so the growth with the scene's size shows.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GridScene.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"

namespace kvx::bench {
namespace {

struct Fixture {
    rm::SceneRoot root;
    std::unique_ptr<Scene> scene;
};

std::string FileFor(std::int64_t triangles) {
    return "/tmp/kolvex-bench-" + std::to_string(::getpid()) + "-" + std::to_string(triangles) +
           ".KVX";
}

// One saved grid per size, written once.
struct SavedFiles {
    std::map<std::int64_t, std::string> paths;
    ~SavedFiles() {
        for (const auto& [n, path] : paths)
            ::unlink(path.c_str());
    }
};

const std::string& SavedGrid(std::int64_t triangles) {
    static SavedFiles saved;
    auto& files = saved.paths;
    auto it = files.find(triangles);
    if (it != files.end()) return it->second;
    const OwnedGrid grid(triangles);
    std::string reason;
    const std::string path = FileFor(triangles);
    SaveSceneToPath(*grid.scene, path, reason);
    return files.emplace(triangles, path).first->second;
}

void LoadInto(Fixture& f, std::int64_t triangles) {
    f.scene.reset();
    f.root.Create();
    f.scene = std::make_unique<Scene>(f.root);
    std::string reason;
    if (!LoadSceneFromPath(*f.scene, SavedGrid(triangles), true, reason)) std::abort();
}

void Counters(benchmark::State& state, const Scene& scene) {
    state.counters["faces"] = scene.faceCount();
    state.counters["vertices"] = scene.vertexCount();
}

void BM_SaveScene(benchmark::State& state) {
    Fixture f;
    LoadInto(f, state.range(0));
    const std::string out = FileFor(state.range(0)) + ".out";
    std::string reason;
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveSceneToPath(*f.scene, out, reason));
    ::unlink(out.c_str());
    Counters(state, *f.scene);
}

// What a recovery copy costs the editing: the scene taken in memory on the main thread (the
// file is written by a helper thread).
void BM_RecoverySnapshot(benchmark::State& state) {
    Fixture f;
    LoadInto(f, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(SceneBytes(*f.scene));
    Counters(state, *f.scene);
}

void BM_LoadScene(benchmark::State& state) {
    Fixture f;
    SavedGrid(state.range(0));
    for (auto _ : state)
        LoadInto(f, state.range(0));
    Counters(state, *f.scene);
}

void BM_SelectVerticesThenFacesOfVertices(benchmark::State& state) {
    Fixture f;
    LoadInto(f, state.range(0));
    for (auto _ : state) {
        f.scene->SelectAllVertices();
        f.scene->SelectFacesOfVertices();
    }
    Counters(state, *f.scene);
    state.counters["selected"] = f.scene->selectedFaceCount();
}

void BM_DeleteTenthOfFaces(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        LoadInto(f, state.range(0));
        f.scene->ClearFaceSelection();
        for (std::int32_t i = 0; i < f.scene->faceCount(); i += 10)
            f.scene->selectedFaces.push_back(i);
        state.ResumeTiming();
        f.scene->DeleteSelectedFaces();
    }
    Counters(state, *f.scene);
}

// The normals after an arrow nudge moved every vertex (every face listed), and after a move of
// one vertex in a hundred (the faces around them and their smooth neighbours).
void NormalsAfterMove(benchmark::State& state, std::int32_t every) {
    Fixture f;
    LoadInto(f, state.range(0));
    std::vector<std::uint8_t> moved(f.scene->vertices.size(), 0);
    for (std::size_t i = 0; i < moved.size(); i += static_cast<std::size_t>(every))
        moved[i] = 1;
    for (auto _ : state)
        f.scene->UpdateNormalsAfterMove(moved);
    Counters(state, *f.scene);
}

void BM_NormalsAfterMoveOfEveryVertex(benchmark::State& state) {
    NormalsAfterMove(state, 1);
}

void BM_NormalsAfterMoveOfOneVertexInAHundred(benchmark::State& state) {
    NormalsAfterMove(state, 100);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SaveScene)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_RecoverySnapshot)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_LoadScene)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_SelectVerticesThenFacesOfVertices)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_NormalsAfterMoveOfEveryVertex)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_NormalsAfterMoveOfOneVertexInAHundred)->Apply(Sizes)->MinTime(0.5);
BENCHMARK(BM_DeleteTenthOfFaces)->Apply(Sizes)->Iterations(3);

}  // namespace
}  // namespace kvx::bench
