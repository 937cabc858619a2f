#include "retained/Clipper.h"

#include <algorithm>

#include "retained/ViewMapping.h"

namespace kvx::rm {
namespace {

// Signed distance-like value of v from plane p: inside when >= 0.
float Side(int plane, Vec3f v, float guard) {
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

Vec3f Lerp(Vec3f a, Vec3f b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

// One Sutherland-Hodgman pass: keeps the part of the polygon on the inside of one plane.
int ClipByPlane(int plane, const ClipVertex* in, int count, float guard, ClipVertex* out) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const ClipVertex& a = in[i];
        const ClipVertex& b = in[(i + 1) % count];
        const float da = Side(plane, a.view, guard);
        const float db = Side(plane, b.view, guard);
        if (da >= 0) out[n++] = a;
        if ((da >= 0) != (db >= 0)) {
            const float t = da / (da - db);
            out[n++] = {Lerp(a.view, b.view, t), Lerp(a.color, b.color, t)};
        }
    }
    return n;
}

}  // namespace

int ClipPolygon(const ClipVertex* in, int count, float guard, ClipVertex* out) {
    ClipVertex work[2][MaxClippedVertices];
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

}  // namespace kvx::rm
