#include "retained/Clipper.h"

#include <algorithm>
#include <cmath>

#include "retained/ViewMapping.h"

namespace kvx::rm {
namespace {

// Signed distance-like value of v from plane p: inside when >= 0. In the precision of the
// vector: float for the usual clipper, double for the wide one.
template <typename V, typename T>
T Side(int plane, V v, T guard) {
    switch (plane) {
        case 0:
            return v.z - FrontClip;
        case 1:
            return BackClip - v.z;
        case 2:
            return v.x + guard * v.z;
        case 3:
            return guard * v.z - v.x;
        case 4:
            return guard * v.z - v.y;
        default:
            return v.y + guard * v.z;
    }
}

template <typename V, typename T>
V Lerp(V a, V b, T t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

Vec3f LerpColour(Vec3f a, Vec3f b, float t) {
    return Lerp(a, b, t);
}
Vec3f LerpColour(Vec3f a, Vec3f b, double t) {
    return Lerp(a, b, static_cast<float>(t));
}

// The cut point of edge a -> b on plane p, with a's and b's values da and db.
ClipVertex Cut(int, const ClipVertex& a, const ClipVertex& b, float da, float db, float) {
    const float t = da / (da - db);
    return {Lerp(a.view, b.view, t), LerpColour(a.color, b.color, t)};
}
// In double precision the cut is measured from the end nearer to the plane, and put exactly on
// the plane: corners billions of units away then still give cut points to the last digits.
WideClipVertex Cut(int plane, const WideClipVertex& a, const WideClipVertex& b, double da,
                   double db, double guard) {
    WideClipVertex c;
    if (std::fabs(da) <= std::fabs(db)) {
        const double t = da / (da - db);
        c = {Lerp(a.view, b.view, t), LerpColour(a.color, b.color, t)};
    } else {
        const double t = db / (db - da);
        c = {Lerp(b.view, a.view, t), LerpColour(b.color, a.color, t)};
    }
    switch (plane) {
        case 0:
            c.view.z = FrontClip;
            break;
        case 1:
            c.view.z = BackClip;
            break;
        case 2:
            c.view.x = -guard * c.view.z;
            break;
        case 3:
            c.view.x = guard * c.view.z;
            break;
        case 4:
            c.view.y = guard * c.view.z;
            break;
        default:
            c.view.y = -guard * c.view.z;
            break;
    }
    return c;
}

// One Sutherland-Hodgman pass: keeps the part of the polygon on the inside of one plane.
template <typename Vertex, typename T>
int ClipByPlane(int plane, const Vertex* in, int count, T guard, Vertex* out) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const Vertex& a = in[i];
        const Vertex& b = in[(i + 1) % count];
        const T da = Side(plane, a.view, guard);
        const T db = Side(plane, b.view, guard);
        if (da >= 0) out[n++] = a;
        if ((da >= 0) != (db >= 0)) out[n++] = Cut(plane, a, b, da, db, guard);
    }
    return n;
}

template <typename Vertex, typename T>
int Clip(const Vertex* in, int count, T guard, Vertex* out) {
    Vertex work[2][MaxClippedVertices];
    count = std::min(count, MaxFaceCorners);
    std::copy(in, in + count, work[0]);
    int current = 0;
    for (int plane = 0; plane < ClipPlaneCount && count >= 3; ++plane) {
        count = ClipByPlane(plane, work[current], count, guard, work[1 - current]);
        current = 1 - current;
    }
    if (count < 3) return 0;
    std::copy(work[current], work[current] + count, out);
    return count;
}

}  // namespace

int ClipPolygon(const ClipVertex* in, int count, float guard, ClipVertex* out) {
    return Clip(in, count, guard, out);
}

int ClipPolygonWide(const WideClipVertex* in, int count, float guard, ClipVertex* out) {
    WideClipVertex clipped[MaxClippedVertices];
    const int n = Clip(in, count, static_cast<double>(guard), clipped);
    for (int i = 0; i < n; ++i) {
        const Vec3 v = clipped[i].view;
        // A corner that is not a number (from a position that is not) leaves nothing to draw.
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return 0;
        out[i] = {Narrow(v), clipped[i].color};
    }
    return n;
}

}  // namespace kvx::rm
