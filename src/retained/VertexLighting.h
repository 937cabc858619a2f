#pragma once
// Vertex lighting stage, in world space. The light reaching a point p with unit normal n is, per
// channel, min(1, ambient + sum of the lights):
//   directional: colour * max(0, -direction . n), the light shining along its frame's +z;
//   point: colour * max(0, n . unit(position - p)) / (constant + linear d + quadratic d^2), d the
//          distance, a divisor that is not positive counting as 1.
// A corner's colour is its face colour times that light.

#include <cstdint>
#include <vector>

#include "retained/Frame.h"
#include "retained/LargeAllocator.h"
#include "retained/Math.h"
#include "retained/MeshBuilder.h"
#include "retained/Prefetch.h"
#include "retained/VertexTransform.h"

namespace kvx::rm {

struct SceneLights {
    struct Directional {
        Vec3f direction;  // unit, the way the light travels
        Vec3f color;
    };
    struct Point {
        Vec3f position;
        Vec3f color;
        float constant = 0, linear = 0, quadratic = 0;
    };
    Vec3f ambient;
    std::vector<Directional> directional;
    std::vector<Point> points;
};

// Every light attached to a frame under root (root included), placed by its frames' transforms.
SceneLights CollectLights(const Frame& root);

// The light reaching world point p with world normal n (unit, or zero for no direction).
Vec3f LightAt(const SceneLights& lights, Vec3f p, Vec3f n);

// Lights the corners of one mesh instance on demand. Corners of one vertex with equal normals
// get equal light; when many of a mesh's corners are drawn, each vertex is lit once per frame and
// the result kept, keyed by the normal. When few are (a dense mesh seen small), a vertex seldom
// comes back, and keeping results would cost more memory traffic than lighting again.
class CornerLighting {
  public:
    // Starts a mesh instance: its model-to-world transform and the lights (null: unlit, every
    // corner takes its face colour as it is). Results are kept until told otherwise.
    void Begin(const MeshBuilder& mesh, const Matrix4& modelToWorld, const SceneLights* lights);
    // Whether results are kept for the corners that follow.
    void KeepResults(bool keep) { keep_ = keep; }
    // The light reaching vertex v (0 <= v < vertex count) with model-space normal n.
    Vec3f At(std::int32_t v, Vec3f n) {
        if (!lights_) return {1.0f, 1.0f, 1.0f};
        if (!keep_) return Light(v, n);
        Entry& e = entries_[static_cast<std::size_t>(v)];
        if (e.stamp == stamp_ && e.normal == n) return e.light;
        e.stamp = stamp_;
        e.normal = n;
        e.light = Light(v, n);
        return e.light;
    }
    // Starts fetching what At(v, ...) will read.
    void Prefetch(std::int32_t v) const {
        if (!lights_) return;
        if (keep_) rm::Prefetch(&entries_[static_cast<std::size_t>(v)]);
        rm::Prefetch(&positions_[static_cast<std::size_t>(v)]);
    }

  private:
    struct Entry {
        Vec3f normal;
        std::uint32_t stamp = 0;
        Vec3f light;
    };
    Vec3f Light(std::int32_t v, Vec3f n) const;
    LargeVector<Entry> entries_;
    std::uint32_t stamp_ = 0;
    bool keep_ = true;
    const Vec3f* positions_ = nullptr;
    const SceneLights* lights_ = nullptr;
    AffineF toWorld_{};
};

}  // namespace kvx::rm
