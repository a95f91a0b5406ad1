// The curve editor's rules without a screen: the pixel mapping, which point the mouse is over,
// what a press, a drag and a right press do to the points, and the hovered point's labels.
#include "ui/panels/colour_gradient.h"
#include "ui/panels/curve_geometry.h"
#include "ui/panels/curve_shapes.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

using Points = std::vector<CurvePoint>;

// A drawing area of 108 × 108 pixels makes one percent one pixel: the mouse at (15 + x, 15 + y)
// is the point (x, y), drawn at (4 + x, 4 + y).
constexpr int kUnitArea = 108;
constexpr int kOrigin = CurveEditState::kMouseOrigin;

int mouseAt(int percent) {
    return kOrigin + percent;
}

CurveEditState unitState(CurveKind kind = CurveKind::Value) {
    CurveEditState state(kind);
    state.setArea(kUnitArea, kUnitArea);
    return state;
}

// Hovers the point at (x, y) percent, as a mouse move onto it does.
CurveEditState hovering(const Points& points, int x, int y, CurveKind kind = CurveKind::Value) {
    CurveEditState state = unitState(kind);
    EXPECT_TRUE(state.hitTest(points, mouseAt(x), mouseAt(y))) << x << "," << y;
    return state;
}

// ---- mapping -------------------------------------------------------------------------------

TEST(CurveMapping, PointsAndTableEntriesBecomePixels) {
    CurveEditState state;
    state.setArea(208, 58); // 2 pixels per percent across, 0.5 down
    EXPECT_FLOAT_EQ(state.toPixel({25, 40}).x, 54);
    EXPECT_FLOAT_EQ(state.toPixel({25, 40}).y, 24);
    EXPECT_FLOAT_EQ(state.handleTopLeft({25, 41}).x, 50);
    EXPECT_FLOAT_EQ(state.handleTopLeft({25, 41}).y, 20); // 20.5 truncated
    EXPECT_FLOAT_EQ(state.tablePixel(33, 50).x, 70);      // 200 × 33 ÷ 100 = 66, + 4
    EXPECT_FLOAT_EQ(state.tablePixel(33, 50).y, 29);
    EXPECT_FLOAT_EQ(state.tablePixel(100, 100).x, 204);
}

TEST(CurveMapping, MousePositionsTruncateTowardsZero) {
    CurveEditState state;
    state.setArea(208, 58);
    struct Case {
        int mouseX, mouseY, percentX, percentY;
    };
    const Case cases[] = {
        {15, 15, 0, 0},  {18, 16, 1, 2},      {16, 15, 0, 0}, // 0.5 % truncates to 0
        {14, 14, 0, -2}, {215, 65, 100, 100}, {5, 5, -5, -20},
    };
    for (const Case& c : cases) {
        const PercentPoint at = state.toPercent(c.mouseX, c.mouseY);
        EXPECT_EQ(at.x, c.percentX) << c.mouseX;
        EXPECT_EQ(at.y, c.percentY) << c.mouseY;
    }
}

TEST(CurveMapping, AreasWithoutRoomNeitherDivideByZeroNorEdit) {
    const std::pair<int, int> sizes[] = {{8, 100}, {100, 8}, {0, 0}, {-20, 50}, {3, 3}};
    for (const auto& [width, height] : sizes) {
        CurveEditState state;
        state.setArea(width, height);
        Points points{{0, 0}, {100, 0}};
        EXPECT_FALSE(state.hasRoom());
        EXPECT_EQ(state.toPercent(500, 500).x, 0);
        EXPECT_FALSE(state.hitTest(points, 15, 15));
        state.leftDown(points, 15, 15);
        EXPECT_FALSE(state.drag(points, 40, 40, LeftButton::Held, GroupDrag::Off));
        EXPECT_EQ(points, (Points{{0, 0}, {100, 0}})) << width << "x" << height;
    }
}

// ---- hover ---------------------------------------------------------------------------------

TEST(CurveHitTest, FindsTheNearestPointWithinAHandle) {
    const Points points{{0, 0}, {46, 50}, {54, 50}, {100, 0}};
    struct Case {
        const char* what;
        int x, y; // mouse in percent
        int expected;
    };
    const Case cases[] = {
        {"on a point", 46, 50, 1},
        {"equally near two points: the earlier", 50, 50, 1},
        {"nearer the later point", 51, 50, 2},
        {"a handle's size away", 62, 50, 2},
        {"beyond a handle", 63, 50, -1},
        {"below, beyond a handle", 54, 59, -1},
        {"the last whole percent reaches the end", 99, 0, 3},
        {"100 % lies outside the hover range", 100, 0, -1},
        {"left of the area", -3, 0, -1},
    };
    for (const Case& c : cases) {
        CurveEditState state = unitState();
        EXPECT_EQ(state.hitTest(points, mouseAt(c.x), mouseAt(c.y)), c.expected >= 0) << c.what;
        EXPECT_EQ(state.hoverIndex(), c.expected) << c.what;
    }
}

