#include "retained/Device.h"

#include "canvas/Canvas.h"

namespace kvx::rm {

std::int32_t Device::GetWidth() const {
    return canvas_ ? canvas_->Width() : 0;
}
std::int32_t Device::GetHeight() const {
    return canvas_ ? canvas_->Height() : 0;
}

Result Device::Update() {
    return canvas_ && canvas_->IsCreated() ? Ok : ErrBadObject;
}

Result Viewport::Clear() {
    if (!device_ || !device_->Target() || !device_->Target()->IsCreated()) return ErrBadObject;
    device_->GetRenderer().ClearDepth(*device_->Target(), {x_, y_, width_, height_});
    return Ok;
}

Result Viewport::Render(const Frame& root) {
    if (!device_ || !camera_ || !device_->Target() || !device_->Target()->IsCreated())
        return ErrBadObject;
    return device_->GetRenderer().Render(root, *camera_, {x_, y_, width_, height_},
                                         device_->Quality(), *device_->Target());
}

}  // namespace kvx::rm
