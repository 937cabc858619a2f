// One frame of the perspective view (clear, render, update) for grids of 392 to a million
// triangles: standing still, while every vertex moves each frame as a drag moves them, and after
// a key turns a layer.
//
// The scene: an n x n grid of vertices over x, z in [-7.5, 7.5] (z = 7.5 - j * step),
// y = 0.3 sin(x) cos(z), each cell split into two triangles as "Mesh" splits its cells, colours
// alternating (33, 45, 88) and (43, 112, 66), every face smooth, seen from the perspective
// view's camera with its lights, 24 bits, 250 x 250.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "GridScene.h"
#include "canvas/Canvas.h"
#include "perspective/PerspectiveRig.h"
#include "scene/Scene.h"

namespace {

using namespace kvx;

constexpr std::int32_t ViewSide = 250;

struct GridScene {
    rm::SceneRoot root;
    PointLight point;
    std::unique_ptr<Scene> scene;
    Canvas canvas;
    PerspectiveRig rig;

    explicit GridScene(std::int32_t n) {
        root.Create();
        scene = std::make_unique<Scene>(root);
        bench::BuildGrid(*scene, n);
        canvas.Create(ViewSide, ViewSide, 24);
        rig.Open(root, canvas, point);
        rig.Redraw(0, 0, 0);  // the renderer's tables are sized and filled before timing
    }
    ~GridScene() { rig.Close(); }
};

// Grids are costly to build, so each is built once and shared by its cases.
GridScene& Grid(std::int32_t n) {
    static std::map<std::int32_t, std::unique_ptr<GridScene>> grids;
    auto& g = grids[n];
    if (!g) g = std::make_unique<GridScene>(n);
    return *g;
}

void StaticFrame(benchmark::State& state) {
    GridScene& g = Grid(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        g.rig.Redraw(0, 0, 0);
        benchmark::DoNotOptimize(g.canvas.Surface().base);
    }
    state.counters["triangles"] = static_cast<double>(g.scene->faceCount());
}

void DragFrame(benchmark::State& state) {
    GridScene& g = Grid(static_cast<std::int32_t>(state.range(0)));
    double lift = 0.01;
    for (auto _ : state) {
        for (Vertex& v : g.scene->vertices)
            v.MoveTo(v.x, v.y + lift, v.z);
        lift = -lift;
        g.rig.Redraw(0, 0, 0);
        benchmark::DoNotOptimize(g.canvas.Surface().base);
    }
    state.counters["triangles"] = static_cast<double>(g.scene->faceCount());
}

// The frame after a key of the perspective view: layer 0's placement frame turned 5 degrees
// (Insert and Delete in turn, so the model stays in sight), then the picture.
void KeyFrame(benchmark::State& state) {
    GridScene& g = Grid(static_cast<std::int32_t>(state.range(0)));
    int turn = 5;
    for (auto _ : state) {
        g.scene->placementFrame(0).RotateDegrees(0, turn, 0);
        turn = -turn;
        g.rig.Redraw(0, 0, 0);
        benchmark::DoNotOptimize(g.canvas.Surface().base);
    }
    g.scene->placementFrame(0).SetRotationDegrees(0, 0, 0);
    state.counters["triangles"] = static_cast<double>(g.scene->faceCount());
}

void GridSizes(benchmark::internal::Benchmark* b) {
    for (const int n : {15, 72, 225, 708})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
}

BENCHMARK(StaticFrame)->Apply(GridSizes);
BENCHMARK(DragFrame)->Apply(GridSizes);
BENCHMARK(KeyFrame)->Apply(GridSizes);

}  // namespace
