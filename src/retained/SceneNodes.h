#pragma once
// The program's wrappers around engine objects. Each owns one engine object, creates it from the
// objects it is linked to, releases it on reset or destruction, and reports 1 for success and 0
// for failure. No wrapper shows a message.

#include <cstdint>
#include <memory>

#include "retained/Device.h"
#include "retained/Engine.h"
#include "retained/Frame.h"
#include "retained/MeshBuilder.h"

namespace kvx {
class Canvas;
}

namespace kvx::rm {

class SceneRoot;
class MeshNode;

// Degree factors: the frame rotations set absolutely use 3.1416, the appended ones 3.141592654.
inline constexpr double SetRotationPi = 3.1416;
inline constexpr double RotatePi = 3.141592654;

class FrameNode {
  public:
    FrameNode() = default;
    ~FrameNode() { Release(); }
    FrameNode(const FrameNode&) = delete;
    FrameNode& operator=(const FrameNode&) = delete;

    // A new frame under parent (any frame held before is released first).
    int CreateChild(SceneRoot& scene, FrameNode& parent);
    // The same, from an engine directly; scene stays null.
    int CreateChildOf(Engine& engine, FrameNode& parent);

    // Rotation about x, then y, then z replacing the transform (and so its translation).
    int SetRotationDegrees(std::int32_t ax, std::int32_t ay, std::int32_t az);
    // Rotation about the parent's x, then y, then z appended to the transform.
    int RotateDegrees(std::int32_t ax, std::int32_t ay, std::int32_t az);
    // Translation replacing the transform (and so its rotation).
    int SetPositionReplace(double x, double y, double z);
    // Translation along the parent's axes appended to the transform.
    int MoveBy(double x, double y, double z);
    int AddVisualMesh(const MeshNode& mesh);
    int DeleteVisualMesh(const MeshNode& mesh);
    // Releases the frame and takes it out of the scene graph.
    void Release();

    SceneRoot* scene = nullptr;
    FrameNode* parent = nullptr;
    std::shared_ptr<Frame> frame;
};

class SceneRoot {
  public:
    SceneRoot() = default;
    ~SceneRoot() { Reset(); }
    SceneRoot(const SceneRoot&) = delete;
    SceneRoot& operator=(const SceneRoot&) = delete;

    // The engine and the root frame, with an opaque black background.
    int Create();
    void Reset();
    bool IsCreated() const { return rm != nullptr && root.frame != nullptr; }

    std::unique_ptr<Engine> rm;
    FrameNode root;
};

class MeshNode {
  public:
    MeshNode() = default;
    ~MeshNode() { Reset(); }
    MeshNode(const MeshNode&) = delete;
    MeshNode& operator=(const MeshNode&) = delete;

    int Create(SceneRoot& scene);
    void Reset();
    // Light marker shapes: a cube (eight corners at +-size) and a pyramid whose apex points along
    // +z, centred on (x, y, z), added with one AddFaces. They report 1 whatever the engine says.
    int AddCubeMarker(double size, double x, double y, double z);
    int AddPyramidMarker(double size, double x, double y, double z);

    SceneRoot* scene = nullptr;
    std::shared_ptr<MeshBuilder> builder;
    std::int32_t facesAdded = 0;    // faces added through the scene records
    std::int32_t normalsAdded = 0;  // the index the next normal gets
};

class DeviceNode {
  public:
    DeviceNode() = default;
    ~DeviceNode() { Release(); }
    DeviceNode(const DeviceNode&) = delete;
    DeviceNode& operator=(const DeviceNode&) = delete;

    // A device on canvas's surface, with the current quality.
    int CreateFromSurface(SceneRoot& scene, Canvas& canvas);
    int SetQuality(std::uint32_t q);
    void Release();

    std::shared_ptr<Device> device;
    Canvas* canvas = nullptr;
    SceneRoot* scene = nullptr;
    std::uint32_t quality = QualityWireframe;
};

class ViewportNode {
  public:
    ViewportNode() = default;
    ~ViewportNode() { Release(); }
    ViewportNode(const ViewportNode&) = delete;
    ViewportNode& operator=(const ViewportNode&) = delete;

    // A viewport through camera; any of x, y, width, height equal to -1 covers the whole device.
    // Cleared once after creation.
    int Create(SceneRoot& scene, DeviceNode& device, FrameNode& camera, std::int32_t x,
               std::int32_t y, std::int32_t width, std::int32_t height);
    int Clear();
    // Renders the scene's root frame and updates the device, leaving the picture in the canvas.
    int Render();
    void Release();

    std::shared_ptr<Viewport> viewport;
    DeviceNode* deviceNode = nullptr;
    SceneRoot* scene = nullptr;
    std::int32_t x = 0, y = 0, width = 0, height = 0;
};

}  // namespace kvx::rm
