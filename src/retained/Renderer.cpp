#include "retained/Renderer.h"

#include <algorithm>

#include "canvas/Canvas.h"
#include "retained/Clipper.h"
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

// Unit normal (P1 - P0) x (P2 - P0) of a face's first three corners, for corners without a
// normal of their own.
Vec3f FaceNormal(const MeshBuilder& mesh, const FaceData& f) {
    const auto& p = mesh.Positions();
    const Vec3 p0 = Widen(p[static_cast<std::size_t>(f.vertex[0])]);
    const Vec3 p1 = Widen(p[static_cast<std::size_t>(f.vertex[1])]);
    const Vec3 p2 = Widen(p[static_cast<std::size_t>(f.vertex[2])]);
    return Narrow(Normalize(Cross(p1 - p0, p2 - p0)));
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
    in.modelToView = AffineF::From(modelToWorld * pass.worldToView);
    const std::vector<MeshTriangle>& triangles = triangles_.For(mesh);
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

Vec3f Renderer::CornerColor(const Instance& in, const FaceData& f, std::int32_t k,
                            const Pass& pass) {
    if (!pass.mode.gouraud) k = 0;  // flat shading: the face takes its first corner's colour
    const auto ku = static_cast<std::size_t>(k);
    Vec3f light{1.0f, 1.0f, 1.0f};
    if (pass.mode.lit) {
        const std::int32_t ni = f.normal[ku];
        const Vec3f n =
            ni >= 0 ? in.mesh->Normals()[static_cast<std::size_t>(ni)] : FaceNormal(*in.mesh, f);
        light = lighting_.At(f.vertex[ku], n);
    }
    return {f.color.x * light.x * 255.0f, f.color.y * light.y * 255.0f,
            f.color.z * light.z * 255.0f};
}

void Renderer::DrawTriangles(const Instance& in, const std::vector<MeshTriangle>& triangles,
                             Pass& pass) {
    const ScreenVertex* sv = screen_.data();
    const FaceData* faces = in.mesh->Faces().data();
    for (const MeshTriangle& t : triangles) {
        const ScreenVertex& a = sv[t.v0];
        const ScreenVertex& b = sv[t.v1];
        const ScreenVertex& c = sv[t.v2];
        // Reject: wholly outside one clip plane; cut by the clipper when it crosses any.
        if ((a.code | b.code | c.code) != 0) {
            if ((a.code & b.code & c.code) == 0) DrawClippedTriangle(in, t, pass);
            continue;
        }
        // Reject triangles that hold no pixel centre, before any set-up.
        const PixelRect pixels =
            CentresWithin(Min3(a.x, b.x, c.x), Max3(a.x, b.x, c.x), Min3(a.y, b.y, c.y),
                          Max3(a.y, b.y, c.y), pass.target.clip);
        if (IsEmpty(pixels)) continue;
        // Cull: only faces running clockwise on the screen are drawn.
        const std::int64_t area = ClockwiseArea(a.x, a.y, b.x, b.y, c.x, c.y);
        if (area <= 0) continue;
        // Vertex lighting, then the rasteriser.
        const FaceData& f = faces[t.Face()];
        const std::int32_t k = t.Fan();
        const RasterVertex ra{a.x, a.y, a.depth, CornerColor(in, f, 0, pass)};
        const RasterVertex rb{b.x, b.y, b.depth, CornerColor(in, f, k, pass)};
        const RasterVertex rc{c.x, c.y, c.depth, CornerColor(in, f, k + 1, pass)};
        RasteriseTriangle(pass.target, pixels, area, ra, rb, rc);
    }
}

void Renderer::DrawClippedTriangle(const Instance& in, const MeshTriangle& t, Pass& pass) {
    const FaceData& f = in.mesh->Faces()[static_cast<std::size_t>(t.Face())];
    const auto& positions = in.mesh->Positions();
    const std::int32_t corner[3] = {0, t.Fan(), t.Fan() + 1};
    ClipVertex polygon[3];
    for (int i = 0; i < 3; ++i) {
        const auto v = static_cast<std::size_t>(f.vertex[static_cast<std::size_t>(corner[i])]);
        polygon[i] = {in.modelToView.Point(positions[v]), CornerColor(in, f, corner[i], pass)};
    }
    ClipVertex clipped[MaxClippedVertices];
    const int n = ClipPolygon(polygon, 3, pass.mapping.guard, clipped);
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
    for (const FaceData& f : in.mesh->Faces()) {
        if (!f.added || f.cornerCount < 3) continue;
        ClipVertex polygon[MaxFaceCorners];
        std::uint32_t codes = 0;
        for (std::int32_t k = 0; k < f.cornerCount; ++k) {
            const auto v = static_cast<std::size_t>(f.vertex[static_cast<std::size_t>(k)]);
            polygon[k] = {in.modelToView.Point(positions[v]), CornerColor(in, f, 0, pass)};
            codes |= screen_[v].code;
        }
        ClipVertex clipped[MaxClippedVertices];
        const ClipVertex* outline = polygon;
        int n = f.cornerCount;
        if (codes != 0) {
            n = ClipPolygon(polygon, n, pass.mapping.guard, clipped);
            outline = clipped;
        }
        if (n < 3) continue;
        RasterVertex rv[MaxClippedVertices];
        for (int i = 0; i < n; ++i) {
            const ScreenVertex s = Project(outline[i].view, pass.mapping);
            rv[i] = {s.x, s.y, s.depth, outline[i].color};
        }
        std::int64_t total = 0;
        for (int i = 1; i + 1 < n; ++i)
            total += ClockwiseArea(rv[0].x, rv[0].y, rv[i].x, rv[i].y, rv[i + 1].x, rv[i + 1].y);
        if (total <= 0) continue;
        for (int i = 0; i < n; ++i)
            DrawEdge(pass.target, rv[i], rv[(i + 1) % n], rv[0].color);
    }
}

}  // namespace kvx::rm
