#pragma once

// Vector and matrix types for the simulation and the renderer.
//
// Conventions are those of Direct3D's D3DX library: row vectors multiply on the left of a
// matrix (v * M), so A * B applies A first; coordinates are left-handed; angles are radians.
// Every formula follows the D3DX one term for term in single precision, so particle
// trajectories come out the same as on the original Direct3D renderer as far as float
// arithmetic allows.

#include <optional>

namespace vintrel {

constexpr float kPi = 3.141592654f; // same literal as D3DX_PI

// D3DXToRadian.
constexpr float degreesToRadians(float deg) {
    return deg * (kPi / 180.0f);
}

struct Vec2 {
    float x = 0, y = 0;
};

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

struct Vec4 {
    float x = 0, y = 0, z = 0, w = 0;
};

// Component-wise operators. Division multiplies by the reciprocal, as D3DX's vector operators
// do; dividing by 0 gives infinities or NaN like any float division.
inline Vec2 operator+(const Vec2& a, const Vec2& b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(const Vec2& a, const Vec2& b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator-(const Vec2& a) {
    return {-a.x, -a.y};
}
inline Vec2 operator*(const Vec2& a, float s) {
    return {a.x * s, a.y * s};
}
inline Vec2 operator*(float s, const Vec2& a) {
    return a * s;
}
inline Vec2 operator/(const Vec2& a, float s) {
    return a * (1.0f / s);
}
inline Vec2& operator+=(Vec2& a, const Vec2& b) {
    return a = a + b;
}
inline Vec2& operator-=(Vec2& a, const Vec2& b) {
    return a = a - b;
}
inline Vec2& operator*=(Vec2& a, float s) {
    return a = a * s;
}
inline bool operator==(const Vec2& a, const Vec2& b) {
    return a.x == b.x && a.y == b.y;
}

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(const Vec3& a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(float s, const Vec3& a) {
    return a * s;
}
inline Vec3 operator/(const Vec3& a, float s) {
    return a * (1.0f / s);
}
inline Vec3& operator+=(Vec3& a, const Vec3& b) {
    return a = a + b;
}
inline Vec3& operator-=(Vec3& a, const Vec3& b) {
    return a = a - b;
}
inline Vec3& operator*=(Vec3& a, float s) {
    return a = a * s;
}
inline bool operator==(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline Vec4 operator+(const Vec4& a, const Vec4& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w};
}
inline Vec4 operator-(const Vec4& a, const Vec4& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w};
}
inline Vec4 operator-(const Vec4& a) {
    return {-a.x, -a.y, -a.z, -a.w};
}
inline Vec4 operator*(const Vec4& a, float s) {
    return {a.x * s, a.y * s, a.z * s, a.w * s};
}
inline Vec4 operator*(float s, const Vec4& a) {
    return a * s;
}
inline Vec4 operator/(const Vec4& a, float s) {
    return a * (1.0f / s);
}
inline Vec4& operator+=(Vec4& a, const Vec4& b) {
    return a = a + b;
}
inline Vec4& operator-=(Vec4& a, const Vec4& b) {
    return a = a - b;
}
inline Vec4& operator*=(Vec4& a, float s) {
    return a = a * s;
}
inline bool operator==(const Vec4& a, const Vec4& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

// D3DXVec2Dot / D3DXVec3Dot / D3DXVec4Dot.
float dot(const Vec2& a, const Vec2& b);
float dot(const Vec3& a, const Vec3& b);
float dot(const Vec4& a, const Vec4& b);
// D3DXVec3Cross.
Vec3 cross(const Vec3& a, const Vec3& b);
// D3DXVec2LengthSq / D3DXVec3LengthSq, D3DXVec2Length / D3DXVec3Length.
float lengthSq(const Vec2& v);
float lengthSq(const Vec3& v);
float length(const Vec2& v);
float length(const Vec3& v);
// D3DXVec2Normalize / D3DXVec3Normalize. Never returns NaN: a zero-length or non-finite vector
// gives the zero vector, and a finite vector whose squared length overflows is rescaled first.
Vec2 normalize(const Vec2& v);
Vec3 normalize(const Vec3& v);
// D3DXVec2Lerp / D3DXVec3Lerp / D3DXVec4Lerp: a + s * (b - a).
Vec2 lerp(const Vec2& a, const Vec2& b, float s);
Vec3 lerp(const Vec3& a, const Vec3& b, float s);
Vec4 lerp(const Vec4& a, const Vec4& b, float s);

// 4x4 matrix stored as m[row][col]. Row 3 columns 0..2 (D3DX's _41, _42, _43) hold the
// translation. A default-constructed matrix is all zeros.
struct Mat4 {
    float m[4][4] = {};

    static Mat4 identity();
};

// D3DXMatrixMultiply: the result applies a first, then b.
Mat4 operator*(const Mat4& a, const Mat4& b);
// Exact element-wise float comparison.
bool operator==(const Mat4& a, const Mat4& b);
// True when no element is infinite or NaN.
bool isFinite(const Mat4& a);

// D3DXMatrixScaling.
Mat4 matrixScaling(float sx, float sy, float sz);
// D3DXMatrixTranslation.
Mat4 matrixTranslation(float x, float y, float z);
// D3DXMatrixRotationX.
Mat4 matrixRotationX(float angle);
// D3DXMatrixRotationY.
Mat4 matrixRotationY(float angle);
// D3DXMatrixRotationZ.
Mat4 matrixRotationZ(float angle);
// D3DXMatrixRotationAxis; the axis is normalised first. A zero axis normalises to zero, which
// leaves cos(angle) on the diagonal exactly as D3DX does.
Mat4 matrixRotationAxis(const Vec3& axis, float angle);
// D3DXMatrixLookAtLH. Degenerate input (eye == at, up parallel to the view) gives zero axes,
// never NaN.
Mat4 matrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
// D3DXMatrixPerspectiveFovLH. zf == zn, aspect == 0 or fovY == 0 give non-finite elements as
// in D3DX; check with isFinite when the parameters come from the user.
Mat4 matrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf);
// D3DXMatrixTranspose.
Mat4 matrixTranspose(const Mat4& a);
// D3DXMatrixInverse. Returns nullopt where D3DX returns NULL (determinant 0) and also when the
// determinant or any element of the inverse is not finite. *determinant, when given, is
// always written, on failure too.
std::optional<Mat4> matrixInverse(const Mat4& a, float* determinant = nullptr);

// D3DXVec3TransformCoord: transforms (x, y, z, 1) and divides by the resulting w. Unlike
// D3DX, a point that lands on w == 0 returns its transformed x, y, z undivided instead of
// infinities.
Vec3 transformCoord(const Vec3& v, const Mat4& m);
// D3DXVec3TransformNormal: transforms (x, y, z, 0), so translation is ignored.
Vec3 transformNormal(const Vec3& v, const Mat4& m);
// D3DXVec3Transform: transforms (x, y, z, 1).
Vec4 transform(const Vec3& v, const Mat4& m);
// D3DXVec4Transform.
Vec4 transform(const Vec4& v, const Mat4& m);

} // namespace vintrel
