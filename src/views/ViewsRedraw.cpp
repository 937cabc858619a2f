#include "views/ViewsRedraw.h"

#include <algorithm>
#include <barrier>
#include <chrono>
#include <latch>
#include <thread>

namespace kvx {
namespace {

// Each thread keeps at least this share of the outlines, so both go on being timed.
constexpr double MinHelperShare = 0.05;

}  // namespace

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
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto seconds = [&] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    OutlineTimes times;
    bool ready = false, shared = false;
    std::span<const ViewTarget> mine, helpers;  // when the views cannot share their passes
    std::latch gathered(1);
    std::barrier outlined(2);
    std::jthread helper([&] {
        if (drawPerspective) drawPerspective();
        gathered.wait();
        if (!ready) return;
        if (shared) {
            times.helperStart = seconds();
            shared_.Outlines(1);
            times.helperEnd = seconds();
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
        shared = shared_.Begin(flat, prepared_, in, helperShare_);
        const std::size_t helperViews = shared ? 0 : flat.size() / 2;
        mine = flat.first(flat.size() - helperViews);
        helpers = flat.last(helperViews);
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
        times.mainStart = seconds();
        shared_.Outlines(0);
        times.mainEnd = seconds();
    }
    shared_.Finish(0, scratch_[0]);
    helper.join();
    Rebalance(times, prepared_.shownFaces.size(), shared_.HelperFaces());
}

void ViewsRedraw::Rebalance(const OutlineTimes& t, std::size_t faces, std::size_t helperPart) {
    const double n = static_cast<double>(faces);
    const double helperFaces = static_cast<double>(helperPart);
    const double helperTime = t.helperEnd - t.helperStart, mainTime = t.mainEnd - t.mainStart;
    // Too little to time: the share stays.
    if (helperFaces < 1 || n - helperFaces < 1 || helperTime <= 0 || mainTime <= 0) return;
    // Seconds per face on each thread; the share that makes both end together.
    const double h = helperTime / helperFaces, m = mainTime / (n - helperFaces);
    const double split = (t.mainStart - t.helperStart + n * m) / (h + m);
    // Halfway there each time, so that one uneven redraw does not swing it.
    helperShare_ =
        std::clamp(0.5 * helperShare_ + 0.5 * split / n, MinHelperShare, 1 - MinHelperShare);
}

}  // namespace kvx
