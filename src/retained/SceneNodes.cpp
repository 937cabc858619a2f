#include "retained/SceneNodes.h"

#include "canvas/Canvas.h"

#include <vector>

namespace kvx::rm {
namespace {
int Flag(Result r) {
    return Succeeded(r) ? 1 : 0;
}
}  // namespace

int FrameNode::CreateChild(SceneRoot& s, FrameNode& p) {
    scene = &s;
    parent = &p;
    Release();
    if (!s.rm) return 0;
    return Flag(s.rm->CreateFrame(p.frame.get(), frame));
}

int FrameNode::CreateChildOf(Engine& engine, FrameNode& p) {
    scene = nullptr;
    parent = &p;
    Release();
    return Flag(engine.CreateFrame(p.frame.get(), frame));
}

namespace {
// Rotations about x, then y, then z, in degrees with the given value of pi; the first one is
// combined with `first`, the others appended.
int RotateAxes(Frame& frame, Combine first, double pi, std::int32_t ax, std::int32_t ay,
               std::int32_t az) {
    const auto rad = [pi](std::int32_t d) { return d * pi * 2.0 / 360.0; };
    if (!Succeeded(frame.AddRotation(first, 1, 0, 0, rad(ax)))) return 0;
    if (!Succeeded(frame.AddRotation(Combine::After, 0, 1, 0, rad(ay)))) return 0;
    return Flag(frame.AddRotation(Combine::After, 0, 0, 1, rad(az)));
}
}  // namespace

int FrameNode::SetRotationDegrees(std::int32_t ax, std::int32_t ay, std::int32_t az) {
    return frame ? RotateAxes(*frame, Combine::Replace, SetRotationPi, ax, ay, az) : 0;
}

int FrameNode::RotateDegrees(std::int32_t ax, std::int32_t ay, std::int32_t az) {
    return frame ? RotateAxes(*frame, Combine::After, RotatePi, ax, ay, az) : 0;
}

int FrameNode::SetPositionReplace(double x, double y, double z) {
    return frame ? Flag(frame->AddTranslation(Combine::Replace, x, y, z)) : 0;
}

int FrameNode::MoveBy(double x, double y, double z) {
    return frame ? Flag(frame->AddTranslation(Combine::After, x, y, z)) : 0;
}

int FrameNode::AddVisualMesh(const MeshNode& mesh) {
    return frame && mesh.builder ? Flag(frame->AddVisual(mesh.builder)) : 0;
}

int FrameNode::DeleteVisualMesh(const MeshNode& mesh) {
    return frame && mesh.builder ? Flag(frame->DeleteVisual(mesh.builder.get())) : 0;
}

void FrameNode::Release() {
    if (!frame) return;
    frame->Detach();
    frame.reset();
}

int SceneRoot::Create() {
    if (rm) Reset();
    rm = std::make_unique<Engine>();
    if (!Succeeded(rm->CreateFrame(nullptr, root.frame))) return 0;
    root.scene = this;
    root.parent = nullptr;
    return Flag(root.frame->SetSceneBackground(0xFF000000u));
}

void SceneRoot::Reset() {
    root.Release();
    root.scene = nullptr;
    rm.reset();
}

int MeshNode::Create(SceneRoot& s) {
    scene = &s;
    if (!s.rm) return 0;
    return Flag(s.rm->CreateMeshBuilder(builder));
}

namespace {

// Each vertex of the unit shape, times size and offset by the centre in double precision.
std::vector<Vec3f> PlaceShape(const double (*unit)[3], std::size_t count, double size, double x,
                              double y, double z) {
    std::vector<Vec3f> out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(
            Narrow({unit[i][0] * size + x, unit[i][1] * size + y, unit[i][2] * size + z}));
    return out;
}

}  // namespace

int MeshNode::AddCubeMarker(double size, double x, double y, double z) {
    static constexpr double unit[8][3] = {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                                          {1, -1, 1},  {-1, -1, 1},  {-1, 1, 1},  {1, 1, 1}};
    static constexpr std::uint32_t faces[] = {4, 0, 1, 2, 3, 4, 1, 2, 6, 5, 4, 6, 7, 4, 5, 4,
                                              7, 4, 0, 3, 4, 2, 6, 7, 3, 4, 0, 4, 5, 1, 0};
    if (builder) {
        const auto v = PlaceShape(unit, 8, size, x, y, z);
        builder->AddFaces(8, v.data(), 0, nullptr, faces);
    }
    return 1;
}

int MeshNode::AddPyramidMarker(double size, double x, double y, double z) {
    static constexpr double unit[5][3] = {
        {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {0, 0, 1}};
    static constexpr std::uint32_t faces[] = {4, 0, 1, 2, 3, 3, 0, 1, 4, 3, 4,
                                              1, 2, 3, 2, 3, 4, 3, 3, 0, 4, 0};
    if (builder) {
        const auto v = PlaceShape(unit, 5, size, x, y, z);
        builder->AddFaces(5, v.data(), 0, nullptr, faces);
    }
    return 1;
}

void MeshNode::Reset() {
    builder.reset();
    scene = nullptr;
    facesAdded = 0;
    normalsAdded = 0;
}

int DeviceNode::CreateFromSurface(SceneRoot& s, Canvas& c) {
    scene = &s;
    canvas = &c;
    Release();
    if (!s.rm || !Succeeded(s.rm->CreateDeviceFromSurface(&c, device))) return 0;
    return Flag(device->SetQuality(quality));
}

int DeviceNode::SetQuality(std::uint32_t q) {
    quality = q;
    return device ? Flag(device->SetQuality(q)) : 0;
}

void DeviceNode::Release() {
    device.reset();
}

int ViewportNode::Create(SceneRoot& s, DeviceNode& d, FrameNode& camera, std::int32_t x0,
                         std::int32_t y0, std::int32_t w, std::int32_t h) {
    scene = &s;
    deviceNode = &d;
    Release();
    if (!s.rm || !d.device) return 0;
    if (x0 == -1 || y0 == -1 || w == -1 || h == -1) {
        x0 = y0 = 0;
        w = d.device->GetWidth();
        h = d.device->GetHeight();
    }
    x = x0;
    y = y0;
    width = w;
    height = h;
    if (!Succeeded(s.rm->CreateViewport(d.device, camera.frame, x, y, width, height, viewport)))
        return 0;
    viewport->Clear();
    return 1;
}

int ViewportNode::Clear() {
    return viewport ? Flag(viewport->Clear()) : 0;
}

int ViewportNode::Render() {
    if (!viewport || !scene || !scene->root.frame || !deviceNode || !deviceNode->device) return 0;
    if (!Succeeded(viewport->Render(*scene->root.frame))) return 0;
    return Flag(deviceNode->device->Update());
}

void ViewportNode::Release() {
    viewport.reset();
}

}  // namespace kvx::rm
