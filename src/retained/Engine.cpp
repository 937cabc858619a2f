#include "retained/Engine.h"

#include "canvas/Canvas.h"

namespace kvx::rm {

Result Engine::CreateFrame(Frame* parent, std::shared_ptr<Frame>& frame) {
    auto f = std::make_shared<Frame>();
    if (parent) {
        const Result r = parent->AddChild(f);
        if (!Succeeded(r)) return r;
    }
    frame = std::move(f);
    return Ok;
}

Result Engine::CreateMeshBuilder(std::shared_ptr<MeshBuilder>& builder) {
    builder = std::make_shared<MeshBuilder>();
    return Ok;
}

Result Engine::CreateLightRGB(LightType type, double r, double g, double b,
                              std::shared_ptr<Light>& light) {
    if (type != LightType::Ambient && type != LightType::Point && type != LightType::Directional)
        return ErrBadValue;
    light = std::make_shared<Light>(type, r, g, b);
    return Ok;
}

Result Engine::CreateDeviceFromSurface(Canvas* canvas, std::shared_ptr<Device>& device) {
    if (!canvas || !canvas->IsCreated()) return ErrBadObject;
    device = std::make_shared<Device>(canvas);
    return Ok;
}

Result Engine::CreateViewport(const std::shared_ptr<Device>& device,
                              const std::shared_ptr<Frame>& camera, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height,
                              std::shared_ptr<Viewport>& viewport) {
    if (!device || !camera) return ErrBadObject;
    if (width <= 0 || height <= 0 || x < 0 || y < 0) return ErrBadValue;
    viewport = std::make_shared<Viewport>(device, camera, x, y, width, height);
    return Ok;
}

}  // namespace kvx::rm
