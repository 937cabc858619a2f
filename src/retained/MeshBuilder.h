#pragma once
// A mesh builder: vertices, normals and faces in flat arrays. Every index AddVertex or AddNormal
// returns stays valid for the builder's life. A face is a handle (builder, face number); the
// builder keeps the face's data even after the handle is dropped, until the builder goes.

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "retained/LargeAllocator.h"
#include "retained/Math.h"
#include "retained/Result.h"

namespace kvx::rm {

class MeshBuilder;

// Most corners one face can hold.
inline constexpr int MaxFaceCorners = 8;

// One corner of a face: its vertex and its normal (-1: no normal, the face normal is used).
struct Corner {
    std::int32_t vertex = 0;
    std::int32_t normal = -1;
};

// A face's corners lie together in its builder's corner table, from firstCorner on, so a
// triangle keeps room for three corners rather than for the most a face can hold.
struct FaceData {
    std::int32_t cornerCount = 0;
    std::int32_t firstCorner = 0;  // into the builder's corner table
    Vec3f color{1.0f, 1.0f, 1.0f};
    bool added = false;  // part of the mesh (AddFace done); faces only created are not drawn
};

// A face of a mesh builder. The handle keeps its builder alive, so a face outliving the mesh
// that held it can never reach freed memory. A default (empty) handle refuses every call.
class Face {
  public:
    Face() = default;
    Face(std::shared_ptr<MeshBuilder> builder, std::int32_t index)
        : builder_(std::move(builder)), index_(index) {}

    explicit operator bool() const { return builder_ != nullptr; }
    MeshBuilder* Builder() const { return builder_.get(); }
    std::int32_t Index() const { return index_; }

    // Appends a corner; refused when either index is out of range or the face is full.
    Result AddVertexAndNormalIndexed(std::int32_t vertex, std::int32_t normal);
    // Colour in 0..1 per channel.
    Result SetColorRGB(double r, double g, double b);
    // Turns the corner order round (each corner keeps its normal): the face shows its other side.
    Result ReverseCorners();
    // Unit normal of the first three corners, (P1 - P0) x (P2 - P0); (0, 0, 0) when they are
    // collinear or fewer than three.
    Result GetNormal(Vec3& normal) const;
    std::int32_t VertexCount() const;
    // The normal index of corner k; -1 when the face has no such corner.
    std::int32_t NormalIndex(std::int32_t k) const;

  private:
    friend class MeshBuilder;
    std::shared_ptr<MeshBuilder> builder_;
    std::int32_t index_ = -1;
};

// Always held by a shared_ptr (the engine makes them so), since faces refer back to it.
class MeshBuilder : public std::enable_shared_from_this<MeshBuilder> {
  public:
    // Returns the new vertex's index.
    std::int32_t AddVertex(double x, double y, double z);
    // Inline, as SetNormal: a drag of a big model calls it for every vertex at every step.
    Result SetVertex(std::int32_t index, double x, double y, double z) {
        if (!ValidVertex(index)) return ErrBadValue;
        positions_[static_cast<std::size_t>(index)] = Narrow({x, y, z});
        ++revision_;
        return Ok;
    }
    // Returns the new normal's index.
    std::int32_t AddNormal(double x, double y, double z);
    Result SetNormal(std::int32_t index, double x, double y, double z) {
        return SetNormal(index, Narrow({x, y, z}));
    }
    // The same with the normal already in floats.
    Result SetNormal(std::int32_t index, Vec3f n) {
        if (!ValidNormal(index)) return ErrBadValue;
        Vec3f& normal = normals_[static_cast<std::size_t>(index)];
        if (!normalLogged_.empty() && std::memcmp(&normal, &n, sizeof n) != 0) LogNormal(index);
        normal = n;
        ++revision_;
        return Ok;
    }
    // A normal as it was before a change.
    struct OldNormal {
        std::int32_t index = 0;
        Vec3f value;
    };
    // From now on the builder keeps, for each normal present now, the value it had before its
    // first change of value (a write of the same bits is none); TakeNormalLog ends that and hands
    // them over, in the order of their first change. Clear and DropFaces end it too.
    void StartNormalLog();
    std::vector<OldNormal> TakeNormalLog();
    // The same calls by face number, for a caller that keeps the number rather than a handle (a
    // million handles would each hold the builder, and cost an atomic count to make).
    // A new, empty face, added at once; returns its number.
    std::int32_t NewFace();
    Result AddCorner(std::int32_t face, std::int32_t vertex, std::int32_t normal);
    Result SetFaceColor(std::int32_t face, double r, double g, double b);
    Result ReverseFaceCorners(std::int32_t face);
    // -1 when the face has no corner k.
    std::int32_t FaceNormalIndex(std::int32_t face, std::int32_t k) const;
    // A new, empty face of this builder; it is drawn once AddFace adds it.
    Result CreateFace(Face& face);
    Result AddFace(const Face& face);
    // Adds vertices and faces in one call. faceData lists for each face its corner count and then
    // its vertex indices (relative to this call's first vertex), ending with 0. normals may be
    // null, in which case the faces use their face normals. Refused whole on a bad count or index.
    Result AddFaces(std::int32_t vertexCount, const Vec3f* vertices, std::int32_t normalCount,
                    const Vec3f* normals, const std::uint32_t* faceData);

