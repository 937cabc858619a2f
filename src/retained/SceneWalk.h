#pragma once
// Walks a frame tree from its root, giving each frame with its local-to-world transform (the
// product of its own transform and every parent's, root included).

#include "retained/Frame.h"
#include "retained/Math.h"

namespace kvx::rm {

template <typename Visit>
void ForEachFrame(const Frame& frame, const Matrix4& parentToWorld, Visit&& visit) {
    const Matrix4 toWorld = frame.Transform() * parentToWorld;
    visit(frame, toWorld);
    for (const auto& child : frame.Children())
        ForEachFrame(*child, toWorld, visit);
}

template <typename Visit>
void ForEachFrame(const Frame& root, Visit&& visit) {
    ForEachFrame(root, Matrix4::Identity(), visit);
}

}  // namespace kvx::rm
