#pragma once
// The six orthographic views: which world axes each shows, the per-view zoom and pan, the mapping
// of a world point to a pixel and of a mouse position back to the world (with snapping to the
// magnetic grid), and the zoom, pan and loupe arithmetic. The callers request the redraw of the
// orthographic views after any change of a ViewState.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "canvas/LongLine.h"

namespace kvx {

struct Vertex;

enum ViewId : std::int32_t {
    ViewNone = 0,
    ViewTop = 1,     // "Dessus"
    ViewBottom = 2,  // "Bas"
    ViewLeft = 3,    // "Gauche"
    ViewRight = 4,   // "Droite"
    ViewFront = 5,   // "Devant"
    ViewBack = 6,    // "Derriere"
    ViewPerspective = 7,
};
constexpr ViewId& operator++(ViewId& v) {
    v = static_cast<ViewId>(v + 1);
    return v;
}
inline constexpr bool IsOrthographic(ViewId v) {
    return v >= ViewTop && v <= ViewBack;
}
inline constexpr std::array<ViewId, 6> FlatViews = {ViewTop,   ViewBottom, ViewLeft,
                                                    ViewRight, ViewFront,  ViewBack};
inline constexpr std::array<ViewId, 7> AllViews = {ViewTop,   ViewBottom, ViewLeft,       ViewRight,
                                                   ViewFront, ViewBack,   ViewPerspective};

// One T for each view from ViewTop to Last, indexed by the view; another view is refused
// (std::out_of_range).
template <class T, ViewId Last>
class ByView {
  public:
    T& operator[](ViewId v) { return items_.at(Slot(v)); }
    const T& operator[](ViewId v) const { return items_.at(Slot(v)); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    void fill(const T& value) { items_.fill(value); }

  private:
    static constexpr std::size_t Slot(ViewId v) { return static_cast<std::size_t>(v - ViewTop); }
    std::array<T, static_cast<std::size_t>(Last)> items_{};
};
template <class T>
using PerView = ByView<T, ViewPerspective>;  // all seven views
template <class T>
using PerFlatView = ByView<T, ViewBack>;  // the six flat views

inline constexpr double DefaultViewWidth = 20.0;
// The narrowest and widest a view gets (the loupe and "Out" stop there): between them every
// float coordinate projects to a finite pixel position.
inline constexpr double MinViewWidth = 1e-200;
inline constexpr double MaxViewWidth = 1e200;
inline constexpr std::int32_t ViewPixels = 250;
inline constexpr double PanDivisor = 10.0;

// World axis numbers: 0 = x, 1 = y, 2 = z.
struct ViewAxisSet {
    int uAxis, uSign;  // horizontal view coordinate u = uSign * world[uAxis], growing rightwards
    int vAxis, vSign;  // vertical view coordinate v = vSign * world[vAxis], growing downwards
    int depthAxis;
};
// The axes of views 1..6; any other id gives the top view's (callers check IsOrthographic).
ViewAxisSet ViewAxes(ViewId view);

struct ViewState {
    double width = DefaultViewWidth;  // world units across the pixel square, both ways
    double centerU = 0.0;
    double centerV = 0.0;
    std::int32_t pixelSize = ViewPixels;
};

// The flat views' zoom and pan.
using ViewStates = PerFlatView<ViewState>;

// The mouse as all views share it.
struct MouseState {
    double pixelX = 0, pixelY = 0;    // MousePixel, after snapping
    std::int32_t previousMouseY = 0;  // MousePixel.y truncated, before the latest conversion
    double worldX = 0, worldY = 0, worldZ = 0;  // WorldCursor; the view's depth coordinate is 0
    ViewId activeView = ViewTop;

    double World(int axis) const { return axis == 0 ? worldX : axis == 1 ? worldY : worldZ; }
    void SetWorld(int axis, double value) {
        (axis == 0 ? worldX : axis == 1 ? worldY : worldZ) = value;
    }
};

struct PixelPoint {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Truncates toward zero; values beyond the 32-bit range saturate and NaN gives 0, so far-away or
// broken coordinates never make an undefined conversion.
inline std::int32_t TruncateToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

// World point to pixel of a view; (0, 0) for an id outside 1..6.
PixelPoint ProjectToView(float x, float y, float z, const ViewState& state, ViewId view);
PixelPoint ProjectToView(const Vertex& v, const ViewState& state, ViewId view);
// The same pixel unsaturated, for drawing with DrawLongLine; (0, 0) for an id outside 1..6.
PixelPosition ProjectPosition(float x, float y, float z, const ViewState& state, ViewId view);

// Where the drawing passes put a point whose position lies outside ExactPixelRange: no real
// position within the range has this x.
inline constexpr PixelPoint FarPixel{std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::min()};
inline bool IsFar(PixelPoint p) {
    return p.x == FarPixel.x;
}

// ProjectToView for one view with its axes looked up once: the same arithmetic, for passes over
// every vertex. The view must be orthographic.
class ViewProjector {
  public:
    ViewProjector(const ViewState& state, ViewId view) : state_(state), axes_(ViewAxes(view)) {}
    // The pixel, saturated to the 32-bit range.
    PixelPoint operator()(float x, float y, float z) const {
        double px, py;
        Unrounded(x, y, z, px, py);
        return {TruncateToInt32(px), TruncateToInt32(py)};
    }
    // The pixel as it is, however far away.
    PixelPosition Position(float x, float y, float z) const {
        double px, py;
        Unrounded(x, y, z, px, py);
        return {std::trunc(px), std::trunc(py)};
    }
    // The pixel when it lies within ExactPixelRange, else FarPixel.
    PixelPoint Near(float x, float y, float z) const {
        double px, py;
        Unrounded(x, y, z, px, py);
        if (std::fabs(px) < ExactPixelRange && std::fabs(py) < ExactPixelRange)
            return {static_cast<std::int32_t>(px), static_cast<std::int32_t>(py)};
        return FarPixel;
    }

