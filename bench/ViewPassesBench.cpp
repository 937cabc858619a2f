// All passes of the six orthographic views at the default zoom, one thread, on the benchmark grid
// of about 10,000, 100,000 and 1,000,000 triangles, with nothing selected and with every face
// selected (then every vertex is drawn as selected too); and the gathering of the scene alone.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include "GridScene.h"
#include "canvas/Canvas.h"
#include "scene/Scene.h"
#include "views/PassScratch.h"
#include "views/PreparedScene.h"
#include "views/RenderPasses.h"

namespace kvx::bench {
namespace {

struct ViewsFixture : OwnedGrid {
    ViewStates states;
    Canvas canvases[7];
    ViewPassInputs inputs;

    explicit ViewsFixture(std::int64_t triangles) : OwnedGrid(triangles) {
        for (ViewId v = ViewTop; v <= ViewBack; ++v)
            canvases[v].Create(ViewPixels, ViewPixels, 24);
        inputs.colours = PackedColours::For(24);
    }
    PreparedScene prepared;
    PassScratch scratch;

    // View v's canvas in the background grey, locked.
    Canvas& Cleared(ViewId v) {
        Canvas& c = canvases[v];
        c.FillAll(c.Pack(155, 155, 155));
        c.Lock();
        return c;
    }

    // Each view on its own, one pass over the faces per view.
    void DrawOneByOne() {
        prepared.Prepare(*scene);
        for (ViewId v = ViewTop; v <= ViewBack; ++v) {
            Canvas& c = Cleared(v);
            const ViewTarget target{&c, &states[v], v};
            DrawViewGroupPasses({&target, 1}, *scene, prepared, inputs, scratch);
            c.Unlock();
        }
    }

    // As the main loop does on one thread: the scene gathered once, then the six views drawn
    // together.
    void DrawAll() {
        prepared.Prepare(*scene);
        std::vector<ViewTarget> targets;
        for (ViewId v = ViewTop; v <= ViewBack; ++v)
            targets.push_back({&Cleared(v), &states[v], v});
        DrawViewGroupPasses(targets, *scene, prepared, inputs, scratch);
        for (ViewId v = ViewTop; v <= ViewBack; ++v)
            canvases[v].Unlock();
    }
};

ViewsFixture& Views(std::int64_t triangles) {
    static std::map<std::int64_t, std::unique_ptr<ViewsFixture>> all;
    auto& f = all[triangles];
    if (!f) f = std::make_unique<ViewsFixture>(triangles);
    return *f;
}

void SixViews(benchmark::State& state) {
    ViewsFixture& f = Views(state.range(0));
    const bool selected = state.range(1) != 0;
    if (selected) {
        f.scene->SelectAllFaces();
        for (std::int32_t i = 0; i < f.scene->vertexCount(); ++i)
            f.scene->vertices[static_cast<std::size_t>(i)].state = VertexSelected;
    }
    for (auto _ : state)
        f.DrawAll();
    if (selected) {
        f.scene->ClearFaceSelection();
        for (Vertex& v : f.scene->vertices)
            v.state = VertexNormal;
    }
    state.counters["triangles"] = static_cast<double>(f.scene->faceCount());
}

void SixViewsOneByOne(benchmark::State& state) {
    ViewsFixture& f = Views(state.range(0));
    for (auto _ : state)
        f.DrawOneByOne();
}

// What every redraw of the flat views starts with: the scene gathered for them.
void Gather(benchmark::State& state) {
    ViewsFixture& f = Views(state.range(0));
    for (auto _ : state)
        f.prepared.Prepare(*f.scene);
}

BENCHMARK(Gather)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

BENCHMARK(SixViewsOneByOne)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK(SixViews)
    ->ArgsProduct({{10000, 100000, 1000000}, {0, 1}})
    ->ArgNames({"triangles", "selected"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx::bench
