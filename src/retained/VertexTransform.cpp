#include "retained/VertexTransform.h"

#include <algorithm>

namespace kvx::rm {
namespace {

// Snapping rounds to the nearest subpixel. Truncation is a floor only for positive values, so
// positions are lifted by SnapOffset first; the guard band keeps drawable vertices within
// SnapLimit (8192 pixels) of the origin, and the others are clamped there.
constexpr float SnapOffset = 1 << 18;
constexpr float SnapLimit = 1 << 17;

inline std::int32_t Snap(float v) {
    v = std::clamp(v, -SnapLimit, SnapLimit);
    return static_cast<std::int32_t>(v + (SnapOffset + 0.5f)) -
           static_cast<std::int32_t>(SnapOffset);
}

inline std::uint32_t Codes(float x, float y, float z, float guard) {
    const float g = guard * z;
    return (z < FrontClip ? ClipNear : 0u) | (z > BackClip ? ClipFar : 0u) |
           (x < -g ? ClipLeft : 0u) | (x > g ? ClipRight : 0u) | (y > g ? ClipTop : 0u) |
           (y < -g ? ClipBottom : 0u);
}

}  // namespace

AffineF AffineF::From(const Matrix4& m) {
    const auto row = [&](int i) {
        return Vec3f{static_cast<float>(m.m[i][0]), static_cast<float>(m.m[i][1]),
                     static_cast<float>(m.m[i][2])};
    };
    return {row(0), row(1), row(2), row(3)};
}

std::uint32_t ClipCodeOf(Vec3f v, const ViewMapping& mapping) {
    return Codes(v.x, v.y, v.z, mapping.guard);
}

ScreenVertex Project(Vec3f v, const ViewMapping& mapping) {
    const float inv = 1.0f / std::max(v.z, FrontClip);
    return {Snap(mapping.centreX + v.x * mapping.scale * inv),
            Snap(mapping.centreY - v.y * mapping.scale * inv), inv, 0};
}

void TransformVertices(std::span<const Vec3f> positions, const AffineF& m,
                       const ViewMapping& mapping, ScreenVertex* out) {
    const std::size_t n = positions.size();
    const Vec3f* in = positions.data();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3f v = m.Point(in[i]);
        // Vertices outside the volume get harmless values; the code keeps them from being used.
        const float inv = 1.0f / std::max(v.z, FrontClip);
        out[i].x = Snap(mapping.centreX + v.x * mapping.scale * inv);
        out[i].y = Snap(mapping.centreY - v.y * mapping.scale * inv);
        out[i].depth = inv;
        out[i].code = Codes(v.x, v.y, v.z, mapping.guard);
    }
}

}  // namespace kvx::rm