    std::int32_t VertexCount() const { return static_cast<std::int32_t>(positions_.size()); }
    std::int32_t NormalCount() const { return static_cast<std::int32_t>(normals_.size()); }
    std::int32_t FaceCount() const { return static_cast<std::int32_t>(faces_.size()); }
    std::size_t CornerCount() const { return corners_.size(); }
    const LargeVector<Vec3f>& Positions() const { return positions_; }
    const LargeVector<Vec3f>& Normals() const { return normals_; }
    const LargeVector<FaceData>& Faces() const { return faces_; }
    // The corners of a face of this builder, cornerCount of them.
    const Corner* CornersOf(const FaceData& face) const {
        return corners_.data() + face.firstCorner;
    }
    // Whether every corner's normal is the one numbered as the corner (faces built corner after
    // corner, each with a normal of its own, as the scene builds them).
    bool CornerNormalsNumbered() const { return cornerNormals_; }
    // Unit normal (P1 - P0) x (P2 - P0) of the face's first three corners; it must have three.
    Vec3 NormalOf(const FaceData& face) const;
    // Grows with every change, so a renderer can tell when what it derived is stale.
    std::uint64_t Revision() const { return revision_; }
    // Grows only when the faces or their corners change (not on moves, normals or colours), so
    // the triangles derived from the faces can outlive a drag.
    std::uint64_t TopologyRevision() const { return topologyRevision_; }
    // Grows when a face's colour changes.
    std::uint64_t ColorRevision() const { return colorRevision_; }
    // Reserves room ahead of a large build.
    void Reserve(std::size_t vertices, std::size_t normals, std::size_t faces, std::size_t corners);
    // Drops the faces flagged in dropped (one flag per face) with their corners, and closes the
    // gaps: the kept faces keep their order, corners and colours, and face k of them is then
    // number k (Renumber tells their handles). Only for a builder whose every corner, face after
    // face, has a normal of its own numbered as the corner, which the kept corners keep too;
    // refused, changing nothing, for any other.
    Result DropFaces(std::span<const std::uint8_t> dropped);
    // Gives a handle of this builder another face number.
    Result Renumber(Face& face, std::int32_t index) const;
    // Drops every vertex, normal and face but keeps the storage, so a rebuild of the same size
    // reuses memory already paged in. Face handles made before refer to nothing afterwards.
    void Clear();

  private:
    friend class Face;
    bool ValidVertex(std::int32_t i) const { return i >= 0 && i < VertexCount(); }
    bool ValidNormal(std::int32_t i) const { return i >= 0 && i < NormalCount(); }
    bool ValidFace(std::int32_t i) const { return i >= 0 && i < FaceCount(); }
    // Keeps normal `index`'s value, about to change, when it is its first change since
    // StartNormalLog.
    void LogNormal(std::int32_t index);

    LargeVector<Vec3f> positions_;
    LargeVector<Vec3f> normals_;
    LargeVector<FaceData> faces_;
    LargeVector<Corner> corners_;
    std::uint64_t revision_ = 0;
    std::uint64_t topologyRevision_ = 0;
    std::uint64_t colorRevision_ = 0;
    // Whether the corners lie face after face, each with its own normal numbered as the corner.
    bool cornerNormals_ = true;
    // While a normal log runs: one bit per normal present at its start, set once its old value
    // is kept (empty when no log runs), and the old values.
    std::vector<std::uint64_t> normalLogged_;
    std::size_t normalLogLimit_ = 0;
    std::vector<OldNormal> normalLog_;
};

}  // namespace kvx::rm
