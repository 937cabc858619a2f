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

// Appends the fan triangles of every added face with at least three corners, in face order.
void BuildTriangles(const MeshBuilder& mesh, LargeVector<MeshTriangle>& out);

// One triangle list per mesh builder, rebuilt when the builder's topology revision moves on. A
// triangle's colour and corner normals are read from its face when it is drawn, so a change of
// colour or normals costs the list nothing.
class TriangleCache {
  public:
    // The triangles of mesh, built now if they are missing or stale.
    const LargeVector<MeshTriangle>& For(const std::shared_ptr<MeshBuilder>& mesh);
    // Forgets the lists of builders not asked for since the last call, so a mesh taken out of
    // the scene does not keep its triangles alive.
    void DropUnused();
    std::size_t Size() const { return entries_.size(); }

  private:
    struct Entry {
        std::weak_ptr<MeshBuilder> mesh;  // tells a reused address from the builder it was
        std::uint64_t topology = 0;
        bool used = false;
        LargeVector<MeshTriangle> triangles;
    };
    std::unordered_map<const MeshBuilder*, Entry> entries_;
};

}  // namespace kvx::rm
