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
    const double left = -LongLineMargin, right = buffer.width - 1 + LongLineMargin;
    const double top = -LongLineMargin, bottom = buffer.height - 1 + LongLineMargin;
    const auto inside = [&](PixelPosition p) {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    };
    // Measured from the end nearer to the buffer, the cut points carry only that end's rounding
    // (from the far end a cut next to the buffer may not even be representable).
    const bool aNearer =
        std::fmax(std::fabs(a.x), std::fabs(a.y)) <= std::fmax(std::fabs(b.x), std::fabs(b.y));
    const PixelPosition n = aNearer ? a : b, f = aNearer ? b : a;
    const double dx = f.x - n.x, dy = f.y - n.y;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return 0;
    double s0 = 0, s1 = 1;
    if (!KeepInside(n.x, dx, left, right, s0, s1) || !KeepInside(n.y, dy, top, bottom, s0, s1))
        return 0;
    // An end inside the widened buffer stays as it is; a cut one is rounded to the nearest pixel.
    const auto at = [&](double s) -> PixelPosition {
        return {std::round(n.x + s * dx), std::round(n.y + s * dy)};
    };
    const PixelPosition nearCut = inside(n) ? n : at(s0), farCut = inside(f) ? f : at(s1);
    const PixelPosition from = aNearer ? nearCut : farCut, to = aNearer ? farCut : nearCut;
    if (!InExactRange(from) || !InExactRange(to)) return 0;  // never, by the cuts above
    return DrawLine(buffer, Whole(from.x), Whole(from.y), Whole(to.x), Whole(to.y), c);
}

}  // namespace kvx
