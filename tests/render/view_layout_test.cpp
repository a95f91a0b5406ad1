#include "render/view_layout.h"

#include <climits>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

void expectRect(const ViewRect& r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

TEST(ViewLayoutTest, FitsTheProjectAspect) {
    // Wide area: full height, centred.
    expectRect(fitViewRect(2000, 900, 1920, 1080), 410, 67, 1600, 900);
    expectRect(fitViewRect(1601, 900, 1920, 1080), 210, 67, 1600, 900);
    // Narrow area: full width, shorter.
    expectRect(fitViewRect(800, 900, 1920, 1080), 210, 67, 800, 450);
    // Square project in a wide area; truncation of a fractional width.
    expectRect(fitViewRect(1000, 500, 128, 128), 460, 67, 500, 500);
    expectRect(fitViewRect(1000, 100, 3, 2), 635, 67, 150, 100);
    expectRect(fitViewRect(1000, 101, 3, 2), 634, 67, 151, 101);
}

TEST(ViewLayoutTest, DegenerateSizesGiveAtLeastOnePixel) {
    expectRect(fitViewRect(0, 0, 0, 0), 210, 67, 1, 1);
    expectRect(fitViewRect(-5, 300, 640, 480), 210, 67, 1, 1);
    expectRect(fitViewRect(100, 100, 1920, 0), 210, 67, 100, 1);
    expectRect(fitViewRect(100, 100, 1, 100000), 259, 67, 1, 100);
    const ViewRect huge = fitViewRect(INT_MAX, INT_MAX, INT_MAX, 1);
    EXPECT_EQ(huge.w, INT_MAX);
    EXPECT_GE(huge.h, 1);
    EXPECT_LE(huge.h, INT_MAX);
}

// Each half keeps the project's aspect, as large as half the view allows, both against the
// 4-pixel gap in the middle and centred vertically (rows from the bottom).
TEST(ViewLayoutTest, SideBySideHalvesKeepTheProjectsAspect) {
    struct Case {
        int viewW, viewH, projectW, projectH;
        PixelRect left, right;
    };
    const Case cases[] = {
        {580, 580, 128, 128, {0, 146, 288, 434}, {292, 146, 580, 434}},  // square: half-width squares
        {800, 450, 1920, 1080, {0, 113, 398, 336}, {402, 113, 800, 336}}, // 16:9 halves of a 16:9 view
        {400, 100, 1, 2, {148, 0, 198, 100}, {202, 0, 252, 100}},       // tall project: full height
        {301, 100, 1, 1, {48, 0, 148, 100}, {152, 0, 252, 100}},        // odd width: the gap at 148
        {5, 5, 128, 128, {0, 2, 1, 3}, {0, 2, 1, 3}},                   // too narrow for two
        {1, 1, 128, 128, {0, 0, 1, 1}, {0, 0, 1, 1}},                   // at least a pixel each
        {0, -4, 0, 0, {0, 0, 1, 1}, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        const SideBySideHalves halves = sideBySideHalves(c.viewW, c.viewH, c.projectW, c.projectH);
        EXPECT_EQ(halves.left, c.left) << c.viewW << "x" << c.viewH;
        EXPECT_EQ(halves.right, c.right) << c.viewW << "x" << c.viewH;
    }
}

} // namespace
} // namespace vintrel
