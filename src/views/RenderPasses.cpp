#include "views/RenderPasses.h"

#include <array>
#include <vector>

#include "scene/Scene.h"
#include "views/PreparedScene.h"

namespace kvx {
namespace {

// Every vertex's pixel in one view, computed once for all the passes of a redraw; FarPixel for a
// vertex beyond ExactPixelRange, whose lines are drawn from its exact position instead. The
// storage is kept between redraws (per thread, so views can be drawn side by side).
class ProjectedVertices {
  public:
    ProjectedVertices(const PreparedScene& prepared, const ViewState& state, ViewId view) {
        static thread_local std::vector<PixelPoint> points;
        const std::size_t n = prepared.xyz.size() / 3;
        points.resize(n);
        if (IsOrthographic(view)) {
            const ViewProjector project(state, view);
            const float* p = prepared.xyz.data();
            bool far = false;
            for (std::size_t i = 0; i < n; ++i, p += 3) {
                points[i] = project.Near(p[0], p[1], p[2]);
                far |= IsFar(points[i]);
            }
            anyFar_ = far;
        } else {
            std::fill(points.begin(), points.end(), PixelPoint{});
        }
        points_ = points.data();
    }
    PixelPoint operator[](std::size_t i) const { return points_[i]; }
    // Whether some vertex is FarPixel: only then do the passes look for far corners.
    bool AnyFar() const { return anyFar_; }

  private:
    const PixelPoint* points_ = nullptr;
    bool anyFar_ = false;
};

PixelPosition Project(double x, double y, double z, const ViewState& state, ViewId view) {
    return ProjectPosition(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                           state, view);
}

void Segment(Canvas& canvas, PixelPosition a, PixelPosition b, PixelValue c) {
    DrawLongLine(canvas.Locked(), a, b, c);
}

// A position known to lie within ExactPixelRange, as a pixel.
PixelPoint Whole(PixelPosition p) {
    return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)};
}

const Vertex& CornerVertex(const Scene& scene, const Face& f, std::int32_t k) {
    return scene.vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
}

// The normal the engine holds for corner k of the face, or nothing when it has none.
bool CornerNormal(const Face& f, std::int32_t k, rm::Vec3f& normal) {
    const rm::MeshBuilder* builder = f.rmFace.Builder();
    if (builder == nullptr || f.rmFace.Index() < 0 || f.rmFace.Index() >= builder->FaceCount()) {
        return false;
    }
    const rm::FaceData& data = builder->Faces()[static_cast<std::size_t>(f.rmFace.Index())];
    if (k >= data.cornerCount) return false;
    const std::int32_t n = data.normal[static_cast<std::size_t>(k)];
    if (n < 0 || n >= builder->NormalCount()) return false;
    normal = builder->Normals()[static_cast<std::size_t>(n)];
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

}  // namespace

void DrawGrid(Canvas& canvas, const ViewState& state, ViewId view, PixelValue colour) {
    const double e = GridExtent;
    for (std::int32_t i = TruncateToInt32(-e); static_cast<double>(i) < e; ++i) {
        const double d = i;
        switch (view) {
            case ViewTop:
            case ViewBottom:
                Segment(canvas, Project(d, 0, -e, state, view), Project(d, 0, e, state, view),
                        colour);
                break;
            case ViewLeft:
            case ViewRight:
                Segment(canvas, Project(0, d, -e, state, view), Project(0, d, e, state, view),
                        colour);
                break;
            default:
                Segment(canvas, Project(-e, d, 0, state, view), Project(e, d, 0, state, view),
                        colour);
                break;
        }
    }
    for (std::int32_t i = TruncateToInt32(-e); static_cast<double>(i) < e; ++i) {
        const double d = i;
        switch (view) {
            case ViewTop:
            case ViewBottom:
                Segment(canvas, Project(-e, 0, d, state, view), Project(e, 0, d, state, view),
                        colour);
                break;
            case ViewLeft:
            case ViewRight:
                Segment(canvas, Project(0, -e, d, state, view), Project(0, e, d, state, view),
                        colour);
                break;
            default:
                Segment(canvas, Project(d, -e, 0, state, view), Project(d, e, 0, state, view),
                        colour);
                break;
        }
    }
}

