#pragma once
// One view: its window record, its canvas and, for the perspective view, the 3D device, viewport,
// camera and the two lights it owns, and whether it is open.

#include <cstdint>

#include "canvas/Canvas.h"
#include "perspective/Lights.h"
#include "perspective/PerspectiveRig.h"
#include "platform/WindowSystem.h"
#include "retained/SceneNodes.h"

namespace kvx {

class ChildWindow;

class ViewObject {
  public:
    ViewObject() = default;
    ~ViewObject() { Release(); }
    ViewObject(const ViewObject&) = delete;
    ViewObject& operator=(const ViewObject&) = delete;

    // Binds the view to its window: a canvas of the window's client size at the desktop depth,
    // presented in that window. With uses3D the view then gets its 3D side from Open3D. Always 1;
    // the view is not yet open.
    int Init(rm::SceneRoot& sceneRoot, ChildWindow& window, bool with3D,
             platform::WindowSystem& windows);
    // The perspective view's device, camera, viewport and lights on this view's canvas, set up
    // as the view opens (the point light is the program's and only re-created). 1 on success.
    int Open3D(PointLight& pointLight);
    // Closes the view's objects: flags cleared, 3D objects and canvas released.
    void Release();

    bool Lock() { return canvas.Lock(); }
    int Unlock() { return canvas.Unlock(); }
    int Present() { return canvas.Present(); }
    int DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, PixelValue c) {
        return canvas.DrawLine(x1, y1, x2, y2, c);
    }
    // Fills the canvas with a colour packed at the canvas's depth; with with3D the 3D viewport
    // is cleared first.
    void Clear(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int with3D);
    void ClearValue(PixelValue value, int with3D);
    // Renders the scene's root frame into the canvas. 0 when the viewport could not render.
    int Render3D();
    // The viewport's handling of a paint and of an activation; 0 for an orthographic view.
    int Paint();
    int Activate(std::uint32_t wParam);

    // Declared before the rig: the rig's device draws into the canvas, so it must go first.
    Canvas canvas;
    PerspectiveRig rig;

    rm::SceneRoot* scene = nullptr;
    ChildWindow* owner = nullptr;
    bool isOpen = false;
    bool uses3D = false;

  private:
    platform::WindowSystem* windows_ = nullptr;
    platform::WindowHandle presentedIn_ = platform::NoWindow;
};

}  // namespace kvx
