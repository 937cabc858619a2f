#pragma once
// A frame of the scene graph: a transform relative to its parent, child frames, visuals (mesh
// builders) and lights. A parent keeps its children alive; Detach takes a frame out of the graph.

#include <cstdint>
#include <memory>
#include <vector>

#include "retained/Light.h"
#include "retained/Math.h"
#include "retained/MeshBuilder.h"
#include "retained/Result.h"

namespace kvx::rm {

class Frame : public std::enable_shared_from_this<Frame> {
  public:
    Frame() = default;
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    Frame* Parent() const { return parent_; }
    const std::vector<std::shared_ptr<Frame>>& Children() const { return children_; }
    const std::vector<std::shared_ptr<MeshBuilder>>& Visuals() const { return visuals_; }
    const std::vector<std::shared_ptr<Light>>& Lights() const { return lights_; }

    // Makes child a child of this frame (taking it from any earlier parent).
    Result AddChild(const std::shared_ptr<Frame>& child);
    // Takes this frame out of its parent's children; it is no longer drawn or lit.
    void Detach();

    Result AddVisual(const std::shared_ptr<MeshBuilder>& visual);
    Result DeleteVisual(const MeshBuilder* visual);
    Result AddLight(const std::shared_ptr<Light>& light);
    Result DeleteLight(const Light* light);

    // Rotation by theta radians about (x, y, z), combined with the current transform.
    Result AddRotation(Combine combine, double x, double y, double z, double theta);
    Result AddTranslation(Combine combine, double x, double y, double z);
    // Scaling along the axes (each factor positive), combined with the current transform.
    Result AddScale(Combine combine, double sx, double sy, double sz);
    const Matrix4& Transform() const { return transform_; }
    // Local to world: this frame's transform followed by each parent's.
    Matrix4 WorldTransform() const;

    // Background colour 0xAARRGGBB of a root frame's scene.
    Result SetSceneBackground(std::uint32_t color) {
        background_ = color;
        return Ok;
    }
    std::uint32_t SceneBackground() const { return background_; }

  private:
    void Combined(Combine combine, const Matrix4& t);

    Frame* parent_ = nullptr;
    std::vector<std::shared_ptr<Frame>> children_;
    std::vector<std::shared_ptr<MeshBuilder>> visuals_;
    std::vector<std::shared_ptr<Light>> lights_;
    Matrix4 transform_ = Matrix4::Identity();
    std::uint32_t background_ = 0xFF000000u;
};

}  // namespace kvx::rm
