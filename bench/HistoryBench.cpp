// Undo and redo on the benchmark grid of 999,698 triangles (501,264 vertices): a move of every
// vertex undone and redone (positions, their mesh mirrors and the normals), and what recording
// such a step costs at its press and release, and what recording an arrow nudge of everything
// costs.

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

// An arrow nudge of everything as the editor records it: the copy at the key, the step kept at
// its end (a tenth of a unit changes most normals in their last bits), without the move itself.
void BM_RecordNudgeOfEveryVertex(benchmark::State& state) {
    HistoryFixture& f = Grid();
    const std::vector<std::uint8_t> all(f.scene->vertices.size(), 1);
    double sign = 1;
    for (auto _ : state) {
        f.history.Begin(*f.scene, PartPositions | PartSelection);
        state.PauseTiming();
        for (Vertex& v : f.scene->vertices)
            Translate(v, 0.1 * sign, 0, 0);
        f.scene->UpdateNormalsAfterMove(all);
        sign = -sign;
        state.ResumeTiming();
        f.history.End(*f.scene);
    }
    state.counters["step MB"] = static_cast<double>(f.history.Bytes()) /
                                static_cast<double>(f.history.UndoCount()) / (1 << 20);
}

BENCHMARK(BM_UndoMoveOfEveryVertex)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RecordMoveOfEveryVertex)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RecordNudgeOfEveryVertex)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace kvx::bench
