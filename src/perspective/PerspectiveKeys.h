#pragma once
// The perspective view's keyboard: plain keys turn and move the current layer's placement frame
// (all ten in order with "Tous les layers"), Alt keys turn the current layer's spin frame.

#include <cstdint>

namespace kvx {

class Scene;

// Handles WM_KEYDOWN and WM_SYSKEYDOWN; true when a frame changed (the view then redraws).
bool PerspectiveKey(Scene& scene, std::uint32_t message, std::uint32_t key);

}  // namespace kvx
