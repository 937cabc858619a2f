#include "shell/Navigation.h"

#include <algorithm>
#include <cmath>

#include "platform/Constants.h"
#include "retained/Frame.h"
#include "views/ViewNavigation.h"

namespace kvx {
namespace {

using namespace platform;

struct PixelOf {
    std::int32_t x, y;
};
PixelOf Pixel(const Message& m) {
    return {static_cast<std::int16_t>(LowWord(m.lParam)),
            static_cast<std::int16_t>(HighWord(m.lParam))};
}

// Whole wheel notches of the message; a partial turn (a fine-grained wheel) counts as one.
int Notches(const Message& m) {
    const auto turn = static_cast<std::int16_t>(HighWord(m.wParam));
    const int whole = turn / WheelNotch;
    return whole != 0 ? whole : (turn > 0 ? 1 : -1);
}

// The drag's step since the last message, taking the new position as the next start.
PixelOf Step(NavigationDrag& drag, const Message& m) {
    const PixelOf p = Pixel(m);
    const PixelOf step{p.x - drag.x, p.y - drag.y};
    drag.x = p.x;
    drag.y = p.y;
    return step;
}

void Start(NavigationDrag& drag, ViewId view, const Message& m) {
    const PixelOf p = Pixel(m);
    drag = {view, p.x, p.y};
}

void SteerCamera(Editor& editor) {
    editor.camera.Apply(editor.views[ViewPerspective].rig.camera);
    editor.RequestRedraw(RedrawScope::ThisView, ViewPerspective);
}

// The sphere around every vertex as the perspective view places it (through its layer's frames).
bool ModelSphere(Scene& scene, rm::Vec3& centre, double& radius) {
    rm::Matrix4 toWorld[LayerCount];
    for (std::int32_t l = 0; l < LayerCount; ++l) {
        const rm::FrameNode& f = scene.spinFrame(l);
        toWorld[l] = f.frame ? f.frame->WorldTransform() : rm::Matrix4::Identity();
    }
    bool any = false;
    rm::Vec3 low{}, high{};
    for (const Vertex& v : scene.vertices) {
        const std::int32_t l = std::clamp(std::int32_t{v.layer}, 0, LayerCount - 1);
        const rm::Vec3 p = toWorld[l].TransformPoint({v.x, v.y, v.z});
        low = any ? rm::Vec3{std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)} : p;
        high =
            any ? rm::Vec3{std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)} : p;
        any = true;
    }
    if (!any) return false;
    centre = (low + high) * 0.5;
    radius = Length(high - low) / 2;
    return std::isfinite(radius);
}

}  // namespace

bool FlatViewNavigation(Editor& editor, ViewId view, const Message& m) {
    NavigationDrag& drag = editor.navigation;
    ViewState& state = editor.viewStates[view];
    switch (m.message) {
        case WM_MOUSEWHEEL: {
            const PixelOf p = Pixel(m);
            ZoomAboutPixel(state, p.x, p.y, Notches(m));
            editor.RequestRedraw(RedrawScope::ThisView, view);
            return true;
        }
        case WM_MBUTTONDOWN:
            Start(drag, view, m);
            return true;
        case WM_MBUTTONUP:
            drag.view = ViewNone;
            return true;
        case WM_MOUSEMOVE:
            if (drag.view != view || (m.wParam & MK_MBUTTON) == 0) return false;
            {
                const PixelOf step = Step(drag, m);
                PanByPixels(state, step.x, step.y);
            }
            editor.RequestRedraw(RedrawScope::ThisView, view);
            return false;  // the mouse position and its texts follow as on any move
        default:
            return false;
    }
}

bool PerspectiveNavigation(Editor& editor, const Message& m) {
    NavigationDrag& drag = editor.navigation;
    switch (m.message) {
        case WM_MOUSEWHEEL:
            editor.camera.Zoom(Notches(m));
            SteerCamera(editor);
            return true;
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
            Start(drag, ViewPerspective, m);
            return true;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
            drag.view = ViewNone;
            return true;
        case WM_MOUSEMOVE:
            if (drag.view != ViewPerspective || (m.wParam & (MK_LBUTTON | MK_MBUTTON)) == 0)
                return false;
            {
                const PixelOf step = Step(drag, m);
                editor.camera.Drag(step.x, step.y, (m.wParam & MK_SHIFT) != 0);
            }
            SteerCamera(editor);
            return false;
        default:
            return false;
    }
}

void FrameAll(Editor& editor) {
    Scene& scene = *editor.scene;
    if (const auto box = ShownBox(scene)) {
        for (const ViewId v : FlatViews)
            editor.viewStates[v] = FramedView(*box, v, editor.viewStates[v]);
    } else {
        ResetAllViews(editor.viewStates);
    }
    rm::Vec3 centre{};
    double radius = 0;
    if (ModelSphere(scene, centre, radius)) {
        editor.camera.Frame(centre, radius);
    } else {
        editor.camera = OrbitCamera::Start();
    }
    if (editor.views[ViewPerspective].isOpen) SteerCamera(editor);
    editor.framingNote.clear();
    editor.RequestRedraw(RedrawScope::Orthographic);
}

void NoteFramingAfterLoad(Editor& editor) {
    const auto box = ShownBox(*editor.scene);
    editor.framingNote =
        box && NeedsFraming(*box) ? "Modèle hors des vues ou minuscule : F (Cadrer tout)" : "";
}

}  // namespace kvx
