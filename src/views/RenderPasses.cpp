#include "views/RenderPasses.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <span>
#include <vector>

#include "scene/Scene.h"
#include "views/GroupedFaces.h"
#include "views/MarkerUnion.h"
#include "views/PassScratch.h"
#include "views/PassSteps.h"
#include "views/PreparedScene.h"
#include "views/RunBox.h"
#include "views/SettledPixels.h"

namespace kvx {
namespace {

// Every vertex's pixel in one view, computed once for all the passes of a redraw; FarPixel for a
// vertex beyond ExactPixelRange, whose lines are drawn from its exact position instead. The
// views of a group share one table of the coordinates they show (NearAllViews), vertex after
// vertex, so one pass over the faces finds the corners of every view of the group together.
class ProjectedVertices {
  public:
    ProjectedVertices() = default;
    // View `view` of a table NearAllViews filled.
    ProjectedVertices(const std::int32_t* table, const ViewCoordinates& c, std::size_t view)
        : table_(table),
          width_(c.width),
          x_(c.column[2 * view]),
          y_(c.column[2 * view + 1]),
          anyFar_(c.far[view]) {}
    PixelPoint operator[](std::size_t i) const {
        const std::int32_t* row = table_ + i * width_;
        const PixelPoint p{row[x_], row[y_]};
        return p.x == FarCoordinate || p.y == FarCoordinate ? FarPixel : p;
    }
    // Whether some vertex is FarPixel: only then do the passes look for far corners.
    bool AnyFar() const { return anyFar_; }
    // The whole table, its numbers per vertex and where this view's x and y lie in a row.
    const std::int32_t* Table() const { return table_; }
    std::size_t Width() const { return width_; }
    std::size_t X() const { return x_; }
    std::size_t Y() const { return y_; }

