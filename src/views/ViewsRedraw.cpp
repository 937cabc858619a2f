#include "views/ViewsRedraw.h"

#include <barrier>
#include <latch>
#include <thread>

namespace kvx {

void ViewsRedraw::Draw(const Scene& scene, std::span<const ViewTarget> flat,
                       const ViewPassInputs& in, int threads,
                       const std::function<void()>& drawPerspective) {
    if (threads >= 2 && !flat.empty()) {
        DrawOnTwoThreads(scene, flat, in, drawPerspective);
        return;
    }
    if (drawPerspective) drawPerspective();
    if (flat.empty()) return;
    prepared_.Prepare(scene);  // what the flat views draw, gathered once for all
    DrawViewGroupPasses(flat, scene, prepared_, in, scratch_[0]);
}

// A helper starts on the perspective view while this thread gathers the scene for the flat
// views; then both draw half of the flat views' face outlines, and then each every other flat
// view's vertices and selected faces (or, where the views cannot share their passes, each half
// of the flat views).
void ViewsRedraw::DrawOnTwoThreads(const Scene& scene, std::span<const ViewTarget> flat,
                                   const ViewPassInputs& in,
                                   const std::function<void()>& drawPerspective) {
    bool ready = false, shared = false;
    std::span<const ViewTarget> mine, helpers;  // when the views cannot share their passes
    std::latch gathered(1);
    std::barrier outlined(2);
    std::jthread helper([&] {
        if (drawPerspective) drawPerspective();
        gathered.wait();
        if (!ready) return;
        if (shared) {
            shared_.Outlines(1);
            outlined.arrive_and_wait();
            shared_.Finish(1, scratch_[1]);
        } else {
            DrawViewGroupPasses(helpers, scene, prepared_, in, scratch_[1]);
        }
    });
    {
        // The helper is let go however the gathering ends, so it can always be joined.
        struct Release {
            std::latch& latch;
            ~Release() { latch.count_down(); }
        } release{gathered};
        prepared_.Prepare(scene);
        shared = shared_.Begin(flat, prepared_, in);
        const std::size_t helperShare = shared ? 0 : flat.size() / 2;
        mine = flat.first(flat.size() - helperShare);
        helpers = flat.last(helperShare);
        ready = true;
    }
    if (!shared) {
        DrawViewGroupPasses(mine, scene, prepared_, in, scratch_[0]);
        return;
    }
    {
        // The helper waits at the barrier for this part; it always gets there.
        struct Arrive {
            std::barrier<>& barrier;
            ~Arrive() { barrier.arrive_and_wait(); }
        } arrive{outlined};
        shared_.Outlines(0);
    }
    shared_.Finish(0, scratch_[0]);
}

}  // namespace kvx
