#include "scene/VertexTransforms.h"

#include <cmath>

#include "scene/Vertex.h"

namespace kvx {

Line2D Line2D::Through(double ha, double va, double hb, double vb) {
    Line2D line;
    if (hb - ha != 0) {
        line.m = (vb - va) / (hb - ha);
        line.b = va - line.m * ha;
    } else {
        line.vertical = 1;
        line.b = hb;
    }
    return line;
}

namespace {

void MoveTo(Vertex& v, const Position3& p) {
    v.MoveTo(p.x, p.y, p.z);
}

}  // namespace

Position3 Translated(const Vertex& v, double dx, double dy, double dz) {
    return {static_cast<double>(v.x) + dx, static_cast<double>(v.y) + dy,
            static_cast<double>(v.z) + dz};
}

void Translate(Vertex& v, double dx, double dy, double dz) {
    MoveTo(v, Translated(v, dx, dy, dz));
}

Rotation Rotation::Degrees(std::int32_t ax, std::int32_t ay, std::int32_t az) {
    const double k = DegreeFactor;
    return Radians(ax * k, ay * k, az * k);
}

Rotation Rotation::Radians(double ax, double ay, double az) {
    return {std::cos(ax), std::sin(ax), std::cos(ay), std::sin(ay), std::cos(az), std::sin(az)};
}

Position3 Rotated(const Vertex& v, const Rotation& r, double cx, double cy, double cz) {
    return Rotated(Position3{v.x, v.y, v.z}, r, cx, cy, cz);
}

Position3 Rotated(const Position3& p, const Rotation& r, double cx, double cy, double cz) {
    const double X = p.x - cx, Y = p.y - cy, Z = p.z - cz;
    const double Y1 = Y * r.cA - Z * r.sA;  // about x
    const double Z1 = Y * r.sA + Z * r.cA;
    const double X1 = X * r.cB + Z1 * r.sB;  // about y
    const double Z2 = -X * r.sB + Z1 * r.cB;
    const double X2 = X1 * r.cC - Y1 * r.sC;  // about z
    const double Y2 = X1 * r.sC + Y1 * r.cC;
    return {X2 + cx, Y2 + cy, Z2 + cz};
}

void Rotate(Vertex& v, const Rotation& r, double cx, double cy, double cz) {
    MoveTo(v, Rotated(v, r, cx, cy, cz));
}

void Rotate(Vertex& v, std::int32_t ax, std::int32_t ay, std::int32_t az, double cx, double cy,
            double cz) {
    Rotate(v, Rotation::Degrees(ax, ay, az), cx, cy, cz);
}

Position3 Scaled(const Vertex& v, std::int32_t sx, std::int32_t sy, std::int32_t sz, double cx,
                 double cy, double cz) {
    return {(v.x - cx) * (sx / 100.0) + cx, (v.y - cy) * (sy / 100.0) + cy,
            (v.z - cz) * (sz / 100.0) + cz};
}

void Scale(Vertex& v, std::int32_t sx, std::int32_t sy, std::int32_t sz, double cx, double cy,
           double cz) {
    MoveTo(v, Scaled(v, sx, sy, sz, cx, cy, cz));
}

void MirrorPoint(const Line2D& line, double& u, double& v) {
    if (line.vertical) {
        u = 2 * line.b - u;
        return;
    }
    double fu, fv;
    if (line.m == 0) {
        fu = u;
        fv = line.b;
    } else {
        const double p = v + u / line.m;  // the perpendicular through (u, v)
        fu = (p - line.b) / (line.m + 1 / line.m);
        fv = line.m * fu + line.b;
    }
    u = 2 * fu - u;
    v = 2 * fv - v;
}

Position3 MirroredXZ(const Vertex& v, const Line2D& line) {
    double u = v.x, w = v.z;
    MirrorPoint(line, u, w);
    return {u, v.y, w};
}

Position3 MirroredZY(const Vertex& v, const Line2D& line) {
    double u = v.z, w = v.y;
    MirrorPoint(line, u, w);
    return {v.x, w, u};
}

Position3 MirroredXY(const Vertex& v, const Line2D& line) {
    double u = v.x, w = v.y;
    MirrorPoint(line, u, w);
    return {u, w, v.z};
}

void MirrorXZ(Vertex& v, const Line2D& line) {
    MoveTo(v, MirroredXZ(v, line));
}

void MirrorZY(Vertex& v, const Line2D& line) {
    MoveTo(v, MirroredZY(v, line));
}

void MirrorXY(Vertex& v, const Line2D& line) {
    MoveTo(v, MirroredXY(v, line));
}

}  // namespace kvx
