#pragma once
// The plainest drawing of an orthographic view's passes, kept in the tests only: every corner
// projected where it is used, every line through the canvas. The optimised passes must give the
// same pixels.

#include "canvas/Canvas.h"
#include "views/RenderPasses.h"

namespace kvx::test {

void ReferenceViewPasses(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                         const ViewPassInputs& in);

}  // namespace kvx::test
