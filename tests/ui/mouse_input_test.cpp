// The polled mouse state the camera control reads once per view frame.

#include "ui/input/mouse_input.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace vintrel {
namespace {

TEST(MouseInputTest, PressesAndMotionAreSeenOncePerPoll) {
    MouseInput m;
    m.moveTo({100, 100}, {5, 6});
    m.pressLeft({100, 100});
    m.moveTo({110, 97}, {15, 3});
    MouseSample s = m.poll(800);
    EXPECT_TRUE(s.leftNow);
    EXPECT_FALSE(s.leftBefore);
    EXPECT_EQ(s.dx, 10);
    EXPECT_EQ(s.dy, -3);
    EXPECT_EQ(s.x, 15);
    EXPECT_EQ(s.y, 3);
    // The cursor is put back where the drag began; the warp itself is no motion.
    m.cursorPutBack(m.dragOrigin());
    m.moveTo({100, 100}, {5, 6});
    m.moveTo({104, 100}, {9, 6});
    s = m.poll(800);
    EXPECT_TRUE(s.leftNow);
    EXPECT_TRUE(s.leftBefore);
    EXPECT_EQ(s.dx, 4);
    EXPECT_EQ(s.dy, 0);
    m.releaseLeft();
    s = m.poll(800);
    EXPECT_FALSE(s.leftNow);
    EXPECT_TRUE(s.leftBefore);
    EXPECT_EQ(s.dx, 0);
}

TEST(MouseInputTest, TheMiddleButtonAndTheWheelSteerTheView) {
    MouseInput m;
    m.pressMiddle(false);
    m.turnWheel(120);
    m.turnWheel(120);
    MouseSample s = m.poll(800);
    EXPECT_EQ(s.viewDrag, DragMode::Orbit);
    EXPECT_EQ(s.wheel, 240);
    EXPECT_FALSE(s.leftNow);
    s = m.poll(800);
    EXPECT_EQ(s.viewDrag, DragMode::Orbit) << "held until released";
    EXPECT_EQ(s.wheel, 0) << "each turn is read once";
    m.releaseMiddle();
    m.pressMiddle(true);
    EXPECT_EQ(m.poll(800).viewDrag, DragMode::Pan);
    m.releaseMiddle();
    EXPECT_EQ(m.poll(800).viewDrag, DragMode::None);
}

TEST(MouseInputTest, AClickBetweenTwoPollsIsNotLost) {
    MouseInput m;
    m.pressLeft({1, 1});
    m.releaseLeft();
    MouseSample s = m.poll(800);
    EXPECT_TRUE(s.leftNow);
    EXPECT_FALSE(s.leftBefore);
    s = m.poll(800);
    EXPECT_FALSE(s.leftNow);
    EXPECT_TRUE(s.leftBefore);
}

TEST(MouseInputTest, MotionFedWhileAnotherThreadPollsAddsUp) {
    MouseInput m;
    std::atomic<bool> done{false};
    long long sum = 0;
    std::thread worker([&] {
        while (!done) {
            sum += m.poll(100).dx;
        }
    });
    for (int i = 1; i <= 100000; ++i) {
        m.moveTo({i, 0}, {i, 0});
        if (i % 7 == 0) {
            m.pressLeft({i, 0});
        }
        if (i % 11 == 0) {
            m.releaseLeft();
        }
    }
    done = true;
    worker.join();
    sum += m.poll(100).dx;
    EXPECT_EQ(sum, 99999);
}

} // namespace
} // namespace vintrel