  private:
    void Unrounded(float x, float y, float z, double& px, double& py) const {
        const double world[3] = {x, y, z};
        const double u = axes_.uSign * world[axes_.uAxis];
        const double v = axes_.vSign * world[axes_.vAxis];
        const double qu = (u + state_.width / 2 - state_.centerU) / state_.width;
        const double qv = (v + state_.width / 2 - state_.centerV) / state_.width;
        px = qu * state_.pixelSize;
        py = qv * state_.pixelSize;
    }

    const ViewState& state_;
    ViewAxisSet axes_;
};

// The most views NearAllViews takes at once.
inline constexpr std::size_t MaxNearViews = 8;

// Several views' pixels of a set of points, kept as the distinct pixel coordinates the views
// use: views at the same zoom show some coordinates alike (the top, bottom and front views all
// show x from left to right), so each is computed and stored once. Point k's x in view i is
// table[k * width + column[2 * i]], its y table[k * width + column[2 * i + 1]]. Spare numbers
// follow the last point, so that any row can be read Spare numbers at a time.
struct ViewCoordinates {
    static constexpr std::size_t Spare = 8;
    std::size_t width = 0;  // numbers per point
    std::array<std::size_t, 2 * MaxNearViews> column{};
    std::array<bool, MaxNearViews> far{};  // some point of view i is FarPixel there
};
// A coordinate beyond ExactPixelRange in the table: the point is FarPixel in views that use it.
inline constexpr std::int32_t FarCoordinate = FarPixel.x;

// ViewProjector::Near of n points packed x, y, z, for count views at once, into table (resized
// to fit). A view that is not orthographic gets (0, 0) for every point.
ViewCoordinates NearAllViews(const ViewState* const* states, const ViewId* views, std::size_t count,
                             const float* xyz, std::size_t n, std::vector<std::int32_t>& table);

// ProjectToView of every vertex of the table into out (one entry per vertex), with the view's axes
// looked up once: the same arithmetic, for the passes that draw every vertex or face.
void ProjectAllToView(const Vertex* vertices, std::size_t count, const ViewState& state,
                      ViewId view, PixelPoint* out);

// Takes the packed mouse position (low 16 bits x, high 16 bits y) of view `view` into `mouse`:
// MousePixel, previousMouseY and WorldCursor; with magneticGrid on, WorldCursor is truncated to
// whole units and MousePixel moves to its projection. View 7 only records the pixel.
void MouseToWorld(MouseState& mouse, const ViewStates& states, ViewId view, std::uint32_t position,
                  bool magneticGrid);

// "Normal": width 20 around the origin.
void ResetZoom(ViewState& state);
// "Out": twice the width around the same centre, up to MaxViewWidth.
void ZoomOutView(ViewState& state);
// Width 20 and centre 0 for the six views (a new scene).
void ResetAllViews(ViewStates& states);

// The pan drag: the centre follows the mouse by a tenth of a world unit per pixel.
struct PanDrag {
    bool active = false;
    double anchorX = 0, anchorY = 0;

    void Begin(const MouseState& mouse);
    // Returns whether the view changed.
    bool Move(ViewState& state, const MouseState& mouse);
    void End() { active = false; }
};

// The loupe drag: the dragged rectangle becomes the view, its longer side filling it.
struct LoupeDrag {
    bool active = false;
    std::int32_t startX = 0, startY = 0;  // rubber-band start in pixels
    double anchorU = 0, anchorV = 0;      // world coordinates on the view's u and v axes, unsigned

    void Begin(const MouseState& mouse, ViewId view);
    // Ends the drag; returns whether the view changed. A rectangle without area (or narrower
    // than MinViewWidth) leaves the zoom as it was.
    bool End(ViewState& state, const MouseState& mouse, ViewId view);
};

}  // namespace kvx