void DrawRulers(Canvas& canvas, const ViewState& state, ViewId view, bool showMouseAxes,
                const MouseState& mouse, PixelValue colour) {
    const double e = GridExtent;
    Segment(canvas, Project(-e, 0, 0, state, view), Project(e, 0, 0, state, view), colour);
    Segment(canvas, Project(0, 0, -e, state, view), Project(0, 0, e, state, view), colour);
    Segment(canvas, Project(0, -e, 0, state, view), Project(0, e, 0, state, view), colour);
    if (showMouseAxes && mouse.activeView == view) {
        const std::int32_t mx = TruncateToInt32(mouse.pixelX);
        const std::int32_t my = TruncateToInt32(mouse.pixelY);
        const std::int32_t last = state.pixelSize - 1;
        canvas.DrawLine(mx, 0, mx, last, colour);
        canvas.DrawLine(0, my, last, my, colour);
    }
}

void DrawSnapMarker(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    PixelValue colour) {
    const PixelPosition at = Project(mouse.worldX, mouse.worldY, mouse.worldZ, state, view);
    if (!InExactRange(at)) return;  // too far away to reach the canvas
    const PixelPoint c = Whole(at);
    canvas.DrawLine(c.x - 2, c.y - 1, c.x + 2, c.y - 1, colour);
    canvas.DrawLine(c.x - 2, c.y + 1, c.x + 2, c.y + 1, colour);
    canvas.DrawLine(c.x - 1, c.y - 2, c.x - 1, c.y + 2, colour);
    canvas.DrawLine(c.x + 1, c.y - 2, c.x + 1, c.y + 2, colour);
}

void DrawRubberBand(Canvas& canvas, PixelPoint start, const MouseState& mouse, PixelValue colour) {
    const std::int32_t mx = TruncateToInt32(mouse.pixelX);
    const std::int32_t my = TruncateToInt32(mouse.pixelY);
    canvas.DrawLine(mx, my, mx, start.y, colour);
    canvas.DrawLine(mx, my, start.x, my, colour);
    canvas.DrawLine(start.x, my, start.x, start.y, colour);
    canvas.DrawLine(mx, start.y, start.x, start.y, colour);
}

void DrawMirrorLine(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    const double anchor[3], PixelValue colour) {
    const PixelPosition m{std::trunc(mouse.pixelX), std::trunc(mouse.pixelY)};
    Segment(canvas, m, Project(anchor[0], anchor[1], anchor[2], state, view), colour);
}

