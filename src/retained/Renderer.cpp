#include "retained/Renderer.h"

#include <algorithm>

#include "canvas/Canvas.h"
#include "retained/Clipper.h"
#include "retained/Prefetch.h"
#include "retained/SceneWalk.h"

namespace kvx::rm {
namespace {

PixelRect ClipRect(const ViewRect& rect, std::int32_t width, std::int32_t height) {
    return {std::max(rect.x, 0), std::max(rect.y, 0), std::min(rect.x + rect.width, width),
            std::min(rect.y + rect.height, height)};
}

inline std::int32_t Min3(std::int32_t a, std::int32_t b, std::int32_t c) {
    return std::min(a, std::min(b, c));
}
inline std::int32_t Max3(std::int32_t a, std::int32_t b, std::int32_t c) {
    return std::max(a, std::max(b, c));
}

}  // namespace

void Renderer::FitDepth(const Canvas& canvas) {
    depth_.Resize(canvas.Width(), canvas.Height());
}

void Renderer::ClearDepth(const Canvas& canvas, const ViewRect& rect) {
    FitDepth(canvas);
    depth_.Clear(ClipRect(rect, depth_.Width(), depth_.Height()));
}

Result Renderer::Render(const Frame& root, const Frame& camera, const ViewRect& rect,
                        std::uint32_t quality, Canvas& canvas) {
    if (!canvas.Lock()) return ErrBadObject;
    FitDepth(canvas);
    Pass pass;
    pass.mode = DecodeQuality(quality);
    // Lights in world space.
    if (pass.mode.lit) pass.lights = CollectLights(root);
    // The camera: world space to view space.
    pass.worldToView = camera.WorldTransform().AffineInverse();
    pass.mapping = ViewMapping::For(rect);
    pass.target = {canvas.Locked(), &depth_, ClipRect(rect, canvas.Width(), canvas.Height())};
    // Every visual, under the product of its frames' transforms.
    if (pass.target.pixels.Drawable() && !IsEmpty(pass.target.clip)) {
        ForEachFrame(root, [&](const Frame& frame, const Matrix4& toWorld) {
            for (const auto& mesh : frame.Visuals())
                DrawMesh(mesh, toWorld, pass);
        });
    }
    triangles_.DropUnused();
    canvas.Unlock();
    return Ok;
}

void Renderer::DrawMesh(const std::shared_ptr<MeshBuilder>& mesh, const Matrix4& modelToWorld,
                        Pass& pass) {
    Instance in;
    in.mesh = mesh.get();
    in.modelToViewWide = modelToWorld * pass.worldToView;
    in.modelToView = AffineF::From(in.modelToViewWide);
    const LargeVector<MeshTriangle>& triangles = triangles_.For(mesh);
    if (triangles.empty()) return;
    // Transform stage: every vertex to the screen, with its clip codes.
    const auto& positions = mesh->Positions();
    if (screen_.size() < positions.size()) screen_.resize(positions.size());
    TransformVertices(positions, in.modelToView, pass.mapping, screen_.data());
    lighting_.Begin(*mesh, modelToWorld, pass.mode.lit ? &pass.lights : nullptr);
    if (pass.mode.solid) {
        DrawTriangles(in, triangles, pass);
    } else {
        DrawOutlines(in, pass);
    }
}

Vec3f Renderer::CornerColor(const Instance& in, std::int32_t vertex, std::int32_t normal,
                            std::int32_t face, Vec3f color, const Pass& pass) {
    Vec3f light{1.0f, 1.0f, 1.0f};
    if (pass.mode.lit) {
        const auto& faces = in.mesh->Faces();
        const Vec3f n = normal >= 0
                            ? in.mesh->Normals()[static_cast<std::size_t>(normal)]
                            : Narrow(in.mesh->NormalOf(faces[static_cast<std::size_t>(face)]));
        light = lighting_.At(vertex, n);
    }
    return {color.x * light.x * 255.0f, color.y * light.y * 255.0f, color.z * light.z * 255.0f};
}

Vec3f Renderer::FaceCornerColor(const Instance& in, std::int32_t face, std::int32_t k,
                                const Pass& pass) {
    const FaceData& f = in.mesh->Faces()[static_cast<std::size_t>(face)];
    if (!pass.mode.gouraud) k = 0;  // flat shading: the face takes its first corner's colour
    const Corner& c = in.mesh->CornersOf(f)[k];
    return CornerColor(in, c.vertex, c.normal, face, f.color, pass);
}

void Renderer::DrawTriangles(const Instance& in, const LargeVector<MeshTriangle>& triangles,
                             Pass& pass) {
    const ScreenVertex* sv = screen_.data();
    // Reject, cull and clip first: most triangles of a large mesh hold no pixel centre. Those
    // left to shade are listed with their screen vertices.
    shaded_.clear();
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const MeshTriangle& t = triangles[i];
        const ScreenVertex& a = sv[t.v0];
        const ScreenVertex& b = sv[t.v1];
        const ScreenVertex& c = sv[t.v2];
        // Wholly outside one clip plane: nothing to draw; crossing any: cut by the clipper.
        if ((a.code | b.code | c.code) != 0) {
            // A corner too far for floats: its codes may be wrong, so only the wide clipper
            // tells what is left.
            const bool wide = ((a.code | b.code | c.code) & ClipWide) != 0;
            if (wide || (a.code & b.code & c.code) == 0) DrawClippedTriangle(in, t, wide, pass);
            continue;
        }
        // No pixel centre within its bounds: nothing to draw, and no set-up spent on it.
        const PixelRect bounds =
            CentresWithin(Min3(a.x, b.x, c.x), Max3(a.x, b.x, c.x), Min3(a.y, b.y, c.y),
                          Max3(a.y, b.y, c.y), pass.target.clip);
        if (IsEmpty(bounds)) continue;
        // Cull: only faces running clockwise on the screen are drawn.
        if (ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y) <= 0) continue;
        // A small triangle between the centres its bounds hold draws nothing either.
        if (!CoversSomeCentre(a.x, a.y, b.x, b.y, c.x, c.y, bounds)) continue;
        shaded_.push_back({t, a, b, c});
    }

    // Lit results are kept per vertex only when enough of the mesh is drawn for vertices to
    // come back.
    lighting_.KeepResults(shaded_.size() * SharedCornerDensity >= triangles.size());
    ShadeListed(in, triangles.size() >= PrefetchFromTriangles, pass);
}

