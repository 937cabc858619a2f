#include "perspective/PerspectiveKeys.h"

#include "platform/Constants.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

using namespace platform;

// Plain keys act on the placement frames, Alt keys (the six turning keys only) on the current
// layer's spin frame.
constexpr PerspectiveKeyRow KeyTable[] = {
    {VK_ESCAPE, false, FrameAction::Reset, 0, 0, 0, "remet le layer à sa place de départ"},
    {VK_LEFT, false, FrameAction::Move, 1, 0, 0, "déplace le layer d'une unité en x"},
    {VK_RIGHT, false, FrameAction::Move, -1, 0, 0, "déplace le layer d'une unité en -x"},
    {VK_UP, false, FrameAction::Move, 0, 0, 1, "déplace le layer d'une unité en z"},
    {VK_DOWN, false, FrameAction::Move, 0, 0, -1, "déplace le layer d'une unité en -z"},
    {VK_ADD, false, FrameAction::Move, 0, -1, 0, "déplace le layer d'une unité en -y"},
    {VK_SUBTRACT, false, FrameAction::Move, 0, 1, 0, "déplace le layer d'une unité en y"},
    {VK_PRIOR, false, FrameAction::Rotate, 0, 0, 5, "tourne le layer de 5° autour de z"},
    {VK_NEXT, false, FrameAction::Rotate, 0, 0, -5, "tourne le layer de -5° autour de z"},
    {VK_HOME, false, FrameAction::Rotate, 5, 0, 0, "tourne le layer de 5° autour de x"},
    {VK_END, false, FrameAction::Rotate, -5, 0, 0, "tourne le layer de -5° autour de x"},
    {VK_INSERT, false, FrameAction::Rotate, 0, 5, 0, "tourne le layer de 5° autour de y"},
    {VK_DELETE, false, FrameAction::Rotate, 0, -5, 0, "tourne le layer de -5° autour de y"},
    {VK_PRIOR, true, FrameAction::Rotate, 0, 0, 5, "fait pivoter le layer sur lui-même (z)"},
    {VK_NEXT, true, FrameAction::Rotate, 0, 0, -5, "fait pivoter le layer sur lui-même (-z)"},
    {VK_HOME, true, FrameAction::Rotate, 5, 0, 0, "fait pivoter le layer sur lui-même (x)"},
    {VK_END, true, FrameAction::Rotate, -5, 0, 0, "fait pivoter le layer sur lui-même (-x)"},
    {VK_INSERT, true, FrameAction::Rotate, 0, 5, 0, "fait pivoter le layer sur lui-même (y)"},
    {VK_DELETE, true, FrameAction::Rotate, 0, -5, 0, "fait pivoter le layer sur lui-même (-y)"},
};

const PerspectiveKeyRow* Find(std::uint32_t key, bool alt) {
    for (const PerspectiveKeyRow& row : KeyTable) {
        if (row.key == key && row.alt == alt) return &row;
    }
    return nullptr;
}

void Apply(rm::FrameNode& frame, const PerspectiveKeyRow& a) {
    switch (a.action) {
        case FrameAction::Reset:
            frame.SetPositionReplace(0, 0, 0);
            frame.SetRotationDegrees(0, 0, 0);
            break;
        case FrameAction::Rotate:
            frame.RotateDegrees(static_cast<std::int32_t>(a.x), static_cast<std::int32_t>(a.y),
                                static_cast<std::int32_t>(a.z));
            break;
        case FrameAction::Move:
            frame.MoveBy(a.x, a.y, a.z);
            break;
        case FrameAction::None:
            break;
    }
}

}  // namespace

std::span<const PerspectiveKeyRow> PerspectiveKeys() {
    return KeyTable;
}

bool PerspectiveKey(Scene& scene, std::uint32_t message, std::uint32_t key) {
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return false;
    const PerspectiveKeyRow* a = Find(key, message == WM_SYSKEYDOWN);
    if (!a) return false;
    if (a->alt) {
        Apply(scene.spinFrame(scene.currentLayer), *a);  // never all layers
    } else if (scene.allLayers == 1) {
        for (std::int32_t layer = 0; layer < LayerCount; ++layer)
            Apply(scene.placementFrame(layer), *a);
    } else {
        Apply(scene.placementFrame(scene.currentLayer), *a);
    }
    return true;
}

}  // namespace kvx
