// Editing steps in the orthographic views on the benchmark grid of 999,698 triangles (501,264
// vertices) with every vertex selected: one move, rotation and scaling step (vertices and their
// mesh mirrors, without the redraw), the normals brought up to date after a step, a vertex pick,
// a face pick and a fence over the whole grid.

#include <benchmark/benchmark.h>

#include <memory>

#include "GridScene.h"
#include "platform/Message.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "views/DragSteps.h"
#include "views/FenceSelection.h"
#include "views/Picking.h"

namespace kvx::bench {
namespace {

constexpr std::int64_t Triangles = 1000000;

struct EditFixture : OwnedGrid {
    ViewStates states;
    MouseState mouse;
    ToolState tools;

    EditFixture() : OwnedGrid(Triangles) { scene->SelectAllVertices(); }
    void MouseTo(int x, int y) {
        MouseToWorld(mouse, states, ViewTop, platform::PackMousePosition(x, y), false);
    }
};

EditFixture& Grid() {
    static EditFixture f;
    return f;
}

void BM_MoveStep(benchmark::State& state) {
    EditFixture& f = Grid();
    f.tools.moveOrigin.Clear();
    int x = 100;
    for (auto _ : state) {
        f.MouseTo(x, 125);
        MoveStep(*f.scene, f.tools, f.mouse, ViewTop, ToolMode::MoveXY, true);
        x = x == 100 ? 101 : 100;
    }
    f.tools.moveOrigin.Clear();
    state.counters["vertices"] = static_cast<double>(f.scene->selectedVertexCount());
}

void BM_RotationStep(benchmark::State& state) {
    EditFixture& f = Grid();
    int y = 100;
    for (auto _ : state) {
        y = y == 100 ? 101 : 100;
        f.MouseTo(125, y);
        RotationStep(*f.scene, f.tools, f.mouse, ViewTop);
    }
}

void BM_ScalingStep(benchmark::State& state) {
    EditFixture& f = Grid();
    int y = 100;
    for (auto _ : state) {
        y = y == 100 ? 101 : 100;
        f.MouseTo(125, y);
        ScalingStep(*f.scene, f.tools, f.mouse, ViewTop, ToolMode::ScaleXYZ);
    }
}

// The normals after a step that moved every vertex: what a release costs on this model.
void BM_NormalsAfterMove(benchmark::State& state) {
    EditFixture& f = Grid();
    for (auto _ : state) {
        state.PauseTiming();
        f.tools.movedVertices.assign(f.scene->vertices.size(), 1);
        f.tools.anyMoved = true;
        state.ResumeTiming();
        RefreshNormals(*f.scene, f.tools);
    }
}

void BM_PickVertex(benchmark::State& state) {
    EditFixture& f = Grid();
    f.MouseTo(125, 125);
    for (auto _ : state)
        benchmark::DoNotOptimize(PickVertex(*f.scene, f.states[ViewTop], ViewTop, f.mouse));
    f.scene->SelectAllVertices();
}

void BM_PickFace(benchmark::State& state) {
    EditFixture& f = Grid();
    f.MouseTo(125, 125);
    for (auto _ : state)
        benchmark::DoNotOptimize(PickFace(*f.scene, f.states[ViewTop], ViewTop, f.mouse));
    f.scene->SelectAllVertices();
}

// A fence over the whole grid toggles every vertex: off and on again in turn.
void BM_FenceWholeGrid(benchmark::State& state) {
    EditFixture& f = Grid();
    for (auto _ : state)
        ToggleVerticesInRect(*f.scene, -1, -1, 251, 251, f.states[ViewTop], ViewTop);
    f.scene->SelectAllVertices();
}

BENCHMARK(BM_MoveStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotationStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScalingStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalsAfterMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickVertex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickFace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FenceWholeGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx::bench
