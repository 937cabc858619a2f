// Fuzz target: drawing an imported scene. The input's first bytes set up the flat views (zoom,
// centre, the passes shown, the mouse, the point light, the mirror anchor, what is selected) and
// the rest is a scene file; the scene is drawn in the six flat views and the perspective view,
// at 16 and 24 bits. The sanitizers and the canvases' guard checks do the judging.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "canvas/Canvas.h"
#include "perspective/PerspectiveRig.h"
#include "retained/RenderQuality.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneFile.h"
#include "scene/SceneInvariants.h"
#include "views/ViewsRedraw.h"

namespace kvx {
namespace {

// Small canvases keep each run short; the arithmetic does not depend on their size.
constexpr std::int32_t CanvasSide = 40;
constexpr std::size_t SettingsSize = 2 + 8 * 12;  // flags, selection, twelve numbers

// Reads the settings from the front of the input, field by field.
struct Settings {
    const std::uint8_t* at;
    std::uint8_t Byte() { return *at++; }
    // A raw double, or fallback when it is not finite.
    double Number(double fallback) {
        double v;
        std::memcpy(&v, at, sizeof v);
        at += sizeof v;
        return std::isfinite(v) ? v : fallback;
    }
};

void Draw(Scene& scene, rm::SceneRoot& root, const ViewState& state, const ViewPassInputs& base,
          bool wireframe) {
    for (const int depth : {16, 24}) {
        ViewPassInputs in = base;
        in.colours = PackedColours::For(depth);
        Canvas canvas;
        if (!canvas.Create(CanvasSide, CanvasSide, depth)) std::abort();
        ViewsRedraw redraw;
        for (ViewId view = ViewTop; view <= ViewBack; ++view) {
            canvas.FillAll(canvas.Pack(155, 155, 155));
            canvas.Lock();
            in.mouse.activeView = view;
            const ViewTarget target{&canvas, &state, view};
            redraw.Draw(scene, {&target, 1}, in, 1, {});
            canvas.Unlock();
        }
        Canvas picture;
        PointLight point;
        PerspectiveRig rig;
        if (!picture.Create(CanvasSide, CanvasSide, depth) || !rig.Open(root, picture, point))
            std::abort();
        if (wireframe) rig.device.SetQuality(rm::QualityWireframe);
        rig.ShowMarkers();
        rig.Redraw(0, 0, 0);
    }
}

}  // namespace
}  // namespace kvx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvx;
    if (size < SettingsSize) return 0;
    Settings s{bytes};
    const std::uint8_t flags = s.Byte();
    const std::uint8_t selection = s.Byte();
    ViewState state;
    state.pixelSize = CanvasSide;
    const double width = s.Number(DefaultViewWidth);
    if (width >= MinViewWidth && width <= MaxViewWidth) state.width = width;
    state.centerU = s.Number(0);
    state.centerV = s.Number(0);
    ViewPassInputs in;
    in.showGrid = flags & 1;
    in.showRulers = flags & 2;
    in.showMouseAxes = flags & 4;
    in.showNormals = flags & 8;
    in.magneticGrid = flags & 16;
    in.pointLight.shown = flags & 32;
    in.mirrorLineActive = flags & 64;
    in.fenceDragActive = flags & 128;
    in.mouse.pixelX = std::fmod(s.Number(0), 65536.0);
    in.mouse.pixelY = std::fmod(s.Number(0), 65536.0);
    in.mouse.worldX = s.Number(0);
    in.pointLight.x = s.Number(0);
    in.pointLight.y = s.Number(1);
    in.pointLight.z = s.Number(-5);
    for (double& a : in.mirrorAnchor)
        a = s.Number(0);

    SceneFileData data;
    std::string reason;
    if (!ReadSceneBytes({bytes + SettingsSize, size - SettingsSize}, data, reason)) return 0;
    rm::SceneRoot root;
    root.Create();
    Scene scene(root);
    if (!AddSceneFileToScene(scene, data, true, reason)) return 0;
    if (selection & 1) scene.SelectAllFaces();
    for (std::int32_t i = 0; i < scene.vertexCount(); ++i)
        if ((selection & 2) && (i % 3 == (selection >> 4) % 3)) scene.ToggleVertex(i);
    if (selection & 4) scene.ToggleAllLayers();
    if (!CheckSceneInvariants(scene).empty()) std::abort();
    Draw(scene, root, state, in, selection & 8);
    return 0;
}