void Renderer::ShadeListed(const Instance& in, bool fetchAhead, Pass& pass) {
    // Light and rasterise the listed triangles. Their faces, corners, normals and vertices lie
    // scattered through large arrays, so each is fetched a few triangles ahead of its use.
    const FaceData* faces = in.mesh->Faces().data();
    const Vec3f* normals = in.mesh->Normals().data();
    const std::size_t count = shaded_.size();
    // A listed triangle's face and the normals of its corners 0, k and k + 1. A builder whose
    // corners each hold the normal numbered as the corner (the scene's) gives them without its
    // corner table being read.
    struct Shading {
        const FaceData* face;
        std::int32_t n0, n1, n2;
    };
    const bool numbered = in.mesh->CornerNormalsNumbered();
    const auto shadingOf = [&](const ShadedTriangle& s) {
        const FaceData* face = &faces[static_cast<std::size_t>(s.triangle.Face())];
        const std::int32_t k = s.triangle.Fan();
        if (numbered)
            return Shading{face, face->firstCorner, face->firstCorner + k,
                           face->firstCorner + k + 1};
        const Corner* c = in.mesh->CornersOf(*face);
        return Shading{face, c[0].normal, c[k].normal, c[k + 1].normal};
    };
    for (std::size_t j = 0; j < count; ++j) {
        if (fetchAhead && j + 2 * PrefetchDistance < count) {
            const ShadedTriangle& ahead = shaded_[j + 2 * PrefetchDistance];
            Prefetch(&faces[static_cast<std::size_t>(ahead.triangle.Face())]);
            lighting_.Prefetch(ahead.triangle.v0);
            lighting_.Prefetch(ahead.triangle.v1);
            lighting_.Prefetch(ahead.triangle.v2);
        }
        if (fetchAhead && j + PrefetchDistance < count) {
            const Shading ahead = shadingOf(shaded_[j + PrefetchDistance]);
            if (ahead.n0 >= 0) Prefetch(&normals[ahead.n0]);
            if (ahead.n2 >= 0) Prefetch(&normals[ahead.n2]);
        }
        const ShadedTriangle& s = shaded_[j];
        const Shading sh = shadingOf(s);
        const Vec3f color = sh.face->color;
        const PixelRect pixels =
            CentresWithin(Min3(s.a.x, s.b.x, s.c.x), Max3(s.a.x, s.b.x, s.c.x),
                          Min3(s.a.y, s.b.y, s.c.y), Max3(s.a.y, s.b.y, s.c.y), pass.target.clip);
        const std::int64_t area = ClockwiseArea(s.a.x, s.a.y, s.b.x, s.b.y, s.c.x, s.c.y);
        // Vertex lighting (flat shading gives every corner the first one's colour), then the
        // rasteriser.
        // The face is needed only for a corner without a normal of its own.
        const std::int32_t face = (sh.n0 | sh.n1 | sh.n2) < 0 ? s.triangle.Face() : 0;
        const Vec3f ca = CornerColor(in, s.triangle.v0, sh.n0, face, color, pass);
        Vec3f cb = ca, cc = ca;
        if (pass.mode.gouraud) {
            cb = CornerColor(in, s.triangle.v1, sh.n1, face, color, pass);
            cc = CornerColor(in, s.triangle.v2, sh.n2, face, color, pass);
        }
        RasteriseTriangle(pass.target, pixels, area, {s.a.x, s.a.y, s.a.depth, ca},
                          {s.b.x, s.b.y, s.b.depth, cb}, {s.c.x, s.c.y, s.c.depth, cc});
    }
}

