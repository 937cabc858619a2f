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
    return device_ ? Ok : ErrBadObject;
}

Result Viewport::Render(const Frame&) {
    return device_ && camera_ ? Ok : ErrBadObject;
}

}  // namespace kvx::rm
