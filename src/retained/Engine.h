#pragma once
// The retained-mode engine's factory: frames, mesh builders, lights, devices and viewports.

#include <memory>

#include "retained/Device.h"
#include "retained/Frame.h"
#include "retained/Light.h"
#include "retained/MeshBuilder.h"
#include "retained/Result.h"

namespace kvx {
class Canvas;
}

namespace kvx::rm {

class Engine {
  public:
    // A new frame, child of parent (a root frame when parent is null).
    Result CreateFrame(Frame* parent, std::shared_ptr<Frame>& frame);
    Result CreateMeshBuilder(std::shared_ptr<MeshBuilder>& builder);
    Result CreateLightRGB(LightType type, double r, double g, double b,
                          std::shared_ptr<Light>& light);
    // A device drawing into canvas, which must outlive the device and be created.
    Result CreateDeviceFromSurface(Canvas* canvas, std::shared_ptr<Device>& device);
    Result CreateViewport(const std::shared_ptr<Device>& device,
                          const std::shared_ptr<Frame>& camera, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height,
                          std::shared_ptr<Viewport>& viewport);
};

}  // namespace kvx::rm
