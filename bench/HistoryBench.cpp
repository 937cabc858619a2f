// Undo and redo on the benchmark grid of 999,698 triangles (501,264 vertices): a move of every
// vertex undone and redone (positions, their mesh mirrors and the normals), and what recording
// such a step costs at its press and release.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "GridScene.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneHistory.h"
#include "scene/VertexTransforms.h"

namespace kvx::bench {
namespace {

constexpr std::int64_t Triangles = 1000000;

struct HistoryFixture : OwnedGrid {
    SceneHistory history;

    HistoryFixture() : OwnedGrid(Triangles) {
        scene->SelectAllVertices();
        RecordMoveOfEverything();
    }
    // One step: every vertex half a unit along x, its normals brought up to date.
    void RecordMoveOfEverything() {
        history.Begin(*scene, PartPositions | PartSelection);
        for (Vertex& v : scene->vertices)
            Translate(v, 0.5, 0, 0);
        scene->UpdateNormalsAfterMove(std::vector<std::uint8_t>(scene->vertices.size(), 1));
        history.End(*scene);
    }
};

HistoryFixture& Grid() {
    static HistoryFixture f;
    return f;
}

void BM_UndoMoveOfEveryVertex(benchmark::State& state) {
    HistoryFixture& f = Grid();
    for (auto _ : state) {
        f.history.Undo(*f.scene);
        state.PauseTiming();
        f.history.Redo(*f.scene);
        state.ResumeTiming();
    }
    state.counters["vertices"] = static_cast<double>(f.scene->vertexCount());
    state.counters["step MB"] = static_cast<double>(f.history.Bytes()) / (1 << 20);
}

void BM_RecordMoveOfEveryVertex(benchmark::State& state) {
    HistoryFixture& f = Grid();
    for (auto _ : state) {
        // The copy at the press and the comparison at the release, without the move itself.
        f.history.Begin(*f.scene, PartPositions | PartSelection);
        f.history.End(*f.scene);
    }
}

BENCHMARK(BM_UndoMoveOfEveryVertex)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RecordMoveOfEveryVertex)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace kvx::bench
