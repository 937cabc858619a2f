#include "views/ReferencePasses.h"

#include "scene/Scene.h"

namespace kvx::test {
namespace {

PixelPosition At(const Vertex& v, const ViewState& state, ViewId view) {
    return ProjectPosition(v.x, v.y, v.z, state, view);
}

PixelPosition Corner(const Scene& scene, const Face& f, std::int32_t k, const ViewState& state,
                     ViewId view) {
    return At(scene.vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])],
              state, view);
}

// Every line from the exact positions of its ends.
void Edge(Canvas& canvas, PixelPosition a, PixelPosition b, PixelValue c) {
    DrawLongLine(canvas.Locked(), a, b, c);
}

// One world unit along corner k's normal as the engine holds it.
void Normal(Canvas& canvas, const Scene& scene, const Face& f, std::int32_t k,
            const ViewState& state, ViewId view) {
    const rm::MeshBuilder* b = f.owner ? f.owner->builder.get() : nullptr;
    if (!b || f.rmIndex < 0 || f.rmIndex >= b->FaceCount()) return;
    const rm::FaceData& d = b->Faces()[static_cast<std::size_t>(f.rmIndex)];
    if (k >= d.cornerCount) return;
    const std::int32_t ni = b->CornersOf(d)[k].normal;
    if (ni < 0 || ni >= b->NormalCount()) return;
    const rm::Vec3f n = b->Normals()[static_cast<std::size_t>(ni)];
    const Vertex& v =
        scene.vertices[static_cast<std::size_t>(f.sceneIndices[static_cast<std::size_t>(k)])];
    Edge(canvas, At(v, state, view), ProjectPosition(v.x + n.x, v.y + n.y, v.z + n.z, state, view),
         canvas.Pack(255, 0, 0));
}

}  // namespace

void ReferenceViewPasses(Canvas& canvas, const Scene& scene, const ViewState& state, ViewId view,
                         const ViewPassInputs& in) {
    // The grid, rulers and tool overlays by the product's own functions; the passes over the
    // scene written out plainly.
    DrawOverlays(canvas, state, view, in);
    for (const Face& f : scene.faces) {
        if (!scene.IsFaceShown(f) || f.vertexCount <= 0) continue;
        const PixelValue c = canvas.Pack(static_cast<std::uint8_t>(TruncateToInt32(f.red)),
                                         static_cast<std::uint8_t>(TruncateToInt32(f.green)),
                                         static_cast<std::uint8_t>(TruncateToInt32(f.blue)));
        const std::int32_t n = f.vertexCount;
        if (in.showNormals) Normal(canvas, scene, f, 0, state, view);
        Edge(canvas, Corner(scene, f, 0, state, view), Corner(scene, f, n - 1, state, view), c);
        for (std::int32_t i = 1; i < n; ++i) {
            Edge(canvas, Corner(scene, f, i, state, view), Corner(scene, f, i - 1, state, view), c);
            if (in.showNormals) Normal(canvas, scene, f, i, state, view);
        }
    }
    // Markers around a position beyond the exact range cannot reach the canvas.
    const PixelPosition light =
        ProjectPosition(static_cast<float>(in.pointLight.x), static_cast<float>(in.pointLight.y),
                        static_cast<float>(in.pointLight.z), state, view);
    if (in.pointLight.shown && InExactRange(light)) {
        const PixelPoint l{static_cast<std::int32_t>(light.x), static_cast<std::int32_t>(light.y)};
        canvas.DrawLine(l.x - 5, l.y - 5, l.x + 5, l.y + 5, canvas.Pack(255, 0, 0));
        canvas.DrawLine(l.x + 5, l.y - 5, l.x - 5, l.y + 5, canvas.Pack(255, 0, 0));
    }
    for (const Vertex& v : scene.vertices) {
        const PixelPosition at = At(v, state, view);
        if (!scene.IsVertexShown(v) || !InExactRange(at)) continue;
        const PixelPoint p{static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)};
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
    for (const std::int32_t index : scene.selectedFaces) {
        if (index < 0 || index >= scene.faceCount()) continue;
        const Face& f = scene.faces[static_cast<std::size_t>(index)];
        const std::int32_t n = f.vertexCount;
        if (n <= 0) continue;
        Edge(canvas, Corner(scene, f, 0, state, view), Corner(scene, f, n - 1, state, view),
             RawSelectedFace);
        for (std::int32_t i = 1; i < n; ++i)
            Edge(canvas, Corner(scene, f, i - 1, state, view), Corner(scene, f, i, state, view),
                 RawSelectedFace);
    }
}

}  // namespace kvx::test
