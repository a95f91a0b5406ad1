#include "render/atlas.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vintrel {
namespace {

Vec3 cellUv(const Mat4& m, float u, float v) {
    return transformCoord(Vec3{u, v, 0}, m);
}

TEST(AtlasTest, CellOfAFourByFourAtlas) {
    // Cell 5: column 1, row 1.
    const Mat4 m = atlasTextureMatrix(4, 4, 5.7f);
    EXPECT_EQ(cellUv(m, 0, 0), (Vec3{0.25f, 0.25f, 0}));
    EXPECT_EQ(cellUv(m, 1, 1), (Vec3{0.5f, 0.5f, 0}));
    // Cell 11 of a 4 x 3 atlas: column 3, row 2.
    const Mat4 last = atlasTextureMatrix(4, 3, 11);
    EXPECT_EQ(cellUv(last, 0, 0), (Vec3{0.75f, 2.0f / 3.0f, 0}));
}

TEST(AtlasTest, SingleCellShowsTheWholeTexture) {
    for (bool loop : {false, true}) {
        for (int age : {0, 1, 2, 50, 1000}) {
            const float pos = nextAnimPosition(37.5f, age, 1, 1, loop);
            EXPECT_EQ(atlasTextureMatrix(1, 1, pos), Mat4::identity()) << "age " << age << " loop " << loop;
        }
    }
    // Counts of 0 or less read as 1.
    EXPECT_EQ(atlasTextureMatrix(0, -3, 0), Mat4::identity());
    EXPECT_EQ(nextAnimPosition(100, 10, 0, -3, false), 0.0f);
}

TEST(AtlasTest, AnimationStopsOnTheLastCellOrWraps) {
    EXPECT_EQ(nextAnimPosition(100, 1, 4, 4, false), 0.0f);
    EXPECT_EQ(nextAnimPosition(100, 16, 4, 4, false), 15.0f);
    EXPECT_EQ(nextAnimPosition(50, 8, 4, 4, false), 3.5f);
    EXPECT_EQ(nextAnimPosition(100, 17, 4, 4, false), 15.0f);
    EXPECT_EQ(nextAnimPosition(100, 1000, 4, 4, false), 15.0f);

    EXPECT_EQ(nextAnimPosition(100, 17, 4, 4, true), 0.0f);
    EXPECT_EQ(nextAnimPosition(150, 13, 4, 4, true), 2.0f); // 18 -> 2
    EXPECT_EQ(nextAnimPosition(50, 36, 4, 4, true), 1.5f);  // 17.5 -> 1.5
    EXPECT_EQ(nextAnimPosition(100, 50, 4, 4, true), 1.0f); // 49 -> 1
}

TEST(AtlasTest, ExtremeValuesStayDefined) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(nextAnimPosition(std::nanf(""), 5, 4, 4, true), 0.0f);
    EXPECT_EQ(nextAnimPosition(inf, 5, 4, 4, false), 15.0f);
    EXPECT_EQ(nextAnimPosition(inf, 5, 4, 4, true), 0.0f);
    EXPECT_EQ(nextAnimPosition(-inf, 5, 4, 4, true), 0.0f);
    // No overflow of the cell count or the age.
    EXPECT_EQ(nextAnimPosition(1e9f, 101, 65536, 65536, false), 1e9f); // 2^32 cells
    EXPECT_EQ(nextAnimPosition(1e12f, 101, 65536, 65536, false), 4294967295.0f);
    const float wrapped = nextAnimPosition(1e30f, INT_MIN + 1, INT_MAX, 2, true);
    EXPECT_TRUE(std::isfinite(wrapped));
    EXPECT_TRUE(isFinite(atlasTextureMatrix(INT_MAX, INT_MAX, 1e30f)));
    EXPECT_TRUE(isFinite(atlasTextureMatrix(3, 3, -1e30f)));
    EXPECT_EQ(atlasTextureMatrix(4, 4, std::nanf("")), atlasTextureMatrix(4, 4, 0));
}

} // namespace
} // namespace vintrel
