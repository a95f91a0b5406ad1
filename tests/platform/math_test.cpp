#include "platform/math.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vintrel {
namespace {

// cos(kPi / 2) in float is about -4.4e-8 rather than 0; trigonometric results are compared
// within this tolerance, everything built only from exact products and sums is compared exactly.
constexpr float kTol = 1e-5f;

void expectNear(const Vec3& actual, const Vec3& expected, float tol = kTol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

void expectNear(const Mat4& actual, const Mat4& expected, float tol = kTol) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_NEAR(actual.m[i][j], expected.m[i][j], tol) << "row " << i << " col " << j;
        }
    }
}

TEST(MathVector, ArithmeticOperators) {
    Vec3 a{1, 2, 3};
    const Vec3 b{4, -5, 6};
    EXPECT_EQ(a + b, (Vec3{5, -3, 9}));
    EXPECT_EQ(a - b, (Vec3{-3, 7, -3}));
    EXPECT_EQ(-a, (Vec3{-1, -2, -3}));
    EXPECT_EQ(a * 2.0f, (Vec3{2, 4, 6}));
    EXPECT_EQ(0.5f * a, (Vec3{0.5f, 1, 1.5f}));
    EXPECT_EQ(b / 4.0f, (Vec3{1, -1.25f, 1.5f}));
    a += b;
    EXPECT_EQ(a, (Vec3{5, -3, 9}));
    a -= b;
    a *= 3.0f;
    EXPECT_EQ(a, (Vec3{3, 6, 9}));
    EXPECT_FALSE((Vec3{1, 2, 3} == Vec3{1, 2, 4}));

    EXPECT_EQ((Vec2{1, 2} + Vec2{3, 4}) / 2.0f, (Vec2{2, 3}));
    EXPECT_EQ((Vec4{1, 2, 3, 4} - Vec4{1, 1, 1, 1}) * 2.0f, (Vec4{0, 2, 4, 6}));
    EXPECT_FALSE((Vec4{1, 2, 3, 4} == Vec4{1, 2, 3, 5}));
}

