#include "retained/MeshBuilder.h"

#include <algorithm>

namespace kvx::rm {

Result Face::AddVertexAndNormalIndexed(std::int32_t vertex, std::int32_t normal) {
    return builder_ ? builder_->AddCorner(index_, vertex, normal) : ErrBadObject;
}

Result Face::SetColorRGB(double r, double g, double b) {
    return builder_ ? builder_->SetFaceColor(index_, r, g, b) : ErrBadObject;
}

Result Face::ReverseCorners() {
    return builder_ ? builder_->ReverseFaceCorners(index_) : ErrBadObject;
}

Result Face::GetNormal(Vec3& normal) const {
    normal = {};
    if (!builder_ || !builder_->ValidFace(index_)) return ErrBadObject;
    const FaceData& f = builder_->faces_[static_cast<std::size_t>(index_)];
    if (f.cornerCount >= 3) normal = builder_->NormalOf(f);
    return Ok;
}

std::int32_t Face::NormalIndex(std::int32_t k) const {
    return builder_ ? builder_->FaceNormalIndex(index_, k) : -1;
}

std::int32_t Face::VertexCount() const {
    if (!builder_ || !builder_->ValidFace(index_)) return 0;
    return builder_->faces_[static_cast<std::size_t>(index_)].cornerCount;
}

std::int32_t MeshBuilder::NewFace() {
    FaceData& f = faces_.emplace_back();
    f.firstCorner = static_cast<std::int32_t>(corners_.size());
    f.added = true;
    ++revision_;
    ++topologyRevision_;
    return FaceCount() - 1;
}

Result MeshBuilder::AddCorner(std::int32_t face, std::int32_t vertex, std::int32_t normal) {
    if (!ValidFace(face)) return ErrBadObject;
    if (!ValidVertex(vertex) || !ValidNormal(normal)) return ErrBadValue;
    FaceData& f = faces_[static_cast<std::size_t>(face)];
    if (f.cornerCount >= MaxFaceCorners) return ErrFull;
    const bool last = face == FaceCount() - 1;
    if (!last || normal != static_cast<std::int32_t>(corners_.size())) cornerNormals_ = false;
    if (static_cast<std::size_t>(f.firstCorner + f.cornerCount) != corners_.size()) {
        // Another face took the room after this one's corners: they move to the end. Faces are
        // built one after another, so this is rare and wastes at most a few corners.
        const auto first = static_cast<std::size_t>(f.firstCorner);
        for (std::int32_t k = 0; k < f.cornerCount; ++k)
            corners_.push_back(corners_[first + static_cast<std::size_t>(k)]);
        f.firstCorner = static_cast<std::int32_t>(corners_.size()) - f.cornerCount;
    }
    corners_.push_back({vertex, normal});
    ++f.cornerCount;
    ++revision_;
    ++topologyRevision_;
    return Ok;
}

Result MeshBuilder::SetFaceColor(std::int32_t face, double r, double g, double b) {
    if (!ValidFace(face)) return ErrBadObject;
    faces_[static_cast<std::size_t>(face)].color = Narrow({r, g, b});
    ++revision_;
    ++colorRevision_;
    return Ok;
}

Result MeshBuilder::ReverseFaceCorners(std::int32_t face) {
    if (!ValidFace(face)) return ErrBadObject;
    const FaceData& f = faces_[static_cast<std::size_t>(face)];
    Corner* first = corners_.data() + f.firstCorner;
    std::reverse(first, first + f.cornerCount);
    ++revision_;
    ++topologyRevision_;
    return Ok;
}

std::int32_t MeshBuilder::FaceNormalIndex(std::int32_t face, std::int32_t k) const {
    if (!ValidFace(face)) return -1;
    const FaceData& f = faces_[static_cast<std::size_t>(face)];
    return k >= 0 && k < f.cornerCount ? CornersOf(f)[k].normal : -1;
}

std::int32_t MeshBuilder::AddVertex(double x, double y, double z) {
    positions_.push_back(Narrow({x, y, z}));
    ++revision_;
    return VertexCount() - 1;
}

std::int32_t MeshBuilder::AddNormal(double x, double y, double z) {
    normals_.push_back(Narrow({x, y, z}));
    ++revision_;
    return NormalCount() - 1;
}

Vec3 MeshBuilder::NormalOf(const FaceData& face) const {
    const Corner* c = CornersOf(face);
    const Vec3 p0 = Widen(positions_[static_cast<std::size_t>(c[0].vertex)]);
    const Vec3 p1 = Widen(positions_[static_cast<std::size_t>(c[1].vertex)]);
    const Vec3 p2 = Widen(positions_[static_cast<std::size_t>(c[2].vertex)]);
    return Normalize(Cross(p1 - p0, p2 - p0));
}

Result MeshBuilder::CreateFace(Face& face) {
    FaceData& f = faces_.emplace_back();
    f.firstCorner = static_cast<std::int32_t>(corners_.size());
    ++revision_;
    ++topologyRevision_;
    // A handle of this builder already holds it: only its number changes, which spares a
    // million-face rebuild two atomic count changes per face.
    if (face.builder_.get() == this) {
        face.index_ = FaceCount() - 1;
    } else {
        face = Face(shared_from_this(), FaceCount() - 1);
    }
    return Ok;
}

Result MeshBuilder::AddFace(const Face& face) {
    if (face.Builder() != this || !ValidFace(face.Index())) return ErrBadObject;
    faces_[static_cast<std::size_t>(face.Index())].added = true;
    ++revision_;
    ++topologyRevision_;
    return Ok;
}

Result MeshBuilder::DropFaces(std::span<const std::uint8_t> dropped) {
    if (!cornerNormals_ || dropped.size() != faces_.size() || normals_.size() != corners_.size())
        return ErrBadValue;
    TakeNormalLog();  // the normals are numbered anew
    std::size_t kept = 0, keptCorners = 0;
    for (std::size_t i = 0; i < faces_.size(); ++i) {
        if (dropped[i] != 0) continue;
        FaceData f = faces_[i];
        const auto first = static_cast<std::size_t>(f.firstCorner);
        f.firstCorner = static_cast<std::int32_t>(keptCorners);
        for (std::int32_t k = 0; k < f.cornerCount; ++k, ++keptCorners) {
            corners_[keptCorners] = {corners_[first + static_cast<std::size_t>(k)].vertex,
                                     static_cast<std::int32_t>(keptCorners)};
            normals_[keptCorners] = normals_[first + static_cast<std::size_t>(k)];
        }
        faces_[kept++] = f;
    }
    faces_.resize(kept);
    corners_.resize(keptCorners);
    normals_.resize(keptCorners);
    ++revision_;
    ++topologyRevision_;
    ++colorRevision_;
    return Ok;
}

Result MeshBuilder::Renumber(Face& face, std::int32_t index) const {
    if (face.builder_.get() != this || !ValidFace(index)) return ErrBadObject;
    face.index_ = index;
    return Ok;
}

Result MeshBuilder::AddFaces(std::int32_t vertexCount, const Vec3f* vertices,
                             std::int32_t normalCount, const Vec3f* normals,
                             const std::uint32_t* faceData) {
    if (vertexCount < 0 || (vertexCount > 0 && !vertices) || normalCount < 0 ||
        (normalCount > 0 && !normals) || !faceData)
        return ErrBadValue;
    // Check the whole face list before changing anything.
    for (const std::uint32_t* d = faceData; *d != 0;) {
        const std::uint32_t n = *d++;
        if (n < 3 || n > static_cast<std::uint32_t>(MaxFaceCorners)) return ErrBadValue;
        for (std::uint32_t k = 0; k < n; ++k, ++d)
            if (*d >= static_cast<std::uint32_t>(vertexCount)) return ErrBadValue;
    }
    const std::int32_t firstVertex = VertexCount();
    const std::int32_t firstNormal = NormalCount();
    cornerNormals_ = false;
    positions_.insert(positions_.end(), vertices, vertices + vertexCount);
    if (normalCount > 0) normals_.insert(normals_.end(), normals, normals + normalCount);
    for (const std::uint32_t* d = faceData; *d != 0;) {
        FaceData f;
        f.cornerCount = static_cast<std::int32_t>(*d++);
        f.firstCorner = static_cast<std::int32_t>(corners_.size());
        for (std::int32_t k = 0; k < f.cornerCount; ++k, ++d) {
            const auto v = static_cast<std::int32_t>(*d);
            corners_.push_back({firstVertex + v, v < normalCount ? firstNormal + v : -1});
        }
        f.added = true;
        faces_.push_back(f);
    }
    ++revision_;
    ++topologyRevision_;
    return Ok;
}

void MeshBuilder::Reserve(std::size_t vertices, std::size_t normals, std::size_t faces,
                          std::size_t corners) {
    positions_.reserve(vertices);
    normals_.reserve(normals);
    faces_.reserve(faces);
    corners_.reserve(corners);
}

void MeshBuilder::StartNormalLog() {
    // One word more than the normals need, so a log over no normals still runs.
    normalLogged_.assign(normals_.size() / 64 + 1, 0);
    normalLogLimit_ = normals_.size();
    normalLog_.clear();
}

std::vector<MeshBuilder::OldNormal> MeshBuilder::TakeNormalLog() {
    std::vector<std::uint64_t>().swap(normalLogged_);
    return std::exchange(normalLog_, {});
}

void MeshBuilder::LogNormal(std::int32_t index) {
    const auto i = static_cast<std::size_t>(index);
    if (i >= normalLogLimit_) return;  // added after the log began
    std::uint64_t& word = normalLogged_[i / 64];
    const std::uint64_t bit = std::uint64_t{1} << (i % 64);
    if ((word & bit) != 0) return;
    word |= bit;
    normalLog_.push_back({index, normals_[i]});
}

void MeshBuilder::Clear() {
    std::vector<std::uint64_t>().swap(normalLogged_);
    normalLog_.clear();
    positions_.clear();
    normals_.clear();
    faces_.clear();
    corners_.clear();
    cornerNormals_ = true;
    ++revision_;
    ++topologyRevision_;
    ++colorRevision_;
}

}  // namespace kvx::rm
