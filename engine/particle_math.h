#pragma once

// Inline forms of the vector and matrix routines of platform/math.h that the particle update
// calls for every particle in every frame. Each one performs the same float operations in the
// same order as its counterpart, so results are identical to the bit, the sign of zeros
// included; they only save the calls, the building of whole 4x4 matrices and divisions by a w
// of exactly 1. (The project compiles without floating-point contraction, so the compiler
// fuses none of these operations either.)
//
// Used by the engine's own sources only.

#include "platform/math.h"

#include <cmath>
#include <limits>

namespace vintrel::pmath {

// No coordinate is infinite or NaN: then each product with 0 is a zero, and so is their sum.
inline bool isFinite(const Vec3& v) {
    return v.x * 0.0f + v.y * 0.0f + v.z * 0.0f == 0.0f;
}

inline float length(const Vec3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// normalize() of platform/math.h. A squared length that is positive and finite means finite
// coordinates and a finite, nonzero length: then the result is v / length, as there. Every
// other case (zero, infinite or NaN coordinates, an overflowing square) is left to the routine
// itself. The first form takes the squared length and its root where the caller has them.
inline Vec3 normalize(const Vec3& v, float lengthSq, float length) {
    if (!(lengthSq > 0.0f && lengthSq <= std::numeric_limits<float>::max())) {
        return vintrel::normalize(v);
    }
    return {v.x / length, v.y / length, v.z / length};
}
inline Vec3 normalize(const Vec3& v) {
    const float lengthSq = v.x * v.x + v.y * v.y + v.z * v.z;
    return pmath::normalize(v, lengthSq, std::sqrt(lengthSq));
}

// The upper 3x3 block of a rotation matrix. Rotation matrices have (0, 0, 0, 1) in their
// fourth row and column, so transforming a finite point gives w = 1 exactly.
struct Rotation {
    float m[3][3];
};

// The sine and cosine that the rotation matrices of platform/math.h use: both of one angle,
// computed together as there.
struct SinCos {
    float s = 0, c = 1;
};
inline SinCos sinCos(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {s, c};
}

// A unit basis vector (one coordinate +-1, the others +-0) comes out of normalize() as it goes
// in: its length is exactly 1 and every coordinate is divided by 1. The fixed spin axes are such
// vectors, and they are normalised twice a frame.
inline bool isUnitBasis(const Vec3& v) {
    const float ax = std::fabs(v.x), ay = std::fabs(v.y), az = std::fabs(v.z);
    return (ax == 1.0f && ay == 0.0f && az == 0.0f) || (ax == 0.0f && ay == 1.0f && az == 0.0f) ||
           (ax == 0.0f && ay == 0.0f && az == 1.0f);
}
inline Vec3 normalizeAxis(const Vec3& v) {
    return pmath::isUnitBasis(v) ? v : pmath::normalize(v);
}

// matrixRotationAxis() for an axis that is already normalised (matrixRotationAxis normalises
// it first).
inline Rotation rotationAboutUnit(const Vec3& v, SinCos sc) {
    const float c = sc.c;
    const float s = sc.s;
    const float t = 1.0f - c;
    Rotation r;
    r.m[0][0] = t * v.x * v.x + c;
    r.m[0][1] = t * v.x * v.y + s * v.z;
    r.m[0][2] = t * v.x * v.z - s * v.y;
    r.m[1][0] = t * v.x * v.y - s * v.z;
    r.m[1][1] = t * v.y * v.y + c;
    r.m[1][2] = t * v.y * v.z + s * v.x;
    r.m[2][0] = t * v.x * v.z + s * v.y;
    r.m[2][1] = t * v.y * v.z - s * v.x;
    r.m[2][2] = t * v.z * v.z + c;
    return r;
}

// rotationAboutUnit() written into a whole matrix, element by element: building the matrix
// elsewhere and copying it would read back the fresh elements in wider pieces than they were
// written, which the processor cannot forward from its store buffer.
inline void setRotationAboutUnit(Mat4& out, const Vec3& v, SinCos sc) {
    const Rotation r = pmath::rotationAboutUnit(v, sc);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            out.m[i][j] = r.m[i][j];
        }
        out.m[i][3] = 0.0f;
    }
    out.m[3][0] = 0.0f;
    out.m[3][1] = 0.0f;
    out.m[3][2] = 0.0f;
    out.m[3][3] = 1.0f;
}

// matrixRotationAxis(axis, angle) with sc = sinCos(angle).
inline Rotation rotationAxis(const Vec3& axis, SinCos sc) {
    return pmath::rotationAboutUnit(pmath::normalizeAxis(axis), sc);
}

// matrixRotationX(), matrixRotationY(), matrixRotationZ() with sc = sinCos(angle).
inline Rotation rotationX(SinCos sc) {
    return {{{1.0f, 0.0f, 0.0f}, {0.0f, sc.c, sc.s}, {0.0f, -sc.s, sc.c}}};
}
inline Rotation rotationY(SinCos sc) {
    return {{{sc.c, 0.0f, -sc.s}, {0.0f, 1.0f, 0.0f}, {sc.s, 0.0f, sc.c}}};
}
inline Rotation rotationZ(SinCos sc) {
    return {{{sc.c, sc.s, 0.0f}, {-sc.s, sc.c, 0.0f}, {0.0f, 0.0f, 1.0f}}};
}

// The w of transformCoord() for a matrix whose fourth column is (0, 0, 0, 1): exactly 1 for a
// finite point, NaN otherwise.
inline float affineW(const Vec3& v) {
    return v.x * 0.0f + v.y * 0.0f + v.z * 0.0f + 1.0f;
}

// transformCoord()'s division by w, which changes nothing when w is 1.
inline Vec3 divideByW(const Vec3& h, float w) {
    if (w == 1.0f || w == 0.0f) {
        return h;
    }
    return {h.x / w, h.y / w, h.z / w};
}

// transformCoord(v, matrixScaling(sx, sy, sz)): the zero entries take part as there.
inline Vec3 scale(const Vec3& v, float sx, float sy, float sz) {
    const Vec3 h{
        v.x * sx + v.y * 0.0f + v.z * 0.0f + 0.0f,
        v.x * 0.0f + v.y * sy + v.z * 0.0f + 0.0f,
        v.x * 0.0f + v.y * 0.0f + v.z * sz + 0.0f,
    };
    return pmath::divideByW(h, pmath::affineW(v));
}

// transformCoord() for a rotation: the translation row is zero, so each sum ends in "+ 0".
inline Vec3 rotate(const Vec3& v, const Rotation& r) {
    const Vec3 h{
        v.x * r.m[0][0] + v.y * r.m[1][0] + v.z * r.m[2][0] + 0.0f,
        v.x * r.m[0][1] + v.y * r.m[1][1] + v.z * r.m[2][1] + 0.0f,
        v.x * r.m[0][2] + v.y * r.m[1][2] + v.z * r.m[2][2] + 0.0f,
    };
    return pmath::divideByW(h, pmath::affineW(v));
}

// transformCoord() of any matrix.
inline Vec3 transformPoint(const Vec3& v, const Mat4& m) {
    const Vec3 h{
        v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
        v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
        v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2],
    };
    const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    return pmath::divideByW(h, w);
}

} // namespace vintrel::pmath
