// Dialog units to pixels, rounded as MulDiv rounds.

#include "ui/controls/dialog_units.h"

#include <climits>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

TEST(DialogUnitsTest, ConvertsWithHalvesRoundedAwayFromZero) {
    struct Case {
        int averageCharWidth, charHeight, units, pixelsX, pixelsY;
    };
    const Case cases[] = {
        {6, 13, 4, 6, 7},       // 6.5 rounds up
        {6, 13, 100, 150, 163}, // 162.5
        {7, 15, 2, 4, 4},       // x 3.5, y 3.75
        {7, 15, -2, -4, -4},    // halves round away from zero on both sides
        {7, 15, 3, 5, 6},       // x 5.25, y 5.625
        {6, 12, 1, 2, 2},       // 1.5 each
        {6, 12, -1, -2, -2},    {8, 16, 0, 0, 0}, {0, 0, 50, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.units << " units at " << c.averageCharWidth << "x" << c.charHeight);
        const DialogUnitScale scale{c.averageCharWidth, c.charHeight};
        EXPECT_EQ(scale.toPixelsX(c.units), c.pixelsX);
        EXPECT_EQ(scale.toPixelsY(c.units), c.pixelsY);
    }
}

TEST(DialogUnitsTest, SaturatesInsteadOfOverflowing) {
    const DialogUnitScale scale{16, 64};
    EXPECT_EQ(scale.toPixelsX(INT_MAX), INT_MAX);
    EXPECT_EQ(scale.toPixelsY(INT_MIN), INT_MIN);
}

} // namespace
} // namespace vintrel
