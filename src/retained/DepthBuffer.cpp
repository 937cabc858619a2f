#include "retained/DepthBuffer.h"

#include <algorithm>

namespace kvx::rm {

void DepthBuffer::Resize(std::int32_t width, std::int32_t height) {
    if (width == width_ && height == height_) return;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    values_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   DepthCleared);
}

void DepthBuffer::Clear(const PixelRect& rect) {
    const std::int32_t left = std::max(rect.left, 0), right = std::min(rect.right, width_);
    const std::int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, height_);
    if (left >= right) return;
    for (std::int32_t y = top; y < bottom; ++y)
        std::fill(Row(y) + left, Row(y) + right, DepthCleared);
}

}  // namespace kvx::rm
