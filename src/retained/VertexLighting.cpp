#include "retained/VertexLighting.h"

#include <algorithm>
#include <cmath>

#include "retained/Prefetch.h"
#include "retained/SceneWalk.h"

namespace kvx::rm {
namespace {

inline float Dot(Vec3f a, Vec3f b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3f Unit(Vec3f a) {
    const float len = std::sqrt(Dot(a, a));
    if (!(len > 0)) return {};
    const float inv = 1.0f / len;
    return {a.x * inv, a.y * inv, a.z * inv};
}
inline Vec3f Linear(const AffineF& m, Vec3f d) {
    return {d.x * m.r0.x + d.y * m.r1.x + d.z * m.r2.x, d.x * m.r0.y + d.y * m.r1.y + d.z * m.r2.y,
            d.x * m.r0.z + d.y * m.r1.z + d.z * m.r2.z};
}

}  // namespace

SceneLights CollectLights(const Frame& root) {
    SceneLights out;
    ForEachFrame(root, [&](const Frame& frame, const Matrix4& toWorld) {
        for (const auto& light : frame.Lights()) {
            const Vec3f c = light->Color();
            switch (light->Type()) {
                case LightType::Ambient:
                    out.ambient = {out.ambient.x + c.x, out.ambient.y + c.y, out.ambient.z + c.z};
                    break;
                case LightType::Directional:
                    out.directional.push_back(
                        {Narrow(Normalize(toWorld.TransformDirection({0, 0, 1}))), c});
                    break;
                case LightType::Point:
                    out.points.push_back({Narrow(toWorld.TransformPoint({0, 0, 0})), c,
                                          light->ConstantAttenuation(), light->LinearAttenuation(),
                                          light->QuadraticAttenuation()});
                    break;
                case LightType::Spot:  // never created by the engine
                    break;
            }
        }
    });
    return out;
}

Vec3f LightAt(const SceneLights& lights, Vec3f p, Vec3f n) {
    Vec3f sum = lights.ambient;
    const auto add = [&sum](Vec3f c, float s) {
        sum.x += c.x * s;
        sum.y += c.y * s;
        sum.z += c.z * s;
    };
    for (const auto& d : lights.directional)
        add(d.color, std::max(0.0f, -Dot(d.direction, n)));
    for (const auto& l : lights.points) {
        const Vec3f toLight{l.position.x - p.x, l.position.y - p.y, l.position.z - p.z};
        // n . toLight is the facing times the distance: one root and one division serve both.
        const float along = Dot(n, toLight);
        if (!(along > 0)) continue;
        const float d2 = Dot(toLight, toLight);
        const float d = std::sqrt(d2);
        float divisor = l.constant + l.linear * d + l.quadratic * d2;
        if (!(divisor > 0)) divisor = 1.0f;
        add(l.color, along / (d * divisor));
    }
    return {std::min(sum.x, 1.0f), std::min(sum.y, 1.0f), std::min(sum.z, 1.0f)};
}

void CornerLighting::Begin(const MeshBuilder& mesh, const Matrix4& modelToWorld,
                           const SceneLights* lights) {
    positions_ = mesh.Positions().data();
    lights_ = lights;
    toWorld_ = AffineF::From(modelToWorld);
    keep_ = true;
    if (entries_.size() < mesh.Positions().size()) entries_.resize(mesh.Positions().size());
    if (++stamp_ == 0) {  // wrapped: no old entry may pass for a current one
        for (Entry& e : entries_)
            e.stamp = 0;
        stamp_ = 1;
    }
}

Vec3f CornerLighting::Light(std::int32_t v, Vec3f n) const {
    return LightAt(*lights_, toWorld_.Point(positions_[static_cast<std::size_t>(v)]),
                   Unit(Linear(toWorld_, n)));
}

}  // namespace kvx::rm
