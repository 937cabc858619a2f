#pragma once
// The four operations that move a vertex: translate, rotate and scale about a centre, and mirror
// across a line drawn in a view plane. Each computes in double precision, stores floats and sends
// the new position to the vertex's meshes; the caller requests the redraw. The ...ed forms give
// the new position without moving the vertex, so a caller can check that it fits (FitsFloat)
// before anything moves.

#include <cstdint>

namespace kvx {

struct Vertex;

// Degrees to radians with pi taken as 3.1416.
inline constexpr double DegreeFactor = 3.1416 / 180.0;

// A line in a view plane's horizontal (u) and vertical (v) coordinates.
struct Line2D {
    double m = 0;  // slope (0 for a vertical line)
    double b = 0;  // intercept on v; for a vertical line, its u position
    std::int32_t vertical = 0;

    // The line through (ha, va) and (hb, vb); equal u positions (or equal points) give a
    // vertical line.
    static Line2D Through(double ha, double va, double hb, double vb);
};

// The sines and cosines of a rotation by whole degrees about x, then y, then z, computed once
// for all the vertices it turns.
struct Rotation {
    double cA = 1, sA = 0, cB = 1, sB = 0, cC = 1, sC = 0;
    static Rotation Degrees(std::int32_t ax, std::int32_t ay, std::int32_t az);
    // Any angles, in radians.
    static Rotation Radians(double ax, double ay, double az);
};

// A position in double precision, before it is stored.
struct Position3 {
    double x = 0, y = 0, z = 0;
};

Position3 Translated(const Vertex& v, double dx, double dy, double dz);
Position3 Rotated(const Vertex& v, const Rotation& r, double cx, double cy, double cz);
Position3 Rotated(const Position3& p, const Rotation& r, double cx, double cy, double cz);
Position3 Scaled(const Vertex& v, std::int32_t sx, std::int32_t sy, std::int32_t sz, double cx,
                 double cy, double cz);
Position3 MirroredXZ(const Vertex& v, const Line2D& line);
Position3 MirroredZY(const Vertex& v, const Line2D& line);
Position3 MirroredXY(const Vertex& v, const Line2D& line);

void Translate(Vertex& v, double dx, double dy, double dz);
void Rotate(Vertex& v, const Rotation& r, double cx, double cy, double cz);
// Rotation about (cx, cy, cz) by ax about x, then ay about y, then az about z (whole degrees).
void Rotate(Vertex& v, std::int32_t ax, std::int32_t ay, std::int32_t az, double cx, double cy,
            double cz);
// Scaling about (cx, cy, cz) by whole percentages.
void Scale(Vertex& v, std::int32_t sx, std::int32_t sy, std::int32_t sz, double cx, double cy,
           double cz);
// Reflection across the line in the plane of x (u) and z (v).
void MirrorXZ(Vertex& v, const Line2D& line);
// Reflection in the plane of z (u) and y (v).
void MirrorZY(Vertex& v, const Line2D& line);
// Reflection in the plane of x (u) and y (v).
void MirrorXY(Vertex& v, const Line2D& line);

// The reflection of (u, v) across the line, as the mirrors compute it.
void MirrorPoint(const Line2D& line, double& u, double& v);

}  // namespace kvx
