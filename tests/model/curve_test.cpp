#include "model/curve.h"

#include <array>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <thread>

namespace vintrel {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::array<float, Graph::kTableSize> tableOf(const Graph& g) {
    std::array<float, Graph::kTableSize> t{};
    for (int i = 0; i < Graph::kTableSize; ++i)
        t[i] = g.tableEntry(i);
    return t;
}

TEST(CurveFresh, PlainAndRisingCurves) {
    Graph flat("Alpha", 0.0f);
    EXPECT_EQ(flat.name(), "Alpha");
    EXPECT_FALSE(flat.isBipolar());
    ASSERT_EQ(flat.pointCount(), 2);
    EXPECT_EQ(flat.point(0), (CurvePoint{0, 0}));
    EXPECT_EQ(flat.point(1), (CurvePoint{100, 0}));
    for (int age : {0, 1, 30, 59, 60})
        EXPECT_EQ(flat.evaluate(age, 60), 1.0f) << "age " << age;

    Graph rising("Size", 100.0f);
    EXPECT_EQ(rising.evaluate(0, 100), 0.0f);
    EXPECT_EQ(rising.evaluate(50, 100), 0.5f);
    EXPECT_EQ(rising.evaluate(100, 100), 1.0f);
    // Between table entries the value is interpolated: c = 33.33 lies between 67 and 66.
    EXPECT_NEAR(rising.evaluate(1, 3), 1.0f / 3.0f, 1e-6f);
}

TEST(CurveFresh, SpeedCurveIsBipolar) {
    GraphSpeed speed("Speed", 0.0f);
    EXPECT_TRUE(speed.isBipolar());
    for (int age : {0, 1, 30, 59, 60})
        EXPECT_EQ(speed.evaluate(age, 60), 1.0f) << "age " << age;

    speed.setPoints({{0, 50}, {100, 50}});
    for (int age : {0, 1, 30, 59, 60})
        EXPECT_EQ(speed.evaluate(age, 60), 0.0f) << "age " << age;
}

TEST(CurveEvaluate, OutOfRangeAgesAndLifetimes) {
    Graph rising("Size", 100.0f);
    // Older than the lifetime counts as the end of life.
    EXPECT_EQ(rising.evaluate(150, 100), rising.evaluate(100, 100));
    EXPECT_EQ(rising.evaluate(std::numeric_limits<int>::max(), 7), 1.0f);
    // No lifetime left: end of life.
    EXPECT_EQ(rising.evaluate(0, 0), 1.0f);
    EXPECT_EQ(rising.evaluate(5, -10), 1.0f);
    // Age -1 at birth (revolution update) and anything below: start of life.
    EXPECT_EQ(rising.evaluate(-1, 100), 0.0f);
    EXPECT_EQ(rising.evaluate(std::numeric_limits<int>::min(), 100), 0.0f);

    GraphSpeed speed("Speed", 100.0f);
    EXPECT_EQ(speed.evaluate(0, 0), 1.0f);
    EXPECT_EQ(speed.evaluate(-1, 100), -1.0f);
}

TEST(CurveEditing, AddPointWaitsForRebuild) {
    Graph g("Alpha", 0.0f);
    g.clearPoints();
    EXPECT_EQ(g.pointCount(), 0);
    g.addPoint({0, 100});
    g.addPoint({100, 0});
    EXPECT_EQ(g.evaluate(0, 100), 1.0f);
    g.rebuildTable();
    EXPECT_EQ(g.evaluate(0, 100), 0.0f);
    EXPECT_EQ(g.evaluate(100, 100), 1.0f);
}

TEST(CurveClipboard, PasteNeedsTwoPoints) {
    Graph single("Single", 0.0f);
    single.clearPoints();
    single.addPoint({10, 20});
    single.copyToClipboard();
    EXPECT_EQ(curveClipboard(), (std::vector<CurvePoint>{{10, 20}}));

    Graph target("Target", 100.0f);
    auto tableBefore = tableOf(target);
    target.pasteFromClipboard();
    EXPECT_EQ(target.points(), (std::vector<CurvePoint>{{0, 100}, {100, 0}}));
    EXPECT_EQ(tableOf(target), tableBefore);

    single.clearPoints();
    single.copyToClipboard();
    target.pasteFromClipboard();
    EXPECT_EQ(target.pointCount(), 2);
    EXPECT_EQ(tableOf(target), tableBefore);
}

TEST(CurveClipboard, CopyPasteGivesEqualCurve) {
    Graph source("Source", 0.0f);
    source.setPoints({{0, 20}, {30, 80}, {70, 10}, {100, 60}});
    source.copyToClipboard();

    Graph target("Target", 100.0f);
    target.pasteFromClipboard();
    EXPECT_EQ(target.points(), source.points());
    EXPECT_EQ(tableOf(target), tableOf(source));
    EXPECT_EQ(target.name(), "Target");
}

TEST(CurveTable, HumpPeaksInTheMiddle) {
    Graph hump("Alpha", 0.0f);
    hump.setPoints({{0, 100}, {50, 0}, {100, 100}});
    EXPECT_EQ(hump.tableEntry(0), 100.0f);
    EXPECT_EQ(hump.tableEntry(50), 0.0f);
    EXPECT_EQ(hump.tableEntry(100), 100.0f);
    EXPECT_EQ(hump.evaluate(0, 60), 0.0f);
    EXPECT_EQ(hump.evaluate(30, 60), 1.0f);
    EXPECT_EQ(hump.evaluate(60, 60), 0.0f);

    // Smoothed entries lie strictly inside; entry 49 (just before the middle
    // point) is never smoothed and its sample rounds to 0.
    for (int i = 1; i < 100; ++i) {
        if (i == 49 || i == 50)
            continue;
        EXPECT_GT(hump.tableEntry(i), 0.0f) << i;
        EXPECT_LT(hump.tableEntry(i), 100.0f) << i;
    }
    EXPECT_EQ(hump.tableEntry(49), 0.0f);
    for (int i = 1; i <= 50; ++i)
        EXPECT_LE(hump.tableEntry(i), hump.tableEntry(i - 1)) << i;
    for (int i = 51; i <= 100; ++i)
        EXPECT_GE(hump.tableEntry(i), hump.tableEntry(i - 1)) << i;
}

TEST(CurveTable, SpeedSegmentsStayOnTheirSideOfZero) {
    // The tangent at (20,45) makes the plain curve bulge past y = 50; the
    // speed curve must not change sign there.
    std::vector<CurvePoint> below{{0, 0}, {20, 45}, {50, 50}, {100, 0}};
    std::vector<CurvePoint> above{{0, 100}, {20, 55}, {50, 50}, {100, 100}};

    Graph plainBelow("Plain", 0.0f), plainAbove("Plain", 0.0f);
    plainBelow.setPoints(below);
    plainAbove.setPoints(above);
    GraphSpeed speedBelow("Speed", 0.0f), speedAbove("Speed", 0.0f);
    speedBelow.setPoints(below);
    speedAbove.setPoints(above);

    float plainMax = 0, plainMin = 100;
    for (int i = 0; i < Graph::kTableSize; ++i) {
        plainMax = std::max(plainMax, plainBelow.tableEntry(i));
        plainMin = std::min(plainMin, plainAbove.tableEntry(i));
        EXPECT_LE(speedBelow.tableEntry(i), 50.0f) << i;
        EXPECT_GE(speedAbove.tableEntry(i), 50.0f) << i;
    }
    EXPECT_GT(plainMax, 50.0f);
    EXPECT_LT(plainMin, 50.0f);
    for (int age = 0; age <= 100; ++age) {
        EXPECT_GE(speedBelow.evaluate(age, 100), 0.0f) << age;
        EXPECT_LE(speedAbove.evaluate(age, 100), 0.0f) << age;
    }
}

TEST(CurveAssign, CopiesPointsAndNameAndRebuilds) {
    std::vector<CurvePoint> bulge{{0, 0}, {20, 45}, {50, 50}, {100, 0}};
    GraphSpeed speed("Speed", 0.0f);
    speed.setPoints(bulge);
    Graph reference("Reference", 0.0f);
    reference.setPoints(bulge);

    // The copy rebuilds with its own rule, so it bulges like a plain curve.
    Graph g("Alpha", 100.0f);
    g.assignFrom(speed);
    EXPECT_EQ(g.name(), "Speed");
    EXPECT_EQ(g.points(), bulge);
    EXPECT_EQ(tableOf(g), tableOf(reference));

    GraphSpeed back("Other", 0.0f);
    back.assignFrom(reference);
    EXPECT_EQ(back.name(), "Reference");
    EXPECT_EQ(tableOf(back), tableOf(speed));

    g.assignFrom(g);
    EXPECT_EQ(g.points(), bulge);
}

void expectSaneTable(const Graph& g, const char* label) {
    for (int i = 0; i < Graph::kTableSize; ++i) {
        EXPECT_GE(g.tableEntry(i), 0.0f) << label << " entry " << i;
        EXPECT_LE(g.tableEntry(i), 100.0f) << label << " entry " << i;
    }
    for (int age = -2; age <= 102; ++age) {
        float v = g.evaluate(age, 100);
        EXPECT_TRUE(std::isfinite(v)) << label << " age " << age;
    }
}

TEST(CurveHostile, FewerThanTwoPointsKeepTheTable) {
    Graph g("Alpha", 100.0f);
    auto before = tableOf(g);
    g.setPoints({});
    EXPECT_EQ(g.pointCount(), 0);
    EXPECT_EQ(tableOf(g), before);
    g.setPoints({{kNaN, 1e30f}});
    EXPECT_EQ(g.pointCount(), 1);
    EXPECT_EQ(tableOf(g), before);
}

TEST(CurveHostile, BrokenPointsStayInRange) {
    const std::vector<std::vector<CurvePoint>> cases{
        {{100, 0}, {0, 100}, {50, 50}},
        {{0, 0}, {50, 10}, {50, 90}, {100, 0}},
        {{0, 0}, {0, 0}, {100, 0}, {100, 0}},
        {{0, 0}, {150, 80}},
        {{-50, 20}, {250, 70}},
        {{0, kNaN}, {kNaN, 50}, {100, 0}},
        {{kNaN, kNaN}, {kNaN, kNaN}},
        {{0, 1e30f}, {50, -1e30f}, {100, 0}},
        {{-1e30f, 0}, {1e30f, 100}},
        {{0, 0}, {1e-30f, 50}, {100, 0}},
        {{0, 0}, {kInf, 50}, {-kInf, 100}},
        {{3e38f, 3e38f}, {-3e38f, -3e38f}, {3e38f, 100}},
        {{0, 50}, {99.9f, 0}, {99.95f, 100}, {100, 50}},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        std::string label = "case " + std::to_string(c);
        Graph g("Alpha", 0.0f);
        g.setPoints(cases[c]);
        EXPECT_EQ(g.pointCount(), static_cast<int>(cases[c].size())) << label;
        expectSaneTable(g, label.c_str());
        GraphSpeed s("Speed", 0.0f);
        s.setPoints(cases[c]);
        expectSaneTable(s, label.c_str());
    }
}

TEST(CurveHostile, RandomPointClouds) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> wide(-300.0f, 400.0f);
    for (int round = 0; round < 20; ++round) {
        std::vector<CurvePoint> pts(static_cast<size_t>(round * 7 + 2));
        for (auto& p : pts)
            p = {wide(rng), wide(rng)};
        Graph g("Alpha", 0.0f);
        g.setPoints(pts);
        expectSaneTable(g, "random");
    }
}

