#include "render/mesh_geometry.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

void expectVertex(const PolyVertex& v, float x, float y, float z, float u, float t, float tol = 1e-6f) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
    EXPECT_NEAR(v.u, u, tol);
    EXPECT_NEAR(v.v, t, tol);
}

TEST(MeshGeometryTest, SquareAndCylinder) {
    const std::vector<Strip> square = squareStrips();
    ASSERT_EQ(square.size(), 1u);
    ASSERT_EQ(square[0].size(), 4u);
    expectVertex(square[0][0], -0.5f, 0.5f, 0, 0, 0);
    expectVertex(square[0][1], 0.5f, 0.5f, 0, 1, 0);
    expectVertex(square[0][2], -0.5f, -0.5f, 0, 0, 1);
    expectVertex(square[0][3], 0.5f, -0.5f, 0, 1, 1);

    for (const auto& [detail, count] : {std::pair{0, 18u}, std::pair{1, 146u}}) {
        const std::vector<Strip> cylinder = cylinderStrips(detail);
        ASSERT_EQ(cylinder.size(), 1u);
        const Strip& s = cylinder[0];
        ASSERT_EQ(s.size(), count);
        expectVertex(s[0], 0, 0.5f, 0, 0, 1);
        expectVertex(s[1], 0, 0.5f, -1, 0, 0);
        expectVertex(s[count - 2], 0, 0.5f, 0, 1, 1);
        expectVertex(s[count - 1], 0, 0.5f, -1, 1, 0);
    }
    // 45 degrees on: the rim goes towards -x.
    expectVertex(cylinderStrips(0)[0][2], -0.5f * std::sqrt(0.5f), 0.5f * std::sqrt(0.5f), 0, 0.125f, 1);
}

TEST(MeshGeometryTest, HemisphereBands) {
    for (const auto& [detail, bands, perBand] : {std::tuple{0, 24u, 14u}, std::tuple{1, 72u, 38u}}) {
        const std::vector<Strip> strips = hemisphereStrips(detail);
        ASSERT_EQ(strips.size(), bands);
        for (const Strip& s : strips) {
            ASSERT_EQ(s.size(), perBand);
            expectVertex(s[0], 0, 0, -0.5f, 0.5f, 0.5f);
            for (const PolyVertex& v : s) {
                EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 0.5f, 1e-6f);
                EXPECT_LE(v.z, 1e-6f);
            }
        }
    }
    // First band (b = 360), last row (t = 90): the rim at -x and one 15 degree step on.
    const Strip first = hemisphereStrips(0)[0];
    const float c = std::cos(degreesToRadians(15)), s = std::sin(degreesToRadians(15));
    expectVertex(first[12], -0.5f, 0, 0, 0, 0.5f);
    expectVertex(first[13], -0.5f * c, -0.5f * s, 0, 0.5f - 0.5f * c, 0.5f - 0.5f * s);
}

std::deque<Vec4> line(int n) {
    std::deque<Vec4> h;
    for (int i = 0; i < n; ++i) {
        h.push_back({static_cast<float>(i), 0, 0, 2.0f * static_cast<float>(i + 1)});
    }
    return h;
}

TEST(MeshGeometryTest, TrailStrip) {
    const Vec3 eye{0, 0, -10};
    EXPECT_TRUE(trailStrip(line(1), eye, false).empty());
    EXPECT_TRUE(trailStrip(line(2), eye, false).empty());
    // Three points make a single section: two vertices, nothing visible.
    EXPECT_EQ(trailStrip(line(3), eye, false).size(), 2u);

    const Strip fixedWidth = trailStrip(line(4), eye, false); // newest width 8
    ASSERT_EQ(fixedWidth.size(), 4u);
    expectVertex(fixedWidth[0], 0, 4, 0, 0, 0);
    expectVertex(fixedWidth[1], 0, -4, 0, 0, 1);
    expectVertex(fixedWidth[2], 1, 4, 0, 0.5f, 0);
    expectVertex(fixedWidth[3], 1, -4, 0, 0.5f, 1);

    const Strip ownWidth = trailStrip(line(4), eye, true); // widths 2 and 4
    expectVertex(ownWidth[0], 0, 1, 0, 0, 0);
    expectVertex(ownWidth[3], 1, -2, 0, 0.5f, 1);
}

TEST(MeshGeometryTest, DegenerateTrailSectionsHaveZeroWidth) {
    // Coincident points, then a segment heading straight at the eye.
    const std::deque<Vec4> h{{1, 1, 1, 5}, {1, 1, 1, 5}, {1, 1, 5, 5}, {1, 1, 6, 5}, {0, 0, 0, 5}};
    const Strip s = trailStrip(h, Vec3{1, 1, 20}, true);
    ASSERT_EQ(s.size(), 6u);
    for (std::size_t i : {0u, 1u}) {
        expectVertex(s[i], 1, 1, 1, 0, static_cast<float>(i));
    }
    for (std::size_t i : {4u, 5u}) {
        expectVertex(s[i], 1, 1, 5, 2.0f / 3.0f, static_cast<float>(i - 4));
    }
    // Less than about 5.7 degrees off the view direction still counts as pointing at the eye.
    const std::deque<Vec4> nearly{{0, 0, 0, 5}, {0.05f, 0, 1, 5}, {0, 0, 2, 5}};
    const Strip n = trailStrip(nearly, Vec3{0, 0, 20}, true);
    ASSERT_EQ(n.size(), 2u);
    expectVertex(n[0], 0, 0, 0, 0, 0);
    expectVertex(n[1], 0, 0, 0, 0, 1);
}

