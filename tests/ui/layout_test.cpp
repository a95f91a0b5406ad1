#include "ui/shell/commands.h"
#include "ui/shell/layout.h"
#include "ui/shell/window_placement.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

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

// Below 800 pixels of height the parameter area scrolls: its column is 266 wide and the view's
// area narrower by the scrollbar.
TEST(MainWindowLayout, ShortWindowWidensTheParameterColumnForItsScrollbar) {
    EXPECT_FALSE(parameterScrollbarShown(800));
    EXPECT_TRUE(parameterScrollbarShown(799));
    const MainWindowLayout l = computeMainWindowLayout(1200, 720, 128, 128);
    EXPECT_EQ(l.parameterPanel, (LayoutRect{934, 35, 266, 650}));
    EXPECT_EQ(l.infoBar, (LayoutRect{210, 35, 722, 32}));
    // Free area 720 x 616 for a square project: 616 x 616, centred.
    EXPECT_EQ(l.view, (LayoutRect{262, 67, 616, 616}));
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

// The picture buttons: 48 pixels each, 24 between the groups, their artwork cells counted
// without the gaps.
TEST(PictureButtonRow, ButtonsAndGapsInTheirOrder) {
    using enum CommandId;
    const std::vector<std::pair<CommandId, int>> expected{
        {New, 0},
        {Open, 48},
        {Save, 96},
        {Export, 168},
        {Undo, 240},
        {Redo, 288},
        {Remake, 360},
        {ProjectSettings, 432},
        {CameraSettings, 480},
        {BackgroundColor, 528},
        {MaskSettings, 576},
        {HistoryList, 648},
        {ViewList, 696},
        {Help, 768},
    };
    const auto row = pictureButtonRow();
    ASSERT_EQ(row.size(), expected.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].command, expected[i].first) << i;
        EXPECT_EQ(row[i].x, expected[i].second) << i;
        EXPECT_EQ(row[i].position, static_cast<int>(i));
    }
}

TEST(CommandTable, OnlyTheMarkedKeysAreBound) {
    EXPECT_STREQ(findCommand(CommandId::SaveAs)->accelerator, "Ctrl+A");
    EXPECT_EQ(findCommand(CommandId::MaskSettings)->accelerator, nullptr);
    EXPECT_EQ(findCommand(CommandId::Exit)->accelerator, nullptr);
    std::set<std::string> keys;
    for (const CommandSpec& command : commandTable()) {
        if (command.accelerator != nullptr) {
            EXPECT_TRUE(keys.insert(command.accelerator).second) << command.accelerator << " bound twice";
        }
    }
    // The menus' keys, F, which frames the effect, and the node clipboard's three.
    EXPECT_EQ(keys.size(), 22u);
    EXPECT_STREQ(findCommand(CommandId::FrameEffect)->accelerator, "F");
}

TEST(WindowPlacement, KeptOnAScreenAndMovedToTheOriginOffAllScreens) {
    const std::vector<LayoutRect> screens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const WindowPlacement onSecond{2000, 100, 1200, 720, false};
    EXPECT_EQ(placeOnScreens(onSecond, screens).x, 2000);
    // The right-hand monitor is gone: its centre (2600, 460) is on no screen.
    const WindowPlacement moved = placeOnScreens(onSecond, std::vector<LayoutRect>{screens[0]});
    EXPECT_EQ(moved.x, 0);
    EXPECT_EQ(moved.y, 0);
    EXPECT_EQ(moved.width, 1200);
    EXPECT_EQ(moved.height, 720);
    // Partly off-screen is fine while the centre is on one; values from a damaged file do not
    // overflow.
    EXPECT_EQ(placeOnScreens({-500, -300, 1200, 720, true}, screens).x, -500);
    EXPECT_EQ(placeOnScreens({INT_MAX, INT_MAX, INT_MAX, INT_MAX, false}, screens).x, 0);
}

} // namespace
} // namespace vintrel
