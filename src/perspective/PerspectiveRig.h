#pragma once
// The perspective view's 3D set-up: a device on the view's canvas, the camera and a viewport
// through it, and the view's ambient and directional lights; the point light, which outlives
// the view, is the program's and is only (re)created here. The editor's perspective view and
// kvxtool's picture both come from this one path, so they show the same thing.

#include <cstdint>

#include "perspective/Lights.h"
#include "retained/SceneNodes.h"

namespace kvx {

class Canvas;

// Where the camera is put when the view opens: turned (degrees), then moved (world units).
inline constexpr std::int32_t CameraTurn[3] = {45, -45, 0};
inline constexpr double CameraMove[3] = {10.0, 10.0, -10.0};
inline constexpr float AmbientDefault = 0.5f;
inline constexpr float DirectionalDefault = 1.0f;
inline constexpr std::int32_t DirectionalTurn[3] = {45, 0, 0};
inline constexpr double DirectionalMove[3] = {0.0, 1.0, -5.0};
inline constexpr float PointDefault = 255.0f;
inline constexpr double PointPosition[3] = {0.0, 1.0, 0.0};

class PerspectiveRig {
  public:
    PerspectiveRig() = default;
    ~PerspectiveRig() { Close(); }
    PerspectiveRig(const PerspectiveRig&) = delete;
    PerspectiveRig& operator=(const PerspectiveRig&) = delete;

    // Opens the view's 3D side on canvas (created, the view's size): device, camera under the
    // root, viewport over the whole device (cleared once), camera placement, ambient light,
    // quality 0x89, directional light, then pointLight created and placed. 1 when every step
    // succeeded; a failed step leaves the ones before it in place.
    int Open(rm::SceneRoot& root, Canvas& canvas, PointLight& pointLight);
    // Releases the viewport, the ambient light, the camera frame, the directional light and the
    // device, in that order.
    void Close();
    bool IsOpen() const { return viewport.viewport != nullptr; }

    // One redraw: the canvas filled with the background colour, the viewport cleared, the root
    // rendered and the device updated, leaving the picture in the canvas. 1 on success.
    int Redraw(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // The light markers: the point light's, then the directional light's.
    void ShowMarkers();
    void HideMarkers();

    rm::SceneRoot* root = nullptr;
    Canvas* canvas = nullptr;
    rm::DeviceNode device;
    rm::FrameNode camera;
    rm::ViewportNode viewport;
    AmbientLight ambient;
    DirectionalLight directional;
    PointLight* point = nullptr;
};

}  // namespace kvx