void Renderer::DrawClippedTriangle(const Instance& in, const MeshTriangle& t, bool wide,
                                   Pass& pass) {
    const auto& positions = in.mesh->Positions();
    const std::int32_t corner[3] = {0, t.Fan(), t.Fan() + 1};
    const std::int32_t vertex[3] = {t.v0, t.v1, t.v2};
    ClipVertex clipped[MaxClippedVertices];
    int n = 0;
    if (wide) {
        WideClipVertex polygon[3];
        for (int i = 0; i < 3; ++i) {
            const Vec3f p = positions[static_cast<std::size_t>(vertex[i])];
            polygon[i] = {in.modelToViewWide.TransformPoint(Widen(p)),
                          FaceCornerColor(in, t.Face(), corner[i], pass)};
        }
        n = ClipPolygonWide(polygon, 3, pass.mapping.guard, clipped);
    } else {
        ClipVertex polygon[3];
        for (int i = 0; i < 3; ++i) {
            polygon[i] = {in.modelToView.Point(positions[static_cast<std::size_t>(vertex[i])]),
                          FaceCornerColor(in, t.Face(), corner[i], pass)};
        }
        n = ClipPolygon(polygon, 3, pass.mapping.guard, clipped);
    }
    if (n < 3) return;
    RasterVertex rv[MaxClippedVertices];
    for (int i = 0; i < n; ++i) {
        const ScreenVertex s = Project(clipped[i].view, pass.mapping);
        rv[i] = {s.x, s.y, s.depth, clipped[i].color};
    }
    // Cull on the cut polygon: everything left lies in front of the camera, so its turning on
    // the screen is the face's.
    std::int64_t total = 0;
    for (int i = 1; i + 1 < n; ++i)
        total += ClockwiseArea(rv[0].x, rv[0].y, rv[i].x, rv[i].y, rv[i + 1].x, rv[i + 1].y);
    if (total <= 0) return;
    for (int i = 1; i + 1 < n; ++i) {
        const RasterVertex &a = rv[0], &b = rv[i], &c = rv[i + 1];
        const std::int64_t area = ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y);
        if (area <= 0) continue;
        const PixelRect pixels =
            CentresWithin(Min3(a.x, b.x, c.x), Max3(a.x, b.x, c.x), Min3(a.y, b.y, c.y),
                          Max3(a.y, b.y, c.y), pass.target.clip);
        RasteriseTriangle(pass.target, pixels, area, a, b, c);
    }
}

void Renderer::DrawOutlines(const Instance& in, Pass& pass) {
    const auto& positions = in.mesh->Positions();
    const auto& faces = in.mesh->Faces();
    for (std::size_t fi = 0; fi < faces.size(); ++fi) {
        const FaceData& f = faces[fi];
        if (!f.added || f.cornerCount < 3) continue;
        const Vec3f color = FaceCornerColor(in, static_cast<std::int32_t>(fi), 0, pass);
        ClipVertex polygon[MaxFaceCorners];
        std::uint32_t codes = 0;
        const Corner* corners = in.mesh->CornersOf(f);
        for (std::int32_t k = 0; k < f.cornerCount; ++k) {
            const auto v = static_cast<std::size_t>(corners[k].vertex);
            polygon[k] = {in.modelToView.Point(positions[v]), color};
            codes |= screen_[v].code;
        }
        ClipVertex clipped[MaxClippedVertices];
        const ClipVertex* outline = polygon;
        int n = f.cornerCount;
        if ((codes & ClipWide) != 0) {
            WideClipVertex wide[MaxFaceCorners];
            for (std::int32_t k = 0; k < n; ++k) {
                const auto v = static_cast<std::size_t>(corners[k].vertex);
                wide[k] = {in.modelToViewWide.TransformPoint(Widen(positions[v])), color};
            }
            n = ClipPolygonWide(wide, n, pass.mapping.guard, clipped);
            outline = clipped;
        } else if (codes != 0) {
            n = ClipPolygon(polygon, n, pass.mapping.guard, clipped);
            outline = clipped;
        }
        if (n < 3) continue;
        RasterVertex rv[MaxClippedVertices];
        for (int i = 0; i < n; ++i) {
            const ScreenVertex s = Project(outline[i].view, pass.mapping);
            rv[i] = {s.x, s.y, s.depth, color};
        }
        // Only faces turned towards the camera are outlined.
        std::int64_t total = 0;
        for (int i = 1; i + 1 < n; ++i)
            total += ClockwiseArea(rv[0].x, rv[0].y, rv[i].x, rv[i].y, rv[i + 1].x, rv[i + 1].y);
        if (total <= 0) continue;
        for (int i = 0; i < n; ++i)
            DrawEdge(pass.target, rv[i], rv[(i + 1) % n], color);
    }
}

}  // namespace kvx::rm
