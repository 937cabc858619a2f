#pragma once
// The triangles of a mesh builder's faces: each face of n corners is a fan from corner 0, so its
// triangles are corners (0, k, k + 1) for k = 1 .. n - 2. Derived once per topology revision
// and kept across frames, so moving vertices (a drag) does not rebuild them.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "retained/LargeAllocator.h"
#include "retained/Math.h"
#include "retained/MeshBuilder.h"

namespace kvx::rm {

// Bits of MeshTriangle::faceAndFan that hold k - 1; the face number takes the rest.
inline constexpr int FanBits = 3;
static_assert(MaxFaceCorners - 2 <= (1 << FanBits),
              "every fan triangle of a face must be numbered");

struct MeshTriangle {
    std::int32_t v0 = 0, v1 = 0, v2 = 0;  // vertex indices of corners 0, k and k + 1
    std::uint32_t faceAndFan = 0;         // face << FanBits | (k - 1)

    std::int32_t Face() const { return static_cast<std::int32_t>(faceAndFan >> FanBits); }
    std::int32_t Fan() const {
        return static_cast<std::int32_t>(faceAndFan & ((1u << FanBits) - 1)) + 1;
    }
};

// What shading a triangle needs from its face, kept beside the triangle so that drawing it reads
// one small record rather than the whole face. Rebuilt when colours change.
struct TriangleShading {
    std::int32_t normal[3] = {-1, -1, -1};  // normal indices of its corners; -1: the face normal
    Vec3f color;                            // the face colour, 0..1 per channel
};

// Appends the fan triangles of every added face with at least three corners, in face order.
void BuildTriangles(const MeshBuilder& mesh, LargeVector<MeshTriangle>& out);
// The shading record of each of triangles, in the same order.
void BuildShading(const MeshBuilder& mesh, const LargeVector<MeshTriangle>& triangles,
                  LargeVector<TriangleShading>& out);

// A mesh's triangles and their shading records, index for index.
struct MeshTriangles {
    const LargeVector<MeshTriangle>& triangles;
    const LargeVector<TriangleShading>& shading;
};

// One triangle list per mesh builder, rebuilt when the builder's topology revision moves on (its
// shading records also when its colours change).
class TriangleCache {
  public:
    // The triangles of mesh, built now if they are missing or stale.
    MeshTriangles For(const std::shared_ptr<MeshBuilder>& mesh);
    // Forgets the lists of builders not asked for since the last call, so a mesh taken out of
    // the scene does not keep its triangles alive.
    void DropUnused();
    std::size_t Size() const { return entries_.size(); }

  private:
    struct Entry {
        std::weak_ptr<MeshBuilder> mesh;  // tells a reused address from the builder it was
        std::uint64_t topology = 0;
        std::uint64_t colors = 0;
        bool used = false;
        LargeVector<MeshTriangle> triangles;
        LargeVector<TriangleShading> shading;
    };
    std::unordered_map<const MeshBuilder*, Entry> entries_;
};

}  // namespace kvx::rm
