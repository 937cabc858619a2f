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

void Translate(Vertex& v, double dx, double dy, double dz) {
    v.MoveTo(static_cast<double>(v.x) + dx, static_cast<double>(v.y) + dy,
             static_cast<double>(v.z) + dz);
}

void Rotate(Vertex& v, std::int32_t ax, std::int32_t ay, std::int32_t az, double cx, double cy,
            double cz) {
    const double k = DegreeFactor;
    const double cA = std::cos(ax * k), cB = std::cos(ay * k), cC = std::cos(az * k);
    const double sA = std::sin(ax * k), sB = std::sin(ay * k), sC = std::sin(az * k);
    const double X = v.x - cx, Y = v.y - cy, Z = v.z - cz;
    const double Y1 = Y * cA - Z * sA;  // about x
    const double Z1 = Y * sA + Z * cA;
    const double X1 = X * cB + Z1 * sB;  // about y
    const double Z2 = -X * sB + Z1 * cB;
    const double X2 = X1 * cC - Y1 * sC;  // about z
    const double Y2 = X1 * sC + Y1 * cC;
    v.MoveTo(X2 + cx, Y2 + cy, Z2 + cz);
}

void Scale(Vertex& v, std::int32_t sx, std::int32_t sy, std::int32_t sz, double cx, double cy,
           double cz) {
    v.MoveTo((v.x - cx) * (sx / 100.0) + cx, (v.y - cy) * (sy / 100.0) + cy,
             (v.z - cz) * (sz / 100.0) + cz);
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

void MirrorXZ(Vertex& v, const Line2D& line) {
    double u = v.x, w = v.z;
    MirrorPoint(line, u, w);
    v.MoveTo(u, v.y, w);
}

void MirrorZY(Vertex& v, const Line2D& line) {
    double u = v.z, w = v.y;
    MirrorPoint(line, u, w);
    v.MoveTo(v.x, w, u);
}

void MirrorXY(Vertex& v, const Line2D& line) {
    double u = v.x, w = v.y;
    MirrorPoint(line, u, w);
    v.MoveTo(u, w, v.z);
}

}  // namespace kvx