TEST(CurveThreads, ReaderSeesOnlyWholeTables) {
    const std::vector<CurvePoint> setA{{0, 20}, {30, 80}, {70, 10}, {100, 60}};
    const std::vector<CurvePoint> setB{{0, 100}, {50, 0}, {100, 100}};
    Graph a("A", 0.0f), b("B", 0.0f);
    a.setPoints(setA);
    b.setPoints(setB);
    // At whole percentages evaluate reads one entry, so each value must come
    // from one of the two tables.
    std::array<float, Graph::kTableSize> fromA{}, fromB{};
    for (int age = 0; age < Graph::kTableSize; ++age) {
        fromA[age] = a.evaluate(age, 100);
        fromB[age] = b.evaluate(age, 100);
    }

    Graph shared("Shared", 0.0f);
    shared.setPoints(setB);
    shared.setPoints(setA);
    ASSERT_EQ(tableOf(shared), tableOf(a));

    std::atomic<bool> done{false};
    std::atomic<int> rebuilds{0};
    std::thread writer([&] {
        for (int n = 0; !done.load(); ++n) {
            shared.setPoints(n % 2 == 0 ? setB : setA);
            rebuilds.fetch_add(1);
        }
    });
    while (rebuilds.load() == 0)
        std::this_thread::yield();
    int mismatches = 0;
    for (int n = 0; n < 100000; ++n) {
        int age = n % Graph::kTableSize;
        float v = shared.evaluate(age, 100);
        if (v != fromA[age] && v != fromB[age])
            ++mismatches;
    }
    done.store(true);
    writer.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(rebuilds.load(), 0);
}

} // namespace
} // namespace vintrel