TEST(MathVector, DotCrossLength) {
    EXPECT_EQ(dot(Vec3{1, 2, 3}, Vec3{4, 5, 6}), 32.0f);
    EXPECT_EQ(dot(Vec2{1, 2}, Vec2{-3, 4}), 5.0f);
    EXPECT_EQ(dot(Vec4{1, 2, 3, 4}, Vec4{1, 1, 1, 2}), 14.0f);
    EXPECT_EQ(cross(Vec3{1, 0, 0}, Vec3{0, 1, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(cross(Vec3{1, 2, 3}, Vec3{4, 5, 6}), (Vec3{-3, 6, -3}));
    EXPECT_EQ(lengthSq(Vec3{2, 3, 6}), 49.0f);
    EXPECT_EQ(length(Vec3{2, 3, 6}), 7.0f);
    EXPECT_EQ(length(Vec2{3, 4}), 5.0f);
}

TEST(MathVector, NormalizeNeverProducesNaN) {
    EXPECT_EQ(normalize(Vec2{3, 4}), (Vec2{0.6f, 0.8f}));
    expectNear(normalize(Vec3{0, -3, 4}), Vec3{0, -0.6f, 0.8f}, 1e-7f);

    EXPECT_EQ(normalize(Vec3{}), Vec3{});
    EXPECT_EQ(normalize(Vec2{}), Vec2{});

    // The squared length overflows float here; the direction must survive.
    expectNear(normalize(Vec3{3e30f, -4e30f, 0}), Vec3{0.6f, -0.8f, 0}, 1e-6f);
    const Vec2 big = normalize(Vec2{-3e38f, 0});
    EXPECT_EQ(big, (Vec2{-1, 0}));

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(normalize(Vec3{inf, 1, 0}), Vec3{});
    EXPECT_EQ(normalize(Vec3{nan, 1, 0}), Vec3{});
    EXPECT_EQ(normalize(Vec2{1, -inf}), Vec2{});
}

TEST(MathVector, Lerp) {
    EXPECT_EQ(lerp(Vec3{}, Vec3{10, 20, 30}, 0.25f), (Vec3{2.5f, 5, 7.5f}));
    EXPECT_EQ(lerp(Vec2{1, 1}, Vec2{3, -1}, 0.5f), (Vec2{2, 0}));
    EXPECT_EQ(lerp(Vec4{0, 0, 0, 1}, Vec4{4, 8, 0, 3}, 1.5f), (Vec4{6, 12, 0, 4}));
}

TEST(MathAngles, DegreesToRadians) {
    EXPECT_FLOAT_EQ(kPi, 3.14159265f);
    EXPECT_FLOAT_EQ(degreesToRadians(180.0f), kPi);
    EXPECT_FLOAT_EQ(degreesToRadians(-90.0f), -1.5707963f);
}

TEST(MathMatrix, ProductAppliesLeftOperandFirst) {
    Mat4 a = Mat4::identity();
    a.m[0][1] = 2;
    Mat4 b = Mat4::identity();
    b.m[1][0] = 3;
    const Mat4 ab = a * b;
    EXPECT_EQ(ab.m[0][0], 7.0f);
    EXPECT_EQ(ab.m[0][1], 2.0f);
    EXPECT_EQ(ab.m[1][0], 3.0f);
    EXPECT_EQ(ab.m[1][1], 1.0f);
    EXPECT_FALSE(ab == b * a);

    // Scale by (2, 3, 4), then move by (10, 20, 30).
    const Mat4 scaleThenMove = matrixScaling(2, 3, 4) * matrixTranslation(10, 20, 30);
    EXPECT_EQ(transformCoord(Vec3{1, 1, 1}, scaleThenMove), (Vec3{12, 23, 34}));
    const Mat4 moveThenScale = matrixTranslation(10, 20, 30) * matrixScaling(2, 3, 4);
    EXPECT_EQ(transformCoord(Vec3{1, 1, 1}, moveThenScale), (Vec3{22, 63, 124}));

    EXPECT_EQ(scaleThenMove * Mat4::identity(), scaleThenMove);
}

TEST(MathMatrix, TranslationRowAndTranspose) {
    const Mat4 t = matrixTranslation(5, 6, 7);
    EXPECT_EQ(t.m[3][0], 5.0f);
    EXPECT_EQ(t.m[3][1], 6.0f);
    EXPECT_EQ(t.m[3][2], 7.0f);
    const Mat4 tt = matrixTranspose(t);
    EXPECT_EQ(tt.m[0][3], 5.0f);
    EXPECT_EQ(tt.m[2][3], 7.0f);
    EXPECT_EQ(tt.m[3][0], 0.0f);
    EXPECT_EQ(matrixTranspose(tt), t);
}

TEST(MathMatrix, AxisRotationsUnderRowVectorConvention) {
    const float quarter = kPi / 2;
    expectNear(transformCoord(Vec3{1, 0, 0}, matrixRotationZ(quarter)), Vec3{0, 1, 0});
    expectNear(transformCoord(Vec3{0, 1, 0}, matrixRotationX(quarter)), Vec3{0, 0, 1});
    expectNear(transformCoord(Vec3{0, 0, 1}, matrixRotationY(quarter)), Vec3{1, 0, 0});
    expectNear(transformCoord(Vec3{1, 0, 0}, matrixRotationY(quarter)), Vec3{0, 0, -1});

    const Mat4 rz = matrixRotationZ(0.5f);
    EXPECT_EQ(rz.m[0][1], std::sin(0.5f));
    EXPECT_EQ(rz.m[1][0], -std::sin(0.5f));
    EXPECT_EQ(rz.m[3][3], 1.0f);
}

TEST(MathMatrix, RotationAxisMatchesD3DXFormula) {
    const float a = 0.7f;
    expectNear(matrixRotationAxis(Vec3{0, 0, 2}, a), matrixRotationZ(a));
    expectNear(matrixRotationAxis(Vec3{-3, 0, 0}, -a), matrixRotationX(a));
    expectNear(matrixRotationAxis(Vec3{0, 0.5f, 0}, a), matrixRotationY(a));

    // A third of a turn about (1, 1, 1) cycles the axes x -> y -> z -> x.
    const Mat4 r = matrixRotationAxis(Vec3{1, 1, 1}, 2 * kPi / 3);
    expectNear(transformNormal(Vec3{1, 0, 0}, r), Vec3{0, 1, 0});
    expectNear(transformNormal(Vec3{0, 1, 0}, r), Vec3{0, 0, 1});
    expectNear(transformNormal(Vec3{0, 0, 1}, r), Vec3{1, 0, 0});

    // No axis: only the cos terms remain, and nothing becomes NaN.
    const Mat4 none = matrixRotationAxis(Vec3{}, a);
    EXPECT_TRUE(isFinite(none));
    EXPECT_EQ(none.m[0][0], std::cos(a));
    EXPECT_EQ(none.m[0][1], 0.0f);
}

TEST(MathMatrix, LookAtLH) {
    const Vec3 eye{0, 5, -10};
    const Mat4 view = matrixLookAtLH(eye, Vec3{}, Vec3{0, 1, 0});
    expectNear(transformCoord(eye, view), Vec3{});
    expectNear(transformCoord(Vec3{}, view), Vec3{0, 0, std::sqrt(125.0f)});

    // zaxis = (0, -1, 2)/sqrt(5), xaxis = (1, 0, 0), yaxis = (0, 2, 1)/sqrt(5).
    const float a = 1 / std::sqrt(5.0f);
    const float b = 2 / std::sqrt(5.0f);
    expectNear(view, Mat4{{{1, 0, 0, 0}, {0, b, -a, 0}, {0, a, b, 0}, {0, 0, std::sqrt(125.0f), 1}}});

    // Looking down +z from (1, 2, 3) is a pure move of the eye to the origin.
    EXPECT_EQ(matrixLookAtLH(Vec3{1, 2, 3}, Vec3{1, 2, 9}, Vec3{0, 1, 0}), matrixTranslation(-1, -2, -3));

    EXPECT_TRUE(isFinite(matrixLookAtLH(eye, eye, Vec3{0, 1, 0})));
    EXPECT_TRUE(isFinite(matrixLookAtLH(Vec3{}, Vec3{0, 3, 0}, Vec3{0, 1, 0})));
}

TEST(MathMatrix, PerspectiveFovLH) {
    const Mat4 p = matrixPerspectiveFovLH(kPi / 2, 1, 1, 101);
    EXPECT_NEAR(p.m[0][0], 1.0f, kTol);
    EXPECT_NEAR(p.m[1][1], 1.0f, kTol);
    EXPECT_FLOAT_EQ(p.m[2][2], 1.01f);
    EXPECT_EQ(p.m[2][3], 1.0f);
    EXPECT_FLOAT_EQ(p.m[3][2], -1.01f);
    EXPECT_EQ(p.m[3][3], 0.0f);

    expectNear(transformCoord(Vec3{0, 0, 1}, p), Vec3{0, 0, 0});
    expectNear(transformCoord(Vec3{0, 0, 101}, p), Vec3{0, 0, 1});
    expectNear(transformCoord(Vec3{2, -2, 2}, p), Vec3{1, -1, 0.505f});

    const Mat4 wide = matrixPerspectiveFovLH(kPi / 2, 2, 1, 101);
    EXPECT_NEAR(wide.m[0][0], 0.5f, kTol);

    EXPECT_FALSE(isFinite(matrixPerspectiveFovLH(kPi / 2, 1, 5, 5)));
    EXPECT_FALSE(isFinite(matrixPerspectiveFovLH(kPi / 2, 0, 1, 100)));
}

TEST(MathMatrix, InverseAndDeterminant) {
    const Mat4 m =
        matrixScaling(2, 3, 4) * matrixRotationAxis(Vec3{1, 2, 3}, 0.9f) * matrixTranslation(-7, 8, 9);
    float det = 0;
    const auto inv = matrixInverse(m, &det);
    ASSERT_TRUE(inv.has_value());
    EXPECT_NEAR(det, 24.0f, 1e-4f); // a rotation keeps the volume
    expectNear(*inv * m, Mat4::identity());
    expectNear(m * *inv, Mat4::identity());

    const auto invMove = matrixInverse(matrixTranslation(1, 2, 3));
    ASSERT_TRUE(invMove.has_value());
    EXPECT_EQ(*invMove, matrixTranslation(-1, -2, -3));
}

TEST(MathMatrix, InverseRejectsSingularAndNonFinite) {
    float det = -1;
    EXPECT_FALSE(matrixInverse(matrixScaling(1, 0, 1), &det).has_value());
    EXPECT_EQ(det, 0.0f);

    Mat4 repeatedRow = Mat4::identity();
    repeatedRow.m[1][0] = 1;
    repeatedRow.m[1][1] = 0;
    EXPECT_FALSE(matrixInverse(repeatedRow).has_value());

    Mat4 withNaN = Mat4::identity();
    withNaN.m[2][1] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(matrixInverse(withNaN).has_value());

    // Determinant overflows to infinity.
    EXPECT_FALSE(matrixInverse(matrixScaling(1e20f, 1e20f, 1e20f), &det).has_value());
    EXPECT_FALSE(std::isfinite(det));

    // Determinant is a finite denormal, but its reciprocal overflows.
    EXPECT_FALSE(matrixInverse(matrixScaling(1e-20f, 1e-20f, 1)).has_value());
}

TEST(MathTransform, HomogeneousHandling) {
    const Mat4 m = matrixScaling(2, 2, 2) * matrixTranslation(5, 6, 7);
    EXPECT_EQ(transformNormal(Vec3{1, 2, 3}, m), (Vec3{2, 4, 6}));
    EXPECT_EQ(transform(Vec3{1, 2, 3}, m), (Vec4{7, 10, 13, 1}));
    EXPECT_EQ(transform(Vec4{1, 2, 3, 0}, m), (Vec4{2, 4, 6, 0}));
    EXPECT_EQ(transform(Vec4{1, 2, 3, 2}, m), (Vec4{12, 16, 20, 2}));

    Mat4 halve = Mat4::identity();
    halve.m[3][3] = 2;
    EXPECT_EQ(transformCoord(Vec3{2, 4, 6}, halve), (Vec3{1, 2, 3}));

    // A point on the camera plane of a projection has w == 0: returned undivided.
    const Mat4 p = matrixPerspectiveFovLH(kPi / 2, 1, 1, 101);
    const Vec3 onPlane = transformCoord(Vec3{2, 3, 0}, p);
    expectNear(onPlane, Vec3{2, 3, -1.01f});
}

} // namespace
} // namespace vintrel
