#pragma once
// A small pixel buffer with a padded pitch and guard bytes around it, to catch writes outside.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "canvas/PixelBuffer.h"

namespace kvx::test {

class TestBuffer {
  public:
    static constexpr int Guard = 64;

    TestBuffer(int width, int height, int bitsPerPixel)
        : memory_(Size(width, height, bitsPerPixel), 0xAB) {
        buffer_.pitch = width * (bitsPerPixel / 8) + 5;  // deliberately wider than a row
        buffer_.width = width;
        buffer_.height = height;
        buffer_.bitsPerPixel = bitsPerPixel;
        buffer_.base = memory_.data() + Guard;
        // Pixel memory starts cleared; the guards keep their pattern.
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < width * (bitsPerPixel / 8); ++i)
                buffer_.base[y * buffer_.pitch + i] = 0;
    }

    const PixelBuffer& buffer() const { return buffer_; }
    PixelValue At(int x, int y) const { return buffer_.Get(x, y); }

    // Every pixel that is not zero.
    std::set<std::pair<int, int>> Written() const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < buffer_.height; ++y)
            for (int x = 0; x < buffer_.width; ++x)
                if (At(x, y) != 0) out.insert({x, y});
        return out;
    }

    // True when no byte outside the pixels of the rows was touched.
    bool GuardsIntact() const {
        const int rowBytes = buffer_.width * (buffer_.bitsPerPixel / 8);
        for (std::size_t i = 0; i < memory_.size(); ++i) {
            const auto offset = static_cast<long>(i) - Guard;
            const bool inRows =
                offset >= 0 && offset < static_cast<long>(buffer_.pitch) * buffer_.height;
            const bool inPixels = inRows && (offset % buffer_.pitch) < rowBytes;
            if (!inPixels && memory_[i] != 0xAB) return false;
        }
        return true;
    }

  private:
    static std::size_t Size(int w, int h, int bpp) {
        return static_cast<std::size_t>((w * (bpp / 8) + 5) * h + 2 * Guard);
    }
    std::vector<std::uint8_t> memory_;
    PixelBuffer buffer_;
};

}  // namespace kvx::test
