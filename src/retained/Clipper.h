#pragma once
// Clipper stage: cuts a polygon in view space by the front and back planes and by the guard
// band's four sides, carrying each vertex's colour along. Faces crossing the front plane are
// cut there, not dropped.

#include "retained/Math.h"
#include "retained/MeshBuilder.h"

namespace kvx::rm {

struct ClipVertex {
    Vec3f view;   // view-space position
    Vec3f color;  // 0..255 per channel
};

// Each of the six planes can add one vertex to a convex polygon.
inline constexpr int ClipPlaneCount = 6;
inline constexpr int MaxClippedVertices = MaxFaceCorners + ClipPlaneCount;

// A corner in double precision, for polygons whose view-space positions are beyond what the
// float clipper computes with (see ClipWide).
struct WideClipVertex {
    Vec3 view;
    Vec3f color;
};

// Clips the convex polygon in[0..count) (count <= MaxFaceCorners) to z in [FrontClip, BackClip]
// and |x|, |y| <= guard * z. Writes the result to out (room for MaxClippedVertices) and returns
// its vertex count; fewer than 3 means nothing is left.
int ClipPolygon(const ClipVertex* in, int count, float guard, ClipVertex* out);
// The same computed in double precision; the corners left lie in the clip volume and are written
// in floats. Nothing is left (0) when a corner is not a number.
int ClipPolygonWide(const WideClipVertex* in, int count, float guard, ClipVertex* out);

}  // namespace kvx::rm
