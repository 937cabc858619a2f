#pragma once
// The perspective view's keyboard: plain keys turn and move the current layer's placement frame
// (all ten in order with "Tous les layers"), Alt keys turn the current layer's spin frame.

#include <cstdint>
#include <span>

namespace kvx {

class Scene;

enum class FrameAction { None, Reset, Rotate, Move };

// One key: with Alt or not, what it does to the frame (x, y, z in degrees for a turn, world
// units for a move) and, in French, for the key reference.
struct PerspectiveKeyRow {
    std::uint32_t key;
    bool alt;
    FrameAction action;
    double x, y, z;
    const char* help;
};

std::span<const PerspectiveKeyRow> PerspectiveKeys();

// Handles WM_KEYDOWN and WM_SYSKEYDOWN; true when a frame changed (the view then redraws).
bool PerspectiveKey(Scene& scene, std::uint32_t message, std::uint32_t key);

}  // namespace kvx
