#pragma once
// Transform stage: model-space positions to snapped screen positions, depths and clip codes.

#include <cstdint>
#include <span>

#include "retained/Math.h"
#include "retained/ViewMapping.h"

namespace kvx::rm {

// Why a vertex cannot be drawn as it is: in front of the front plane, behind the back plane,
// outside the guard band on one side, or (ClipWide) so far out, or overflowed to infinity or not
// a number in single precision, that its faces are transformed and clipped in double precision.
enum ClipCode : std::uint32_t {
    ClipNear = 1u << 0,
    ClipFar = 1u << 1,
    ClipLeft = 1u << 2,
    ClipRight = 1u << 3,
    ClipTop = 1u << 4,
    ClipBottom = 1u << 5,
    ClipWide = 1u << 6,
};

// View-space coordinates up to this size (summed over the axes) are clipped in floats.
inline constexpr float WideViewLimit = 1e18f;

// A vertex as the rasteriser sees it. x and y are in subpixels, depth is 1/z (larger is nearer).
// Only a vertex with code 0 has meaningful x, y and depth.
struct ScreenVertex {
    std::int32_t x = 0, y = 0;
    float depth = 0;
    std::uint32_t code = 0;
};

// An affine transform in single precision, for the per-vertex work: p' = p * rows + t.
struct AffineF {
    Vec3f r0, r1, r2, t;

    static AffineF From(const Matrix4& m);
    Vec3f Point(Vec3f p) const {
        return {p.x * r0.x + p.y * r1.x + p.z * r2.x + t.x,
                p.x * r0.y + p.y * r1.y + p.z * r2.y + t.y,
                p.x * r0.z + p.y * r1.z + p.z * r2.z + t.z};
    }
};

// Clip codes of a view-space point.
std::uint32_t ClipCodeOf(Vec3f view, const ViewMapping& mapping);

// Projects a view-space point that lies inside the clip volume (code 0) to the screen.
ScreenVertex Project(Vec3f view, const ViewMapping& mapping);

// Transforms every position by modelToView and projects it; out holds positions.size() entries.
void TransformVertices(std::span<const Vec3f> positions, const AffineF& modelToView,
                       const ViewMapping& mapping, ScreenVertex* out);

}  // namespace kvx::rm
