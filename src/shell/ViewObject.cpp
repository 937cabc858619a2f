#include "shell/ViewObject.h"

#include "shell/WindowRecords.h"

namespace kvx {

int ViewObject::Init(rm::SceneRoot& sceneRoot, ChildWindow& window, bool with3D,
                     platform::WindowSystem& windows) {
    scene = &sceneRoot;
    owner = &window;
    uses3D = with3D;
    windows_ = &windows;
    const int bits = window.application != nullptr ? window.application->bitsPerPixel : 0;
    canvas.Create(window.clientWidth, window.clientHeight, bits);
    presentedIn_ = window.handle;
    const platform::WindowHandle target = window.handle;
    canvas.SetPresenter(
        [&windows, target](const PixelBuffer& pixels) { return windows.Present(target, pixels); });
    isOpen = false;
    return 1;
}

int ViewObject::Open3D(PointLight& pointLight) {
    if (!uses3D || scene == nullptr) return 0;
    return rig.Open(*scene, canvas, pointLight);
}

void ViewObject::Release() {
    isOpen = false;
    rig.Close();
    // The window must not read the pixels any more once they are gone.
    if (windows_ != nullptr && presentedIn_ != platform::NoWindow)
        windows_->ForgetPixels(presentedIn_);
    presentedIn_ = platform::NoWindow;
    canvas.SetPresenter(nullptr);
    canvas.Release();
    scene = nullptr;
    owner = nullptr;
}

void ViewObject::Clear(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int with3D) {
    ClearValue(canvas.Pack(red, green, blue), with3D);
}

void ViewObject::ClearValue(PixelValue value, int with3D) {
    if (with3D != 0 && uses3D) rig.viewport.Clear();
    canvas.FillAll(value);
}

int ViewObject::Render3D() {
    return rig.viewport.Render();
}

// The software device needs no paint or activation handling of its own: a repaint shows the last
// presented picture.
int ViewObject::Paint() {
    return uses3D && rig.viewport.viewport ? 1 : 0;
}

int ViewObject::Activate(std::uint32_t) {
    return uses3D && rig.viewport.viewport ? 1 : 0;
}

}  // namespace kvx
