#include "canvas/LongLine.h"

namespace kvx {
namespace {

// Narrows [t0, t1] to where p + t * d lies in [lo, hi] on one axis (Liang-Barsky). False when
// nothing is left.
bool KeepInside(double p, double d, double lo, double hi, double& t0, double& t1) {
    if (d == 0) return p >= lo && p <= hi;
    double enter = (lo - p) / d, leave = (hi - p) / d;
    if (d < 0) std::swap(enter, leave);
    if (enter > t0) t0 = enter;
    if (leave < t1) t1 = leave;
    return t0 <= t1;
}

std::int32_t Whole(double v) {
    return static_cast<std::int32_t>(v);  // within the widened buffer: no overflow
}

}  // namespace

int DrawLongLine(const PixelBuffer& buffer, PixelPosition a, PixelPosition b, PixelValue c) {
    if (InExactRange(a) && InExactRange(b))
        return DrawLine(buffer, Whole(a.x), Whole(a.y), Whole(b.x), Whole(b.y), c);
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return 0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    if (!KeepInside(a.x, dx, -LongLineMargin, buffer.width - 1 + LongLineMargin, t0, t1) ||
        !KeepInside(a.y, dy, -LongLineMargin, buffer.height - 1 + LongLineMargin, t0, t1)) {
        return 0;
    }
    // A cut point is measured from the end nearer to the buffer, so it carries only that end's
    // rounding, and is rounded to the nearest pixel.
    const bool fromA =
        std::fmax(std::fabs(a.x), std::fabs(a.y)) <= std::fmax(std::fabs(b.x), std::fabs(b.y));
    const auto cut = [&](double t) -> PixelPosition {
        if (fromA) return {std::round(a.x + t * dx), std::round(a.y + t * dy)};
        return {std::round(b.x - (1 - t) * dx), std::round(b.y - (1 - t) * dy)};
    };
    const PixelPosition from = t0 > 0 ? cut(t0) : a;
    const PixelPosition to = t1 < 1 ? cut(t1) : b;
    return DrawLine(buffer, Whole(from.x), Whole(from.y), Whole(to.x), Whole(to.y), c);
}

}  // namespace kvx
