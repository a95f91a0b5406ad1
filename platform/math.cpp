#include "platform/math.h"

#include <algorithm>
#include <cmath>

// Every multiply and add below is rounded on its own: fusing them into FMA instructions would
// change the low bits and make simulations differ between compilers and CPUs.
#if defined(__clang__)
#pragma clang fp contract(off)
#endif

namespace vintrel {

namespace {

bool finite(float a) {
    return std::isfinite(a);
}

// Scales a finite vector whose squared length overflows so that its largest component is 1.
Vec2 shrinkToUnitMax(const Vec2& v) {
    const float big = std::max(std::fabs(v.x), std::fabs(v.y));
    return {v.x / big, v.y / big};
}

Vec3 shrinkToUnitMax(const Vec3& v) {
    const float big = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    return {v.x / big, v.y / big, v.z / big};
}

// 2x2 sub-determinants of rows 0/1 (s) and rows 2/3 (c); the 4x4 determinant and every
// cofactor are expanded from them (Laplace expansion along the first two rows).
struct Minors {
    float s[6];
    float c[6];
};

Minors minorsOf(const float (&a)[4][4]) {
    Minors r{};
    r.s[0] = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    r.s[1] = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    r.s[2] = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    r.s[3] = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    r.s[4] = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    r.s[5] = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    r.c[0] = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    r.c[1] = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    r.c[2] = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    r.c[3] = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    r.c[4] = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    r.c[5] = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    return r;
}

float determinantOf(const Minors& n) {
    const float* s = n.s;
    const float* c = n.c;
    return s[0] * c[5] - s[1] * c[4] + s[2] * c[3] + s[3] * c[2] - s[4] * c[1] + s[5] * c[0];
}

// Adjugate (transposed cofactor matrix) built from the minors.
Mat4 adjugateOf(const float (&a)[4][4], const Minors& n) {
    const float* s = n.s;
    const float* c = n.c;
    Mat4 r;
    r.m[0][0] = a[1][1] * c[5] - a[1][2] * c[4] + a[1][3] * c[3];
    r.m[0][1] = -a[0][1] * c[5] + a[0][2] * c[4] - a[0][3] * c[3];
    r.m[0][2] = a[3][1] * s[5] - a[3][2] * s[4] + a[3][3] * s[3];
    r.m[0][3] = -a[2][1] * s[5] + a[2][2] * s[4] - a[2][3] * s[3];
    r.m[1][0] = -a[1][0] * c[5] + a[1][2] * c[2] - a[1][3] * c[1];
    r.m[1][1] = a[0][0] * c[5] - a[0][2] * c[2] + a[0][3] * c[1];
    r.m[1][2] = -a[3][0] * s[5] + a[3][2] * s[2] - a[3][3] * s[1];
    r.m[1][3] = a[2][0] * s[5] - a[2][2] * s[2] + a[2][3] * s[1];
    r.m[2][0] = a[1][0] * c[4] - a[1][1] * c[2] + a[1][3] * c[0];
    r.m[2][1] = -a[0][0] * c[4] + a[0][1] * c[2] - a[0][3] * c[0];
    r.m[2][2] = a[3][0] * s[4] - a[3][1] * s[2] + a[3][3] * s[0];
    r.m[2][3] = -a[2][0] * s[4] + a[2][1] * s[2] - a[2][3] * s[0];
    r.m[3][0] = -a[1][0] * c[3] + a[1][1] * c[1] - a[1][2] * c[0];
    r.m[3][1] = a[0][0] * c[3] - a[0][1] * c[1] + a[0][2] * c[0];
    r.m[3][2] = -a[3][0] * s[3] + a[3][1] * s[1] - a[3][2] * s[0];
    r.m[3][3] = a[2][0] * s[3] - a[2][1] * s[1] + a[2][2] * s[0];
    return r;
}

} // namespace

float dot(const Vec2& a, const Vec2& b) {
    return a.x * b.x + a.y * b.y;
}
float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
float dot(const Vec4& a, const Vec4& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float lengthSq(const Vec2& v) {
    return v.x * v.x + v.y * v.y;
}
float lengthSq(const Vec3& v) {
    return v.x * v.x + v.y * v.y + v.z * v.z;
}
float length(const Vec2& v) {
    return std::sqrt(lengthSq(v));
}
float length(const Vec3& v) {
    return std::sqrt(lengthSq(v));
}

Vec2 normalize(const Vec2& v) {
    if (!finite(v.x) || !finite(v.y)) {
        return {};
    }
    const float len = length(v);
    if (len == 0.0f) {
        return {};
    }
    if (!finite(len)) {
        return normalize(shrinkToUnitMax(v));
    }
    return {v.x / len, v.y / len};
}

Vec3 normalize(const Vec3& v) {
    if (!finite(v.x) || !finite(v.y) || !finite(v.z)) {
        return {};
    }
    const float len = length(v);
    if (len == 0.0f) {
        return {};
    }
    if (!finite(len)) {
        return normalize(shrinkToUnitMax(v));
    }
    return {v.x / len, v.y / len, v.z / len};
}

Vec2 lerp(const Vec2& a, const Vec2& b, float s) {
    return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y)};
}

