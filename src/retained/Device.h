#pragma once
// The rendering device over a canvas, and a viewport that looks through a camera frame into it.

#include <cstdint>
#include <memory>

#include "retained/Frame.h"
#include "retained/RenderQuality.h"
#include "retained/Renderer.h"
#include "retained/Result.h"

namespace kvx {
class Canvas;
}

namespace kvx::rm {

class Device {
  public:
    explicit Device(Canvas* canvas) : canvas_(canvas) {}

    Result SetQuality(std::uint32_t quality) {
        quality_ = quality;
        return Ok;
    }
    std::uint32_t Quality() const { return quality_; }
    std::int32_t GetWidth() const;
    std::int32_t GetHeight() const;
    Canvas* Target() const { return canvas_; }
    // Leaves the rendered picture in the canvas. Viewports draw straight into the canvas's
    // memory, so the picture is complete once their Render calls are done.
    Result Update();
    // The pipeline state the device's viewports share: the depth buffer and the meshes' caches.
    Renderer& GetRenderer() { return renderer_; }

  private:
    Canvas* canvas_;
    std::uint32_t quality_ = QualityWireframe;
    Renderer renderer_;
};

class Viewport {
  public:
    Viewport(std::shared_ptr<Device> device, std::shared_ptr<Frame> camera, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height)
        : device_(std::move(device)),
          camera_(std::move(camera)),
          x_(x),
          y_(y),
          width_(width),
          height_(height) {}

    // Clears the depth of the viewport's rectangle before a new frame.
    Result Clear();
    // Draws every visual under root, lit by every light under root, as the camera sees it.
    Result Render(const Frame& root);

    Device* GetDevice() const { return device_.get(); }
    Frame* Camera() const { return camera_.get(); }
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

  private:
    std::shared_ptr<Device> device_;
    std::shared_ptr<Frame> camera_;
    std::int32_t x_, y_, width_, height_;
};

}  // namespace kvx::rm