  private:
    const std::int32_t* table_ = nullptr;
    std::size_t width_ = 0, x_ = 0, y_ = 0;
    bool anyFar_ = false;
};

using passes::Project;
using passes::Segment;
using passes::Whole;

const Vertex& CornerVertex(const Scene& scene, const Face& f, std::int32_t k) {
    return scene.vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
}

// The normal the engine holds for corner k of the face, or nothing when it has none.
bool CornerNormal(const Face& f, std::int32_t k, rm::Vec3f& normal) {
    const std::int32_t n = f.SlotNormalIndex(k);
    if (n < 0 || n >= f.Builder()->NormalCount()) return false;
    normal = f.Builder()->Normals()[static_cast<std::size_t>(n)];
    return true;
}

// From the corner's position one world unit along its normal (the sum is taken in floats).
void DrawNormal(Canvas& canvas, const Scene& scene, const Face& f, std::int32_t k,
                const ViewState& state, ViewId view, PixelValue red) {
    rm::Vec3f n;
    if (!CornerNormal(f, k, n)) return;
    const Vertex& v = CornerVertex(scene, f, k);
    const float ex = v.x + n.x, ey = v.y + n.y, ez = v.z + n.z;
    Segment(canvas, ProjectPosition(v.x, v.y, v.z, state, view),
            ProjectPosition(ex, ey, ez, state, view), red);
}

// The edges of a face with a corner beyond ExactPixelRange, from the corners' exact positions, in
// the order and direction of its pass: the closing edge, then the edge between corners k - 1 and
// k; after(k) runs after corner k's edge (after(0) before them all).
template <FacePass Pass, typename After>
void FarFaceEdges(const PixelBuffer& buffer, const PreparedScene& prepared,
                  const std::int32_t* corner, std::int32_t n, const ViewState& state, ViewId view,
                  PixelValue c, After after) {
    const ViewProjector project(state, view);
    std::array<PixelPosition, MaxFaceVertices> p;
    for (std::int32_t k = 0; k < n; ++k) {
        const float* xyz = prepared.xyz.data() + 3 * static_cast<std::size_t>(corner[k]);
        p[static_cast<std::size_t>(k)] = project.Position(xyz[0], xyz[1], xyz[2]);
    }
    after(0);
    DrawLongLine(buffer, p[0], p[static_cast<std::size_t>(n - 1)], c);
    for (std::int32_t i = 1; i < n; ++i) {
        const PixelPosition a = p[static_cast<std::size_t>(i - 1)],
                            b = p[static_cast<std::size_t>(i)];
        if constexpr (Pass == FacePass::Outlines) {
            DrawLongLine(buffer, b, a, c);
        } else {
            DrawLongLine(buffer, a, b, c);
        }
        after(i);
    }
}

// One view on its own (normals shown, a vertex far away): each face is checked for a far corner.
void FaceOutlines(Canvas& canvas, const Scene& scene, const PreparedScene& prepared,
                  const ProjectedVertices& at, const ViewState& state, ViewId view,
                  bool showNormals) {
    const PixelBuffer buffer = canvas.Locked();
    if (!buffer.Drawable()) return;
    const PixelValue red = canvas.Pack(255, 0, 0);
    int packed = -1;  // the colour bytes last packed, as one number
    PixelValue c = 0;
    std::array<PixelPoint, MaxFaceVertices> p;
    const std::int32_t* next = prepared.corners.data();
    for (const PreparedScene::FaceEntry& e : prepared.shownFaces) {
        const std::int32_t n = e.count;
        const std::int32_t* corner = next;
        next += n;
        bool onePixel = true, far = false;
        for (std::int32_t k = 0; k < n; ++k) {
            p[static_cast<std::size_t>(k)] = at[static_cast<std::size_t>(corner[k])];
            onePixel = onePixel && p[static_cast<std::size_t>(k)] == p[0];
            far |= IsFar(p[static_cast<std::size_t>(k)]);
        }
        if (onePixel && !showNormals && !far) continue;  // every edge is a point: nothing to draw
        const int bytes = e.red << 16 | e.green << 8 | e.blue;
        if (bytes != packed) {
            packed = bytes;
            c = canvas.Pack(e.red, e.green, e.blue);
        }
        const Face* f = showNormals ? &scene.faces[static_cast<std::size_t>(e.face)] : nullptr;
        if (far) {
            FarFaceEdges<FacePass::Outlines>(
                buffer, prepared, corner, n, state, view, c, [&](std::int32_t k) {
                    if (f) DrawNormal(canvas, scene, *f, k, state, view, red);
                });
            continue;
        }
        if (f) DrawNormal(canvas, scene, *f, 0, state, view, red);
        const PixelPoint last = p[static_cast<std::size_t>(n - 1)];
        DrawEdge(buffer, p[0].x, p[0].y, last.x, last.y, c);
        for (std::int32_t i = 1; i < n; ++i) {
            const PixelPoint a = p[static_cast<std::size_t>(i)];
            const PixelPoint b = p[static_cast<std::size_t>(i - 1)];
            DrawEdge(buffer, a.x, a.y, b.x, b.y, c);
            if (f) DrawNormal(canvas, scene, *f, i, state, view, red);
        }
    }
}

// One view of the vertex pass.
struct VertexView {
    Canvas* canvas;
    const ViewState* state;
    ViewId view;
    const ProjectedVertices* at;
};

// The vertex pass for several views: the point-light marker when shown, then every shown
// vertex's marker.
class VertexMarkers {
  public:
    // Draws the point-light marker into each view when shown, and keeps the views that can be
    // drawn into.
    VertexMarkers(std::span<const VertexView> views, const PreparedScene& prepared,
                  const PointLightMarker& light);
    bool AnyDrawn() const { return drawn_ != 0; }
    // When every marker has the usual value, their order does not show: each view marks its
    // markers' centres, then writes the pixels their shapes cover once (MarkerUnion). The
    // vertices go in runs, and a view passes over a run of one kind whose centres are all marked
    // already: a big model has many vertices to a pixel.
    void DrawUnion(std::span<MarkerUnion, MaxGroup> unions) const;
    // Otherwise a marker is redundant when the same marker (same pixel, look and colour) is drawn
    // again later: the later one writes the same pixels last. One pass backwards keeps, per view,
    // only the last of each kind, and markers that can touch the canvas; many vertices of a big
    // model share a pixel. Markers in other colours than the usual one are always drawn.
    void DrawLastOfEach(std::vector<std::uint8_t>& seen, std::vector<std::uint8_t>& keep) const;

