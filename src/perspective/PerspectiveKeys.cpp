#include "perspective/PerspectiveKeys.h"

#include "platform/Constants.h"
#include "scene/Scene.h"

namespace kvx {
namespace {

using namespace platform;

enum class FrameAction { None, Reset, Rotate, Move };

struct KeyAction {
    FrameAction action = FrameAction::None;
    double x = 0, y = 0, z = 0;  // degrees for a turn, world units for a move
};

// The six turning keys, shared by the plain and the Alt table.
KeyAction TurnFor(std::uint32_t key) {
    switch (key) {
        case VK_PRIOR:
            return {FrameAction::Rotate, 0, 0, 5};
        case VK_NEXT:
            return {FrameAction::Rotate, 0, 0, -5};
        case VK_HOME:
            return {FrameAction::Rotate, 5, 0, 0};
        case VK_END:
            return {FrameAction::Rotate, -5, 0, 0};
        case VK_INSERT:
            return {FrameAction::Rotate, 0, 5, 0};
        case VK_DELETE:
            return {FrameAction::Rotate, 0, -5, 0};
        default:
            return {};
    }
}

KeyAction PlainKey(std::uint32_t key) {
    switch (key) {
        case VK_ESCAPE:
            return {FrameAction::Reset};
        case VK_LEFT:
            return {FrameAction::Move, 1, 0, 0};
        case VK_RIGHT:
            return {FrameAction::Move, -1, 0, 0};
        case VK_UP:
            return {FrameAction::Move, 0, 0, 1};
        case VK_DOWN:
            return {FrameAction::Move, 0, 0, -1};
        case VK_ADD:
            return {FrameAction::Move, 0, -1, 0};
        case VK_SUBTRACT:
            return {FrameAction::Move, 0, 1, 0};
        default:
            return TurnFor(key);
    }
}

void Apply(rm::FrameNode& frame, const KeyAction& a) {
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

bool PerspectiveKey(Scene& scene, std::uint32_t message, std::uint32_t key) {
    if (message == WM_SYSKEYDOWN) {
        const KeyAction a = TurnFor(key);
        if (a.action == FrameAction::None) return false;
        Apply(scene.spinFrame(scene.currentLayer), a);  // never all layers
        return true;
    }
    if (message != WM_KEYDOWN) return false;
    const KeyAction a = PlainKey(key);
    if (a.action == FrameAction::None) return false;
    if (scene.allLayers == 1) {
        for (std::int32_t layer = 0; layer < LayerCount; ++layer)
            Apply(scene.placementFrame(layer), a);
    } else {
        Apply(scene.placementFrame(scene.currentLayer), a);
    }
    return true;
}

}  // namespace kvx