namespace {

// The outline of a face with a corner beyond ExactPixelRange, from the corners' exact positions,
// in the order of the usual outline: the closing edge, then each edge from corner k to corner
// k - 1; after(k) runs after corner k's edge (after(0) before them all).
template <typename After>
void FarOutline(const PixelBuffer& buffer, const PreparedScene& prepared,
                const PreparedScene::FaceEntry& e, const ViewState& state, ViewId view,
                PixelValue c, After after) {
    const ViewProjector project(state, view);
    std::array<PixelPosition, MaxFaceVertices> p;
    const std::int32_t n = e.count;
    for (std::int32_t k = 0; k < n; ++k) {
        const float* xyz = prepared.xyz.data() +
                           3 * static_cast<std::size_t>(
                                   prepared.corners[static_cast<std::size_t>(e.firstCorner + k)]);
        p[static_cast<std::size_t>(k)] = project.Position(xyz[0], xyz[1], xyz[2]);
    }
    after(0);
    DrawLongLine(buffer, p[0], p[static_cast<std::size_t>(n - 1)], c);
    for (std::int32_t i = 1; i < n; ++i) {
        DrawLongLine(buffer, p[static_cast<std::size_t>(i)], p[static_cast<std::size_t>(i - 1)], c);
        after(i);
    }
}

// MayBeFar: some vertex is FarPixel, so each face is checked for one.
template <bool MayBeFar>
void FaceOutlines(Canvas& canvas, const Scene& scene, const PreparedScene& prepared,
                  const ProjectedVertices& at, const ViewState& state, ViewId view,
                  bool showNormals) {
    const PixelBuffer buffer = canvas.Locked();
    if (!buffer.Drawable()) return;
    const PixelValue red = canvas.Pack(255, 0, 0);
    int packed = -1;  // the colour bytes last packed, as one number
    PixelValue c = 0;
    std::array<PixelPoint, MaxFaceVertices> p;
    for (const PreparedScene::FaceEntry& e : prepared.shownFaces) {
        const std::int32_t n = e.count;
        const std::int32_t* corner = prepared.corners.data() + e.firstCorner;
        bool onePixel = true, far = false;
        for (std::int32_t k = 0; k < n; ++k) {
            p[static_cast<std::size_t>(k)] = at[static_cast<std::size_t>(corner[k])];
            onePixel = onePixel && p[static_cast<std::size_t>(k)] == p[0];
            if constexpr (MayBeFar) far |= IsFar(p[static_cast<std::size_t>(k)]);
        }
        if (onePixel && !showNormals && !far) continue;  // every edge is a point: nothing to draw
        const int bytes = e.red << 16 | e.green << 8 | e.blue;
        if (bytes != packed) {
            packed = bytes;
            c = canvas.Pack(e.red, e.green, e.blue);
        }
        const Face* f = showNormals ? &scene.faces[static_cast<std::size_t>(e.face)] : nullptr;
        if (far) {
            FarOutline(buffer, prepared, e, state, view, c, [&](std::int32_t k) {
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

void Vertices(Canvas& canvas, const PreparedScene& prepared, const ProjectedVertices& at,
              const ViewState& state, ViewId view, const PointLightMarker& light) {
    const PixelPosition lightAt = Project(light.x, light.y, light.z, state, view);
    if (light.shown && InExactRange(lightAt)) {  // a marker further out cannot reach the canvas
        const PixelPoint l = Whole(lightAt);
        const PixelValue red = canvas.Pack(255, 0, 0);
        canvas.DrawLine(l.x - 5, l.y - 5, l.x + 5, l.y + 5, red);
        canvas.DrawLine(l.x + 5, l.y - 5, l.x - 5, l.y + 5, red);
    }
    const PixelBuffer buffer = canvas.Locked();
    if (!buffer.Drawable()) return;
    // A marker is redundant when the same marker (same pixel, look and colour) is drawn again
    // later: the later one writes the same pixels last. One pass backwards keeps only the last
    // of each kind, and markers that cannot touch the canvas; many vertices of a big model
    // share a pixel. Markers in other colours than the usual one are always drawn.
    constexpr std::int32_t Margin = 6;  // a selected marker reaches 5 pixels out
    const std::int32_t w = buffer.width + 2 * Margin, h = buffer.height + 2 * Margin;
    static thread_local std::vector<std::uint8_t> seen, keep;
    seen.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    const std::vector<PreparedScene::VertexEntry>& shown = prepared.shownVertices;
    keep.resize(shown.size());
    for (std::size_t i = shown.size(); i-- > 0;) {
        const PreparedScene::VertexEntry& v = shown[i];
        const PixelPoint p = at[static_cast<std::size_t>(v.index)];
        const std::int64_t x = std::int64_t{p.x} + Margin, y = std::int64_t{p.y} + Margin;
        if (x < 0 || y < 0 || x >= w || y >= h) {
            keep[i] = 0;  // wholly outside (FarPixel among them): draws nothing
        } else if (v.colour != RawVertexMarker) {
            keep[i] = 1;
        } else {
            std::uint8_t& mark = seen[static_cast<std::size_t>(y * w + x)];
            const std::uint8_t kind = v.state == VertexSelected ? 2 : 1;
            keep[i] = (mark & kind) == 0;
            mark |= kind;
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!keep[i]) continue;
        const PreparedScene::VertexEntry& v = shown[i];
        const PixelPoint p = at[static_cast<std::size_t>(v.index)];
        const PixelValue c = v.colour;
        if (v.state == VertexSelected) {
            SetPixel(buffer, p.x, p.y, c);
            HorizontalLine(buffer, p.x - 5, p.y - 5, p.x + 5, c);
            HorizontalLine(buffer, p.x - 5, p.y + 5, p.x + 5, c);
            VerticalLine(buffer, p.x - 5, p.y - 5, p.y + 5, c);
            VerticalLine(buffer, p.x + 5, p.y - 5, p.y + 5, c);
        } else {
            HorizontalLine(buffer, p.x - 1, p.y, p.x + 1, c);
            VerticalLine(buffer, p.x, p.y - 1, p.y + 1, c);
        }
    }
}

template <bool MayBeFar>
void SelectedFaces(Canvas& canvas, const PreparedScene& prepared, const ProjectedVertices& at,
                   const ViewState& state, ViewId view) {
    const PixelBuffer buffer = canvas.Locked();
    if (!buffer.Drawable()) return;
    for (const PreparedScene::FaceEntry& e : prepared.selectedFaces) {
        const std::int32_t n = e.count;
        const std::int32_t* corner = prepared.corners.data() + e.firstCorner;
        const auto point = [&](std::int32_t k) { return at[static_cast<std::size_t>(corner[k])]; };
        if constexpr (MayBeFar) {
            bool far = false;
            for (std::int32_t k = 0; k < n; ++k)
                far |= IsFar(point(k));
            if (far) {
                // The same edges in the other direction: the closing one, then k - 1 to k.
                const ViewProjector project(state, view);
                const auto position = [&](std::int32_t k) {
                    const float* xyz =
                        prepared.xyz.data() + 3 * static_cast<std::size_t>(corner[k]);
                    return project.Position(xyz[0], xyz[1], xyz[2]);
                };
                DrawLongLine(buffer, position(0), position(n - 1), RawSelectedFace);
                for (std::int32_t i = 1; i < n; ++i)
                    DrawLongLine(buffer, position(i - 1), position(i), RawSelectedFace);
                continue;
            }
        }
        const PixelPoint first = point(0), last = point(n - 1);
        DrawEdge(buffer, first.x, first.y, last.x, last.y, RawSelectedFace);
        for (std::int32_t i = 1; i < n; ++i) {
            const PixelPoint a = point(i - 1), b = point(i);
            DrawEdge(buffer, a.x, a.y, b.x, b.y, RawSelectedFace);
        }
    }
}

// The two passes over faces, checking for far corners only when some vertex is far.
void Outlines(Canvas& canvas, const Scene& scene, const PreparedScene& prepared,
              const ProjectedVertices& at, const ViewState& state, ViewId view, bool showNormals) {
    if (at.AnyFar()) {
        FaceOutlines<true>(canvas, scene, prepared, at, state, view, showNormals);
    } else {
        FaceOutlines<false>(canvas, scene, prepared, at, state, view, showNormals);
    }
}

void Selected(Canvas& canvas, const PreparedScene& prepared, const ProjectedVertices& at,
              const ViewState& state, ViewId view) {
    if (at.AnyFar()) {
        SelectedFaces<true>(canvas, prepared, at, state, view);
    } else {
        SelectedFaces<false>(canvas, prepared, at, state, view);
    }
}

}  // namespace

namespace {

PreparedScene& PreparedFor(const Scene& scene) {
    static thread_local PreparedScene prepared;
    prepared.Prepare(scene);
    return prepared;
}

}  // namespace

void DrawFaceOutlines(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                      bool showNormals) {
    const PreparedScene& prepared = PreparedFor(scene);
    const ProjectedVertices at(prepared, state, view);
    Outlines(canvas, scene, prepared, at, state, view, showNormals);
}

void DrawVertices(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                  const PointLightMarker& light) {
    const PreparedScene& prepared = PreparedFor(scene);
    Vertices(canvas, prepared, ProjectedVertices(prepared, state, view), state, view, light);
}

void DrawSelectedFaces(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view) {
    const PreparedScene& prepared = PreparedFor(scene);
    const ProjectedVertices at(prepared, state, view);
    Selected(canvas, prepared, at, state, view);
}

void DrawViewPasses(Canvas& canvas, const Scene& scene, const PreparedScene& prepared,
                    const ViewState& state, ViewId view, const ViewPassInputs& in) {
    const PixelValue blue = canvas.Pack(0, 0, 255);
    if (in.showGrid) DrawGrid(canvas, state, view, in.colours.grey120);
    if (in.showRulers)
        DrawRulers(canvas, state, view, in.showMouseAxes, in.mouse, in.colours.grey100);
    if (in.magneticGrid) DrawSnapMarker(canvas, state, view, in.mouse, in.colours.black);
    if (in.fenceDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.loupeDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.mirrorLineActive) DrawMirrorLine(canvas, state, view, in.mouse, in.mirrorAnchor, blue);
    const ProjectedVertices at(prepared, state, view);
    Outlines(canvas, scene, prepared, at, state, view, in.showNormals);
    Vertices(canvas, prepared, at, state, view, in.pointLight);
    Selected(canvas, prepared, at, state, view);
}

void DrawViewPasses(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                    const ViewPassInputs& in) {
    DrawViewPasses(canvas, scene, PreparedFor(scene), state, view, in);
}

}  // namespace kvx