TEST(CurveHitTest, AMissClearsTheHoverAndAnEmptyCurveHasNone) {
    CurveEditState state = hovering({{0, 0}, {100, 0}}, 0, 0);
    EXPECT_FALSE(state.hitTest({{0, 0}, {100, 0}}, mouseAt(50), mouseAt(50)));
    EXPECT_EQ(state.hoverIndex(), -1);
    EXPECT_FALSE(state.hitTest({}, mouseAt(0), mouseAt(0)));
}

// ---- left press and drag -------------------------------------------------------------------

// A mouse position in percent of the unit area.
struct Mouse {
    int x, y;
};

const Points kTwoPoints{{0, 0}, {100, 0}};
const Points kFourPoints{{0, 0}, {30, 50}, {60, 50}, {100, 0}};
const Points kSlope{{0, 90}, {50, 50}, {100, 10}};

TEST(CurveLeftPress, SelectsInsertsOrReplaces) {
    struct Case {
        const char* what;
        Points before;
        Mouse at;
        Points after;
        int dragged;
    };
    // clang-format off
    const Case cases[] = {
        {"empty space near the left edge moves the first point", kTwoPoints, {0, 40}, {{0, 40}, {100, 0}}, 0},
        {"left of the area also means the first point", kTwoPoints, {-10, 60}, {{0, 60}, {100, 0}}, 0},
        {"empty space near the right edge moves the last point", kTwoPoints, {100, 30},
         {{0, 0}, {100, 30}}, 1},
        {"at 99 % a point is added", kTwoPoints, {99, 30}, {{0, 0}, {99, 30}, {100, 0}}, 1},
        {"empty space in between adds a point", kTwoPoints, {30, 60}, {{0, 0}, {30, 60}, {100, 0}}, 1},
        {"the x of an existing point replaces it", {{0, 0}, {50.6f, 20}, {100, 0}}, {50, 70},
         {{0, 0}, {50, 70}, {100, 0}}, 1},
        {"below the area clamps the height", kTwoPoints, {40, 185}, {{0, 0}, {40, 100}, {100, 0}}, 1},
        {"on a point selects it and changes nothing", kFourPoints, {33, 52}, kFourPoints, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        CurveEditState state = unitState();
        Points points = c.before;
        state.hitTest(points, mouseAt(c.at.x), mouseAt(c.at.y));
        state.leftDown(points, mouseAt(c.at.x), mouseAt(c.at.y));
        EXPECT_EQ(points, c.after) << c.what;
        EXPECT_EQ(state.dragIndex(), c.dragged) << c.what;
        EXPECT_EQ(state.hoverIndex(), c.dragged) << c.what;
    }
}

TEST(CurveDragging, MovesThePointWithinItsLimits) {
    struct Case {
        const char* what;
        Points before;
        Mouse press, to;
        GroupDrag group;
        Points after;
    };
    constexpr GroupDrag kOff = GroupDrag::Off;
    // clang-format off
    const Case cases[] = {
        {"stops 1 % short of the next point", kFourPoints, {30, 50}, {80, 40}, kOff,
         {{0, 0}, {59, 40}, {60, 50}, {100, 0}}},
        {"onto the next point's x", kFourPoints, {30, 50}, {60, 40}, kOff,
         {{0, 0}, {59, 40}, {60, 50}, {100, 0}}},
        {"stops 1 % short of the previous point", kFourPoints, {60, 50}, {10, 50}, kOff,
         {{0, 0}, {30, 50}, {31, 50}, {100, 0}}},
        {"the first point keeps x = 0", kFourPoints, {0, 0}, {40, 20}, kOff,
         {{0, 20}, {30, 50}, {60, 50}, {100, 0}}},
        {"the last point keeps x = 100", kFourPoints, {100, 0}, {10, 70}, kOff,
         {{0, 0}, {30, 50}, {60, 50}, {100, 70}}},
        {"heights stay in 0..100", kFourPoints, {30, 50}, {40, -65}, kOff,
         {{0, 0}, {40, 0}, {60, 50}, {100, 0}}},
        {"Shift moves the whole curve 20 % down, each stopping at 100", kSlope, {50, 50}, {50, 70},
         GroupDrag::On, {{0, 100}, {50, 70}, {100, 30}}},
        {"Shift moves the whole curve up, each stopping at 0", kSlope, {50, 50}, {50, 25}, GroupDrag::On,
         {{0, 65}, {50, 25}, {100, 0}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        CurveEditState state = unitState();
        Points points = c.before;
        state.hitTest(points, mouseAt(c.press.x), mouseAt(c.press.y));
        state.leftDown(points, mouseAt(c.press.x), mouseAt(c.press.y));
        EXPECT_TRUE(state.drag(points, mouseAt(c.to.x), mouseAt(c.to.y), LeftButton::Held, c.group))
            << c.what;
        EXPECT_EQ(points, c.after) << c.what;
    }
}

TEST(CurveDragging, ReleasingShiftGivesTheOtherPointsTheirHeightsBack) {
    Points points = kSlope;
    CurveEditState state = hovering(points, 50, 50);
    state.leftDown(points, mouseAt(50), mouseAt(50));
    ASSERT_TRUE(state.drag(points, mouseAt(50), mouseAt(70), LeftButton::Held, GroupDrag::On));
    ASSERT_EQ(points, (Points{{0, 100}, {50, 70}, {100, 30}}));
    ASSERT_TRUE(state.drag(points, mouseAt(50), mouseAt(70), LeftButton::Held, GroupDrag::Off));
    EXPECT_EQ(points, (Points{{0, 90}, {50, 70}, {100, 10}}));
}

// A Shift press away from every point grabs the whole curve: nothing is inserted, every point
// moves by the mouse's height, each stopping at 0 or 100, and without Shift all are back.
TEST(CurveDragging, AShiftPressAwayFromThePointsMovesTheWholeCurveAndInsertsNothing) {
    Points points = kSlope;
    CurveEditState state = unitState();
    EXPECT_FALSE(state.hitTest(points, mouseAt(30), mouseAt(20)));
    state.leftDown(points, mouseAt(30), mouseAt(20), GroupDrag::On);
    EXPECT_EQ(points, kSlope);
    EXPECT_TRUE(state.wholeCurveGrabbed());
    ASSERT_TRUE(state.drag(points, mouseAt(70), mouseAt(35), LeftButton::Held, GroupDrag::On));
    EXPECT_EQ(points, (Points{{0, 100}, {50, 65}, {100, 25}}));
    ASSERT_TRUE(state.drag(points, mouseAt(70), mouseAt(35), LeftButton::Held, GroupDrag::Off));
    EXPECT_EQ(points, kSlope);
    EXPECT_FALSE(state.drag(points, mouseAt(70), mouseAt(35), LeftButton::Released, GroupDrag::On));
    EXPECT_FALSE(state.wholeCurveGrabbed());
}

TEST(CurveDragging, EndsWithTheButtonOrEndDrag) {
    Points points = kFourPoints;
    CurveEditState state = hovering(points, 30, 50);
    EXPECT_FALSE(state.drag(points, mouseAt(40), mouseAt(40), LeftButton::Held, GroupDrag::Off))
        << "no press, no drag";

    state.leftDown(points, mouseAt(30), mouseAt(50));
    EXPECT_FALSE(state.drag(points, mouseAt(40), mouseAt(40), LeftButton::Released, GroupDrag::Off));
    EXPECT_EQ(state.dragIndex(), -1);
    EXPECT_FALSE(state.drag(points, mouseAt(40), mouseAt(40), LeftButton::Held, GroupDrag::Off));
    EXPECT_EQ(points, kFourPoints);

    state.hitTest(points, mouseAt(30), mouseAt(50));
    state.leftDown(points, mouseAt(30), mouseAt(50));
    state.endDrag();
    EXPECT_FALSE(state.drag(points, mouseAt(40), mouseAt(40), LeftButton::Held, GroupDrag::Off));
    EXPECT_EQ(points, kFourPoints);
}

TEST(CurveDragging, ACurveReplacedDuringTheDragIsNotIndexedPastItsEnd) {
    Points points = kFourPoints;
    CurveEditState state = hovering(points, 99, 0);
    state.leftDown(points, mouseAt(99), mouseAt(0));
    Points shorter{{0, 0}, {100, 0}};
    EXPECT_FALSE(state.drag(shorter, mouseAt(90), mouseAt(20), LeftButton::Held, GroupDrag::On));
    EXPECT_EQ(shorter, (Points{{0, 0}, {100, 0}}));
}

// ---- right press ---------------------------------------------------------------------------

TEST(CurveRightPress, DeletesOnlyInnerPointsAndOtherwiseAsksForTheMenu) {
    struct Case {
        const char* what;
        int x, y; // the mouse over a point, or over none when x < 0
        RightPressResult result;
        Points after;
    };
    const Case cases[] = {
        {"the first point stays", 0, 0, RightPressResult::Kept, kFourPoints},
        {"the last point stays", 99, 0, RightPressResult::Kept, kFourPoints},
        {"an inner point goes", 60, 50, RightPressResult::Deleted, {{0, 0}, {30, 50}, {100, 0}}},
        {"empty space opens the menu", -1, 0, RightPressResult::ShowMenu, kFourPoints},
    };
    for (const Case& c : cases) {
        Points points = kFourPoints;
        CurveEditState state = c.x >= 0 ? hovering(points, c.x, c.y) : unitState();
        EXPECT_EQ(state.rightDown(points), c.result) << c.what;
        EXPECT_EQ(points, c.after) << c.what;
    }
}

TEST(CurveRightPress, ForgetsTheDeletedPointsHover) {
    Points points = kFourPoints;
    CurveEditState state = hovering(points, 60, 50);
    ASSERT_EQ(state.rightDown(points), RightPressResult::Deleted);
    EXPECT_EQ(state.hoverIndex(), -1);
    EXPECT_FALSE(state.hoverLabels(points).has_value());
}

// ---- the keyboard --------------------------------------------------------------------------

TEST(CurveKeyboard, StepsThroughThePointsAndStopsAtTheEnds) {
    const Points points = kFourPoints;
    CurveEditState state = unitState();
    state.hoverNeighbour(points, -1); // nothing hovered: Left starts at the last point
    EXPECT_EQ(state.hoverIndex(), 3);
    state.hoverNeighbour(points, 1);
    EXPECT_EQ(state.hoverIndex(), 3);
    state = unitState();
    state.hoverNeighbour(points, 1);
    EXPECT_EQ(state.hoverIndex(), 0);
    state.hoverNeighbour(points, -1);
    EXPECT_EQ(state.hoverIndex(), 0);
    state.hoverNeighbour(points, 1);
    state.hoverNeighbour(points, 1);
    EXPECT_EQ(state.hoverIndex(), 2);
    ASSERT_TRUE(state.hoverLabels(points).has_value());
    state.hoverNeighbour({}, 1); // an empty curve leaves the hover alone
    EXPECT_EQ(state.hoverIndex(), 2);
}

TEST(CurveKeyboard, InsertGoesHalfWayOnTheLineToTheNextPoint) {
    struct Case {
        const char* what;
        Points before;
        int hovered; // by the keyboard, counted from the first point; -1: none
        bool inserted;
        Points after;
        int hoveredAfter;
    };
    const Case cases[] = {
        {"after the first", {{0, 0}, {30, 50}, {100, 0}}, 0, true, {{0, 0}, {15, 25}, {30, 50}, {100, 0}}, 1},
        {"the last goes back", {{0, 100}, {100, 0}}, 1, true, {{0, 100}, {50, 50}, {100, 0}}, 1},
        {"odd gaps round down", {{0, 0}, {5, 10}, {100, 0}}, 0, true, {{0, 0}, {2, 4}, {5, 10}, {100, 0}}, 1},
        {"1 % apart: no room", {{0, 0}, {1, 10}, {100, 0}}, 0, false, {{0, 0}, {1, 10}, {100, 0}}, 0},
        {"nothing hovered", {{0, 0}, {100, 0}}, -1, false, {{0, 0}, {100, 0}}, -1},
    };
    for (const Case& c : cases) {
        Points points = c.before;
        CurveEditState state = unitState();
        for (int i = 0; i <= c.hovered; ++i) {
            state.hoverNeighbour(points, 1);
        }
        EXPECT_EQ(state.insertAfterHovered(points), c.inserted) << c.what;
        EXPECT_EQ(points, c.after) << c.what;
        EXPECT_EQ(state.hoverIndex(), c.hoveredAfter) << c.what;
    }
}

// ---- labels --------------------------------------------------------------------------------

TEST(CurveLabels, ReadTheHoveredPointsValueAndPosition) {
    struct Case {
        const char* what;
        CurveKind kind;
        CurvePoint point;
        std::string value, position;
        PixelPoint valueAt, positionAt;
    };
    // In the unit area the point (x, y) is drawn at (x + 4, y + 4).
    const Case cases[] = {
        {"right and low: left of and above the cross-hair",
         CurveKind::Value,
         {70, 80},
         "20％",
         "70％",
         {0, 64},
         {34, 0}},
        {"left and high: the other sides", CurveKind::Value, {30, 20}, "80％", "30％", {68, 24}, {34, 88}},
        {"heights truncate", CurveKind::Value, {60, 20.7f}, "80％", "60％", {0, 24.7f}, {24, 88}},
        {"the speed curve's middle line reads 0",
         CurveKind::Speed,
         {60, 50},
         "0％",
         "60％",
         {0, 34},
         {24, 0}},
        {"the speed curve's top reads 100", CurveKind::Speed, {0, 0}, "100％", "0％", {68, 4}, {4, 88}},
        {"the speed curve's lower half is negative",
         CurveKind::Speed,
         {50, 99},
         "-98％",
         "50％",
         {0, 83},
         {14, 0}},
    };
    for (const Case& c : cases) {
        const Points points{{0, 0}, c.point, {100, 0}};
        const int hovered = c.point.x == 0 ? 0 : 1;
        CurveEditState state(c.kind);
        state.setArea(kUnitArea, kUnitArea);
        ASSERT_TRUE(state.hitTest(points, mouseAt(int(c.point.x)), mouseAt(int(c.point.y)))) << c.what;
        ASSERT_EQ(state.hoverIndex(), hovered) << c.what;
        const std::optional<HoverLabels> labels = state.hoverLabels(points);
        ASSERT_TRUE(labels.has_value()) << c.what;
        EXPECT_EQ(labels->value.text, c.value) << c.what;
        EXPECT_EQ(labels->position.text, c.position) << c.what;
        EXPECT_FLOAT_EQ(labels->value.topLeft.x, c.valueAt.x) << c.what;
        EXPECT_FLOAT_EQ(labels->value.topLeft.y, c.valueAt.y) << c.what;
        EXPECT_FLOAT_EQ(labels->position.topLeft.x, c.positionAt.x) << c.what;
        EXPECT_FLOAT_EQ(labels->position.topLeft.y, c.positionAt.y) << c.what;
    }
}

TEST(CurveLabels, NoneWithoutAHoveredPoint) {
    const CurveEditState state = unitState();
    EXPECT_FALSE(state.hoverLabels({{0, 0}, {100, 0}}).has_value());
}

// ---- typed points, the grid and the starting shapes ------------------------------------------

TEST(CurveTypedPoint, FollowsTheDragRulesAndTheShownValue) {
    const Points points{{0, 0}, {30, 50}, {60, 20}, {100, 0}};
    struct Case {
        int index;
        CurveKind kind;
        float life, value;
        CurvePoint expected;
    };
    const Case cases[] = {
        {1, CurveKind::Value, 45, 80, {45, 20}},     // an inner point goes where it is typed
        {1, CurveKind::Value, 75, 80, {59, 20}},     // but stops 1 % short of its right neighbour
        {2, CurveKind::Value, 10, 0, {31, 100}},     // and of its left one
        {0, CurveKind::Value, 50, 25, {0, 75}},      // the ends keep their place along the life
        {3, CurveKind::Value, 50, 150, {100, 0}},    // values beyond the curve's range are held to it
        {1, CurveKind::Speed, 30, -100, {30, 100}},  // the speed curve shows -100..100 %
        {1, CurveKind::Speed, 30, 0, {30, 50}},
    };
    for (const Case& c : cases) {
        const Points typed = withTypedPoint(points, c.index, c.kind, c.life, c.value);
        EXPECT_EQ(typed[static_cast<std::size_t>(c.index)], c.expected) << "index " << c.index << " life " << c.life;
    }
    EXPECT_EQ(withTypedPoint(points, 7, CurveKind::Value, 10, 10), points);
    EXPECT_EQ(shownValueOf({0, 25}, CurveKind::Speed), 50.0f);
}

TEST(CurveGrid, LinesAtEveryTenthAndLabelsWhereTheyFit) {
    CurveEditState state = unitState();
    const CurveGrid grid = state.grid(16);
    ASSERT_EQ(grid.life.size(), 11u);
    ASSERT_EQ(grid.value.size(), 11u);
    EXPECT_EQ(grid.life[5].pixel, 54.0f);
    EXPECT_EQ(grid.value[0].percent, 100); // the top line is full value
    EXPECT_EQ(grid.value[10].percent, 0);
    // 10 pixels per step: every second line has room for its text.
    EXPECT_TRUE(grid.value[2].labelled);
    EXPECT_FALSE(grid.value[3].labelled);
    state.setArea(408, 408);
    EXPECT_TRUE(state.grid(16).value[3].labelled);
    EXPECT_EQ(unitState(CurveKind::Speed).grid(16).value[10].percent, -100);
}

// Each starting shape as the curve's table gives it to the particles: at birth, half-way, death.
TEST(CurveShapes, GiveTheirValuesOverTheLife) {
    struct Case {
        CurveShape shape;
        float birth, middle, death;
    };
    const Case cases[] = {
        {CurveShape::Flat, 1, 1, 1},        {CurveShape::Rising, 0, 0.5f, 1},  {CurveShape::Falling, 1, 0.5f, 0},
        {CurveShape::EaseIn, 0, 0.25f, 1},  {CurveShape::EaseOut, 0, 0.75f, 1}, {CurveShape::Bell, 0, 1, 0},
    };
    for (const Case& c : cases) {
        Graph curve("curve", 0);
        const Points points = curveShapePoints(c.shape, CurveKind::Value);
        EXPECT_EQ(points.front().x, 0.0f);
        EXPECT_EQ(points.back().x, 100.0f);
        curve.setPoints(points);
        EXPECT_NEAR(curve.evaluate(0, 100), c.birth, 0.011f) << static_cast<int>(c.shape);
        EXPECT_NEAR(curve.evaluate(50, 100), c.middle, 0.02f) << static_cast<int>(c.shape);
        EXPECT_NEAR(curve.evaluate(100, 100), c.death, 0.011f) << static_cast<int>(c.shape);
    }
    // The speed curve takes them between standing still (its middle line) and full speed.
    EXPECT_EQ(curveShapePoints(CurveShape::Rising, CurveKind::Speed), (Points{{0, 50}, {100, 0}}));
}

// ---- the colour gradient ----------------------------------------------------------------------

TEST(ColourGradient, StopsAtEveryCurvesPointsAndWrittenBackAtTheSameX) {
    EffectNode node(nullptr);
    node.graph(SlotRed).setPoints({{0, 0}, {100, 100}});            // red falls from full to none
    node.graph(SlotAlpha).setPoints({{0, 100}, {40, 0}, {100, 0}}); // opacity rises to full at 40 %
    ColourGradient gradient = ColourGradient::of(node);
    ASSERT_EQ(gradient.stopCount(), 3);
    EXPECT_EQ(gradient.stops()[1].x, 40.0f);
    EXPECT_EQ(gradient.stops()[1].colour.alpha, 1.0f);
    EXPECT_EQ(gradient.stops()[0].colour, (GradientColour{1, 1, 1, 0}));

    // A stop added half-way between two takes their mixed colour; the ends cannot go.
    const int added = gradient.addStop(70);
    ASSERT_EQ(added, 2);
    EXPECT_NEAR(gradient.stops()[2].colour.red, (gradient.stops()[1].colour.red + 0.0f) / 2, 1e-5f);
    EXPECT_EQ(gradient.addStop(70.5f), -1) << "within the minimum gap of a stop";
    EXPECT_FALSE(gradient.removeStop(0));
    EXPECT_FALSE(gradient.removeStop(gradient.stopCount() - 1));
    gradient.moveStop(2, 10);
    EXPECT_EQ(gradient.stops()[2].x, 41.0f) << "a stop stays 1 % from its neighbours";
    gradient.moveStop(0, 30);
    EXPECT_EQ(gradient.stops()[0].x, 0.0f);
    gradient.setColour(1, {0, 0.5f, 1, 0.25f});

    const History::GradientCurves curves = gradient.curves();
    for (const auto& curve : curves) {
        ASSERT_EQ(curve.size(), 4u);
        EXPECT_EQ(curve[1].x, 40.0f);
        EXPECT_EQ(curve[2].x, 41.0f);
    }
    EXPECT_EQ(curves[0][1].y, 100.0f); // red 0
    EXPECT_EQ(curves[1][1].y, 50.0f);  // green half
    EXPECT_EQ(curves[2][1].y, 0.0f);   // blue full
    EXPECT_EQ(curves[3][1].y, 75.0f);  // opacity a quarter
}

} // namespace
} // namespace vintrel
