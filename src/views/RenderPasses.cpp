#include "views/RenderPasses.h"

#include <vector>

#include "scene/Scene.h"

namespace kvx {
namespace {

// Every vertex's pixel in one view, projected once for all the passes of a redraw. The storage is
// kept between redraws.
class ProjectedVertices {
  public:
    ProjectedVertices(const Scene& scene, const ViewState& state, ViewId view) {
        static thread_local std::vector<PixelPoint> storage;
        storage.resize(scene.vertices.size());
        ProjectAllToView(scene.vertices.data(), scene.vertices.size(), state, view, storage.data());
        points_ = storage.data();
    }
    PixelPoint Corner(const Face& f, std::int32_t k) const {
        return points_[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
    }
    PixelPoint operator[](std::size_t i) const { return points_[i]; }

  private:
    const PixelPoint* points_ = nullptr;
};

PixelPoint Project(double x, double y, double z, const ViewState& state, ViewId view) {
    return ProjectToView(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), state,
                         view);
}

void Segment(Canvas& canvas, PixelPoint a, PixelPoint b, PixelValue c) {
    canvas.DrawLine(a.x, a.y, b.x, b.y, c);
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
    Segment(canvas, ProjectToView(v, state, view), ProjectToView(ex, ey, ez, state, view), red);
}

std::uint8_t ColourByte(double c) {
    return static_cast<std::uint8_t>(TruncateToInt32(c));
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
    const PixelPoint c = Project(mouse.worldX, mouse.worldY, mouse.worldZ, state, view);
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
    const PixelPoint a = Project(anchor[0], anchor[1], anchor[2], state, view);
    canvas.DrawLine(TruncateToInt32(mouse.pixelX), TruncateToInt32(mouse.pixelY), a.x, a.y, colour);
}

namespace {

void FaceOutlines(Canvas& canvas, const Scene& scene, const ProjectedVertices& at,
                  const ViewState& state, ViewId view, bool showNormals) {
    const PixelValue red = canvas.Pack(255, 0, 0);
    for (const Face& f : scene.faces) {
        if (!scene.IsFaceShown(f) || f.vertexCount <= 0) continue;
        const PixelValue c =
            canvas.Pack(ColourByte(f.red), ColourByte(f.green), ColourByte(f.blue));
        const std::int32_t n = f.vertexCount;
        if (showNormals) DrawNormal(canvas, scene, f, 0, state, view, red);
        Segment(canvas, at.Corner(f, 0), at.Corner(f, n - 1), c);
        for (std::int32_t i = 1; i < n; ++i) {
            Segment(canvas, at.Corner(f, i), at.Corner(f, i - 1), c);
            if (showNormals) DrawNormal(canvas, scene, f, i, state, view, red);
        }
    }
}

void Vertices(Canvas& canvas, const Scene& scene, const ProjectedVertices& at,
              const ViewState& state, ViewId view, const PointLightMarker& light) {
    if (light.shown) {
        const PixelPoint l = Project(light.x, light.y, light.z, state, view);
        const PixelValue red = canvas.Pack(255, 0, 0);
        canvas.DrawLine(l.x - 5, l.y - 5, l.x + 5, l.y + 5, red);
        canvas.DrawLine(l.x + 5, l.y - 5, l.x - 5, l.y + 5, red);
    }
    for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
        const Vertex& v = scene.vertices[i];
        if (!scene.IsVertexShown(v)) continue;
        const PixelPoint p = at[i];
        const PixelValue c = v.markerColor;
        if (v.state == VertexSelected) {
            canvas.SetPixel(p.x, p.y, c);
            canvas.DrawLine(p.x - 5, p.y - 5, p.x + 5, p.y - 5, c);
            canvas.DrawLine(p.x - 5, p.y + 5, p.x + 5, p.y + 5, c);
            canvas.DrawLine(p.x - 5, p.y - 5, p.x - 5, p.y + 5, c);
            canvas.DrawLine(p.x + 5, p.y - 5, p.x + 5, p.y + 5, c);
        } else {
            canvas.DrawLine(p.x - 1, p.y, p.x + 1, p.y, c);
            canvas.DrawLine(p.x, p.y - 1, p.x, p.y + 1, c);
        }
    }
}

void SelectedFaces(Canvas& canvas, const Scene& scene, const ProjectedVertices& at) {
    for (const std::int32_t index : scene.selectedFaces) {
        if (index < 0 || index >= scene.faceCount()) continue;
        const Face& f = scene.faces[static_cast<std::size_t>(index)];
        const std::int32_t n = f.vertexCount;
        if (n <= 0) continue;
        Segment(canvas, at.Corner(f, 0), at.Corner(f, n - 1), RawSelectedFace);
        for (std::int32_t i = 1; i < n; ++i)
            Segment(canvas, at.Corner(f, i - 1), at.Corner(f, i), RawSelectedFace);
    }
}

}  // namespace

void DrawFaceOutlines(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                      bool showNormals) {
    FaceOutlines(canvas, scene, ProjectedVertices(scene, state, view), state, view, showNormals);
}

void DrawVertices(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                  const PointLightMarker& light) {
    Vertices(canvas, scene, ProjectedVertices(scene, state, view), state, view, light);
}

void DrawSelectedFaces(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view) {
    SelectedFaces(canvas, scene, ProjectedVertices(scene, state, view));
}

void DrawViewPasses(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                    const ViewPassInputs& in) {
    const PixelValue blue = canvas.Pack(0, 0, 255);
    if (in.showGrid) DrawGrid(canvas, state, view, in.colours.grey120);
    if (in.showRulers)
        DrawRulers(canvas, state, view, in.showMouseAxes, in.mouse, in.colours.grey100);
    if (in.magneticGrid) DrawSnapMarker(canvas, state, view, in.mouse, in.colours.black);
    if (in.fenceDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.loupeDragActive) DrawRubberBand(canvas, in.rubberBandStart, in.mouse, blue);
    if (in.mirrorLineActive) DrawMirrorLine(canvas, state, view, in.mouse, in.mirrorAnchor, blue);
    const ProjectedVertices at(scene, state, view);
    FaceOutlines(canvas, scene, at, state, view, in.showNormals);
    Vertices(canvas, scene, at, state, view, in.pointLight);
    SelectedFaces(canvas, scene, at);
}

}  // namespace kvx
