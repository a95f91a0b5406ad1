// Which passes and culling walks can draw a particle: the alpha rules and the facing of a flat
// mesh, as the view and the export use them to leave out draws that cannot change a pixel.
#include "render/camera.h"
#include "render/view_passes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vintrel {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(ViewPassesTest, AlphaDecidesWhichPassesCanDraw) {
    struct Case {
        float colourAlpha;
        TextureAlpha texture;
        bool opaquePass;
        bool blendedPass;
    };
    const TextureAlpha opaque{1.0f, true};
    const TextureAlpha halfAtMost{0.5f, false};
    const TextureAlpha clear{0.0f, false};
    const Case cases[] = {
        {1.0f, opaque, true, true},
        {0.5f, opaque, false, true},         // every texel discarded by pass 0
        {0.9995f, opaque, true, true},       // within the filtering margin: kept
        {1.9f, halfAtMost, false, true},     // 0.95 at most
        {2.0f, halfAtMost, true, true},      // reaches 1 where the texture is at its highest
        {0.0f, opaque, false, false},        // blends with alpha 0: no pixel changes
        {-0.5f, opaque, false, false},
        {kInf, clear, true, true},           // 0 x infinity is not a number: drawn as it is
        {kNaN, opaque, true, true},
        {-kInf, opaque, false, true},
    };
    for (const Case& c : cases) {
        const ViewPassPlan plan = planViewPasses(c.colourAlpha, c.texture);
        EXPECT_EQ(plan.opaquePass, c.opaquePass) << "alpha " << c.colourAlpha << " x " << c.texture.highest;
        EXPECT_EQ(plan.blendedPass, c.blendedPass) << "alpha " << c.colourAlpha << " x " << c.texture.highest;
    }
}

// The square of the billboard mesh's first triangle, placed by `world` before the default view.
Facing squareFacing(const Mat4& world) {
    Camera camera;
    camera.update(16.0f / 9.0f);
    Mat4 wvp = world * camera.view * camera.projection;
    Mat4 readBack;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            readBack.m[r][c] = wvp.m[c][r]; // as the shaders read it
        }
    }
    return flatMeshFacing(readBack, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, -0.5f, 0});
}

TEST(ViewPassesTest, FlatMeshFacesTheViewerOnlyWhenClearlyTurned) {
    Camera camera;
    camera.update(16.0f / 9.0f);
    const Mat4 facing = camera.facingRotation();
    EXPECT_EQ(squareFacing(facing), Facing::Front); // a billboard: drawn by the walk culling back faces
    EXPECT_EQ(squareFacing(matrixRotationY(kPi) * facing), Facing::Back);
    EXPECT_EQ(squareFacing(matrixRotationY(kPi / 2) * facing), Facing::Either); // edge-on
    const Vec3 behind = camera.eye + (camera.eye - camera.target);
    EXPECT_EQ(squareFacing(facing * matrixTranslation(behind.x, behind.y, behind.z)), Facing::Either);
    EXPECT_EQ(squareFacing(matrixScaling(kNaN, 1, 1) * facing), Facing::Either);
}

} // namespace
} // namespace vintrel
