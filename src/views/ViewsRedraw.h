#pragma once
// One redraw of the views: the flat views drawn from the scene on one thread or two, with the
// perspective view drawn beside them. Holds what one redraw leaves for the next: the scene as
// the flat views read it, the passes two threads share, and each drawing thread's buffers.

#include <array>
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

    PreparedScene prepared_;
    SharedViewPasses shared_;
    std::array<PassScratch, 2> scratch_;  // this thread's, then the helper's
};

}  // namespace kvx
