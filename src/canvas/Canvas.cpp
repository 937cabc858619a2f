#include "canvas/Canvas.h"

namespace kvx {

int Canvas::Create(std::int32_t width, std::int32_t height, int bitsPerPixel) {
    Release();
    if (width <= 0 || height <= 0 || (bitsPerPixel != 16 && bitsPerPixel != 24)) return 0;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    pitch_ = (width * (bitsPerPixel / 8) + 3) & ~3;
    memory_.assign(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height), 0);
    return 1;
}

int Canvas::Release() {
    memory_.clear();
    memory_.shrink_to_fit();
    width_ = height_ = pitch_ = 0;
    bitsPerPixel_ = 0;
    lockDepth_ = 0;
    return 1;
}

bool Canvas::Lock() {
    if (memory_.empty()) return false;
    ++lockDepth_;
    return true;
}

int Canvas::Unlock() {
    if (lockDepth_ > 0) --lockDepth_;
    return 1;
}

PixelBuffer Canvas::Surface() const {
    if (memory_.empty()) return {};
    return PixelBuffer{const_cast<std::uint8_t*>(memory_.data()), pitch_, width_, height_,
                       bitsPerPixel_};
}

PixelBuffer Canvas::Locked() const {
    if (lockDepth_ == 0) return {};
    return Surface();
}

void Canvas::SetPixel(std::int32_t x, std::int32_t y, PixelValue c) {
    if (!Lock()) return;
    kvx::SetPixel(Locked(), x, y, c);
    Unlock();
}

void Canvas::HorizontalLine(std::int32_t x1, std::int32_t y, std::int32_t x2, PixelValue c) {
    kvx::HorizontalLine(Locked(), x1, y, x2, c);
}

void Canvas::VerticalLine(std::int32_t x, std::int32_t y1, std::int32_t y2, PixelValue c) {
    kvx::VerticalLine(Locked(), x, y1, y2, c);
}

void Canvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  PixelValue c) {
    kvx::Line(Locked(), x1, y1, x2, y2, c);
}

int Canvas::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                     PixelValue c) {
    return kvx::DrawLine(Locked(), x1, y1, x2, y2, c);
}

bool Canvas::Fill(const PixelRect& rect, PixelValue c) {
    if (memory_.empty()) return false;
    kvx::Fill(Surface(), rect, c);
    return true;
}

int Canvas::Present() const {
    if (memory_.empty() || !presenter_) return 0;
    return presenter_(Surface()) ? 1 : 0;
}

}  // namespace kvx
