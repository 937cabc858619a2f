// The editor's whole redraw on the benchmark grid of 999,698 triangles: the six flat views and
// the perspective view drawn by the main loop (one thread, then side by side on two) and
// presented, on a window system without a screen. Wall time is what the user waits.
// Also one move step of every vertex followed by that redraw.

#include <benchmark/benchmark.h>

#include <memory>

#include "GridScene.h"
#include "platform/Prompts.h"
#include "shell/Editor.h"
#include "shell/FakeWindowSystem.h"
#include "shell/MainLoop.h"
#include "shell/Startup.h"
#include "views/DragSteps.h"

namespace kvx::bench {
namespace {

struct RedrawFixture {
    test::FakeWindowSystem ws;
    platform::ScriptedPrompts prompts;
    platform::MessageQueue queue;
    Editor editor{ws, prompts, queue};

    RedrawFixture() {
        StartEditor(editor);
        platform::Message m;
        while (queue.TryTake(m))
            ProcessMessage(editor, m);
        BuildGrid(*editor.scene, GridSideFor(1000000));
        editor.scene->SelectAllVertices();
    }
};

RedrawFixture& Fixture() {
    static RedrawFixture f;
    return f;
}

void WholeRedraw(benchmark::State& state) {
    RedrawFixture& f = Fixture();
    f.editor.redrawThreads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        f.editor.RequestRedraw(RedrawScope::All);
        RedrawMarkedViews(f.editor, platform::Message{});
    }
    state.counters["triangles"] = static_cast<double>(f.editor.scene->faceCount());
}

void MoveStepAndRedraw(benchmark::State& state) {
    RedrawFixture& f = Fixture();
    f.editor.redrawThreads = static_cast<int>(state.range(0));
    MouseState mouse;
    int x = 100;
    for (auto _ : state) {
        MouseToWorld(mouse, f.editor.viewStates, ViewTop, platform::PackMousePosition(x, 125),
                     false);
        MoveStep(*f.editor.scene, f.editor.tools, mouse, ViewTop, ToolMode::MoveXY, true);
        f.editor.RequestRedraw(RedrawScope::All);
        RedrawMarkedViews(f.editor, platform::Message{});
        x = x == 100 ? 101 : 100;
    }
    f.editor.tools.moveOrigin.Clear();
}

BENCHMARK(WholeRedraw)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(MoveStepAndRedraw)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kvx::bench