Vec3 lerp(const Vec3& a, const Vec3& b, float s) {
    return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z)};
}

Vec4 lerp(const Vec4& a, const Vec4& b, float s) {
    return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z), a.w + s * (b.w - a.w)};
}

Mat4 Mat4::identity() {
    return matrixScaling(1.0f, 1.0f, 1.0f);
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] =
                a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
        }
    }
    return r;
}

bool operator==(const Mat4& a, const Mat4& b) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (a.m[i][j] != b.m[i][j]) {
                return false;
            }
        }
    }
    return true;
}

bool isFinite(const Mat4& a) {
    for (const auto& row : a.m) {
        for (float e : row) {
            if (!finite(e)) {
                return false;
            }
        }
    }
    return true;
}

Mat4 matrixScaling(float sx, float sy, float sz) {
    Mat4 r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    r.m[3][3] = 1.0f;
    return r;
}

Mat4 matrixTranslation(float x, float y, float z) {
    Mat4 r = Mat4::identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Mat4 matrixRotationX(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Mat4 r = Mat4::identity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Mat4 matrixRotationY(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Mat4 r = Mat4::identity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Mat4 matrixRotationZ(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Mat4 r = Mat4::identity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Mat4 matrixRotationAxis(const Vec3& axis, float angle) {
    const Vec3 v = normalize(axis);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    Mat4 r = Mat4::identity();
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

Mat4 matrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
    const Vec3 zaxis = normalize(at - eye);
    const Vec3 xaxis = normalize(cross(up, zaxis));
    const Vec3 yaxis = cross(zaxis, xaxis);
    Mat4 r;
    r.m[0][0] = xaxis.x;
    r.m[0][1] = yaxis.x;
    r.m[0][2] = zaxis.x;
    r.m[1][0] = xaxis.y;
    r.m[1][1] = yaxis.y;
    r.m[1][2] = zaxis.y;
    r.m[2][0] = xaxis.z;
    r.m[2][1] = yaxis.z;
    r.m[2][2] = zaxis.z;
    r.m[3][0] = -dot(xaxis, eye);
    r.m[3][1] = -dot(yaxis, eye);
    r.m[3][2] = -dot(zaxis, eye);
    r.m[3][3] = 1.0f;
    return r;
}

Mat4 matrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    Mat4 r;
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zf / (zf - zn);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zn * zf / (zf - zn);
    return r;
}

Mat4 matrixTranspose(const Mat4& a) {
    Mat4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = a.m[j][i];
        }
    }
    return r;
}

std::optional<Mat4> matrixInverse(const Mat4& a, float* determinant) {
    const Minors n = minorsOf(a.m);
    const float det = determinantOf(n);
    if (determinant != nullptr) {
        *determinant = det;
    }
    if (det == 0.0f || !finite(det)) {
        return std::nullopt;
    }
    const float invDet = 1.0f / det;
    Mat4 r = adjugateOf(a.m, n);
    for (auto& row : r.m) {
        for (float& e : row) {
            e *= invDet;
        }
    }
    if (!isFinite(r)) {
        return std::nullopt;
    }
    return r;
}

Vec3 transformCoord(const Vec3& v, const Mat4& m) {
    const Vec4 h = transform(v, m);
    if (h.w == 0.0f) {
        return {h.x, h.y, h.z};
    }
    return {h.x / h.w, h.y / h.w, h.z / h.w};
}

Vec3 transformNormal(const Vec3& v, const Mat4& m) {
    return {
        v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
        v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
        v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2],
    };
}

Vec4 transform(const Vec3& v, const Mat4& m) {
    return {
        v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
        v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
        v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2],
        v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3],
    };
}

Vec4 transform(const Vec4& v, const Mat4& m) {
    return {
        v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0],
        v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1],
        v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2],
        v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3],
    };
}

} // namespace vintrel
