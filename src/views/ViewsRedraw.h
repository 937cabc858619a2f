#pragma once
// One redraw of the views: the flat views drawn from the scene on one thread or two, with the
// perspective view drawn beside them. Holds what one redraw leaves for the next: the scene as
// the flat views read it, the passes two threads share, and each drawing thread's buffers.

#include <array>
#include <cstddef>
#include <functional>
#include <span>

#include "views/PassScratch.h"
#include "views/PreparedScene.h"
#include "views/RenderPasses.h"

namespace kvx {

class Scene;

class ViewsRedraw {
  public:
    // Draws every pass of the flat views into their targets (canvases cleared and locked, which
    // stay locked) and runs drawPerspective, when given, for the perspective view. With two
    // threads or more, a helper thread runs drawPerspective while this one gathers the scene,
    // then both draw the flat views. Every view draws into a canvas of its own and only reads
    // the scene, so the pictures do not depend on the number of threads. Returns when all is
    // drawn.
    void Draw(const Scene& scene, std::span<const ViewTarget> flat, const ViewPassInputs& in,
              int threads, const std::function<void()>& drawPerspective);

  private:
    void DrawOnTwoThreads(const Scene& scene, std::span<const ViewTarget> flat,
                          const ViewPassInputs& in, const std::function<void()>& drawPerspective);

    // When each thread started and ended its part of the outlines, in seconds from the start
    // of a redraw.
    struct OutlineTimes {
        double helperStart = 0, helperEnd = 0, mainStart = 0, mainEnd = 0;
    };
    // The share of the outlines the helper takes next time, so that both threads finish them
    // together: the helper starts late by the perspective view, and a share that stays a half
    // leaves this thread waiting for it.
    // faces: the shown faces; helperPart: those the helper outlined.
    void Rebalance(const OutlineTimes& t, std::size_t faces, std::size_t helperPart);

    PreparedScene prepared_;
    SharedViewPasses shared_;
    double helperShare_ = 0.5;
    std::array<PassScratch, 2> scratch_;  // this thread's, then the helper's
};

}  // namespace kvx
