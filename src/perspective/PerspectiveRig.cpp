#include "perspective/PerspectiveRig.h"

#include "canvas/Canvas.h"

namespace kvx {

int PerspectiveRig::Open(rm::SceneRoot& sceneRoot, Canvas& target, PointLight& pointLight) {
    root = &sceneRoot;
    canvas = &target;
    point = &pointLight;
    if (!device.CreateFromSurface(sceneRoot, target)) return 0;
    if (!camera.CreateChild(sceneRoot, sceneRoot.root)) return 0;
    if (!viewport.Create(sceneRoot, device, camera, -1, -1, -1, -1)) return 0;
    camera.RotateDegrees(CameraTurn[0], CameraTurn[1], CameraTurn[2]);
    camera.MoveBy(CameraMove[0], CameraMove[1], CameraMove[2]);
    int ok = ambient.Create(sceneRoot, AmbientDefault, AmbientDefault, AmbientDefault);
    ok &= device.SetQuality(rm::QualityGouraud);
    ok &= directional.Create(sceneRoot, DirectionalDefault, DirectionalDefault, DirectionalDefault);
    directional.Rotate(DirectionalTurn[0], DirectionalTurn[1], DirectionalTurn[2]);
    directional.Move(DirectionalMove[0], DirectionalMove[1], DirectionalMove[2]);
    ok &= pointLight.Create(sceneRoot, PointDefault, PointDefault, PointDefault);
    pointLight.SetPosition(PointPosition[0], PointPosition[1], PointPosition[2]);
    return ok;
}

void PerspectiveRig::Close() {
    viewport.Release();
    ambient.Reset();
    camera.Release();
    directional.Reset();
    device.Release();
}

int PerspectiveRig::Redraw(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (!canvas || !IsOpen()) return 0;
    canvas->FillAll(canvas->Pack(red, green, blue));
    viewport.Clear();
    return viewport.Render();
}

void PerspectiveRig::ShowMarkers() {
    if (point) point->ShowMarker();
    directional.ShowMarker();
}

void PerspectiveRig::HideMarkers() {
    if (point) point->HideMarker();
    directional.HideMarker();
}

}  // namespace kvx
