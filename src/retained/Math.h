#pragma once
// The engine's small vector and matrix types. Left-handed world, row vectors: p' = p * M.

#include <array>
#include <cmath>

namespace kvx::rm {

struct Vec3 {
    double x = 0, y = 0, z = 0;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
    Vec3& operator+=(Vec3 b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
// Unit vector along a; a zero vector stays (0, 0, 0) instead of turning into NaN.
inline Vec3 Normalize(Vec3 a) {
    const double len = Length(a);
    return len > 0 ? a * (1.0 / len) : Vec3{};
}

struct Vec3f {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const Vec3f&, const Vec3f&) = default;
};
inline Vec3 Widen(Vec3f v) {
    return {v.x, v.y, v.z};
}
inline Vec3f Narrow(Vec3 v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// Affine 4x4 matrix for row vectors: rows 0..2 carry the linear part, row 3 the translation.
struct Matrix4 {
    std::array<std::array<double, 4>, 4> m{};

    static Matrix4 Identity() {
        Matrix4 r;
        for (int i = 0; i < 4; ++i)
            r.m[i][i] = 1.0;
        return r;
    }
    static Matrix4 Translation(double x, double y, double z) {
        Matrix4 r = Identity();
        r.m[3][0] = x;
        r.m[3][1] = y;
        r.m[3][2] = z;
        return r;
    }
    // Rotation by theta radians about the axis (x, y, z), which need not be unit length. About
    // +x the rows are (1,0,0), (0,cos,sin), (0,-sin,cos). A zero axis gives the identity.
    static Matrix4 Rotation(double x, double y, double z, double theta);

    friend Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
        Matrix4 r;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                double s = 0;
                for (int k = 0; k < 4; ++k)
                    s += a.m[i][k] * b.m[k][j];
                r.m[i][j] = s;
            }
        return r;
    }
    Vec3 TransformPoint(Vec3 p) const {
        return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
    }
    Vec3 TransformDirection(Vec3 d) const {
        return {d.x * m[0][0] + d.y * m[1][0] + d.z * m[2][0],
                d.x * m[0][1] + d.y * m[1][1] + d.z * m[2][1],
                d.x * m[0][2] + d.y * m[1][2] + d.z * m[2][2]};
    }
    // Inverse of a rigid or general affine transform (the linear part must be invertible).
    Matrix4 AffineInverse() const;
};

inline Matrix4 Matrix4::Rotation(double x, double y, double z, double theta) {
    const Vec3 u = Normalize({x, y, z});
    if (u == Vec3{}) return Identity();
    const double c = std::cos(theta), s = std::sin(theta), t = 1.0 - c;
    // Column form R = cI + s[u]x + t uu^T; row vectors use its transpose.
    const double col[3][3] = {
        {c + t * u.x * u.x, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y},
        {t * u.x * u.y + s * u.z, c + t * u.y * u.y, t * u.y * u.z - s * u.x},
        {t * u.x * u.z - s * u.y, t * u.y * u.z + s * u.x, c + t * u.z * u.z}};
    Matrix4 r = Identity();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[i][j] = col[j][i];
    return r;
}

inline Matrix4 Matrix4::AffineInverse() const {
    const auto& a = m;
    const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                       a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                       a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    Matrix4 r = Identity();
    if (det == 0) return r;
    const double inv = 1.0 / det;
    r.m[0][0] = (a[1][1] * a[2][2] - a[1][2] * a[2][1]) * inv;
    r.m[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) * inv;
    r.m[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) * inv;
    r.m[1][0] = (a[1][2] * a[2][0] - a[1][0] * a[2][2]) * inv;
    r.m[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * inv;
    r.m[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) * inv;
    r.m[2][0] = (a[1][0] * a[2][1] - a[1][1] * a[2][0]) * inv;
    r.m[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) * inv;
    r.m[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) * inv;
    const Vec3 t{a[3][0], a[3][1], a[3][2]};
    for (int j = 0; j < 3; ++j)
        r.m[3][j] = -(t.x * r.m[0][j] + t.y * r.m[1][j] + t.z * r.m[2][j]);
    return r;
}

}  // namespace kvx::rm
