#include "engine/frame_clock.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

TEST(FrameClock, FirstPassOnlyTakesTheMark) {
    FrameClock clock;
    EXPECT_FALSE(clock.tick(1000, 60));
    EXPECT_EQ(clock.mark(), 1000u);
}

TEST(FrameClock, TwentySixMillisecondsStepsAndKeepsTheOvershoot) {
    FrameClock clock;
    clock.tick(1000, 60);
    // 26 x 60 = 1560: one period plus 560 / 60 = 9 ms.
    EXPECT_TRUE(clock.tick(1026, 60));
    EXPECT_EQ(clock.mark(), 1017u);
    // So the next step comes about 8 ms later.
    EXPECT_FALSE(clock.tick(1030, 60));
    EXPECT_FALSE(clock.tick(1033, 60));
    EXPECT_TRUE(clock.tick(1034, 60));
    EXPECT_EQ(clock.mark(), 1034u);
}

TEST(FrameClock, FiftyMillisecondsStepsOnceAndDropsTheLostFrames) {
    FrameClock clock;
    clock.tick(2000, 60);
    EXPECT_TRUE(clock.tick(2050, 60));
    EXPECT_EQ(clock.mark(), 2050u);
    // No catch-up burst: the same moment does not step again.
    EXPECT_FALSE(clock.tick(2050, 60));
    EXPECT_FALSE(clock.tick(2066, 60));
    EXPECT_TRUE(clock.tick(2067, 60));
}

TEST(FrameClock, LessThanOnePeriodDoesNotStep) {
    FrameClock clock;
    clock.tick(0, 60);
    // 16 x 60 = 960 is short of 1000; 17 x 60 = 1020 is not.
    EXPECT_FALSE(clock.tick(16, 60));
    EXPECT_EQ(clock.mark(), 0u);
    EXPECT_TRUE(clock.tick(17, 60));
    EXPECT_EQ(clock.mark(), 17u);
}

TEST(FrameClock, OtherRatesAndAWrappingTimer) {
    FrameClock thirty;
    thirty.tick(500, 30);
    EXPECT_FALSE(thirty.tick(533, 30)); // 990
    EXPECT_TRUE(thirty.tick(540, 30));  // 1200: 200 / 30 = 6 ms over
    EXPECT_EQ(thirty.mark(), 534u);

    FrameClock wrapping;
    wrapping.tick(0xFFFFFFF0u, 60);
    // 26 ms later the timer has wrapped to 10.
    EXPECT_TRUE(wrapping.tick(10, 60));
    EXPECT_EQ(wrapping.mark(), 1u);
}

TEST(FrameClock, NonPositiveRateCountsAsOneFramePerSecond) {
    for (int fps : {0, -5}) {
        FrameClock clock;
        clock.tick(0, fps);
        EXPECT_FALSE(clock.tick(999, fps));
        EXPECT_TRUE(clock.tick(1500, fps));
        EXPECT_EQ(clock.mark(), 1000u); // 500 ms over, less than a period
        EXPECT_TRUE(clock.tick(3500, fps));
        EXPECT_EQ(clock.mark(), 3500u); // two periods late: dropped
    }
}

TEST(FpsMeter, ReadingAfterTheFirstSecondAndAfterTheNext) {
    FpsMeter meter;
    EXPECT_EQ(meter.reading(), 0u);
    // Steps every 100 ms from 0: the one at 1000 closes the first second, which counted
    // eleven steps (the counter starts at 1 and the first step adds one).
    for (std::uint32_t t = 0; t < 1000; t += 100) {
        EXPECT_FALSE(meter.tick(t));
    }
    EXPECT_TRUE(meter.tick(1000));
    EXPECT_EQ(meter.reading(), 11u);
    for (std::uint32_t t = 1100; t < 2000; t += 100) {
        EXPECT_FALSE(meter.tick(t));
    }
    EXPECT_TRUE(meter.tick(2000));
    EXPECT_EQ(meter.reading(), 10u);
}

TEST(FpsMeter, SlowStepsReadOneEach) {
    FpsMeter meter;
    meter.tick(0);
    EXPECT_TRUE(meter.tick(1500));
    EXPECT_EQ(meter.reading(), 2u);
    EXPECT_TRUE(meter.tick(2600));
    EXPECT_EQ(meter.reading(), 1u);
}

// Real-time play counts every period that passed, and carries the rest of one over.
TEST(FrameClock, RealTimeCountsEveryElapsedFrame) {
    FrameClock clock;
    EXPECT_EQ(clock.framesElapsed(1000, 60), 0);
    EXPECT_EQ(clock.framesElapsed(1050, 60), 3);  // 50 x 60 = 3000: three periods exactly
    EXPECT_EQ(clock.framesElapsed(1060, 60), 0);  // 600 of a period
    EXPECT_EQ(clock.framesElapsed(1067, 60), 1);  // 600 + 420: one period, 20 carried
    int frames = 0;
    for (std::uint32_t now = 1068; now <= 2067; ++now) {
        frames += clock.framesElapsed(now, 60);
    }
    EXPECT_EQ(frames, 60) << "one second later, exactly a second's frames, however they were asked";
    // A long stall catches up one second at most.
    EXPECT_EQ(clock.framesElapsed(12067, 30), 30);
    EXPECT_EQ(clock.framesElapsed(12068, 0), 0);
}

} // namespace
} // namespace vintrel
