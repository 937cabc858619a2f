#pragma once
// A window's off-screen pixel surface: plain memory of W x H pixels at the desktop's depth, with
// nested locking, the span and line routines, a colour fill, and presentation through whatever
// shows pixels on screen (set by the shell; none in headless use).

#include <cstdint>
#include <functional>
#include <vector>

#include "canvas/PixelBuffer.h"

namespace kvx {

class Canvas {
  public:
    // Called by Present with the whole surface; returns false when it could not show it.
    using Presenter = std::function<bool(const PixelBuffer&)>;

    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Allocates a W x H surface at 16 or 24 bits (rows padded to 4 bytes). 0 on a bad size or
    // depth.
    int Create(std::int32_t width, std::int32_t height, int bitsPerPixel);
    // Frees the surface; drawing afterwards writes nothing. Always 1.
    int Release();
    bool IsCreated() const { return !memory_.empty(); }

    // Locks nest: only the outermost Unlock ends the lock. Lock fails without a surface.
    bool Lock();
    int Unlock();
    bool IsLocked() const { return lockDepth_ > 0; }
    // The locked view; its base is null unless the canvas is locked.
    PixelBuffer Locked() const;
    // The surface regardless of the lock, for reading back and presenting.
    PixelBuffer Surface() const;

    // Brackets its own lock, so it may be used inside or outside a lock of this canvas.
    void SetPixel(std::int32_t x, std::int32_t y, PixelValue c);
    // These need the canvas locked; unlocked, they draw nothing.
    void HorizontalLine(std::int32_t x1, std::int32_t y, std::int32_t x2, PixelValue c);
    void VerticalLine(std::int32_t x, std::int32_t y1, std::int32_t y2, PixelValue c);
    void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, PixelValue c);
    int DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, PixelValue c);
    // Colour fill of a rectangle (no lock needed, as a blit). False without a surface.
    bool Fill(const PixelRect& rect, PixelValue c);
    bool FillAll(PixelValue c) { return Fill(SourceRect(), c); }

    void SetPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    // Shows the whole surface through the presenter. 0 when there is nothing to show or it failed.
    int Present() const;

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    std::int32_t Pitch() const { return pitch_; }
    PixelRect SourceRect() const { return {0, 0, width_, height_}; }
    PixelValue Pack(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        return PackColor(r, g, b, bitsPerPixel_);
    }

  private:
    std::vector<std::uint8_t> memory_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t pitch_ = 0;
    int bitsPerPixel_ = 0;
    int lockDepth_ = 0;
    Presenter presenter_;
};

}  // namespace kvx
