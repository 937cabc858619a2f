#pragma once
// The depth buffer of a device: one value per pixel, 1/z of the nearest surface drawn there so
// far. Larger is nearer; cleared to 0, which is farther than anything drawable.

#include <cstdint>
#include <vector>

#include "canvas/PixelBuffer.h"

namespace kvx::rm {

inline constexpr float DepthCleared = 0.0f;

class DepthBuffer {
  public:
    // Makes room for width x height pixels; new contents are cleared.
    void Resize(std::int32_t width, std::int32_t height);
    // Clears the pixels of rect (clipped to the buffer).
    void Clear(const PixelRect& rect);
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // Row y, 0 <= y < height.
    float* Row(std::int32_t y) {
        return values_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    float At(std::int32_t x, std::int32_t y) const {
        return values_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }

  private:
    std::vector<float> values_;
    std::int32_t width_ = 0, height_ = 0;
};

}  // namespace kvx::rm
