// The scrollbar's arithmetic: thumb size and place, paging, dragging, hiding and hover.

#include "ui/controls/scrollbar_model.h"

#include <climits>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kAcross = 7; // the middle of the 14-pixel bar

ScrollbarModel barAt(int content, int view, int position) {
    ScrollbarModel bar;
    bar.setRange(content, view);
    bar.wheelScroll(position);
    return bar;
}

TEST(ScrollbarModelTest, ThumbLengthAndPlaceFollowTheRange) {
    struct Case {
        int content, view, position, thumbLength, thumbPosition;
    };
    // clang-format off
    const Case cases[] = {
        {1000, 250, 750, 62, 188}, // T = 250*250/1000 = 62.5 truncated; t = 188/750*750
        {1000, 250, 0, 62, 0}, {1000, 250, 375, 62, 94}, {1000, 250, 100, 62, 25}, // 25.07
        {1001, 1000, 1, 999, 1}, {400, 1, 399, 0, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.content << "/" << c.view << " at " << c.position);
        const ScrollbarModel bar = barAt(c.content, c.view, c.position);
        EXPECT_EQ(bar.position(), c.position);
        EXPECT_EQ(bar.thumbLength(), c.thumbLength);
        EXPECT_EQ(bar.thumbPosition(), c.thumbPosition);
    }
}

TEST(ScrollbarModelTest, PressingTheTrackPagesByOneViewWithinTheRange) {
    struct Case {
        int position, along, expected;
    };
    const Case cases[] = {
        {0, 240, 250},   // below the thumb (0..62): one view on
        {250, 240, 500}, // thumb 62..124
        {500, 240, 750}, // thumb 125..187
        {600, 240, 750}, // 850 would pass the end: held at C - V
        {750, 100, 500}, // above the thumb (188..250): one view back
        {100, 10, 0},    // -150 is held at 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.position << ", pressed at " << c.along);
        ScrollbarModel bar = barAt(1000, 250, c.position);
        bar.press(c.along, kAcross);
        EXPECT_FALSE(bar.isDragging());
        EXPECT_EQ(bar.position(), c.expected);
    }
}

TEST(ScrollbarModelTest, DraggingTheThumbMovesThePositionAndClampsBeyondTheEnds) {
    ScrollbarModel bar = barAt(1000, 250, 0);
    bar.press(31, kAcross);
    ASSERT_TRUE(bar.isDragging());
    EXPECT_EQ(bar.dragOffset(), 31);
    EXPECT_TRUE(bar.isHot());

    bar.move(31 + 94, kAcross, LeftButton::Held);
    EXPECT_EQ(bar.position(), 375); // 94 * 750 / 188
    EXPECT_EQ(bar.thumbPosition(), 94);

    bar.move(5000, 60, LeftButton::Held); // far below and beside the bar: the drag goes on
    EXPECT_EQ(bar.position(), 750);
    EXPECT_EQ(bar.thumbPosition(), 188);

    bar.move(-5000, kAcross, LeftButton::Held);
    EXPECT_EQ(bar.position(), 0);
    bar.move(INT_MAX, INT_MIN, LeftButton::Held);
    EXPECT_EQ(bar.position(), 750);
    bar.release(300, 60);
    EXPECT_FALSE(bar.isDragging());
    EXPECT_FALSE(bar.isHot());

    bar.press(200, kAcross); // on the thumb at 188..250
    ASSERT_TRUE(bar.isDragging());
    bar.move(100, kAcross, LeftButton::Up); // the release happened where the bar did not see it
    EXPECT_FALSE(bar.isDragging());
    EXPECT_EQ(bar.position(), 750);
}