  private:
    static constexpr std::int32_t Margin = 6;  // a selected marker reaches 5 pixels out
    // Shown vertex i's pixel in drawn view d.
    PixelPoint Pixel(std::size_t d, std::size_t i) const {
        return (*views_[index_[d]].at)[static_cast<std::size_t>(shown_[i])];
    }
    bool Selected(std::size_t i) const { return looks_[i].state == VertexSelected; }
    void DrawMarker(std::size_t d, std::size_t i) const;

    std::span<const VertexView> views_;
    const std::vector<std::int32_t>& shown_;
    const std::vector<PreparedScene::VertexLook>& looks_;
    std::array<PixelBuffer, MaxGroup> buffers_;
    std::array<std::size_t, MaxGroup> index_{};  // into views, for the drawable ones
    std::size_t drawn_ = 0;
};

VertexMarkers::VertexMarkers(std::span<const VertexView> views, const PreparedScene& prepared,
                             const PointLightMarker& light)
    : views_(views), shown_(prepared.shownVertices), looks_(prepared.shownLooks) {
    for (std::size_t g = 0; g < views.size() && g < MaxGroup; ++g) {
        const VertexView& v = views[g];
        const PixelPosition lightAt = Project(light.x, light.y, light.z, *v.state, v.view);
        if (light.shown && InExactRange(lightAt)) {  // further out it cannot reach the canvas
            const PixelPoint l = Whole(lightAt);
            const PixelValue red = v.canvas->Pack(255, 0, 0);
            v.canvas->DrawLine(l.x - 5, l.y - 5, l.x + 5, l.y + 5, red);
            v.canvas->DrawLine(l.x + 5, l.y - 5, l.x - 5, l.y + 5, red);
        }
        const PixelBuffer buffer = v.canvas->Locked();
        if (!buffer.Drawable()) continue;
        buffers_[drawn_] = buffer;
        index_[drawn_++] = g;
    }
}

void VertexMarkers::DrawMarker(std::size_t d, std::size_t i) const {
    const PixelBuffer& buffer = buffers_[d];
    const PixelPoint p = Pixel(d, i);
    const PixelValue c = looks_[i].colour;
    if (Selected(i)) {
        SetPixel(buffer, p.x, p.y, c);
        HorizontalLine(buffer, p.x - 5, p.y - 5, p.x + 5, c);
        HorizontalLine(buffer, p.x - 5, p.y + 5, p.x + 5, c);
        VerticalLine(buffer, p.x - 5, p.y - 5, p.y + 5, c);
        VerticalLine(buffer, p.x + 5, p.y - 5, p.y + 5, c);
    } else if (p.x >= 1 && p.y >= 1 && p.x < buffer.width - 1 && p.y < buffer.height - 1) {
        // A plus sign wholly inside, the usual case: its five pixels written here.
        const std::int32_t step = buffer.BytesPerPixel();
        std::uint8_t* centre = buffer.Address(p.x, p.y);
        for (std::uint8_t* at :
             {centre - step, centre, centre + step, centre - buffer.pitch, centre + buffer.pitch}) {
            at[0] = static_cast<std::uint8_t>(c);
            at[1] = static_cast<std::uint8_t>(c >> 8);
            if (step == 3) at[2] = static_cast<std::uint8_t>(c >> 16);
        }
    } else {
        HorizontalLine(buffer, p.x - 1, p.y, p.x + 1, c);
        VerticalLine(buffer, p.x, p.y - 1, p.y + 1, c);
    }
}

void VertexMarkers::DrawUnion(std::span<MarkerUnion, MaxGroup> unions) const {
    constexpr std::size_t VertexRunLength = 16;
    for (std::size_t d = 0; d < drawn_; ++d)
        unions[d].Reset(buffers_[d].width, buffers_[d].height);
    const ProjectedVertices& first = *views_[index_[0]].at;
    bool shared = first.Width() <= MaxRunBoxWidth;  // every view part of one table
    for (std::size_t d = 1; d < drawn_; ++d)
        shared = shared && views_[index_[d]].at->Table() == first.Table();
    const auto shape = [&](std::size_t i) {
        return Selected(i) ? MarkerUnion::Square : MarkerUnion::Plus;
    };
    for (std::size_t from = 0; from < shown_.size(); from += VertexRunLength) {
        const std::size_t to = std::min(shown_.size(), from + VertexRunLength);
        const int kind = shape(from);
        bool oneKind = true;
        for (std::size_t i = from + 1; i < to; ++i)
            oneKind = oneKind && shape(i) == kind;
        std::uint32_t todo = (1u << drawn_) - 1;
        if (shared && oneKind) {
            std::array<std::int32_t, MaxRunBoxWidth> lo, hi;
            RunBox(first.Table(), first.Width(), shown_.data() + from, to - from, lo.data(),
                   hi.data());
            for (std::size_t d = 0; d < drawn_; ++d) {
                const ProjectedVertices& at = *views_[index_[d]].at;
                if (unions[d].AllMarked(lo[at.X()], lo[at.Y()], hi[at.X()], hi[at.Y()], kind))
                    todo &= ~(1u << d);
            }
        }
        for (std::size_t d = 0; d < drawn_; ++d) {
            if ((todo >> d & 1u) == 0) continue;
            const ProjectedVertices at = *views_[index_[d]].at;
            unions[d].MarkEach(
                from, to, [&](std::size_t i) { return at[static_cast<std::size_t>(shown_[i])]; },
                shape);
        }
    }
    for (std::size_t d = 0; d < drawn_; ++d)
        unions[d].Draw(buffers_[d], RawVertexMarker);
}

void VertexMarkers::DrawLastOfEach(std::vector<std::uint8_t>& seen,
                                   std::vector<std::uint8_t>& keep) const {
    // Each view marks the markers seen so far, walking backwards, one byte a pixel.
    std::array<std::size_t, MaxGroup> seenAt{};
    std::size_t seenSize = 0;
    for (std::size_t d = 0; d < drawn_; ++d) {
        seenAt[d] = seenSize;
        seenSize += static_cast<std::size_t>(buffers_[d].width + 2 * Margin) *
                    static_cast<std::size_t>(buffers_[d].height + 2 * Margin);
    }
    seen.assign(seenSize, 0);
    // The seen mark of shown vertex i's marker in drawn view d, or null when it lies wholly
    // outside.
    const auto mark = [&](std::size_t d, std::size_t i) -> std::uint8_t* {
        const PixelPoint p = Pixel(d, i);
        const std::int32_t w = buffers_[d].width + 2 * Margin;
        const std::int32_t h = buffers_[d].height + 2 * Margin;
        const std::int64_t x = std::int64_t{p.x} + Margin, y = std::int64_t{p.y} + Margin;
        if (x < 0 || y < 0 || x >= w || y >= h) return nullptr;  // FarPixel among them
        return &seen[seenAt[d] + static_cast<std::size_t>(y * w + x)];
    };
    keep.assign(shown_.size(), 0);
    for (std::size_t i = shown_.size(); i-- > 0;) {
        const std::uint8_t kind = Selected(i) ? 2 : 1;
        const bool usual = looks_[i].colour == RawVertexMarker;
        std::uint8_t bits = 0;
        for (std::size_t d = 0; d < drawn_; ++d) {
            std::uint8_t* m = mark(d, i);
            if (m == nullptr) continue;
            if (!usual || (*m & kind) == 0) bits |= static_cast<std::uint8_t>(1u << d);
            if (usual) *m |= kind;
        }
        keep[i] = bits;
    }
    for (std::size_t i = 0; i < shown_.size(); ++i)
        for (std::size_t d = 0; d < drawn_; ++d)
            if ((keep[i] >> d & 1u) != 0) DrawMarker(d, i);
}

// The point-light marker when shown, then every shown vertex's marker, for up to MaxGroup views
// in one pass over the vertices.
void Vertices(std::span<const VertexView> views, const PreparedScene& prepared,
              const PointLightMarker& light, PassScratch& scratch) {
    static_assert(MaxGroup <= 8, "one bit a view in a byte of keep");
    const VertexMarkers markers(views, prepared, light);
    if (!markers.AnyDrawn()) return;
    if (prepared.allMarkersUsual) {
        markers.DrawUnion(scratch.markers);
    } else {
        markers.DrawLastOfEach(scratch.seen, scratch.keep);
    }
}

// The selected faces of one view on its own, each face checked for a far corner.
void SelectedFaces(Canvas& canvas, const PreparedScene& prepared, const ProjectedVertices& at,
                   const ViewState& state, ViewId view) {
    const PixelBuffer buffer = canvas.Locked();
    if (!buffer.Drawable()) return;
    const std::int32_t* next = prepared.selectedCorners.data();
    for (const PreparedScene::FaceEntry& e : prepared.selectedFaces) {
        const std::int32_t n = e.count;
        const std::int32_t* corner = next;
        next += n;
        const auto point = [&](std::int32_t k) { return at[static_cast<std::size_t>(corner[k])]; };
        bool far = false;
        for (std::int32_t k = 0; k < n; ++k)
            far |= IsFar(point(k));
        if (far) {
            FarFaceEdges<FacePass::Selected>(buffer, prepared, corner, n, state, view,
                                             RawSelectedFace, [](std::int32_t) {});
            continue;
        }
        const PixelPoint first = point(0), last = point(n - 1);
        DrawEdge(buffer, first.x, first.y, last.x, last.y, RawSelectedFace);
        for (std::int32_t i = 1; i < n; ++i) {
            const PixelPoint a = point(i - 1), b = point(i);
            DrawEdge(buffer, a.x, a.y, b.x, b.y, RawSelectedFace);
        }
    }
}

// The views' projections in one table (NearAllViews).
ViewCoordinates ProjectTargets(std::span<const ViewTarget> targets, const PreparedScene& prepared,
                               std::vector<std::int32_t>& table) {
    std::array<const ViewState*, MaxGroup> states{};
    std::array<ViewId, MaxGroup> ids{};
    for (std::size_t i = 0; i < targets.size(); ++i)
        states[i] = targets[i].state, ids[i] = targets[i].view;
    return NearAllViews(states.data(), ids.data(), targets.size(), prepared.xyz.data(),
                        prepared.xyz.size() / 3, table);
}

// Up to MaxGroup views: overlays, then the outlines of them all in one pass where they allow it,
// then each view's vertices and selected faces. Each canvas sees its passes in the usual order.
void DrawGroup(std::span<const ViewTarget> targets, const Scene& scene,
               const PreparedScene& prepared, const ViewPassInputs& in, PassScratch& scratch) {
    const std::size_t g = targets.size();
    const std::size_t n = prepared.xyz.size() / 3;
    std::vector<std::int32_t>& table = scratch.table;
    const ViewCoordinates c = ProjectTargets(targets, prepared, table);
    std::array<ProjectedVertices, MaxGroup> at;
    // Views with no far vertex take the grouped passes; the others draw on their own.
    std::array<bool, MaxGroup> apart{};
    std::array<GroupMember, MaxGroup> near;
    std::size_t nearCount = 0;
    for (std::size_t i = 0; i < g; ++i) {
        const ViewTarget& t = targets[i];
        DrawOverlays(*t.canvas, *t.state, t.view, in);
        at[i] = ProjectedVertices(table.data(), c, i);
        apart[i] = at[i].AnyFar() || !IsOrthographic(t.view);
        const PixelBuffer buffer = t.canvas->Locked();
        if (buffer.Drawable() && !apart[i]) {
            near[nearCount] = GroupMember(buffer, c, i, &scratch.settled[nearCount]);
            ++nearCount;
        }
    }
    const std::span<GroupMember> grouped(near.data(), nearCount);
    if (!in.showNormals)
        GroupFaces<FacePass::Outlines>(grouped, prepared.shownFaces, prepared.corners, table.data(),
                                       c.width, n);
    for (std::size_t i = 0; i < g; ++i)
        if (in.showNormals || apart[i])
            FaceOutlines(*targets[i].canvas, scene, prepared, at[i], *targets[i].state,
                         targets[i].view, in.showNormals);
    std::array<VertexView, MaxGroup> vertexViews;
    for (std::size_t i = 0; i < g; ++i)
        vertexViews[i] = {targets[i].canvas, targets[i].state, targets[i].view, &at[i]};
    Vertices({vertexViews.data(), g}, prepared, in.pointLight, scratch);
    GroupFaces<FacePass::Selected>(grouped, prepared.selectedFaces, prepared.selectedCorners,
                                   table.data(), c.width, n);
    for (std::size_t i = 0; i < g; ++i)
        if (apart[i])
            SelectedFaces(*targets[i].canvas, prepared, at[i], *targets[i].state, targets[i].view);
}

// Copies into `into` the pixels that `earlier` settled and `later` did not, from `from`.
void JoinOutlines(const PixelBuffer& into, const PixelBuffer& from, const SettledPixels& later,
                  const SettledPixels& earlier) {
    const std::int32_t bytes = into.BytesPerPixel();
    for (std::int32_t y = 0; y < into.height; ++y) {
        const std::uint64_t* mine = later.Row(y);
        const std::uint64_t* theirs = earlier.Row(y);
        for (std::size_t w = 0; w < later.WordsPerRow(); ++w)
            for (std::uint64_t bits = theirs[w] & ~mine[w]; bits != 0; bits &= bits - 1) {
                const auto x = static_cast<std::int32_t>(64 * w) + __builtin_ctzll(bits);
                std::copy_n(from.Address(x, y), bytes, into.Address(x, y));
            }
    }
}

}  // namespace

struct SharedViewPasses::Parts {
    std::array<ViewTarget, MaxGroup> targets;
    std::size_t count = 0;     // views
    std::size_t vertices = 0;  // rows of the table
    const PreparedScene* prepared = nullptr;
    PointLightMarker light;
    std::vector<std::int32_t> table;
    ViewCoordinates coordinates;  // of the table
    std::array<ProjectedVertices, MaxGroup> at;
    std::array<PixelBuffer, MaxGroup> canvas, scratch;
    std::array<std::vector<std::uint8_t>, MaxGroup> scratchMemory;
    std::array<SettledPixels, MaxGroup> later, earlier;  // what each part settled
    std::size_t split = 0;                               // the first face of part 0
    std::size_t splitCorner = 0;                         // and its first corner
};

SharedViewPasses::SharedViewPasses() : parts_(std::make_unique<Parts>()) {}
SharedViewPasses::~SharedViewPasses() = default;

bool SharedViewPasses::Begin(std::span<const ViewTarget> targets, const PreparedScene& prepared,
                             const ViewPassInputs& in, double helperShare) {
    Parts& p = *parts_;
    const std::size_t g = targets.size();
    if (g == 0 || g > MaxGroup || in.showNormals) return false;
    for (const ViewTarget& t : targets)
        if (!IsOrthographic(t.view) || !t.canvas->Locked().Drawable()) return false;
    const std::size_t n = prepared.xyz.size() / 3;
    const ViewCoordinates c = ProjectTargets(targets, prepared, p.table);
    if (std::find(c.far.begin(), c.far.begin() + static_cast<std::ptrdiff_t>(g), true) !=
        c.far.begin() + static_cast<std::ptrdiff_t>(g))
        return false;
    p.coordinates = c;
    p.count = g;
    p.vertices = n;
    p.prepared = &prepared;
    p.light = in.pointLight;
    for (std::size_t i = 0; i < g; ++i) {
        p.targets[i] = targets[i];
        p.at[i] = ProjectedVertices(p.table.data(), c, i);
        DrawOverlays(*targets[i].canvas, *targets[i].state, targets[i].view, in);
        const PixelBuffer buffer = targets[i].canvas->Locked();
        p.canvas[i] = buffer;
        std::vector<std::uint8_t>& memory = p.scratchMemory[i];
        memory.resize(static_cast<std::size_t>(buffer.pitch) *
                      static_cast<std::size_t>(buffer.height));
        p.scratch[i] = buffer;
        p.scratch[i].base = memory.data();
    }
    const std::size_t shown = prepared.shownFaces.size();
    // (A share that is not a number counts as none.)
    const double share = helperShare > 0 ? std::min(helperShare, 1.0) : 0.0;
    p.split = std::min(shown, static_cast<std::size_t>(share * static_cast<double>(shown)));
    p.splitCorner = 0;
    for (std::size_t f = 0; f < p.split; ++f)
        p.splitCorner += prepared.shownFaces[f].count;
    return true;
}

std::size_t SharedViewPasses::HelperFaces() const {
    return parts_->split;
}

void SharedViewPasses::Outlines(int part) {
    Parts& p = *parts_;
    std::array<GroupMember, MaxGroup> members;
    for (std::size_t i = 0; i < p.count; ++i)
        members[i] = GroupMember(part == 0 ? p.canvas[i] : p.scratch[i], p.coordinates, i,
                                 part == 0 ? &p.later[i] : &p.earlier[i]);
    const std::span<const PreparedScene::FaceEntry> faces(p.prepared->shownFaces);
    const std::span<const std::int32_t> corners(p.prepared->corners);
    if (part == 0) {
        GroupFaces<FacePass::Outlines>({members.data(), p.count}, faces.subspan(p.split),
                                       corners.subspan(p.splitCorner), p.table.data(),
                                       p.coordinates.width, p.vertices);
    } else {
        GroupFaces<FacePass::Outlines>({members.data(), p.count}, faces.first(p.split),
                                       corners.first(p.splitCorner), p.table.data(),
                                       p.coordinates.width, p.vertices);
    }
}

void SharedViewPasses::Finish(int part, PassScratch& scratch) {
    Parts& p = *parts_;
    std::array<VertexView, MaxGroup> vertexViews;
    std::array<GroupMember, MaxGroup> members;
    std::size_t mine = 0;
    for (std::size_t i = static_cast<std::size_t>(part); i < p.count; i += 2, ++mine) {
        JoinOutlines(p.canvas[i], p.scratch[i], p.later[i], p.earlier[i]);
        const ViewTarget& t = p.targets[i];
        vertexViews[mine] = {t.canvas, t.state, t.view, &p.at[i]};
        members[mine] = GroupMember(p.canvas[i], p.coordinates, i, &p.later[i]);
    }
    Vertices({vertexViews.data(), mine}, *p.prepared, p.light, scratch);
    GroupFaces<FacePass::Selected>({members.data(), mine}, p.prepared->selectedFaces,
                                   p.prepared->selectedCorners, p.table.data(), p.coordinates.width,
                                   p.vertices);
}

void DrawViewGroupPasses(std::span<const ViewTarget> targets, const Scene& scene,
                         const PreparedScene& prepared, const ViewPassInputs& in,
                         PassScratch& scratch) {
    for (std::size_t i = 0; i < targets.size(); i += MaxGroup)
        DrawGroup(targets.subspan(i, std::min(MaxGroup, targets.size() - i)), scene, prepared, in,
                  scratch);
}

}  // namespace kvx
