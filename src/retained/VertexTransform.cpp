#include "retained/VertexTransform.h"

#include <algorithm>
#include <cmath>

namespace kvx::rm {
namespace {

// Snapping rounds to the nearest subpixel. Truncation is a floor only for positive values, so
// positions are lifted by SnapOffset first; the guard band keeps drawable vertices within
// SnapLimit (8192 pixels) of the origin, and the others are clamped there.
constexpr float SnapOffset = 1 << 18;
constexpr float SnapLimit = 1 << 17;

inline std::int32_t Snap(float v) {
    v = v >= -SnapLimit ? v : -SnapLimit;  // not a number goes to the limit too
    v = v <= SnapLimit ? v : SnapLimit;
    return static_cast<std::int32_t>(v + (SnapOffset + 0.5f)) -
           static_cast<std::int32_t>(SnapOffset);
}

inline std::uint32_t Codes(float x, float y, float z, float guard) {
    const float g = guard * z;
    const float size = std::fabs(x) + std::fabs(y) + std::fabs(z);  // not a number stays so
    return (z < FrontClip ? ClipNear : 0u) | (z > BackClip ? ClipFar : 0u) |
           (x < -g ? ClipLeft : 0u) | (x > g ? ClipRight : 0u) | (y > g ? ClipTop : 0u) |
           (y < -g ? ClipBottom : 0u) | (size <= WideViewLimit ? 0u : ClipWide);
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
    // Blocks of vertices; each pass over a block is a plain loop over arrays that the compiler
    // can turn into vector instructions.
    constexpr std::size_t Block = 64;
    alignas(16) float vx[Block], vy[Block], vz[Block], inv[Block];
    alignas(16) std::int32_t sx[Block], sy[Block];
    alignas(16) std::uint32_t code[Block];
    const Vec3f* in = positions.data();
    const float cx = mapping.centreX, cy = mapping.centreY, scale = mapping.scale;
    const float guard = mapping.guard;
    for (std::size_t base = 0; base < positions.size(); base += Block) {
        const std::size_t n = std::min(Block, positions.size() - base);
        for (std::size_t i = 0; i < n; ++i) {
            const Vec3f p = in[base + i];
            vx[i] = p.x * m.r0.x + p.y * m.r1.x + p.z * m.r2.x + m.t.x;
            vy[i] = p.x * m.r0.y + p.y * m.r1.y + p.z * m.r2.y + m.t.y;
            vz[i] = p.x * m.r0.z + p.y * m.r1.z + p.z * m.r2.z + m.t.z;
        }
        // Vertices outside the volume get harmless values; their code keeps them unused.
        for (std::size_t i = 0; i < n; ++i)
            inv[i] = 1.0f / (vz[i] > FrontClip ? vz[i] : FrontClip);
        for (std::size_t i = 0; i < n; ++i) {
            sx[i] = Snap(cx + vx[i] * scale * inv[i]);
            sy[i] = Snap(cy - vy[i] * scale * inv[i]);
        }
        for (std::size_t i = 0; i < n; ++i)
            code[i] = Codes(vx[i], vy[i], vz[i], guard);
        ScreenVertex* o = out + base;
        for (std::size_t i = 0; i < n; ++i)
            o[i] = {sx[i], sy[i], inv[i], code[i]};
    }
}

}  // namespace kvx::rm