TEST(ScrollbarModelTest, AViewAsLargeAsTheContentHidesTheBarAndResetsThePosition) {
    ScrollbarModel bar = barAt(1000, 250, 500);
    bar.press(31, kAcross); // a drag in progress is dropped with the bar

    ScrollbarModel::RangeChange change = bar.setRange(250, 250);
    EXPECT_FALSE(change.shown);
    EXPECT_TRUE(change.hiddenNow);
    EXPECT_EQ(bar.position(), 0);
    EXPECT_FALSE(bar.isDragging());

    change = bar.setRange(100, 250); // already hidden: nothing more to report
    EXPECT_FALSE(change.shown);
    EXPECT_FALSE(change.hiddenNow);

    change = bar.setRange(1000, 250);
    EXPECT_TRUE(change.shown);
    EXPECT_FALSE(change.hiddenNow);
    EXPECT_EQ(bar.position(), 0);

    bar.wheelScroll(750);
    EXPECT_TRUE(bar.setRange(500, 250).shown); // a shorter content clamps the position
    EXPECT_EQ(bar.position(), 250);
    EXPECT_EQ(bar.thumbPosition(), 125);
}

TEST(ScrollbarModelTest, TheThumbIsHotOnlyStrictlyInsideItAndAcrossPixelsOneToThirteen) {
    struct Case {
        int along, across;
        bool hot;
    };
    // At P = 375 the thumb spans t = 94 .. t + T = 156.
    // clang-format off
    const Case cases[] = {
        {120, 0, false}, {120, 1, true}, {120, 13, true}, {120, 14, false},
        {94, 7, false},  {95, 7, true},  {155, 7, true},  {156, 7, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "along " << c.along << ", across " << c.across);
        ScrollbarModel bar = barAt(1000, 250, 375);
        bar.move(c.along, c.across, LeftButton::Up);
        EXPECT_EQ(bar.isHot(), c.hot);
        bar.leave();
        EXPECT_FALSE(bar.isHot());
    }
}

TEST(ScrollbarModelTest, APressJudgesTheThumbWhereItIsNow) {
    ScrollbarModel bar = barAt(1000, 250, 0);
    bar.move(31, kAcross, LeftButton::Up);
    ASSERT_TRUE(bar.isHot());
    bar.wheelScroll(750); // the thumb moves away under the still cursor
    bar.press(31, kAcross);
    EXPECT_FALSE(bar.isDragging());
    EXPECT_EQ(bar.position(), 500);
}

TEST(ScrollbarModelTest, TheWheelScrollsWithinTheRange) {
    ScrollbarModel bar = barAt(1000, 250, 0);
    EXPECT_TRUE(bar.wheelScroll(48));
    EXPECT_EQ(bar.position(), 48);
    EXPECT_TRUE(bar.wheelScroll(INT_MAX));
    EXPECT_EQ(bar.position(), 750);
    EXPECT_FALSE(bar.wheelScroll(1));
    EXPECT_TRUE(bar.wheelScroll(INT_MIN));
    EXPECT_EQ(bar.position(), 0);
}

TEST(ScrollbarModelTest, DegenerateRangesNeverBreakTheArithmetic) {
    struct Case {
        int content, view;
        bool shown;
    };
    // clang-format off
    const Case cases[] = {
        {0, 0, false}, {-5, -10, false}, {-10, 5, false}, {10, 0, true}, {10, -3, true},
        {INT_MAX, INT_MAX - 1, true}, {INT_MAX, 1, true}, {1, INT_MAX, false}, {INT_MIN, INT_MIN, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.content << "/" << c.view);
        ScrollbarModel bar;
        EXPECT_EQ(bar.setRange(c.content, c.view).shown, c.shown);
        const int points[] = {INT_MIN, -1, 0, 7, INT_MAX};
        for (int along : points) {
            bar.press(along, kAcross);
            bar.move(along, kAcross, LeftButton::Held);
            bar.release(along, kAcross);
            bar.wheelScroll(along);
            EXPECT_GE(bar.position(), 0);
            EXPECT_LE(bar.position(), bar.isShown() ? bar.contentSize() - bar.viewSize() : 0);
            EXPECT_GE(bar.thumbPosition(), 0);
            EXPECT_LE(bar.thumbPosition() + bar.thumbLength(), bar.viewSize());
        }
    }
}

} // namespace
} // namespace vintrel