TEST(MeshGeometryTest, FloorGrid) {
    const std::vector<LineSegment> grid = floorGrid();
    ASSERT_EQ(grid.size(), 44u);
    const Vec4 grey{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 128 / 255.0f};
    for (int k = 0; k < 40; ++k) {
        const LineSegment& l = grid[static_cast<std::size_t>(k)];
        EXPECT_EQ(l.color, grey);
        // No grid line on an axis.
        EXPECT_NE(k < 20 ? l.a.z : l.a.x, 0.0f);
    }
    EXPECT_EQ(grid[0].a, (Vec3{-10, 0, -10}));
    EXPECT_EQ(grid[0].b, (Vec3{10, 0, -10}));
    EXPECT_EQ(grid[10].a, (Vec3{-10, 0, 1}));
    EXPECT_EQ(grid[20].a, (Vec3{-10, 0, -10}));
    EXPECT_EQ(grid[20].b, (Vec3{-10, 0, 10}));
    EXPECT_EQ(grid[39].b, (Vec3{10, 0, 10}));

    const float light = 200 / 255.0f, half = 128 / 255.0f;
    EXPECT_EQ(grid[40].a, (Vec3{-10, 0, 0}));
    EXPECT_EQ(grid[40].b, (Vec3{0, 0, 0}));
    EXPECT_EQ(grid[40].color, (Vec4{light, light, light, half}));
    EXPECT_EQ(grid[41].a, (Vec3{0, 0, -10}));
    EXPECT_EQ(grid[41].b, (Vec3{0, 0, 10}));
    EXPECT_EQ(grid[41].color, (Vec4{light, light, light, half}));
    EXPECT_EQ(grid[42].b, (Vec3{0, 10, 0}));
    EXPECT_EQ(grid[42].color, (Vec4{0, 0, 1, half}));
    EXPECT_EQ(grid[43].b, (Vec3{10, 0, 0}));
    EXPECT_EQ(grid[43].color, (Vec4{1, 0, 0, half}));
}

TEST(MeshGeometryTest, GuideSets) {
    const auto sets = guideSets();
    const std::array<std::size_t, 7> counts{18, 18, 6 * 6 + 12, 6 * 3 + 12, 8 + 8 + 8, 12, 2};
    const Vec4 white{1, 1, 1, 50 / 255.0f};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].size(), counts[i]) << "set " << i;
        for (const LineSegment& l : sets[i]) {
            EXPECT_EQ(l.color, white);
        }
    }
    const auto radius = [](const Vec3& p) { return length(p); };
    for (const LineSegment& l : sets[0]) {
        EXPECT_NEAR(radius(l.a), 0.5f, 1e-6f);
        EXPECT_EQ(l.a.z, 0.0f);
    }
    for (std::size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(sets[0][i].b, sets[0][(i + 1) % 18].a); // closed ring
        EXPECT_NEAR(sets[1][i].a.y, 0.0f, 1e-7f);
        EXPECT_NEAR(radius(sets[1][i].a), 0.5f, 1e-6f);
    }
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(sets[2][k * 6].a.y, -0.5f, 1e-6f);    // meridian from the bottom pole
        EXPECT_NEAR(sets[2][k * 6 + 5].b.y, 0.5f, 1e-6f); // to the top pole
        EXPECT_NEAR(sets[3][k * 3].a.y, 0.5f, 1e-6f);     // quarter from the top
        EXPECT_NEAR(sets[3][k * 3 + 2].b.y, 0.0f, 1e-6f); // down to the rim
    }
    for (const auto* set : {&sets[2], &sets[3]}) {
        for (const LineSegment& l : *set) {
            EXPECT_NEAR(radius(l.a), 0.5f, 1e-6f);
            EXPECT_NEAR(radius(l.b), 0.5f, 1e-6f);
        }
    }
    for (const LineSegment& l : sets[3]) {
        EXPECT_GE(l.a.y, -1e-6f);
    }
    for (const LineSegment& l : sets[4]) {
        EXPECT_NEAR(l.a.x * l.a.x + l.a.z * l.a.z, 0.25f, 1e-6f);
        EXPECT_EQ(std::fabs(l.a.y), 0.5f);
    }
    for (const LineSegment& l : sets[5]) {
        EXPECT_FLOAT_EQ(length(l.b - l.a), 1.0f);
    }
    EXPECT_EQ(sets[6][0].a, (Vec3{0, 0.5f, 0}));
    EXPECT_EQ(sets[6][1].b, (Vec3{-0.5f, 0, 0}));
}

TEST(MeshGeometryTest, FixedOrientationsTurnTheFrontFace) {
    const std::array<Vec3, 6> front{Vec3{0, 0, 1}, Vec3{0, 0, -1}, Vec3{-1, 0, 0},
                                    Vec3{1, 0, 0}, Vec3{0, -1, 0}, Vec3{0, 1, 0}};
    const std::array<Mat4, 6> m = fixedOrientations();
    for (std::size_t i = 0; i < m.size(); ++i) {
        const Vec3 v = transformNormal({0, 0, 1}, m[i]);
        EXPECT_NEAR(length(v - front[i]), 0.0f, 1e-6f) << "orientation " << i;
    }
}

} // namespace
} // namespace vintrel
