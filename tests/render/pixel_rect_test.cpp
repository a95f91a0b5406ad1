// The pixels an export strip can write: the box around its projected vertices, and the whole
// target where projection cannot bound it.

#include "render/camera.h"
#include "render/pixel_rect.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kSize = 64;

// The camera at (0, 0, -2) looking along +z: the unit square at the origin covers pixels 18..45
// of a 64 x 64 target in both directions.
Mat4 frontViewProjection() {
    Camera camera;
    camera.eye = Vec3{0, 0, -2};
    camera.target = Vec3{0, 0, 0};
    camera.up = Vec3{0, 1, 0};
    camera.update(1.0f);
    return camera.view * camera.projection;
}

ClipTransform both(const Mat4& m) {
    return {m, m};
}

TEST(PixelRect, UniteSkipsEmptyRectangles) {
    const PixelRect a{2, 3, 10, 12};
    EXPECT_EQ(unite(a, PixelRect{}), a);
    EXPECT_EQ(unite(PixelRect{}, a), a);
    EXPECT_EQ(unite(a, PixelRect{8, 1, 20, 5}), (PixelRect{2, 1, 20, 12}));
    EXPECT_TRUE(PixelRect{}.empty());
    EXPECT_TRUE((PixelRect{5, 5, 5, 9}.empty()));
}

TEST(PixelRect, OverlapNeedsASharedPixel) {
    const PixelRect a{0, 0, 10, 10};
    EXPECT_TRUE(overlap(a, PixelRect{9, 9, 12, 12}));
    EXPECT_FALSE(overlap(a, PixelRect{10, 0, 12, 10})); // touching edges share no pixel
    EXPECT_FALSE(overlap(a, PixelRect{0, 10, 10, 12}));
    EXPECT_FALSE(overlap(a, PixelRect{}));
    EXPECT_TRUE(overlap(a, PixelRect{2, 2, 3, 3}));
}

TEST(PixelRect, SquareFootprintHoldsItsPixelsWithASmallMargin) {
    const PixelRect rect = stripFootprint(squareStrips().front(), both(frontViewProjection()), kSize, kSize);
    for (int edge : {rect.x0, rect.y0}) {
        EXPECT_LE(edge, 18);
        EXPECT_GE(edge, 15);
    }
    for (int edge : {rect.x1, rect.y1}) {
        EXPECT_GE(edge, 46);
        EXPECT_LE(edge, 49);
    }
}

TEST(PixelRect, FootprintStaysInsideTheTarget) {
    const Mat4 large = matrixScaling(10, 10, 1) * frontViewProjection();
    EXPECT_EQ(stripFootprint(squareStrips().front(), both(large), kSize, kSize),
              PixelRect::whole(kSize, kSize));
    const Mat4 aside = matrixTranslation(50, 0, 0) * frontViewProjection();
    EXPECT_TRUE(stripFootprint(squareStrips().front(), both(aside), kSize, kSize).empty());
}

TEST(PixelRect, VerticesBehindTheEyeOrNotFiniteGiveTheWholeTarget) {
    const Mat4 behind = matrixTranslation(0, 0, -3) * frontViewProjection();
    EXPECT_EQ(stripFootprint(squareStrips().front(), both(behind), kSize, kSize),
              PixelRect::whole(kSize, kSize));
    Mat4 broken = frontViewProjection();
    broken.m[0][0] = NAN;
    EXPECT_EQ(stripFootprint(squareStrips().front(), both(broken), kSize, kSize),
              PixelRect::whole(kSize, kSize));
}

TEST(PixelRect, CylinderEndsTakeTheirOwnScaling) {
    // The base ring (z = 0) scaled up three times reaches further than the unscaled tip.
    const Mat4 vp = frontViewProjection();
    const Strip ring = {{0.5f, 0, 0, 0, 0}, {-0.5f, 0, 0, 0, 0}, {0, 0.1f, 1, 0, 0}};
    const PixelRect plain = stripFootprint(ring, {vp, vp}, kSize, kSize);
    const PixelRect wide = stripFootprint(ring, {matrixScaling(3, 3, 1) * vp, vp}, kSize, kSize);
    EXPECT_LT(wide.x0, plain.x0);
    EXPECT_GT(wide.x1, plain.x1);
}

} // namespace
} // namespace vintrel
