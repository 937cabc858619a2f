#pragma once
// The renderer behind a device: its pipeline state (depth buffer, the meshes' triangles, scratch
// space for vertices and lighting) and the one function that renders a frame tree. Stages, in
// order: lights to world space, camera to view space, then per mesh instance the transform
// stage, and per triangle the reject and cull tests, vertex lighting, the clipper where needed
// and the rasteriser with its depth test.

#include <cstdint>
#include <memory>
#include <vector>

#include "retained/DepthBuffer.h"
#include "retained/Frame.h"
#include "retained/LargeAllocator.h"
#include "retained/MeshBuilder.h"
#include "retained/Rasteriser.h"
#include "retained/RenderQuality.h"
#include "retained/Result.h"
#include "retained/TriangleList.h"
#include "retained/VertexLighting.h"
#include "retained/VertexTransform.h"
#include "retained/ViewMapping.h"

namespace kvx {
class Canvas;
}

namespace kvx::rm {

// Lit corners are kept per vertex when at least one triangle in this many is drawn: a vertex has
// about six triangles, so it is then likely to be lit again.
inline constexpr std::size_t SharedCornerDensity = 8;
// How many listed triangles ahead their scattered data is fetched.
inline constexpr std::size_t PrefetchDistance = 8;
// Meshes with fewer triangles than this are drawn without fetching ahead.
inline constexpr std::size_t PrefetchFromTriangles = 65536;

class Renderer {
  public:
    // Clears the depth of rect (device pixels) before a new picture.
    void ClearDepth(const Canvas& canvas, const ViewRect& rect);
    // Draws every visual under root, lit by every light under root, as seen through camera,
    // into rect of canvas. Pixels outside rect are never written.
    Result Render(const Frame& root, const Frame& camera, const ViewRect& rect,
                  std::uint32_t quality, Canvas& canvas);

    const TriangleCache& Triangles() const { return triangles_; }
    const DepthBuffer& Depth() const { return depth_; }

  private:
    // What every mesh instance of one Render shares.
    struct Pass {
        RenderMode mode;
        SceneLights lights;
        Matrix4 worldToView;
        ViewMapping mapping;
        RasterTarget target;
    };
    // What one mesh instance needs while its triangles are drawn.
    struct Instance {
        const MeshBuilder* mesh = nullptr;
        AffineF modelToView{};
        Matrix4 modelToViewWide;  // the same in double, for faces with a ClipWide corner
    };

    void FitDepth(const Canvas& canvas);
    void DrawMesh(const std::shared_ptr<MeshBuilder>& mesh, const Matrix4& modelToWorld,
                  Pass& pass);
    void DrawTriangles(const Instance& in, const LargeVector<MeshTriangle>& triangles, Pass& pass);
    // Lights and rasterises the triangles DrawTriangles listed in shaded_, fetching their data a
    // few triangles ahead when asked (a small mesh stays in the caches, and fetching ahead would
    // only cost instructions).
    void ShadeListed(const Instance& in, bool fetchAhead, Pass& pass);
    void DrawClippedTriangle(const Instance& in, const MeshTriangle& t, bool wide, Pass& pass);
    void DrawOutlines(const Instance& in, Pass& pass);
    // The colour of a corner (0..255 per channel): vertex with normal (-1: face's normal) on a
    // face of the given colour, lit when the pass is lit.
    Vec3f CornerColor(const Instance& in, std::int32_t vertex, std::int32_t normal,
                      std::int32_t face, Vec3f color, const Pass& pass);
    // The colour of corner k of face, or of its corner 0 when the pass shades flat.
    Vec3f FaceCornerColor(const Instance& in, std::int32_t face, std::int32_t k, const Pass& pass);

    DepthBuffer depth_;
    TriangleCache triangles_;
    LargeVector<ScreenVertex> screen_;
    // The current mesh's triangles left to light and draw, with their screen vertices.
    struct ShadedTriangle {
        MeshTriangle triangle;  // its vertices, face and fan number
        ScreenVertex a, b, c;
    };
    LargeVector<ShadedTriangle> shaded_;
    CornerLighting lighting_;
};

}  // namespace kvx::rm
