#pragma once
// The render passes of an orthographic view: grid, rulers and mouse cross-hair, the four tool
// overlays, face outlines with their normals, vertices with the point-light marker, and the
// selected faces last. Every pass draws with the lines of a locked canvas; only scratch buffers
// (PassScratch) are kept between redraws.

#include <cstdint>
#include <memory>
#include <span>

#include "canvas/Canvas.h"
#include "views/ViewProjection.h"

namespace kvx {

class Scene;
struct PreparedScene;
struct PassScratch;

// Extent of the grid and of the world axes, in world units each way from the origin.
inline constexpr double GridExtent = 50.0;

// Written as they are at any depth: a vertex marker and the outline of a selected face.
inline constexpr PixelValue RawVertexMarker = 255;
inline constexpr PixelValue RawSelectedFace = 0xFFFF;

// The colours packed once at start-up for the desktop depth.
struct PackedColours {
    PixelValue grey100 = 0;  // world axes and mouse cross-hair
    PixelValue grey120 = 0;  // grid
    PixelValue black = 0;    // snap marker

    static PackedColours For(int bitsPerPixel) {
        return {PackColor(100, 100, 100, bitsPerPixel), PackColor(120, 120, 120, bitsPerPixel),
                PackColor(0, 0, 0, bitsPerPixel)};
    }
};

// The point light's marker as the views show it: its placement and whether it is shown.
struct PointLightMarker {
    bool shown = false;
    double x = 0.0, y = 1.0, z = -5.0;
};

// Everything one view's redraw reads besides the scene and the view's state.
struct ViewPassInputs {
    bool showGrid = false;
    bool showRulers = true;
    bool showMouseAxes = false;
    bool showNormals = false;
    bool magneticGrid = false;
    bool fenceDragActive = false;
    bool loupeDragActive = false;
    bool mirrorLineActive = false;  // the mirror tool with the left button down
    PixelPoint rubberBandStart;
    double mirrorAnchor[3] = {0, 0, 0};
    MouseState mouse;
    PointLightMarker pointLight;
    PackedColours colours;
};

// Lines at whole positions -50 .. 49 in both directions of the view's plane, each from -50 to 50.
void DrawGrid(Canvas& canvas, const ViewState& state, ViewId view, PixelValue colour);
// The three world axes through the origin, then the mouse cross-hair when asked for and the mouse
// is over this view.
void DrawRulers(Canvas& canvas, const ViewState& state, ViewId view, bool showMouseAxes,
                const MouseState& mouse, PixelValue colour);
// A small hash sign at the projection of the world cursor.
void DrawSnapMarker(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    PixelValue colour);
// The rectangle from start to the mouse pixel (fence and loupe).
void DrawRubberBand(Canvas& canvas, PixelPoint start, const MouseState& mouse, PixelValue colour);
// From the mouse pixel to the projection of the mirror anchor.
void DrawMirrorLine(Canvas& canvas, const ViewState& state, ViewId view, const MouseState& mouse,
                    const double anchor[3], PixelValue colour);
// The grid, rulers, snap marker and tool overlays as the inputs ask, which come before the scene.
void DrawOverlays(Canvas& canvas, const ViewState& state, ViewId view, const ViewPassInputs& in);
// One view of a redraw: its canvas (cleared and locked), its zoom and pan, and which view it is.
struct ViewTarget {
    Canvas* canvas = nullptr;
    const ViewState* state = nullptr;
    ViewId view = ViewTop;
};

// All passes and overlays of one redraw, in their order, into several views at once, each into
// its own canvas (cleared and locked), from what PreparedScene gathered of the scene (which must
// be up to date with it). One pass over the faces serves all the views; each canvas gets the
// pixels the passes of its view on its own give it.
void DrawViewGroupPasses(std::span<const ViewTarget> targets, const Scene& scene,
                         const PreparedScene& prepared, const ViewPassInputs& in,
                         PassScratch& scratch);

// The flat views of one redraw drawn by two threads together. Begin draws the overlays and
// projects the vertices. Then Outlines(0) and Outlines(1) may run side by side: part 0 draws the
// outlines of the later half of the faces into the canvases, part 1 those of the earlier half
// into canvases of its own. Once both are done, Finish(0) and Finish(1) may run side by side,
// each for every other view: the two parts are joined pixel by pixel (a pixel the later faces
// reach keeps their colour, as when all are drawn from the last face back), then the vertices
// and the selected faces are drawn. Every canvas gets exactly the pixels DrawViewGroupPasses
// gives it.
class SharedViewPasses {
  public:
    SharedViewPasses();
    ~SharedViewPasses();
    SharedViewPasses(const SharedViewPasses&) = delete;
    SharedViewPasses& operator=(const SharedViewPasses&) = delete;

    // Draws nothing and returns false when the views are to be drawn by DrawViewGroupPasses
    // instead: normals shown, a vertex too far away, a canvas that cannot be drawn or more than
    // six views. Otherwise the canvases stay locked and the scene, prepared and in unchanged
    // until both Finish calls return.
    // Part 1 outlines the first helperShare (0..1) of the shown faces, part 0 the rest: any
    // share gives the same pictures.
    bool Begin(std::span<const ViewTarget> targets, const PreparedScene& prepared,
               const ViewPassInputs& in, double helperShare = 0.5);
    void Outlines(int part);
    // The shown faces part 1 outlines (the first ones), as Begin split them.
    std::size_t HelperFaces() const;
    // scratch: the calling thread's own.
    void Finish(int part, PassScratch& scratch);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace kvx
