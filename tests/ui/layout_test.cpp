#include "ui/shell/layout.h"

#include <climits>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

TEST(MainWindowLayout, PanelsOfTheDefaultWindow) {
    const MainWindowLayout l = computeMainWindowLayout(1280, 800, 1920, 1080);
    EXPECT_EQ(l.materialPanel, (LayoutRect{0, 35, 210, 365}));
    EXPECT_EQ(l.nodePanel, (LayoutRect{0, 400, 210, 366}));
    EXPECT_EQ(l.infoBar, (LayoutRect{210, 35, 816, 32}));
    EXPECT_EQ(l.parameterPanel, (LayoutRect{1028, 35, 252, 730}));
    EXPECT_EQ(l.statusStrip, (LayoutRect{0, 765, 1280, 35}));
}

TEST(MainWindowLayout, WideWindowGivesTheViewTheFullHeightCentred) {
    // Free area 2094 x 896: 896 * 1920 / 1080 = 1592 wide, (2094 - 1592) / 2 = 251 each side.
    EXPECT_EQ(computeMainWindowLayout(2560, 1000, 1920, 1080).view, (LayoutRect{461, 67, 1592, 896}));
    // A square project in the default window: 696 x 696 in the free 814 x 696.
    EXPECT_EQ(computeMainWindowLayout(1280, 800, 128, 128).view, (LayoutRect{269, 67, 696, 696}));
}

TEST(MainWindowLayout, NarrowWindowGivesTheViewTheFullWidthAndLessHeight) {
    // Free area 814 x 696: 696 * 1920 / 1080 = 1237 is too wide, so 814 x 814 * 1080 / 1920.
    EXPECT_EQ(computeMainWindowLayout(1280, 800, 1920, 1080).view, (LayoutRect{210, 67, 814, 457}));
    // A tall project fills the height even in a narrow window.
    EXPECT_EQ(computeMainWindowLayout(1280, 800, 100, 400).view, (LayoutRect{530, 67, 174, 696}));
}

TEST(MainWindowLayout, DegenerateSizesStayPositive) {
    const MainWindowLayout tiny = computeMainWindowLayout(100, 50, 1920, 1080);
    EXPECT_EQ(tiny.infoBar.w, 0);
    EXPECT_EQ(tiny.materialPanel.h, 0);
    EXPECT_EQ(tiny.nodePanel.h, 0);
    EXPECT_EQ(tiny.parameterPanel.h, 0);
    EXPECT_EQ(tiny.view, (LayoutRect{210, 67, 1, 1}));

    // A project size of 0 counts as 1: no division by zero.
    EXPECT_EQ(computeMainWindowLayout(1280, 800, 0, 0).view, (LayoutRect{269, 67, 696, 696}));
    EXPECT_EQ(computeMainWindowLayout(1280, 800, -5, 128).view, (LayoutRect{614, 67, 5, 696}));
    // Extreme projects neither overflow nor collapse below one pixel.
    EXPECT_EQ(computeMainWindowLayout(1280, 800, INT_MAX, 1).view, (LayoutRect{210, 67, 814, 1}));
    EXPECT_EQ(computeMainWindowLayout(1280, 800, 1, INT_MAX).view, (LayoutRect{616, 67, 1, 696}));
}

} // namespace
} // namespace vintrel
