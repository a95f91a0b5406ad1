// The rules of the move direction's dials: the angle under the cursor, Shift snapping, the side
// view's range, where the dial face sits and the degrees written under each dial.
#include "ui/panels/direction_geometry.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace vintrel {
namespace {

struct CursorCase {
    const char* name;
    double dx;
    double dy;
    double top;
    double side;
};

// dx to the right, dy downwards from the dial's centre.
const CursorCase kCursorCases[] = {
    {"up", 0, -40, 0, 0},
    {"right", 40, 0, 90, 90},
    {"down", 0, 40, 180, 180},
    {"left", -40, 0, 270, 180},
    {"up-right", 30, -30, 45, 45},
    {"down-right", 30, 30, 135, 135},
    {"down-left", -30, 30, 225, 180},
    {"up-left", -30, -30, 315, 0},
    {"left, a pixel above the centre line", -40, -1, 270 + std::atan(1.0 / 40) * 180 / std::numbers::pi, 0},
    {"the centre itself", 0, 0, 90, 90},
};

TEST(DirectionDialRule, EachCursorDirectionGivesItsAngleOnBothDials) {
    for (const CursorCase& c : kCursorCases) {
        EXPECT_NEAR(dialValue(DialView::Top, c.dx, c.dy, AngleSnap::Free), c.top, 1e-9) << c.name;
        EXPECT_NEAR(dialValue(DialView::Side, c.dx, c.dy, AngleSnap::Free), c.side, 1e-9) << c.name;
    }
}

// The four axis directions come out exact, so a drag straight up stores 0 and not 359.99...
TEST(DirectionDialRule, AxisDirectionsAreExact) {
    EXPECT_EQ(dialValue(DialView::Top, 0, -17, AngleSnap::Free), 0.0);
    EXPECT_EQ(dialValue(DialView::Top, 23, 0, AngleSnap::Free), 90.0);
    EXPECT_EQ(dialValue(DialView::Top, 0, 5, AngleSnap::Free), 180.0);
    EXPECT_EQ(dialValue(DialView::Top, -9, 0, AngleSnap::Free), 270.0);
}

// atan2 gives a hair below -90° here; adding the full turn would round to 360.
TEST(DirectionDialRule, AHairLeftOfStraightUpGivesZeroNotAFullTurn) {
    EXPECT_EQ(dialValue(DialView::Top, -1e-16, -1, AngleSnap::Free), 0.0);
    EXPECT_EQ(dialValue(DialView::Top, -1e-16, -1, AngleSnap::EighthTurns), 0.0);
}

TEST(DirectionDialRule, ShiftSnapsToTheNearestEighthTurnWithHalvesRoundingUp) {
    struct Snap {
        double value;
        double snapped;
    };
    for (const Snap s : {Snap{50, 45}, Snap{22, 0}, Snap{22.5, 45}, Snap{23, 45}, Snap{0, 0}, Snap{180, 180},
                         Snap{337.4, 315}, Snap{337.5, 360}, Snap{359, 360}}) {
        EXPECT_EQ(snapToEighthTurn(s.value), s.snapped) << s.value;
    }
}

// 359° on the top dial snaps to 360, not 0: the formula is kept, and 360 points the same way.
TEST(DirectionDialRule, ShiftDragsSnapOnBothDials) {
    const double fifty = 50 * std::numbers::pi / 180;
    const double oneDegreeLeftOfUp = -std::numbers::pi / 180;
    EXPECT_EQ(dialValue(DialView::Top, std::sin(fifty), -std::cos(fifty), AngleSnap::EighthTurns), 45.0);
    EXPECT_EQ(dialValue(DialView::Top, std::sin(oneDegreeLeftOfUp), -std::cos(oneDegreeLeftOfUp),
                        AngleSnap::EighthTurns),
              360.0);
    EXPECT_EQ(dialValue(DialView::Side, std::sin(fifty), -std::cos(fifty), AngleSnap::EighthTurns), 45.0);
    EXPECT_EQ(dialValue(DialView::Side, -1, 1, AngleSnap::EighthTurns), 180.0);
}

TEST(DirectionDialRule, TheSideDialNeverLeavesZeroTo180) {
    constexpr int kSteps = 720;
    for (int step = 0; step < kSteps; ++step) {
        const double turn = 2 * std::numbers::pi * step / kSteps;
        for (const AngleSnap snap : {AngleSnap::Free, AngleSnap::EighthTurns}) {
            const double value = dialValue(DialView::Side, std::cos(turn), std::sin(turn), snap);
            EXPECT_GE(value, 0.0) << step;
            EXPECT_LE(value, 180.0) << step;
        }
    }
}

TEST(DirectionDialRule, TheTopDialStaysWithinOneTurnUnlessSnappedUpTo360) {
    constexpr int kSteps = 720;
    for (int step = 0; step < kSteps; ++step) {
        const double turn = 2 * std::numbers::pi * step / kSteps;
        const double free = dialValue(DialView::Top, std::cos(turn), std::sin(turn), AngleSnap::Free);
        EXPECT_GE(free, 0.0) << step;
        EXPECT_LT(free, 360.0) << step;
        const double snapped =
            dialValue(DialView::Top, std::cos(turn), std::sin(turn), AngleSnap::EighthTurns);
        EXPECT_EQ(std::fmod(snapped, 45.0), 0.0) << step;
        EXPECT_LE(snapped, 360.0) << step;
    }
}

// The centre is (w / 2, w / 2) in whole pixels, also for an odd width and a control that is not
// square.
TEST(DirectionDialRule, ControlPositionsAreTakenFromTheCentreAtHalfTheWidth) {
    EXPECT_EQ(dialValueAt(DialView::Top, 58, 20, 117, AngleSnap::Free), 0.0);
    EXPECT_EQ(dialValueAt(DialView::Top, 100, 58, 117, AngleSnap::Free), 90.0);
    EXPECT_EQ(dialValueAt(DialView::Side, 10, 58, 117, AngleSnap::Free), 180.0);
    EXPECT_EQ(dialValueAt(DialView::Side, 10, 57, 117, AngleSnap::Free), 0.0);
}

TEST(DirectionDialSquare, IsCentredOnTheDragCentreAndFitsTheControl) {
    struct Case {
        int width;
        int height;
        int left;
        int top;
        int side;
    };
    for (const Case c : {Case{100, 100, 0, 0, 100}, Case{100, 130, 0, 0, 100}, Case{100, 80, 20, 20, 60},
                         Case{117, 100, 16, 16, 84}, Case{100, 40, 50, 50, 0}, Case{0, 0, 0, 0, 0}}) {
        const DialSquare square = dialSquare(c.width, c.height);
        EXPECT_EQ(square.left, c.left) << c.width << "x" << c.height;
        EXPECT_EQ(square.top, c.top) << c.width << "x" << c.height;
        EXPECT_EQ(square.side, c.side) << c.width << "x" << c.height;
    }
}

TEST(DirectionShownAngles, TruncateTowardsZeroAndShowTheSideViewFromTheHorizon) {
    EXPECT_EQ(shownTopAngle(45.7f), 45);
    EXPECT_EQ(shownTopAngle(359.9f), 359);
    EXPECT_EQ(shownSideAngle(90.0f), 0);
    EXPECT_EQ(shownSideAngle(0.0f), -90);
    EXPECT_EQ(shownSideAngle(180.0f), 90);
    EXPECT_EQ(shownSideAngle(135.5f), 45);
    EXPECT_EQ(shownSideAngle(45.5f), -44);
}

// Loaded files may hold anything; the text never comes from undefined conversions.
TEST(DirectionShownAngles, NotANumberShowsZeroAndHugeValuesSaturate) {
    EXPECT_EQ(shownTopAngle(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(shownTopAngle(1e30f), INT_MAX);
    EXPECT_EQ(shownTopAngle(-std::numeric_limits<float>::infinity()), INT_MIN);
    EXPECT_EQ(shownSideAngle(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(shownSideAngle(-1e30f), INT_MIN);
}

} // namespace
} // namespace vintrel
